#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// The ">RF" command family as the tester's builders and the RFID windows send it, and the
// RFID data grid's rules. Lines carry no terminator; the windows' forms end with "\r".
namespace rfid {

// Strings of resources/strings.txt.
inline constexpr int IDS_RFID_INVALID_RANGE = 920;   // "Invalid value!\nPlease check ..."
inline constexpr int IDS_RFID_ACCESS_INVALID = 921;  // "Value of access is invalid!"
inline constexpr int IDS_RFID_KILL_INVALID = 922;    // "Value of kill is invalid!"
inline constexpr int IDS_RFID_READ_FAILED = 923;
inline constexpr int IDS_RFID_READ_SUCCESS = 924;
inline constexpr int IDS_RFID_UNLOCK_FAILED = 925;
inline constexpr int IDS_RFID_DATA_FAILED = 926;
inline constexpr int IDS_RFID_LOCK_FAILED = 927;
inline constexpr int IDS_RFID_WRITE_SUCCESS = 928;
inline constexpr int IDS_RFID_SET_SUCCESS = 929;
inline constexpr int IDS_RFID_SET_FAILED = 930;
inline constexpr int IDS_RFID_GET_SUCCESS = 931;
inline constexpr int IDS_RFID_GET_FAILED = 932;
inline constexpr int IDS_RFID_CALIBRATION_SUCCESS = 933;
inline constexpr int IDS_RFID_CALIBRATION_FAILED = 934;

// The passwords the tag is assumed to hold; also the first two fields of ">RFZ,".
inline constexpr const char* kDefaultPassword = "5A3C90E1";
// The same in the dotted form the password edits show.
inline constexpr const char* kDottedDefaultPassword = "3C.A7.5E.91";

// The lock payload's check boxes, in the order the windows store them.
inline constexpr std::array<int, 20> kLockBoxIds = {1273, 1274, 1275, 1276, 1277, 1278, 1279,
                                                    1280, 1281, 1282, 1283, 1284, 1285, 1286,
                                                    1287, 1288, 1291, 1292, 1289, 1290};
// The payload bit (0 to 19) a lock box stands for; -1 for any other id.
int LockBoxBit(int boxId);
// The 20-bit payload from the boxes ticked, `ticked[i]` for kLockBoxIds[i].
std::uint32_t LockPayload(const std::array<int, 20>& ticked);
// "b1,b2,b3": the payload shifted left by 4, most significant byte first, upper-case hex.
QString LockPayloadText(std::uint32_t payload);

// The tester's builder lines.
QString WriteBuilderLine(int format, int startIndex, int countIndex, const QStringList& cells);
QString ReadBuilderLine(int format, int startIndex, int countIndex, int outputType);
// ">RFZ,'" with the two default passwords, then the new ones without their dots.
QString PasswordLine(const QString& access, const QString& kill);
QString LockPayloadLine(bool unlock, std::uint32_t payload);
QString AutoLockLine(int autoAction);  // ">RFLK" for 0, ">RFUL" otherwise
inline QString KillLine() { return QStringLiteral(">RFKL"); }

// A password as typed is acceptable when exactly 8 characters remain without its dots.
bool PasswordLengthValid(const QString& dotted);
// 0 when both passwords are acceptable, else the message of the first that is not (the
// access password is checked first).
int PasswordRefusal(const QString& access, const QString& kill);

// ---- the RFID data grid -----------------------------------------------------------------

inline constexpr int kGridCells = 64;
inline constexpr int kGridColumns = 12;
inline constexpr int kHighestStartBlock = 16;
inline constexpr int kFewestBytes = 2;
inline constexpr int kMostBytes = 64;

// The range from block s of N bytes fits the grid (every byte has a cell).
inline bool RangeFitsGrid(int start, int count)
{
    return start >= 0 && count >= 0 && start + count <= kGridCells;
}
// Characters a reply of `count` bytes holds: two per byte in Hex, one in ASCII.
inline int ReplyLength(int format, int count)
{
    return format == 1 ? count : 2 * count;
}
// The 64 cell texts after a reply: "-" outside the range, the range's bytes from the reply
// (`length` characters expected, zero bytes end a cell's text).
QStringList GridCellsFromReply(const QByteArray& reply, int length, int start, int format);

// The windows' forms, each ended by "\r". dataKind 0 EPC, 1 User; tagKind 0 Label, 1 Metal;
// format 0 Hex, 1 ASCII.
QString ReadTagCommand(int dataKind, int tagKind, int format, int start, int count);
QString PrintTagCommand(int format, int start, int count);
QString WriteDataCommand(int dataKind, int format, int start, int count, const QStringList& cells);
inline QString UnlockCommand() { return QStringLiteral(">RFUL\r"); }
QString LockCommand(std::uint32_t payload);
QString PasswordCommand(const QString& access, const QString& kill);
inline QByteArray PrintOneLabel() { return QByteArrayLiteral("P1\r"); }

}  // namespace rfid
