#pragma once

#include "platform/UsbPrinters.h"

#include <QString>
#include <vector>

namespace platform {

// One usbmisc printer node as a scan found it.
struct UsbPrinterEntry {
    QString path;        // the Windows-form interface path; empty when the ids were unreadable
    QString deviceNode;  // <dev>/usb/lpN
};

// USB printers from sysfs: every <sysfs>/class/usbmisc/lpN, in the order of N.
// Roots: the constructor's, else those set with setRoots(), else the environment variables
// ZENTROVA_SYSFS_ROOT and ZENTROVA_DEV_ROOT read at each scan, else "/sys" and "/dev".
class LinuxUsbPrinters : public UsbPrinters {
public:
    static constexpr QStringView kInterfaceClass = u"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

    LinuxUsbPrinters() = default;
    LinuxUsbPrinters(const QString& sysfsRoot, const QString& devRoot);

    void setRoots(const QString& sysfsRoot, const QString& devRoot);

    std::unique_ptr<UsbInterfaceSet> presentInterfaces() override;
    QString deviceNode(const QString& path) override;

    std::vector<UsbPrinterEntry> scan() const;

private:
    QString sysfsRoot() const;
    QString devRoot() const;

    QString m_sysfsRoot;
    QString m_devRoot;
};

}  // namespace platform
