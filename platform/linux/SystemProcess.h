#pragma once

#include "platform/Process.h"

namespace platform {

class SystemProcess : public Process {
public:
    [[noreturn]] void exit(int code) override;
};

}  // namespace platform
