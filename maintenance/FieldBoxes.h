#pragma once

#include <span>

namespace ui {
class Dialog;
}

// A field box of a setting page: the check box without caption beside a field that selects
// the field for the Set; the field is usable while its box is checked.
struct FieldBox {
    int box;
    int control;
};

// Enables each field while its box is checked and disables it while not.
void FollowFieldBoxes(ui::Dialog& page, std::span<const FieldBox> fields);
