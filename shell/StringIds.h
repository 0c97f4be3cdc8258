#pragma once

// Strings of the application shell in resources/strings.txt.
inline constexpr int IDS_CANNOT_OPEN_PORT = 100;             // "Cannot open port! ..."
inline constexpr int IDS_SUCCESS_OPEN_PORT = 101;            // "Success open port."
inline constexpr int IDS_CALIBRATION_NOT_ON_ETHERNET = 102;  // "Calibration is not supported ..."
inline constexpr int IDS_SOCKETS_INIT_FAILED = 103;          // "Windows sockets initialization failed."
