#include "platform/Process.h"

#include <utility>
#include <vector>

namespace platform {

namespace {

struct ExitHook {
    int id;
    std::function<void()> run;
};

std::vector<ExitHook>& hooks()
{
    static std::vector<ExitHook> registered;
    return registered;
}

}  // namespace

int Process::addExitHook(std::function<void()> hook)
{
    static int lastId = 0;
    hooks().push_back({++lastId, std::move(hook)});
    return lastId;
}

void Process::removeExitHook(int hookId)
{
    auto& list = hooks();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->id == hookId) {
            list.erase(it);
            return;
        }
    }
}

void Process::runExitHooks()
{
    // Each runs once, even when it ends up here again.
    std::vector<ExitHook> pending = std::exchange(hooks(), {});
    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
        it->run();
}

}  // namespace platform
