#include "ui/WindowPump.h"

#include "platform/WaitHook.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace ui {

void WindowPump::install()
{
    platform::WaitHook::install(&WindowPump::pump);
}

void WindowPump::remove()
{
    platform::WaitHook::install({});
}

void WindowPump::pump()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    // A timer that itself waits on the link must not pump from inside this pump.
    static bool pumping = false;
    if (pumping)
        return;
    pumping = true;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents
                                    | QEventLoop::ExcludeSocketNotifiers);
    pumping = false;
}

}  // namespace ui
