#pragma once

#include "platform/UsbPrinters.h"

#include <QString>
#include <optional>
#include <vector>

namespace ztest {

// platform::UsbPrinters over a list of interface paths in the system's order. Pair it
// with FakeDeviceIo devices registered under the same paths (and the transfer paths,
// path + "\\USB0/4", as aliases).
class FakeUsbPrinters : public platform::UsbPrinters {
public:
    void addInterface(const QString& path, const QString& deviceNode = QString());
    // An interface the system fails to report (the walk skips it).
    void addUnreadableInterface();
    void clear() { m_interfaces.clear(); }
    int enumerations() const { return m_enumerations; }

    std::unique_ptr<platform::UsbInterfaceSet> presentInterfaces() override;
    QString deviceNode(const QString& path) override;

private:
    struct Interface {
        std::optional<QString> path;
        QString node;
    };
    std::vector<Interface> m_interfaces;
    int m_enumerations = 0;
};

}  // namespace ztest
