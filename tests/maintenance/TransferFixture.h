#pragma once

#include "core/ModelTable.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/FakeUsbPrinters.h"
#include "tests/support/TestClock.h"
#include "tests/workbench/TestCodePage.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

// Records the serial time-outs each call sets.
using ztest::click;
using ztest::text;
using ztest::type;

class TimeoutRecordingDeviceIo : public ztest::FakeDeviceIo {
public:
    bool setCommTimeouts(platform::Handle h, const platform::SerialTimeouts& t) override
    {
        timeouts.push_back(t);
        return ztest::FakeDeviceIo::setCommTimeouts(h, t);
    }
    std::vector<platform::SerialTimeouts> timeouts;
};

// The temporary folder inside the test's own folder.
class TestFolders : public platform::Folders {
public:
    explicit TestFolders(const QString& root) : m_folder(root + QStringLiteral("/Temp/")) {}
    QString tempFolder() override
    {
        QDir().mkpath(m_folder);
        return m_folder;
    }
    QString folder() const { return m_folder; }
    QStringList files() const { return QDir(m_folder).entryList(QDir::Files); }

private:
    QString m_folder;
};

// The tools on a fake serial printer "COM1:" held open by g_comm; nothing sleeps, message
// boxes and file dialogs go through the test hooks, files live in a folder of the test.
class TransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        printer = &io.addDevice(QStringLiteral("COM1:"));
        g_comm.SetPortName(QStringLiteral("COM1:"));
        ASSERT_TRUE(g_comm.Open());
        printer->calls.clear();
        io.timeouts.clear();
        clock.clearSleeps();
    }

    void TearDown() override
    {
        g_comm.m_bUsbHold = false;
        if (g_comm.m_nPortType == PORT_ETHERNET)
            g_comm.MarkTcpForClose();
        g_comm.Close();
        g_comm.m_nPortType = PORT_COM;
    }

    void useTcp()
    {
        g_comm.Close();
        g_comm.SetPortName(QStringLiteral("ETHERNET"));
        g_comm.SetNetworkAddress({QStringLiteral("127.0.0.1"), 9100});
        ASSERT_TRUE(g_comm.Open());
        clock.clearSleeps();
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QStringList messageTexts() const { return ztest::messageTexts(hooks); }

    QTemporaryDir dir;
    TestFolders folders{dir.path()};
    TimeoutRecordingDeviceIo io;
    ztest::FakeNetwork network;
    ztest::TestClock clock;
    ztest::FakeProcess process;
    TestCodePage codePage;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Network> networkScope{network};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Process> processScope{process};
    platform::ScopedService<platform::CodePage> codePageScope{codePage};
    platform::ScopedService<platform::Folders> foldersScope{folders};
    ui::TestHooks hooks;
    ztest::FakeDevice* printer = nullptr;
};
