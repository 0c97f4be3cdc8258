#include "platform/WaitHook.h"

#include <utility>

namespace platform {

namespace {

std::function<void()>& current()
{
    static std::function<void()> hook;
    return hook;
}

}  // namespace

std::function<void()> WaitHook::install(std::function<void()> hook)
{
    return std::exchange(current(), std::move(hook));
}

bool WaitHook::installed()
{
    return bool(current());
}

void WaitHook::run()
{
    if (current())
        current()();
}

}  // namespace platform
