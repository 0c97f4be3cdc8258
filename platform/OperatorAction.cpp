#include "platform/OperatorAction.h"

namespace platform {

namespace {

// Only the UI thread dispatches actions.
struct ActionState {
    std::uint64_t last = 0;
    std::uint64_t current = 0;
    int depth = 0;
};

ActionState& state()
{
    static ActionState s;
    return s;
}

}  // namespace

OperatorAction::Scope::Scope()
{
    ActionState& s = state();
    if (s.depth++ == 0)
        s.current = ++s.last;
}

OperatorAction::Scope::~Scope()
{
    ActionState& s = state();
    if (--s.depth == 0)
        s.current = 0;
}

OperatorAction::Pause::Pause() : m_action(state().current), m_depth(state().depth)
{
    state().current = 0;
    state().depth = 0;
}

OperatorAction::Pause::~Pause()
{
    state().current = m_action;
    state().depth = m_depth;
}

std::uint64_t OperatorAction::current()
{
    return state().current;
}

}  // namespace platform
