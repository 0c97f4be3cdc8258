// The window keeps painting while the link waits for a silent printer.
#include "ui/WindowPump.h"

#include "platform/linux/LinuxNetwork.h"
#include "platform/WaitHook.h"
#include "tests/support/LoopbackPrinter.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <thread>
#include <gtest/gtest.h>

namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

class WindowPumpTest : public ::testing::Test {
protected:
    WindowPumpTest() { network.setTimeLimits({1000, 300, 1000}); }
    ~WindowPumpTest() override { ui::WindowPump::remove(); }

    // A receive from the silent printer: it waits out the whole receive limit.
    int waitForSilentPrinter()
    {
        auto socket = network.createSocket();
        EXPECT_TRUE(socket->create());
        EXPECT_TRUE(socket->connect(ztest::LoopbackPrinter::address(), printer.port()));
        char buffer[8];
        waiting = true;
        const int received = socket->receive(buffer, sizeof buffer, network.timeLimits().receiveMs);
        waiting = false;
        return received;
    }

    platform::LinuxNetwork network;
    ztest::LoopbackPrinter printer;
    PaintCounter window;
    bool waiting = false;
};

TEST_F(WindowPumpTest, TimersAndPaintingGoOnDuringAWaitOnlyWithThePumpInstalled)
{
    window.resize(120, 80);
    window.show();
    QCoreApplication::processEvents();

    for (bool installed : {false, true}) {
        SCOPED_TRACE(installed);
        if (installed)
            ui::WindowPump::install();
        EXPECT_EQ(platform::WaitHook::installed(), installed);
        bool timerDuringWait = false;
        bool paintedDuringWait = false;
        const int paintsBefore = window.paints;
        window.update();  // the window needs painting just as the wait begins
        QTimer::singleShot(100, &window, [&] {
            timerDuringWait = waiting;
            paintedDuringWait = waiting && window.paints > paintsBefore;
        });
        EXPECT_EQ(waitForSilentPrinter(), -1);
        EXPECT_EQ(timerDuringWait, installed);
        EXPECT_EQ(paintedDuringWait, installed);
        QCoreApplication::processEvents();
    }
}

TEST_F(WindowPumpTest, PumpDoesNothingOffTheWindowThread)
{
    ui::WindowPump::install();
    bool fired = false;
    QTimer::singleShot(0, &window, [&] { fired = true; });
    std::thread other([] { platform::WaitHook::run(); });
    other.join();
    EXPECT_FALSE(fired);
    platform::WaitHook::run();
    EXPECT_TRUE(fired);
}

}  // namespace
