#pragma once

#include "platform/Process.h"

namespace platform {

class SystemProcess : public Process {
public:
    [[noreturn]] void exit(int code) override;
    std::int64_t id() const override;
    bool isRunning(std::int64_t id) const override;
};

}  // namespace platform
