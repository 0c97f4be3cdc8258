#pragma once

#include <QString>

// The combo-box and string-resource helpers are in ui/ResourceText.h.

// Wide text is UTF-16 (char16_t), ANSI text is the platform's ANSI code page.
inline constexpr int kWideBufferChars = 512;
inline constexpr int kAnsiZBufferBytes = 64;

// Into a cleared buffer of 512 wide characters; 0 for an empty input, -1 when the result
// would not fit or the conversion fails. No terminator is written.
int AnsiToWide(char16_t* out, const char* ansi);
// As AnsiToWide into 512 characters plus a terminator, which it writes.
int AnsiToWideZ(char16_t* out, const char* ansi);
// Into a cleared buffer of `size` bytes; 0 for an empty input, -1 when it would not fit.
int WideToAnsi(char* out, const char16_t* wide, int size);
// As WideToAnsi with size 64, into 64 bytes plus a terminator, which it writes.
int WideToAnsiZ(char* out, const char16_t* wide);

// What the C library's wide classification calls space, plus Unicode's own spaces.
bool IsWideSpace(QChar c);
QString RightTrim(const QString& text);
