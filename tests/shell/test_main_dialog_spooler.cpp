// The spooler hand-over against a real CUPS scheduler of the test's own.
#include "test_main_dialog_fixture.h"

#include "platform/linux/CupsSpooler.h"
#include "tests/support/CupsTestServer.h"

#include <QTemporaryDir>
#include <cups/cups.h>

using namespace shelltest;

namespace {

class SpoolerHandOverTest : public ShellTest {
protected:
    // Serial on COM3, which the profile maps to the stand-in printer's pseudo-terminal.
    QString startPrinterOnCom3()
    {
        const QString pty = m_sim.start({"--pty", "--language", "2", "--model", "KX-21"}, QStringLiteral("pty: "));
        profile.setString(QStringLiteral("Ports"), QStringLiteral("COM3"), pty);
        profile.setInt(QStringLiteral("CurrentSettings"), QStringLiteral("Interface"), 0);
        profile.setInt(QStringLiteral("CurrentSettings"), QStringLiteral("COM_PortNum"), 2);
        return pty;
    }

    platform::CupsSpooler cups{1500, 5.0};
    platform::ScopedService<platform::Spooler> m_cupsScope{cups};
    // A serial line answers only while the link really waits.
    platform::ScopedService<platform::Clock> m_realClock{platform::defaultService<platform::Clock>()};

private:
    PrinterSim m_sim;
};

TEST_F(SpoolerHandOverTest, TwoQueuesOnThePortPrintToNothingUntilDisconnectRestoresTheirDevices)
{
    if (!testsupport::CupsTestServer::available())
        GTEST_SKIP() << "cupsd is not installed";
    testsupport::CupsTestServer server;
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    const QString pty = startPrinterOnCom3();
    ASSERT_FALSE(pty.isEmpty());

    const QString uriA = QStringLiteral("serial:%1?baud=9600").arg(pty);
    const QString uriB = QStringLiteral("serial:%1?baud=115200+bits=8").arg(pty);
    const QString uriOther = QStringLiteral("serial:/dev/ttyS3?baud=9600");  // COM4:
    ASSERT_TRUE(server.addQueue(QStringLiteral("LabelA"), uriA, &error)) << error.toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("LabelB"), uriB, &error)) << error.toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("Other"), uriOther, &error)) << error.toStdString();

    openDialog();
    connect();
    EXPECT_EQ(messageTexts(), QStringList{kSuccess});
    EXPECT_EQ(server.deviceUri(QStringLiteral("LabelA")), "file:///dev/null");
    EXPECT_EQ(server.deviceUri(QStringLiteral("LabelB")), "file:///dev/null");
    EXPECT_EQ(server.deviceUri(QStringLiteral("Other")), uriOther);

    click(1022);  // Disconnect
    EXPECT_EQ(server.deviceUri(QStringLiteral("LabelA")), uriA);
    EXPECT_EQ(server.deviceUri(QStringLiteral("LabelB")), uriB);
    EXPECT_EQ(server.deviceUri(QStringLiteral("Other")), uriOther);
}

TEST_F(SpoolerHandOverTest, WithNoSchedulerTheHandOverFindsNoPrintersAndConnectGoesOn)
{
    ASSERT_FALSE(startPrinterOnCom3().isEmpty());
    QTemporaryDir dir;
    const QByteArray nowhere = (dir.path() + QStringLiteral("/none.sock")).toUtf8();
    cupsSetServer(nowhere.constData());

    openDialog();
    connect();
    cupsSetServer(nullptr);

    EXPECT_EQ(messageTexts(), QStringList{kSuccess});
    EXPECT_TRUE(dlg->m_mapSavedPrinterPorts.isEmpty());
}

}  // namespace
