#pragma once

// Control ids shared by the templates of the two code-page sample printers.
namespace twobyte_dlg {
enum Id : int {
    IDC_CODE_TABLE = 1030,
    IDC_END_BLOCK = 1031,
    IDC_START_BLOCK = 1032,
    IDC_BLOCK_AREA = 1033,
    IDC_BITMAP_FONT = 1034,
    IDC_VECTOR_FONT = 1035,
    IDC_ALL_BLOCKS = 1036,
    IDC_HEIGHT = 1037,
    IDC_WIDTH = 1038,
    IDC_FONT_NAME = 1039,
    IDC_PRINT_CHARACTERS = 1040,
};
}  // namespace twobyte_dlg
