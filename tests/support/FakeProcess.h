#pragma once

#include "platform/Process.h"

namespace ztest {

// What FakeProcess throws in place of ending the program.
struct ProcessExit {
    int code;
};

// platform::Process whose exit() throws ProcessExit{code}, so a test can check the fatal
// paths: EXPECT_THROW, or catch it and look at the code.
class FakeProcess : public platform::Process {
public:
    [[noreturn]] void exit(int code) override;
    int exitCalls() const { return m_exitCalls; }

private:
    int m_exitCalls = 0;
};

}  // namespace ztest
