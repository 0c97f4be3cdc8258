#pragma once

namespace ui {

// The hour-glass for the life of the object; nests.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    static int depth();  // how many are raised now (tests)
};

}  // namespace ui
