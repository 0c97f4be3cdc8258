#pragma once

#include <QtGlobal>

namespace ui {

// A text document keeps one block per paragraph, and a million blocks take seconds to build.
// Past kGroupLineEndsAbove line ends, the lines of a text therefore go in as paragraphs of up
// to kLinesPerGroup lines, held apart by line separators.
inline constexpr qsizetype kGroupLineEndsAbove = 4096;
inline constexpr qsizetype kLinesPerGroup = 100;

}  // namespace ui
