#pragma once

#include <cstdint>

namespace platform {

// Marks what one command handler runs: a button press, a list choice, an edit, a window's
// opening. The link keys what it learns about a missing or silent printer to the action,
// so one press pays for one reconnect and one wait, and the next press tries again. ui/
// marks the actions where it dispatches them; code outside any action is never grouped.
class OperatorAction {
public:
    // Begins an action, or joins the one already running (a handler that runs another).
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // A nested modal loop: what the operator does inside it are actions of their own; the
    // action that opened the loop goes on when it ends.
    class Pause {
    public:
        Pause();
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        std::uint64_t m_action;
        int m_depth;
    };

    // The running action's number, never the same twice in a run; 0 outside any action.
    static std::uint64_t current();
};

}  // namespace platform
