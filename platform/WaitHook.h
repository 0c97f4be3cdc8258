#pragma once

#include <functional>

namespace platform {

// What a blocking wait of the UI thread runs between short slices of its sleep (the TCP
// connect, receive and send), so the window keeps painting. ui/ installs it; it must not
// deliver input, or a second operation could start inside the first. With none installed
// the waits simply sleep.
class WaitHook {
public:
    // The longest a wait sleeps between two runs of the hook.
    static constexpr int kSliceMs = 20;

    // Installs `hook` (empty: none) and returns the one it replaces.
    static std::function<void()> install(std::function<void()> hook);
    static bool installed();
    static void run();
};

}  // namespace platform
