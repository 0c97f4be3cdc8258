#pragma once

#include <QByteArray>
#include <cstdint>

// The printer's numbered one-byte memory switches (1 to 4): read, write and commit, for the
// whole system. Every command goes out with CComm::Write.
namespace memswitch {

// The command family's first character: '*' in menu mode 1, '^' in menu mode 0.
inline constexpr char kPrefix = '*';
inline constexpr char kMenuModeZeroPrefix = '^';
// The prefix the menu-mode-0 pages use, taken from g_menuMode.
char PagePrefix();

// The port the printer answers a read on: '1' serial, '2' parallel or TCP, '3' USB.
char ReplyPortDigit(std::int32_t portType);

// "*MBR" n "," digit (7 bytes), answered with one byte.
QByteArray Read(int number, std::int32_t portType, char prefix = kPrefix);
// "*MBS" n "," value (7 bytes); with `carriageReturn` a CR follows the value (8 bytes).
QByteArray Write(int number, std::uint8_t value, char prefix = kPrefix,
                 bool carriageReturn = false);
// "*MBA", the number as a byte 01 to 04, CR (6 bytes).
QByteArray Commit(int number, char prefix = kPrefix);

}  // namespace memswitch
