#pragma once

#include "platform/Service.h"

#include <cstdint>
#include <functional>

namespace platform {

class Process {
public:
    virtual ~Process() = default;
    // Ends the program at once, after the exit hooks; the test double throws instead.
    [[noreturn]] virtual void exit(int code) = 0;
    // This program's process id.
    virtual std::int64_t id() const = 0;
    // Whether a process with that id is running now.
    virtual bool isRunning(std::int64_t id) const = 0;

    // Hooks that exit() runs before the program ends, newest first: what the program has
    // borrowed from the system (the print queues' ports) goes back even on the fatal path.
    static int addExitHook(std::function<void()> hook);
    static void removeExitHook(int hookId);
    static void runExitHooks();
};

template <>
Process& defaultService<Process>();

}  // namespace platform
