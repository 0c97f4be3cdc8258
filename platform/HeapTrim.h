#pragma once

namespace platform {

// Hands the free pages inside the program's heap back to the system. The allocator keeps
// what a large text leaves free among the small blocks still in use, and gives it back on
// its own only from the heap's top.
class HeapTrim {
public:
    static void returnFreePages();
};

}  // namespace platform
