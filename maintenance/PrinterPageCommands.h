#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The commands of the printer page setting (menu mode 0): numeric user settings, the
// switch 3 and 4 rows, offset and tear-off, label-length check and the reset.
namespace printerpage {

// "^MBU" number "," value CR. Numbers: 0 width, 1 density, 2 length, 3 horizontal margin,
// 4 vertical margin, 5 gap length.
QByteArray UserSetting(int number, int value);
// "^MBU" 0F ",99" CR: every user setting back to its default.
QByteArray InitializeAll();
// "^MBL" '0' (disable) or '1'.
QByteArray CheckLabelLength(bool enable);

// Numeric Get: the reply text without its trailing CR and LF, "0" when nothing is left.
QString NumericReply(const QByteArray& reply);

// Switch 4 holds the strobe (00 "2", 40 "3", 80 "4") and the gap detect position (00 lower,
// 20 upper); each is written with the other's bits 0. -1: no choice.
std::uint8_t StrobeByte(int radioIndex);
int StrobeIndex(std::uint8_t value);
std::uint8_t GapDetectByte(int listIndex);
int GapDetectIndex(std::uint8_t value);
// Switch 3's bits 5 to 7 hold the speed code 1 to 6 (the list index); anything else is 0.
std::uint8_t SpeedByte(int listIndex);
int SpeedIndex(std::uint8_t value);
// The speed codes the page writes and reads: 0 ("Default") to 6, one list item each.
inline constexpr int kSpeedCodes = 7;

// "SA" (offset) or "TA" (tear-off), the sign, the edit text, CR LF. The printer takes at most
// 31 bytes; a text that would not fit, or that is not digits alone (a second sign, a blank),
// is sent as the decimal value it holds instead, so the command is never cut or doubly signed.
QByteArray SignedPosition(const char* mnemonic, bool negative, const QByteArray& text, int value);
inline constexpr int kMaxPositionCommand = 31;

// A sign and three digits: the value and whether the sign is '-'; nullopt when the three
// bytes after the sign are not digits (a reply that says nothing).
struct SignedValue {
    bool negative = false;
    int value = 0;
};
std::optional<SignedValue> SignedReply(const char* reply, int length);

}  // namespace printerpage
