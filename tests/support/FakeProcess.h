#pragma once

#include "platform/Process.h"

#include <set>

namespace ztest {

// What FakeProcess throws in place of ending the program.
struct ProcessExit {
    int code;
};

// platform::Process whose exit() runs the exit hooks and then throws ProcessExit{code}, so
// a test can check the fatal paths: EXPECT_THROW, or catch it and look at the code.
class FakeProcess : public platform::Process {
public:
    static constexpr std::int64_t kId = 4242;

    [[noreturn]] void exit(int code) override;
    std::int64_t id() const override { return kId; }
    bool isRunning(std::int64_t id) const override { return id == kId || running.count(id) > 0; }
    int exitCalls() const { return m_exitCalls; }

    std::set<std::int64_t> running;  // other processes that run now

private:
    int m_exitCalls = 0;
};

}  // namespace ztest
