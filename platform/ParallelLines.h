#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

namespace platform {

// A picture's conversion shared among up to four threads: the caller's and helpers started
// through the starter the caller passes. A helper the system refuses, or whose start throws,
// leaves its share to the threads that did start, so the result is the same with any number
// of them; a small picture is not worth a thread. A job that throws does not end the program:
// every helper is joined and the caller gets the first exception.
class ParallelLines {
public:
    // Starts `work` on a thread of its own; false when the system refuses one.
    using StartThread = std::function<bool(std::function<void()> work, std::thread& thread)>;

    // Runs `work(first, end)` over the lines [0, lines) in as many bands as threadsFor(pixels)
    // gives, each band whole on one thread.
    template <typename Work>
    static void run(int lines, std::uint64_t pixels, const StartThread& start, Work work)
    {
        const int bands = threadsFor(pixels);
        if (bands == 1 || lines < bands) {
            work(0, lines);
            return;
        }
        const int step = (lines + bands - 1) / bands;
        together(bands, start, [&](int index, int threads) {
            for (int first = index * step; first < lines; first += threads * step)
                work(first, std::min(lines, first + step));
        });
    }

    // Runs `job(index, threads)` on `threads` threads at once, index 0 on the caller's: `wanted`
    // of them, or as many as the system gives. A job starts once the count is known. A job that
    // waits for another's progress must not throw.
    template <typename Job>
    static void together(int wanted, const StartThread& start, Job job)
    {
        std::atomic<int> threads{0};  // 0 until every helper has been asked for
        std::atomic_flag failed;
        std::exception_ptr failure;  // the first job's throw; read once every helper is joined
        auto attempt = [&](int index) {
            try {
                job(index, threads.load());
            } catch (...) {
                if (!failed.test_and_set())
                    failure = std::current_exception();
            }
        };
        std::vector<std::thread> helpers;
        try {
            helpers.reserve(static_cast<std::size_t>(std::max(wanted - 1, 0)));
        } catch (...) {
            wanted = 1;
        }
        for (int index = 1; index < wanted; ++index) {
            std::thread helper;
            bool started = false;
            try {
                started = start(
                    [&threads, &attempt, index] {
                        threads.wait(0);
                        attempt(index);
                    },
                    helper);
            } catch (...) {
                started = false;  // the work could not be built or the thread not started
            }
            const bool running = helper.joinable();
            if (running)
                helpers.push_back(std::move(helper));  // within the reserve: no throw
            if (!started || !running)
                break;
        }
        threads.store(1 + static_cast<int>(helpers.size()));
        threads.notify_all();
        attempt(0);
        for (std::thread& helper : helpers)
            helper.join();
        if (failure)
            std::rethrow_exception(failure);
    }

    static int threadsFor(std::uint64_t pixels)
    {
        if (pixels < 1'000'000)
            return 1;
        return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    }
};

}  // namespace platform
