#pragma once

#include "platform/UsbPrinters.h"
#include "platform/linux/LinuxUsbPrinters.h"

#include <vector>

namespace platform {

// The interfaces of one scan, kept as they were when the set was taken.
class LinuxUsbInterfaceSet : public UsbInterfaceSet {
public:
    explicit LinuxUsbInterfaceSet(std::vector<UsbPrinterEntry> entries);

    UsbEnumResult interfacePath(int index, QString* path) override;

private:
    std::vector<UsbPrinterEntry> m_entries;
};

}  // namespace platform
