#include "tests/support/FakeProcess.h"

namespace ztest {

void FakeProcess::exit(int code)
{
    ++m_exitCalls;
    runExitHooks();
    throw ProcessExit{code};
}

}  // namespace ztest
