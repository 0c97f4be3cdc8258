#pragma once

// The printer tools' ZPL II maintenance commands, sent as text with CR LF.
namespace printertool {

inline constexpr const char* kConfigurationLabel = "~WC\r\n";
inline constexpr const char* kObjectList = "^XA^WD*:*.*^XZ\r\n";
inline constexpr const char* kCalibrateMedia = "~JC\r\n";
inline constexpr const char* kFactoryReset = "^XA^JUF^XZ\r\n";
inline constexpr const char* kEnterDiagnostics = "~JD\r\n";
inline constexpr const char* kExitDiagnostics = "~JE\r\n";
inline constexpr const char* kFeedLabel = "~PH\r\n";
inline constexpr const char* kResetPrinter = "~JR\r\n";

}  // namespace printertool
