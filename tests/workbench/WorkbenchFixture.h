#pragma once

#include "TestCodePage.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <gtest/gtest.h>

using ztest::choose;
using ztest::click;
using ztest::text;
using ztest::type;

// The workbench on a fake serial printer "COM1:" held open by g_comm: nothing sleeps,
// message boxes and modal dialogs go through the test hooks.
class WorkbenchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer = &io.addDevice(QStringLiteral("COM1:"));
        g_comm.SetPortName(QStringLiteral("COM1:"));
        ASSERT_TRUE(g_comm.Open());
        printer->calls.clear();
        clock.clearSleeps();
    }

    void TearDown() override
    {
        if (g_comm.m_nPortType == PORT_ETHERNET)
            g_comm.MarkTcpForClose();
        g_comm.Close();
    }

    // Moves the link onto the fake network.
    void useTcp()
    {
        g_comm.Close();
        g_comm.SetPortName(QStringLiteral("ETHERNET"));
        g_comm.SetNetworkAddress({QStringLiteral("192.168.10.20"), 9100});
        ASSERT_TRUE(g_comm.Open());
        clock.clearSleeps();
    }

    QStringList messageTexts() const { return ztest::messageTexts(hooks); }

    ztest::FakeDeviceIo io;
    ztest::FakeNetwork network;
    ztest::TestClock clock;
    ztest::FakeProcess process;
    TestCodePage codePage;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Network> networkScope{network};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Process> processScope{process};
    platform::ScopedService<platform::CodePage> codePageScope{codePage};
    ui::TestHooks hooks;
    ztest::FakeDevice* printer = nullptr;
};
