#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Interface page's wire formats: the serial parameters (setting query 0B and ^SC) and
// the two Bluetooth protocols, the USB dongle's (ESC FS 'O' / ESC FS 'J') and the built-in
// module's (records that begin US US).
namespace iface {

// The list entries a reply to setting query 0B chooses; an empty text changes nothing.
struct SerialReply {
    QString baud;
    QString dataBits;
    QString parity;    // "None", "Even", "Odd"
    QString stopBits;
    QString protocol;  // "Software", "Hardware"
};
// Reads the five comma-separated fields after the first decimal digit; nullopt when the
// reply holds no digit (treated as no reply).
std::optional<SerialReply> ParseSerialReply(const char* reply, int length);

// "^XA^SC<baud>,<bits>,<parity letter>,<stop>,<X|D>,N^JUS^XZ\r\n" from the list texts.
QString SerialSetText(const QString& baud, const QString& dataBits, const QString& parity,
                      const QString& stopBits, const QString& protocol);

// Dongle query items; dongle sets use the same numbers.
enum DongleItem : char { DongleName = 1, DonglePin = 2, DongleEncryption = 3, DongleConnection = 4 };
QByteArray DongleQuery(DongleItem item);
// ESC FS 'J' item and the value, a text for CComm::WriteString. The name goes with one
// character whose code is its length.
QString DongleSet(DongleItem item, const QString& value);
QString DongleSetName(const QString& name);
// Encryption from a dongle reply: false only for a first character '0'.
bool EncryptionFromDongle(const QByteArray& text);
// Connection-mode list position from a dongle reply: '1' gives 1, '2' gives 2, else 0.
int ConnectionFromDongle(const QByteArray& text);

QByteArray ModuleQuery(char letter);
// A module reply as text, with the prefix '7' 'B' letter skipped when it is there.
QByteArray ModuleReplyText(const char* reply, int length, char letter);
// Encryption from a module reply: false only for a first character '0'.
inline bool ModuleEncryption(const QByteArray& text) { return EncryptionFromDongle(text); }
// Connection-mode list position from a module reply: '2' gives 1, '3' gives 2, else 0.
int ModuleConnection(const QByteArray& text);
// Role from the first byte of the 'L' reply: 0 Classic ('0' or '2'), 1 BLE ('1'), else none.
std::optional<int> ModuleRole(const char* reply, int length);

// Record 'p': US US 'p', the encryption and connection digits, PIN, CR, name, CR and, for
// family 101, a closing '0'. PIN and name are ANSI bytes.
QByteArray ModuleRecordP(int encryption, int connection, const QByteArray& pin,
                         const QByteArray& name, bool family101);
// Record 'x' (family 101): US US 'x', the SSP digit, CR.
QByteArray ModuleRecordX(int ssp);
// Record 'l' (family 101): US US 'l', '1' for BLE, else '0'.
QByteArray ModuleRecordL(bool ble);

}  // namespace iface
