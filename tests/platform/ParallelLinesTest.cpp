// Conversions shared among threads: a throw anywhere joins every helper and reaches the caller.
#include "platform/ParallelLines.h"

#include <atomic>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

using platform::ParallelLines;

// Starts threads as the system does, and throws on the start numbered `throwAt` (from 0).
class Starter {
public:
    explicit Starter(int throwAt = -1) : m_throwAt(throwAt) {}
    ParallelLines::StartThread function()
    {
        return [this](std::function<void()> work, std::thread& thread) {
            if (m_asked++ == m_throwAt)
                throw std::bad_alloc();
            thread = std::thread(std::move(work));
            ++started;
            return true;
        };
    }
    int started = 0;

private:
    int m_throwAt;
    int m_asked = 0;
};

class ThrowingJobTest : public ::testing::TestWithParam<int> {};

// The job of thread 0 or of a helper throws: every other job still runs to its end, every
// helper is joined, and the caller gets the exception.
TEST_P(ThrowingJobTest, IsRethrownAfterEveryHelperIsJoined)
{
    const int thrower = GetParam();
    Starter starter;
    std::vector<std::atomic<int>> ran(4);
    std::atomic<int> count{0};
    EXPECT_THROW(ParallelLines::together(4, starter.function(),
                                         [&](int index, int threads) {
                                             count = threads;
                                             ++ran[std::size_t(index)];
                                             if (index == thrower)
                                                 throw std::runtime_error("work failed");
                                         }),
                 std::runtime_error);
    EXPECT_EQ(starter.started, 3);
    EXPECT_EQ(count.load(), 4);
    for (const std::atomic<int>& r : ran)
        EXPECT_EQ(r.load(), 1);
}

INSTANTIATE_TEST_SUITE_P(Threads, ThrowingJobTest, ::testing::Values(0, 1, 3));

// A band's work that throws reaches the caller once the other bands are done.
TEST(ParallelLinesTest, ThrowingBandReachesTheCaller)
{
    Starter starter;
    std::atomic<int> lines{0};
    EXPECT_THROW(ParallelLines::run(1000, 4'000'000, starter.function(),
                                    [&](int first, int end) {
                                        if (first == 0)
                                            throw std::bad_alloc();
                                        lines += end - first;
                                    }),
                 std::bad_alloc);
    EXPECT_LE(lines.load(), 1000);
}

class ThrowingStartTest : public ::testing::TestWithParam<int> {};

// A helper whose start throws (its work could not be built, or the system gave no thread) is
// one the system refused: the threads that did start share every line, each once.
TEST_P(ThrowingStartTest, LeavesItsShareToTheThreadsThatStarted)
{
    Starter starter(GetParam());
    std::vector<std::atomic<int>> done(1000);
    ParallelLines::run(1000, 4'000'000, starter.function(), [&](int first, int end) {
        for (int line = first; line < end; ++line)
            ++done[std::size_t(line)];
    });
    for (std::size_t line = 0; line < done.size(); ++line)
        ASSERT_EQ(done[line].load(), 1) << line;
    EXPECT_LE(starter.started, 3);
}

INSTANTIATE_TEST_SUITE_P(Starts, ThrowingStartTest, ::testing::Values(0, 1, 2));

}  // namespace
