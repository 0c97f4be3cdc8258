#include "tests/support/TestClock.h"

#include <numeric>

namespace ztest {

TestClock::TestClock() : m_now(QDate(2024, 1, 2), QTime(3, 4, 5))
{
}

void TestClock::sleep(int milliseconds)
{
    m_sleeps.push_back(milliseconds);
    m_now = m_now.addMSecs(milliseconds);
}

int TestClock::totalSleptMs() const
{
    return std::accumulate(m_sleeps.begin(), m_sleeps.end(), 0);
}

}  // namespace ztest
