#pragma once

#include "platform/Clock.h"

#include <QDateTime>
#include <vector>

namespace ztest {

// platform::Clock that never sleeps: it records each sleep and moves its local time on by
// it, so code that waits runs at once and tests can check the waits it asked for.
class TestClock : public platform::Clock {
public:
    // Starts at 2024-01-02 03:04:05 local time.
    TestClock();

    void sleep(int milliseconds) override;
    QDateTime localTime() const override { return m_now; }

    void setLocalTime(const QDateTime& now) { m_now = now; }
    const std::vector<int>& sleeps() const { return m_sleeps; }
    int totalSleptMs() const;
    void clearSleeps() { m_sleeps.clear(); }

private:
    QDateTime m_now;
    std::vector<int> m_sleeps;
};

}  // namespace ztest
