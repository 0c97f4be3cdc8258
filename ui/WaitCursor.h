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
    // A modal window that now waits for the operator shows the arrow over itself while the
    // hour-glass its opener raised stays counted; the opener's end takes the arrow away again.
    static void ShowArrowForInput();
};

}  // namespace ui
