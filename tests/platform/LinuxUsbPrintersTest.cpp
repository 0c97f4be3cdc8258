#include "platform/linux/LinuxUsbPrinters.h"

#include "platform/linux/LinuxDeviceIo.h"


#include "platform/Services.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;
using ztest::MemoryProfileStore;
using ztest::PtyPair;

namespace {

const QString kClass = QStringLiteral("{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");

QString usbPath(const char* vidPid, const char* instance)
{
    return QStringLiteral("\\\\?\\usb#") + QLatin1String(vidPid) + u'#' + QLatin1String(instance)
           + u'#' + kClass;
}

// A sysfs and /dev tree with usbmisc printer nodes laid out as the kernel does.
class FakeUsbTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_usb = std::make_unique<LinuxUsbPrinters>(sysfs(), dev());
    }

    QString sysfs() const { return m_root.filePath("sys"); }
    QString dev() const { return m_root.filePath("dev"); }

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(content);
    }

    // lp<n> on the USB device <device>; an empty vid leaves idVendor out.
    void addPrinter(int n, const QString& device, const QByteArray& vid, const QByteArray& pid,
                    const QByteArray& serial = QByteArray(), const QString& node = QString())
    {
        const QString deviceDir = sysfs() + "/devices/pci0000:00/usb1/" + device;
        const QString interfaceDir = deviceDir + '/' + device + ":1.0";
        ASSERT_TRUE(QDir().mkpath(interfaceDir));
        if (!vid.isEmpty())
            writeFile(deviceDir + "/idVendor", vid + '\n');
        writeFile(deviceDir + "/idProduct", pid + '\n');
        if (!serial.isEmpty())
            writeFile(deviceDir + "/serial", serial + '\n');

        const QString name = QStringLiteral("lp%1").arg(n);
        const QString classDir = sysfs() + "/class/usbmisc/" + name;
        ASSERT_TRUE(QDir().mkpath(classDir));
        ASSERT_TRUE(QFile::link(QDir(classDir).relativeFilePath(interfaceDir), classDir + "/device"));
        ASSERT_TRUE(QDir().mkpath(dev() + "/usb"));
        if (!node.isEmpty()) {
            ASSERT_TRUE(QFile::link(node, dev() + "/usb/" + name));
        }
    }

    QStringList paths()
    {
        QStringList found;
        auto set = m_usb->presentInterfaces();
        for (int i = 0;; ++i) {
            QString path;
            UsbEnumResult r = set->interfacePath(i, &path);
            if (r == UsbEnumResult::NoMoreItems)
                break;
            found << (r == UsbEnumResult::Ok ? path : QStringLiteral("<failed>"));
        }
        return found;
    }

    QTemporaryDir m_root;
    std::unique_ptr<LinuxUsbPrinters> m_usb;
};

TEST_F(FakeUsbTree, ListsPrintersInNodeOrderWithWindowsPaths)
{
    addPrinter(10, "1-4", "0a5f", "00a1", "LAST");
    addPrinter(2, "1-1.2", "0A5F", "00B3");  // no serial: the sysfs name stands in
    addPrinter(0, "2-1", "1203", "0230", "SN0001");
    addPrinter(1, "2-2", "", "0230", "NOVID");

    EXPECT_EQ(paths(), QStringList({usbPath("vid_1203&pid_0230", "SN0001_2-1"), "<failed>",
                                    usbPath("vid_0a5f&pid_00b3", "1-1.2"),
                                    usbPath("vid_0a5f&pid_00a1", "LAST_1-4")}));

    // The link matches the 17 characters after the first 8.
    EXPECT_EQ(paths().first().mid(8, 17), "vid_1203&pid_0230");
}

TEST_F(FakeUsbTree, SerialNumbersWithOddCharactersGiveAPathThatFindsTheDevice)
{
    addPrinter(0, "1-1", "0a5f", "00a1", "AB}C");
    addPrinter(1, "1-2", "0a5f", "00a1", "X\\Y#Z");
    addPrinter(2, "1-3", "0a5f", "00a1", "caf\xc3\xa9\xe2\x82\xac");  // "café€" in UTF-8
    const QStringList found = paths();
    EXPECT_EQ(found, QStringList({usbPath("vid_0a5f&pid_00a1", "AB_C_1-1"),
                                  usbPath("vid_0a5f&pid_00a1", "X_Y_Z_1-2"),
                                  usbPath("vid_0a5f&pid_00a1", "caf___1-3")}));
    for (int i = 0; i < found.size(); ++i) {
        // Only ASCII: the path survives any ANSI code page unchanged.
        for (QChar c : found[i])
            EXPECT_LT(c.unicode(), 0x80);
        const QString node = dev() + QStringLiteral("/usb/lp%1").arg(i);
        EXPECT_EQ(m_usb->deviceNode(found[i]), node);
        EXPECT_EQ(m_usb->deviceNode(found[i] + "\\USB0/4"), node);
    }
}

TEST_F(FakeUsbTree, EmptyOrMissingTreeHasNoInterfaces)
{
    EXPECT_TRUE(paths().isEmpty());
    QString path;
    EXPECT_EQ(m_usb->presentInterfaces()->interfacePath(-1, &path), UsbEnumResult::Failed);
}

TEST_F(FakeUsbTree, DeviceNodeIgnoresTransferSuffixAndCase)
{
    addPrinter(0, "1-1", "0a5f", "00a1", "A1");
    addPrinter(3, "1-2", "0a5f", "00a2", "B2");
    const QString second = usbPath("vid_0a5f&pid_00a2", "B2_1-2");
    const QString node = dev() + "/usb/lp3";

    EXPECT_EQ(m_usb->deviceNode(second), node);
    EXPECT_EQ(m_usb->deviceNode(second + "\\USB0/4"), node);
    EXPECT_EQ(m_usb->deviceNode(second.toUpper() + "\\USB0/4"), node);
    EXPECT_EQ(m_usb->deviceNode(usbPath("vid_0a5f&pid_00a1", "A1_1-1")), dev() + "/usb/lp0");
    EXPECT_EQ(m_usb->deviceNode(usbPath("vid_0a5f&pid_00a3", "B2_1-2")), QString());
    EXPECT_EQ(m_usb->deviceNode(second + "x"), QString());
    EXPECT_EQ(m_usb->deviceNode(QString()), QString());
}

TEST_F(FakeUsbTree, DefaultRootsComeFromTheEnvironment)
{
    addPrinter(0, "1-1", "0a5f", "00a1", "ENV");
    qputenv("ZENTROVA_SYSFS_ROOT", QFile::encodeName(sysfs()));
    qputenv("ZENTROVA_DEV_ROOT", QFile::encodeName(dev()));
    LinuxUsbPrinters fromEnvironment;
    const QString node = fromEnvironment.deviceNode(usbPath("vid_0a5f&pid_00a1", "ENV_1-1"));
    qunsetenv("ZENTROVA_SYSFS_ROOT");
    qunsetenv("ZENTROVA_DEV_ROOT");
    EXPECT_EQ(node, dev() + "/usb/lp0");
}

TEST_F(FakeUsbTree, ProbeAndTransferOpensFollowTheShareRules)
{
    PtyPair printer;
    addPrinter(0, "1-1", "0a5f", "00a1", "PTY", printer.slavePath());
    ScopedService<UsbPrinters> useTree(*m_usb);
    MemoryProfileStore profile;
    ScopedService<ProfileStore> useProfile(profile);
    LinuxDeviceIo io(150);

    const QString path = usbPath("vid_0a5f&pid_00a1", "PTY_1-1");
    const QString transfer = path + "\\USB0/4";

    Handle probe = io.open(path, ShareMode::Shared);
    ASSERT_NE(probe, kInvalidHandle);
    Handle secondProbe = io.open(path, ShareMode::Shared);
    EXPECT_NE(secondProbe, kInvalidHandle);
    EXPECT_EQ(io.open(transfer, ShareMode::Exclusive), kInvalidHandle);
    io.close(probe);
    io.close(secondProbe);

    Handle h = io.open(transfer, ShareMode::Exclusive);
    ASSERT_NE(h, kInvalidHandle);
    EXPECT_EQ(io.open(path, ShareMode::Shared), kInvalidHandle);
    std::uint32_t done = 0;
    ASSERT_TRUE(io.write(h, "^XA^XZ", 6, &done));
    EXPECT_EQ(done, 6u);
    EXPECT_EQ(printer.readMaster(6, 2000), "^XA^XZ");

    // Without time-outs of its own, a read of a silent printer comes back empty.
    char buffer[32];
    ASSERT_TRUE(io.read(h, buffer, sizeof buffer, &done));
    EXPECT_EQ(done, 0u);
    io.close(h);

    EXPECT_EQ(io.open(usbPath("vid_0a5f&pid_00a1", "OTHER"), ShareMode::Shared), kInvalidHandle);
}

}  // namespace
