#pragma once

namespace platform {

// Keeps large blocks that the program frees in its own heap for the next ones, instead of
// handing them back to the system: a job of 50 MiB is held in texts of a hundred megabytes
// that each load, send and replace makes anew, and fresh pages from the system cost more
// than the work on them. Call once, before anything is allocated in earnest.
class HeapReuse {
public:
    static void enable();
};

}  // namespace platform
