#include "platform/linux/CupsSpooler.h"

#include "platform/ProfileStore.h"
#include "tests/support/CupsTestServer.h"

#include <QTemporaryDir>

#include <cups/cups.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>

using platform::CupsSpooler;

namespace {

// Only the "Ports" section matters here.
class PortsProfile : public platform::ProfileStore {
public:
    std::map<QString, QString> ports;

    int getInt(const QString&, const QString&, int defaultValue) override { return defaultValue; }
    bool setInt(const QString&, const QString&, int) override { return true; }
    QString getString(const QString& section, const QString& key,
                      const QString& defaultValue) override
    {
        const auto it = ports.find(key);
        return section == QLatin1String("Ports") && it != ports.end() ? it->second : defaultValue;
    }
    bool setString(const QString&, const QString&, const QString&) override { return true; }
};

class CupsSpoolerPorts : public ::testing::Test {
protected:
    CupsSpoolerPorts()
    {
        m_profile.ports = {{"COM5", "/dev/ttyUSB0"}, {"COM6", "/dev/rfcomm0"},
                           {"LPT3", "/dev/usb/lp0"}};
    }
    PortsProfile m_profile;
    platform::ScopedService<platform::ProfileStore> m_useProfile{m_profile};
};

TEST_F(CupsSpoolerPorts, DeviceUriIsShownAsThePortOfItsDevice)
{
    const struct {
        const char* uri;
        const char* port;
    } cases[] = {
        {"serial:/dev/ttyS0?baud=115200+bits=8", "COM1:"},
        {"serial:/dev/ttyS19", "COM20:"},
        {"file:///dev/ttyS1", "COM2:"},
        {"file:/dev/ttyS2", "COM3:"},
        {"parallel:/dev/lp0", "LPT1:"},
        {"parallel:/dev/lp3", "LPT4:"},
        {"serial:/dev/ttyUSB0?baud=9600", "COM5:"},
        {"serial:/dev/rfcomm0", "COM6:"},
        {"parallel:/dev/usb/lp0", "LPT3:"},
        {"file:///dev/null", "FILE:"},
        {"file:/dev/null", "FILE:"},
        // COM5 is mapped elsewhere, so its default device is nobody's.
        {"serial:/dev/ttyS4", "serial:/dev/ttyS4"},
        {"serial:/dev/ttyS01", "serial:/dev/ttyS01"},
        {"serial:/dev/ttyS254", "COM255:"},
        {"serial:/dev/ttyS255", "serial:/dev/ttyS255"},
        {"file://printhost/dev/ttyS0", "file://printhost/dev/ttyS0"},
        {"socket://192.0.2.7:9100", "socket://192.0.2.7:9100"},
        {"usb://Maker/Label%20Printer?serial=A1", "usb://Maker/Label%20Printer?serial=A1"},
        {"ipp://printhost/printers/label", "ipp://printhost/printers/label"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CupsSpooler::portForDeviceUri(c.uri), c.port) << c.uri;
}

TEST_F(CupsSpoolerPorts, PortNeverShownMapsToTheDeviceUriOfItsDevice)
{
    const struct {
        const char* port;
        const char* uri;
    } cases[] = {
        {"FILE:", "file:///dev/null"},
        {"COM1:", "serial:/dev/ttyS0"},
        {"COM20:", "serial:/dev/ttyS19"},
        {"com3:", "serial:/dev/ttyS2"},
        {"COM5:", "serial:/dev/ttyUSB0"},
        {"LPT2:", "parallel:/dev/lp1"},
        {"LPT3:", "parallel:/dev/usb/lp0"},
        {"socket://192.0.2.7:9100", "socket://192.0.2.7:9100"},
        {"COM0:", ""},
        {"LPT10:", "parallel:/dev/lp9"},
        {"COM256:", ""},
        {"COM1", ""},
        {"COM1: ", ""},
        {"", ""},
        {"nonsense", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CupsSpooler::deviceUriForPort(c.port), c.uri) << c.port;
}

// Points libcups at a socket path for the test and back at the default afterwards.
class CupsSpoolerUnreachable : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString socket = m_dir.filePath("cups.sock");
        if (GetParam()) {  // a scheduler that takes the connection and never answers
            ASSERT_TRUE(listenSilently(socket.toUtf8()));
        }
        m_savedEnv = qgetenv("CUPS_SERVER");
        m_hadEnv = qEnvironmentVariableIsSet("CUPS_SERVER");
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
    }
    void TearDown() override
    {
        if (m_hadEnv)
            qputenv("CUPS_SERVER", m_savedEnv);
        else
            qunsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
        if (m_silent >= 0)
            ::close(m_silent);
    }

    bool listenSilently(const QByteArray& path)
    {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (path.size() >= static_cast<int>(sizeof addr.sun_path))
            return false;
        std::memcpy(addr.sun_path, path.constData(), path.size());
        m_silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        return m_silent >= 0
               && ::bind(m_silent, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0
               && ::listen(m_silent, 8) == 0;
    }

    QTemporaryDir m_dir;
    int m_silent = -1;
    QByteArray m_savedEnv;
    bool m_hadEnv = false;
};

TEST_P(CupsSpoolerUnreachable, NoPrintersAndReadsAndWritesFail)
{
    CupsSpooler spooler(500, 0.5);
    EXPECT_TRUE(spooler.localPrinters().empty());
    QString port = "unchanged";
    EXPECT_FALSE(spooler.readPort("Label", &port));
    EXPECT_EQ(port, "unchanged");
    EXPECT_FALSE(spooler.writePort("Label", "FILE:"));
}

INSTANTIATE_TEST_SUITE_P(Scheduler, CupsSpoolerUnreachable, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Silent" : "Missing"; });

// A private scheduler with three raw queues: two on COM1 with different settings, one
// on LPT2, and a network queue.
class CupsSpoolerOnScheduler : public CupsSpoolerPorts {
protected:
    void SetUp() override
    {
        if (!testsupport::CupsTestServer::available())
            GTEST_SKIP() << "/usr/sbin/cupsd is not installed (scripts/deps installs it)";
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        for (const auto& [name, uri] : kQueues)
            ASSERT_TRUE(m_server.addQueue(name, uri, &error)) << error.toStdString();
    }

    std::map<QString, QString> shownPorts()
    {
        std::map<QString, QString> ports;
        for (const platform::SpoolerPrinter& p : m_spooler.localPrinters())
            ports[p.name] = p.port;
        return ports;
    }

    const std::map<QString, QString> kQueues = {
        {"LabelFast", "serial:/dev/ttyS0?baud=115200+bits=8"},
        {"LabelSlow", "serial:/dev/ttyS0?baud=9600+bits=7+parity=even"},
        {"LabelPar", "parallel:/dev/lp1"},
        {"LabelNet", "socket://192.0.2.7:9100"},
    };
    testsupport::CupsTestServer m_server;
    CupsSpooler m_spooler;
};

TEST_F(CupsSpoolerOnScheduler, ListsEveryQueueWithItsPortText)
{
    const std::map<QString, QString> expected = {{"LabelFast", "COM1:"},
                                                 {"LabelSlow", "COM1:"},
                                                 {"LabelPar", "LPT2:"},
                                                 {"LabelNet", "socket://192.0.2.7:9100"}};
    EXPECT_EQ(shownPorts(), expected);

    for (const auto& [name, port] : expected) {
        QString read;
        EXPECT_TRUE(m_spooler.readPort(name, &read)) << name.toStdString();
        EXPECT_EQ(read, port) << name.toStdString();
    }
}

TEST_F(CupsSpoolerOnScheduler, HandOverToFileAndBackRestoresEachExactUri)
{
    const std::map<QString, QString> shown = shownPorts();
    for (const QString name : {"LabelFast", "LabelSlow"}) {
        ASSERT_TRUE(m_spooler.writePort(name, "FILE:")) << cupsLastErrorString();
        EXPECT_EQ(m_server.deviceUri(name), "file:///dev/null");
    }
    EXPECT_EQ(shownPorts().at("LabelFast"), "FILE:");
    QString port;
    ASSERT_TRUE(m_spooler.readPort("LabelSlow", &port));
    EXPECT_EQ(port, "FILE:");

    for (const QString name : {"LabelFast", "LabelSlow"}) {
        ASSERT_TRUE(m_spooler.writePort(name, shown.at(name))) << cupsLastErrorString();
        EXPECT_EQ(m_server.deviceUri(name), kQueues.at(name));
    }
    EXPECT_EQ(m_server.deviceUri("LabelPar"), kQueues.at("LabelPar"));
}

TEST_F(CupsSpoolerOnScheduler, PortTextNeverShownIsWrittenAsItsDeviceUri)
{
    const struct {
        const char* port;
        const char* uri;
    } cases[] = {
        {"COM3:", "serial:/dev/ttyS2"},
        {"LPT1:", "parallel:/dev/lp0"},
        {"FILE:", "file:///dev/null"},
        {"socket://192.0.2.8:9100", "socket://192.0.2.8:9100"},
    };
    for (const auto& c : cases) {
        CupsSpooler fresh;
        EXPECT_TRUE(fresh.writePort("LabelPar", c.port)) << c.port;
        EXPECT_EQ(m_server.deviceUri("LabelPar"), c.uri) << c.port;
    }
    CupsSpooler fresh;
    EXPECT_FALSE(fresh.writePort("LabelPar", "nonsense"));
    EXPECT_EQ(m_server.deviceUri("LabelPar"), "socket://192.0.2.8:9100");
}

TEST_F(CupsSpoolerOnScheduler, MissingOrMalformedPrinterFailsAndNothingIsCreated)
{
    for (const QString name : {"Missing", "Label/../LabelFast", "Label Fast", ""}) {
        QString port = "unchanged";
        EXPECT_FALSE(m_spooler.readPort(name, &port)) << name.toStdString();
        EXPECT_EQ(port, "unchanged");
        EXPECT_FALSE(m_spooler.writePort(name, "FILE:")) << name.toStdString();
    }
    EXPECT_EQ(m_server.deviceUri("Missing"), "");
    EXPECT_EQ(shownPorts().size(), kQueues.size());
    EXPECT_EQ(m_server.deviceUri("LabelFast"), kQueues.at("LabelFast"));
}

}  // namespace
