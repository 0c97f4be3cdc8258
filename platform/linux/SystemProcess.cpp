#include "platform/linux/SystemProcess.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void SystemProcess::exit(int code)
{
    std::fflush(nullptr);
    std::exit(code);
}

template <>
Process& defaultService<Process>()
{
    static Process* instance = new SystemProcess;
    return *instance;
}

}  // namespace platform
