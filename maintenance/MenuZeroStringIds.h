#pragma once

// Messages of the menu-mode-0 pages in resources/strings.txt.
inline constexpr int IDS_GET_SERIAL_FAILED = 3310;
inline constexpr int IDS_GET_SERIAL_SUCCESS = 3311;
inline constexpr int IDS_SET_SERIAL_FAILED = 3312;
inline constexpr int IDS_SET_SERIAL_SUCCESS = 3313;
inline constexpr int IDS_TURN_PRINTER_OFF_AND_ON = 3314;
inline constexpr int IDS_RECONNECT_PRINTER = 3315;

// Each row of the printer page setting has four messages from its base: set success, set
// failure, get success, get failure.
inline constexpr int IDS_ROW_PAPER_WIDTH = 3320;
inline constexpr int IDS_ROW_PAPER_LENGTH = 3324;
inline constexpr int IDS_ROW_GAP_LENGTH = 3328;
inline constexpr int IDS_ROW_HORZ_MARGIN = 3332;
inline constexpr int IDS_ROW_VERT_MARGIN = 3336;
inline constexpr int IDS_ROW_DENSITY = 3340;
inline constexpr int IDS_ROW_STROBE = 3344;
inline constexpr int IDS_ROW_SPEED = 3348;
inline constexpr int IDS_ROW_OFFSET = 3352;
inline constexpr int IDS_ROW_TEAR_OFF = 3356;
inline constexpr int IDS_ROW_GAP_DETECT = 3360;
inline constexpr int IDS_INITIALIZE_ALL_SUCCESS = 3364;
inline constexpr int IDS_INITIALIZE_ALL_FAILED = 3365;
inline constexpr int kRowSetSuccess = 0;
inline constexpr int kRowSetFailed = 1;
inline constexpr int kRowGetSuccess = 2;
inline constexpr int kRowGetFailed = 3;

// The hardware-information records: read, read failed, written, write failed, initialised,
// initialise failed, for the hardware version (119), serial number (125) and printer ID (131);
// the three too-long messages from 137.
inline constexpr int IDS_HW_RECORD_BASE = 119;
inline constexpr int kHwRecordStride = 6;
inline constexpr int IDS_HW_TOO_LONG_BASE = 137;
