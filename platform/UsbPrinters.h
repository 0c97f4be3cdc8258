#pragma once

#include "platform/Service.h"

#include <QString>
#include <memory>

namespace platform {

enum class UsbEnumResult { Ok, NoMoreItems, Failed };

// A snapshot of the present USB printer interfaces, walked by index.
class UsbInterfaceSet {
public:
    virtual ~UsbInterfaceSet() = default;
    virtual UsbEnumResult interfacePath(int index, QString* path) = 0;
};

// Paths have the form \\?\usb#vid_xxxx&pid_yyyy#<instance>#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}
// so that matching by the characters after the first eight works as on the original platform.
class UsbPrinters {
public:
    virtual ~UsbPrinters() = default;
    virtual std::unique_ptr<UsbInterfaceSet> presentInterfaces() = 0;
    // The device node behind a path (a transfer suffix "\..." after the class id is ignored);
    // empty when no present device has that path.
    virtual QString deviceNode(const QString& path) = 0;
};

template <>
UsbPrinters& defaultService<UsbPrinters>();

}  // namespace platform
