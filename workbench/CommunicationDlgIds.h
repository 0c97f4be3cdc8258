#pragma once

// Control ids of the communication window's template.
namespace comm_dlg {
enum Id : int {
    IDC_CLEAR_DATA = 1003,
    IDC_FILE_OPEN = 1004,
    IDC_SAVE_TO_FILE = 1005,
    IDC_CLOSE = 1006,
    IDC_SEND = 1008,
    IDC_COPY = 1009,
    IDC_CUT = 1010,
    IDC_PASTE = 1011,
    IDC_CLEAR = 1012,
    IDC_SEND_EDIT = 1013,
    IDC_REPLACE = 1014,
    IDC_HEX = 1015,
    IDC_ASCII = 1016,
    IDC_RECEIVED = 1057,
    IDC_READ = 1065,
    IDC_PRINT_CODES = 1115,
};
}  // namespace comm_dlg
