#pragma once

#include "platform/PictureLibrary.h"
#include "platform/Service.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {

// A picture's conversion shared among up to four threads: the caller's and helpers started
// through the picture library. A helper the system refuses leaves its share to the threads
// that did start, so the result is the same with any number of them; a small picture is not
// worth a thread.
class ParallelLines {
public:
    // Runs `work(first, end)` over the lines [0, lines) in as many bands as threadsFor(pixels)
    // gives, each band whole on one thread.
    template <typename Work>
    static void run(int lines, std::uint64_t pixels, Work work)
    {
        const int bands = threadsFor(pixels);
        if (bands == 1 || lines < bands) {
            work(0, lines);
            return;
        }
        const int step = (lines + bands - 1) / bands;
        together(bands, [&](int index, int threads) {
            for (int first = index * step; first < lines; first += threads * step)
                work(first, std::min(lines, first + step));
        });
    }

    // Runs `job(index, threads)` on `threads` threads at once, index 0 on the caller's: `wanted`
    // of them, or as many as the system gives. A job starts once the count is known.
    template <typename Job>
    static void together(int wanted, Job job)
    {
        std::atomic<int> threads{0};  // 0 until every helper has been asked for
        std::vector<std::thread> helpers;
        helpers.reserve(static_cast<std::size_t>(std::max(wanted - 1, 0)));
        const PictureLibrary& library = service<PictureLibrary>();
        for (int index = 1; index < wanted; ++index) {
            std::thread helper;
            const bool started = library.startThread(
                [&threads, &job, index] {
                    threads.wait(0);
                    job(index, threads.load());
                },
                helper);
            if (!started)
                break;
            helpers.push_back(std::move(helper));
        }
        threads.store(1 + static_cast<int>(helpers.size()));
        threads.notify_all();
        job(0, threads.load());
        for (std::thread& helper : helpers)
            helper.join();
    }

    static int threadsFor(std::uint64_t pixels)
    {
        if (pixels < 1'000'000)
            return 1;
        return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    }
};

}  // namespace platform
