#include "tests/support/FakeUsbPrinters.h"

namespace ztest {

namespace {

class FakeInterfaceSet : public platform::UsbInterfaceSet {
public:
    explicit FakeInterfaceSet(std::vector<std::optional<QString>> paths) : m_paths(std::move(paths)) {}

    platform::UsbEnumResult interfacePath(int index, QString* path) override
    {
        if (index < 0 || index >= static_cast<int>(m_paths.size()))
            return platform::UsbEnumResult::NoMoreItems;
        if (!m_paths[index])
            return platform::UsbEnumResult::Failed;
        *path = *m_paths[index];
        return platform::UsbEnumResult::Ok;
    }

private:
    std::vector<std::optional<QString>> m_paths;
};

}  // namespace

void FakeUsbPrinters::addInterface(const QString& path, const QString& deviceNode)
{
    m_interfaces.push_back({path, deviceNode});
}

void FakeUsbPrinters::addUnreadableInterface()
{
    m_interfaces.push_back({std::nullopt, QString()});
}

std::unique_ptr<platform::UsbInterfaceSet> FakeUsbPrinters::presentInterfaces()
{
    ++m_enumerations;
    std::vector<std::optional<QString>> paths;
    for (const Interface& i : m_interfaces)
        paths.push_back(i.path);
    return std::make_unique<FakeInterfaceSet>(std::move(paths));
}

QString FakeUsbPrinters::deviceNode(const QString& path)
{
    // A transfer suffix after the class id does not change the device.
    const qsizetype brace = path.indexOf(u'}');
    const QString base = brace >= 0 ? path.left(brace + 1) : path;
    for (const Interface& i : m_interfaces) {
        if (i.path && i.path->compare(base, Qt::CaseInsensitive) == 0)
            return i.node;
    }
    return QString();
}

}  // namespace ztest
