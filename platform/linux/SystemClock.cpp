#include "platform/linux/SystemClock.h"

#include <chrono>
#include <thread>

namespace platform {

void SystemClock::sleep(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

QDateTime SystemClock::localTime() const
{
    return QDateTime::currentDateTime();
}

template <>
Clock& defaultService<Clock>()
{
    static Clock* instance = new SystemClock;
    return *instance;
}

}  // namespace platform
