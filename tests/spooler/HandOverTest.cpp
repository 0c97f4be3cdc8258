// The hand-over against a private CUPS scheduler when the program holding the ports ends
// without giving them back itself.
#include "tests/support/CupsTestServer.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 15000;

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::CupsTestServer::available())
            GTEST_SKIP() << "cupsd is not installed";
        QString error;
        ASSERT_TRUE(server.start(&error)) << error.toStdString();
        ASSERT_TRUE(server.addQueue("LabelA", uriA, &error)) << error.toStdString();
        ASSERT_TRUE(server.addQueue("LabelB", uriB, &error)) << error.toStdString();
        ASSERT_TRUE(server.addQueue("Other", uriOther, &error)) << error.toStdString();
        ini = dir.filePath("profile.ini");
    }

    // Starts the child and waits until it has switched the queues.
    void startChild(QProcess& child, const QString& mode)
    {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(HANDOVER_CHILD_PATH), {ini, mode, "COM3:"});
        ASSERT_TRUE(child.waitForStarted(kWaitMs));
        while (!child.canReadLine() && child.waitForReadyRead(kWaitMs)) {
        }
        ASSERT_EQ(child.readLine().trimmed(), "switched");
        EXPECT_EQ(server.deviceUri("LabelA"), "file:///dev/null");
        EXPECT_EQ(server.deviceUri("LabelB"), "file:///dev/null");
    }

    void expectQueuesBackAndJournalCleared()
    {
        EXPECT_EQ(server.deviceUri("LabelA"), uriA);
        EXPECT_EQ(server.deviceUri("LabelB"), uriB);
        EXPECT_EQ(server.deviceUri("Other"), uriOther);
        QSettings profile(ini, QSettings::IniFormat);
        EXPECT_EQ(profile.value("SpoolerHandOver/Queues").toString(), QString());
    }

    testsupport::CupsTestServer server;
    QTemporaryDir dir;
    QString ini;
    // Two queues on COM3: (/dev/ttyS2) that differ only in their options.
    const QString uriA = QStringLiteral("serial:/dev/ttyS2?baud=9600");
    const QString uriB = QStringLiteral("serial:/dev/ttyS2?baud=115200+bits=8");
    const QString uriOther = QStringLiteral("serial:/dev/ttyS3?baud=9600");
};

TEST_F(HandOverTest, FatalWritePathGivesTheQueuesBackAndEndsWithExitCodeZero)
{
    QProcess child;
    startChild(child, "fatal");
    ASSERT_TRUE(child.waitForFinished(kWaitMs));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
    expectQueuesBackAndJournalCleared();
}

TEST_F(HandOverTest, KilledRunLeavesAJournalThatTheNextStartGivesBack)
{
    QProcess holder;
    startChild(holder, "hold");
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(kWaitMs));
    EXPECT_EQ(server.deviceUri("LabelA"), "file:///dev/null");

    // Someone moved LabelB elsewhere meanwhile: that choice stands.
    QString error;
    const QString moved = QStringLiteral("serial:/dev/ttyS5?baud=9600");
    ASSERT_TRUE(server.addQueue("LabelB", moved, &error)) << error.toStdString();

    QProcess next;
    next.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    next.start(QStringLiteral(HANDOVER_CHILD_PATH), {ini, "start"});
    ASSERT_TRUE(next.waitForFinished(kWaitMs));
    EXPECT_EQ(next.exitCode(), 0);
    EXPECT_EQ(server.deviceUri("LabelA"), uriA);
    EXPECT_EQ(server.deviceUri("LabelB"), moved);
    EXPECT_EQ(server.deviceUri("Other"), uriOther);
    QSettings profile(ini, QSettings::IniFormat);
    EXPECT_EQ(profile.value("SpoolerHandOver/Queues").toString(), QString());
}

}  // namespace
