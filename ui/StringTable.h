#pragma once

#include <QString>

namespace ui {

// The numbered strings of resources/strings.txt; an id without a string gives "".
QString LoadString(int id);

}  // namespace ui
