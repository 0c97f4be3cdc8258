#pragma once

#include <functional>

namespace ztest {

// Runs work in a child process of its own, so that nothing else the caller holds counts, and
// reports the most memory the child had resident while it ran, and what it still had when the
// work returned.
class ChildPeakMemory {
public:
    struct Result {
        bool ran = false;        // the child ended and the work returned true
        double startMiB = 0;     // resident at the start of the work (the caller's pages)
        double peakMiB = 0;      // the child's peak from the start of the work
        double seconds = 0;      // the work's time
        double endMiB = 0;       // resident when the work returned
        double grownMiB() const { return peakMiB - startMiB; }
    };
    static Result run(const std::function<bool()>& work);
};

}  // namespace ztest
