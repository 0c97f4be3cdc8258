#include "platform/linux/LinuxUsbInterfaceSet.h"

#include <utility>

namespace platform {

LinuxUsbInterfaceSet::LinuxUsbInterfaceSet(std::vector<UsbPrinterEntry> entries)
    : m_entries(std::move(entries))
{
}

UsbEnumResult LinuxUsbInterfaceSet::interfacePath(int index, QString* path)
{
    if (index < 0 || !path)
        return UsbEnumResult::Failed;
    if (std::size_t(index) >= m_entries.size())
        return UsbEnumResult::NoMoreItems;
    const UsbPrinterEntry& entry = m_entries[std::size_t(index)];
    if (entry.path.isEmpty())
        return UsbEnumResult::Failed;
    *path = entry.path;
    return UsbEnumResult::Ok;
}

}  // namespace platform
