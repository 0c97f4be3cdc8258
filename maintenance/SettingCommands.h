#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <optional>

// The printer's setting vocabulary, shared by every setting page: queries, locks, parameters,
// the emulation switch and the save trailers. Byte sequences go out with CComm::Write, the
// trailers are appended to a settings text sent with CComm::WriteString.
namespace setting {

// Setting query items (ESC FS '?' item).
enum QueryItem : std::uint8_t {
    QueryLabelWidth = 0x01,
    QueryLabelHeight = 0x02,
    QueryOrientation = 0x03,
    QueryPrintSpeed = 0x05,
    QueryDarkness = 0x06,
    QueryPrintMode = 0x07,
    QueryMediaType = 0x08,
    QueryTearOff = 0x09,
    QueryPrintOffset = 0x0A,
    QuerySerial = 0x0B,
    QueryMediaHandling = 0x0C,
    QueryMediaFeed = 0x0E,
};

// Setting lock items (ESC FS US flag item); bit (item - 1) of the lock byte.
enum LockItem : std::uint8_t {
    LockPrintSpeed = 1,
    LockDarkness = 2,
    LockLabelWidth = 3,
    LockPrintOffset = 5,
    LockTearOff = 6,
    LockMediaType = 7,
    LockLanguage = 8,
};

// Parameter items (ESC EM SUB item to query, ESC EM EM item value to set); the item byte
// reads as its number in hexadecimal.
enum ParameterItem : std::uint8_t {
    ParamPowerOffEnable = 0x13,
    ParamPowerOffTime = 0x14,  // the one item with a two-byte value
    ParamPowerSaveEnable = 0x15,
    ParamPowerSaveTime = 0x16,
    ParamBluetoothRole = 0x18,
    ParamBluetoothPairing = 0x19,
    ParamOrientation = 0x23,
};

// Emulation switch and language probe digits.
inline constexpr char kEmulationDovra = '1';
inline constexpr char kEmulationOstrel = '2';
inline constexpr char kEmulationKeft = '3';

QByteArray SettingQuery(std::uint8_t item);
QByteArray SettingLock(bool locked, std::uint8_t item);
QByteArray LockStatusQuery();
// The lock byte from a lock status reply: ((byte 2 & 0F) << 4) | (byte 3 & 0F). A reply of
// fewer than four bytes is no reply.
std::optional<std::uint8_t> LockByte(const char* reply, int length);
inline bool IsLocked(std::uint8_t lockByte, std::uint8_t lockItem)
{
    return lockItem >= 1 && lockItem <= 8 && (lockByte >> (lockItem - 1) & 1) != 0;
}

QByteArray ParameterQuery(std::uint8_t item);
// Item 14 carries `value` as 16 bits little-endian, every other item as one byte.
QByteArray ParameterSet(std::uint8_t item, int value);

// ESC AF 'P' 'E' 'S' n, n = '1' Dovra, '2' Ostrel, '3' KEFT.
QByteArray EmulationSwitch(char emulation);
// ESC AF 'P' 'E' 'G', answered with the digit of the printer's language.
QByteArray LanguageProbe();
// The language name of an emulation digit ("Dovra", "Ostrel", "KEFT"); empty for another.
QString EmulationLanguage(char emulation);
// The language name a probe reply gives (the reply text is the digit alone); empty for none.
QString ProbeReplyLanguage(const char* reply, int length);

// Reads one reply into `buffer` (`size` bytes); the byte count, never more than `size`, 0 for
// no reply.
int ReadReply(char* buffer, int size);

// A reply as text: its first `length` bytes up to the first zero byte.
QByteArray ReplyText(const char* reply, int length);
// A decimal reply read as a C integer conversion does: leading blanks, an optional sign,
// the digits up to the first other character; no digits give 0. Saturates at the int range.
int DecimalReply(const char* reply, int length);
// True when the reply text is exactly `letter`.
bool LetterReply(const char* reply, int length, const char* letter);
// A letter reply and the list position it chooses.
struct LetterCode {
    const char* letter;
    int position;
};
// The position of the code whose letter the reply text is exactly; nullopt for none.
std::optional<int> LetterChoice(const char* reply, int length,
                                std::initializer_list<LetterCode> codes);

// The trailer of the Basic and Advanced pages, which depends on the language name.
QString PageSaveTrailer(const QString& language);
// The trailer of the clock page and the print-quality window.
inline constexpr const char* kSaveTrailer = "^XA^JUS^XZ\r\n";
// The trailer inside the Interface page's own ^XA block.
inline constexpr const char* kSerialSaveTrailer = "^JUS^XZ\r\n";

}  // namespace setting
