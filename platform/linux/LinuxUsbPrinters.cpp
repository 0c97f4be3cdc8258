#include "platform/linux/LinuxUsbPrinters.h"

#include "platform/linux/LinuxUsbInterfaceSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {

QString rootFromEnvironment(const char* variable, const char* fallback)
{
    QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

QString readAttribute(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.read(256)).trimmed();
}

// A vendor or product id: exactly four hex digits, given back in lower case.
QString readId(const QString& file)
{
    QString id = readAttribute(file).toLower();
    if (id.size() != 4)
        return QString();
    for (QChar c : id) {
        if (!c.isDigit() && (c < u'a' || c > u'f'))
            return QString();
    }
    return id;
}

// Only ASCII letters, digits, '_', '-' and '.', the rest '_': the path goes through the
// ANSI code page and back, and '#', '\\' and '}' would read as its own separators.
QString pathSafe(const QString& text)
{
    QString safe = text;
    for (QChar& c : safe) {
        const char16_t u = c.unicode();
        const bool keep = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')
                          || (u >= u'0' && u <= u'9') || u == u'_' || u == u'-' || u == u'.';
        if (!keep)
            c = u'_';
    }
    return safe;
}

// "lp12" -> 12; -1 for a name of any other form.
int nodeNumber(const QString& name)
{
    if (!name.startsWith(u"lp") || name.size() == 2)
        return -1;
    bool ok = false;
    int n = name.mid(2).toInt(&ok);
    return ok && n >= 0 && name.at(2).isDigit() ? n : -1;
}

}  // namespace

LinuxUsbPrinters::LinuxUsbPrinters(const QString& sysfsRoot, const QString& devRoot)
    : m_sysfsRoot(sysfsRoot), m_devRoot(devRoot)
{
}

void LinuxUsbPrinters::setRoots(const QString& sysfsRoot, const QString& devRoot)
{
    m_sysfsRoot = sysfsRoot;
    m_devRoot = devRoot;
}

QString LinuxUsbPrinters::sysfsRoot() const
{
    return m_sysfsRoot.isEmpty() ? rootFromEnvironment("ZENTROVA_SYSFS_ROOT", "/sys") : m_sysfsRoot;
}

QString LinuxUsbPrinters::devRoot() const
{
    return m_devRoot.isEmpty() ? rootFromEnvironment("ZENTROVA_DEV_ROOT", "/dev") : m_devRoot;
}

std::vector<UsbPrinterEntry> LinuxUsbPrinters::scan() const
{
    const QDir classDir(sysfsRoot() + QStringLiteral("/class/usbmisc"));
    const QString dev = devRoot();

    std::vector<std::pair<int, QString>> nodes;
    const QStringList names = classDir.entryList({QStringLiteral("lp*")},
                                                 QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : names) {
        int n = nodeNumber(name);
        if (n >= 0)
            nodes.emplace_back(n, name);
    }
    std::sort(nodes.begin(), nodes.end());

    std::vector<UsbPrinterEntry> entries;
    entries.reserve(nodes.size());
    for (const auto& [number, name] : nodes) {
        UsbPrinterEntry entry;
        entry.deviceNode = dev + QStringLiteral("/usb/") + name;
        // lpN/device is the printer interface; its parent directory is the USB device.
        const QString interfaceDir = QFileInfo(classDir.filePath(name + QStringLiteral("/device")))
                                         .canonicalFilePath();
        if (!interfaceDir.isEmpty()) {
            const QFileInfo deviceDir(QFileInfo(interfaceDir).absolutePath());
            const QString base = deviceDir.absoluteFilePath() + u'/';
            const QString vid = readId(base + QStringLiteral("idVendor"));
            const QString pid = readId(base + QStringLiteral("idProduct"));
            // The device name ("1-1.2") is unique while plugged in; the serial number tells
            // the printer to a person.
            const QString serial = readAttribute(base + QStringLiteral("serial"));
            QString instance = pathSafe(deviceDir.fileName());
            if (!serial.isEmpty())
                instance = pathSafe(serial) + u'_' + instance;
            if (!vid.isEmpty() && !pid.isEmpty()) {
                entry.path = QStringLiteral("\\\\?\\usb#vid_") + vid + QStringLiteral("&pid_") + pid
                             + u'#' + instance + u'#' + kInterfaceClass.toString();
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::unique_ptr<UsbInterfaceSet> LinuxUsbPrinters::presentInterfaces()
{
    return std::make_unique<LinuxUsbInterfaceSet>(scan());
}

QString LinuxUsbPrinters::deviceNode(const QString& path)
{
    // The path itself, or the path with a transfer suffix ("\\USB0/4") after it.
    const QStringView wanted(path);
    for (const UsbPrinterEntry& entry : scan()) {
        if (entry.path.isEmpty() || !wanted.startsWith(entry.path, Qt::CaseInsensitive))
            continue;
        if (wanted.size() == entry.path.size() || wanted.at(entry.path.size()) == u'\\')
            return entry.deviceNode;
    }
    return QString();
}

template <>
UsbPrinters& defaultService<UsbPrinters>()
{
    static UsbPrinters* instance = new LinuxUsbPrinters;
    return *instance;
}

}  // namespace platform
