#pragma once

#include "platform/Service.h"

namespace platform {

class Process {
public:
    virtual ~Process() = default;
    // Ends the program at once; the test double throws instead.
    [[noreturn]] virtual void exit(int code) = 0;
};

template <>
Process& defaultService<Process>();

}  // namespace platform
