#pragma once

#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/TestClock.h"

#include <gtest/gtest.h>

#include <functional>

inline const QString kWriteFailed = QStringLiteral("Port error! Check printer's port, please.");
inline const QString kSerialReadFailed = QStringLiteral("Port error! Check setting of serial port, please.");

// A link on fake devices: nothing sleeps, message boxes are recorded, the fatal exit throws.
class LinkTest : public ::testing::Test {
protected:
    // Runs `operation`, which must end the program with exit code 0 after the write
    // failure message.
    void expectFatal(const std::function<void()>& operation)
    {
        try {
            operation();
            ADD_FAILURE() << "the program did not end";
        } catch (const ztest::ProcessExit& exit) {
            EXPECT_EQ(exit.code, 0);
        }
        EXPECT_EQ(alerts.texts(), QStringList{kWriteFailed});
    }

    // Opens `name` on the fake devices and forgets what the open did.
    void openPort(const QString& name)
    {
        comm.SetPortName(name);
        ASSERT_TRUE(comm.Open());
        io.device(name).calls.clear();
        clock.clearSleeps();
    }

    ztest::FakeDeviceIo io;
    ztest::TestClock clock;
    ztest::RecordingAlerts alerts;
    ztest::FakeProcess process;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Alerts> alertsScope{alerts};
    platform::ScopedService<platform::Process> processScope{process};
    CComm comm;  // last: closes its port while the doubles still exist
};
