#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {

// Runs `work(first, end)` over the lines [0, lines) of a picture in up to four bands at once;
// a small picture is not worth a thread.
class ParallelLines {
public:
    template <typename Work>
    static void run(int lines, std::uint64_t pixels, Work work)
    {
        const int bands = threadsFor(pixels);
        if (bands == 1 || lines < bands) {
            work(0, lines);
            return;
        }
        std::vector<std::thread> helpers;
        const int step = (lines + bands - 1) / bands;
        for (int first = step; first < lines; first += step)
            helpers.emplace_back(work, first, std::min(lines, first + step));
        work(0, std::min(lines, step));
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
