#pragma once

namespace ui {

// Keeps the windows painting while the printer link waits on the UI thread: the link's
// waits run it between short sleeps, and it handles paint, timer and other posted events
// but no clicks and no keys (those wait until the operation is over).
class WindowPump {
public:
    // Installs it as the platform's wait hook for the rest of the run (or until remove()).
    static void install();
    static void remove();
    // One round of the events it lets through; nothing off the UI thread.
    static void pump();
};

}  // namespace ui
