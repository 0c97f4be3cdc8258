#include "platform/linux/SystemProcess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <signal.h>
#include <unistd.h>

namespace platform {

void SystemProcess::exit(int code)
{
    runExitHooks();
    std::fflush(nullptr);
    std::exit(code);
}

std::int64_t SystemProcess::id() const
{
    return ::getpid();
}

bool SystemProcess::isRunning(std::int64_t id) const
{
    if (id <= 0 || id != static_cast<pid_t>(id))
        return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

template <>
Process& defaultService<Process>()
{
    static Process* instance = new SystemProcess;
    return *instance;
}

}  // namespace platform
