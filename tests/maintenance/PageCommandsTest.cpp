#include "maintenance/ClockPowerCommands.h"
#include "maintenance/InterfaceCommands.h"
#include "maintenance/MemorySwitch.h"
#include "maintenance/PrinterInfoCommands.h"
#include "maintenance/QualityCommands.h"
#include "core/Globals.h"
#include "link/Comm.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TEST(MemorySwitchTest, ReadsCarryTheReplyPortOfTheLinkAndBothPrefixes)
{
    EXPECT_EQ(memswitch::Read(1, PORT_COM), QByteArray("*MBR1,1"));
    EXPECT_EQ(memswitch::Read(1, PORT_LPT), QByteArray("*MBR1,2"));
    EXPECT_EQ(memswitch::Read(3, PORT_USB), QByteArray("*MBR3,3"));
    EXPECT_EQ(memswitch::Read(3, PORT_ETHERNET), QByteArray("*MBR3,2"));
    EXPECT_EQ(memswitch::Write(3, 2), QByteArray("*MBS3,\x02", 7));
    EXPECT_EQ(memswitch::Commit(3), QByteArray("*MBA\x03\r", 6));
    EXPECT_EQ(memswitch::Read(2, PORT_COM, '^'), QByteArray("^MBR2,1"));
    EXPECT_EQ(memswitch::Write(4, 0xC0, '^', true), QByteArray("^MBS4,\xc0\r", 8));
    EXPECT_EQ(memswitch::Commit(4, '^'), QByteArray("^MBA\x04\r", 6));

    const std::int32_t saved = g_menuMode;
    g_menuMode = 0;
    EXPECT_EQ(memswitch::PagePrefix(), '^');
    g_menuMode = 1;
    EXPECT_EQ(memswitch::PagePrefix(), '*');
    g_menuMode = saved;
}

struct SerialCase {
    QByteArray reply;
    QStringList chosen;  // baud, data bits, parity, stop bits, protocol; "" unchanged
};

TEST(InterfaceCommandsTest, SerialRepliesChooseEntriesFieldByField)
{
    const std::vector<SerialCase> cases = {
        {"9600,8,N,1,X", {"9600", "8", "None", "1", "Software"}},
        {"19200,7,E,2,R", {"19200", "7", "Even", "2", "Hardware"}},
        {"BAUD=115200,8,O,1,D", {"115200", "8", "Odd", "1", "Hardware"}},
        {"12345,9,Q,3,Z", {"", "", "", "", ""}},
        {"57600,,8,,N", {"57600", "8", "None", "", ""}},  // empty fields are skipped
        {"38400,8,N,1,X,N,extra", {"38400", "8", "None", "1", "Software"}},
        {"28800", {"28800", "", "", "", ""}},
        {"9600,8,N,1,X\r\n", {"9600", "8", "None", "1", ""}},  // whole-text compare
        {QByteArray("14400,8\0,E", 10), {"14400", "8", "", "", ""}},
    };
    for (const SerialCase& c : cases) {
        const auto r = iface::ParseSerialReply(c.reply.constData(), int(c.reply.size()));
        ASSERT_TRUE(r.has_value()) << c.reply.toStdString();
        EXPECT_EQ((QStringList{r->baud, r->dataBits, r->parity, r->stopBits, r->protocol}), c.chosen)
            << c.reply.toStdString();
    }
    for (const QByteArray& none : {QByteArray(), QByteArray("N,E,X"), QByteArray("\0" "9600", 5)})
        EXPECT_FALSE(iface::ParseSerialReply(none.constData(), int(none.size())).has_value());
}

TEST(InterfaceCommandsTest, SerialAndBluetoothWireFormats)
{
    EXPECT_EQ(iface::SerialSetText("115200", "8", "None", "1", "Hardware"),
              QStringLiteral("^XA^SC115200,8,N,1,D,N^JUS^XZ\r\n"));
    EXPECT_EQ(iface::SerialSetText("9600", "7", "Odd", "2", "software"),
              QStringLiteral("^XA^SC9600,7,O,2,X,N^JUS^XZ\r\n"));

    EXPECT_EQ(iface::DongleQuery(iface::DongleConnection), hex("1b1c4f04"));
    EXPECT_EQ(iface::DongleSetName(QStringLiteral("PRINTER-9")),
              QString::fromLatin1("\x1b\x1cJ\x01\x09PRINTER-9"));
    EXPECT_EQ(iface::DongleSet(iface::DonglePin, QStringLiteral("123456")),
              QString::fromLatin1("\x1b\x1cJ\x02" "123456"));
    EXPECT_EQ(iface::ModuleQuery('d'), hex("1f1f6964"));
    EXPECT_EQ(iface::ModuleRecordP(1, 2, "9173", "PRN-01", true),
              QByteArray("\x1f\x1fp13" "9173\rPRN-01\r0"));
    EXPECT_EQ(iface::ModuleRecordP(0, 0, "", "", false), QByteArray("\x1f\x1fp01\r\r"));
    EXPECT_EQ(iface::ModuleRecordX(3), hex("1f1f78330d"));
    EXPECT_EQ(iface::ModuleRecordL(true), hex("1f1f6c31"));
}

TEST(InterfaceCommandsTest, BluetoothReplyRules)
{
    EXPECT_EQ(iface::ModuleReplyText("7BdPRN-01", 9, 'd'), QByteArray("PRN-01"));
    EXPECT_EQ(iface::ModuleReplyText("7BkPRN", 6, 'd'), QByteArray("7BkPRN"));
    EXPECT_EQ(iface::ModuleReplyText("7B", 2, 'd'), QByteArray("7B"));
    EXPECT_EQ(iface::ModuleConnection("3"), 2);
    EXPECT_EQ(iface::ModuleConnection("2"), 1);
    EXPECT_EQ(iface::ModuleConnection("1"), 0);
    EXPECT_EQ(iface::ConnectionFromDongle("2"), 2);
    EXPECT_EQ(iface::ConnectionFromDongle("1"), 1);
    EXPECT_EQ(iface::ConnectionFromDongle("x"), 0);
    EXPECT_FALSE(iface::EncryptionFromDongle("0"));
    EXPECT_TRUE(iface::EncryptionFromDongle("1"));
    EXPECT_TRUE(iface::EncryptionFromDongle(""));
    EXPECT_EQ(iface::ModuleRole("0", 1), 0);
    EXPECT_EQ(iface::ModuleRole("2", 1), 0);
    EXPECT_EQ(iface::ModuleRole("1x", 2), 1);
    EXPECT_FALSE(iface::ModuleRole("7", 1).has_value());
    EXPECT_FALSE(iface::ModuleRole("1", 0).has_value());
}

TEST(ClockPowerCommandsTest, ClockTextAndPowerOffMinutes)
{
    EXPECT_EQ(clockpower::ClockSetText(QDate(2025, 12, 31), QTime(23, 59, 58)),
              QStringLiteral("^XA\r\n^ST12,31,2025,23,59,58,M\r\n^XZ\r\n^XA^JUS^XZ\r\n"));
    EXPECT_EQ(clockpower::PowerOffMinutes("\x10\x0e", 2), 60u);
    EXPECT_EQ(clockpower::PowerOffMinutes("\x2c\x01", 2), 5u);
    EXPECT_EQ(clockpower::PowerOffMinutes("\x59\x00", 2), 1u);
    EXPECT_EQ(clockpower::PowerOffMinutes("\x78", 1), 2u);  // one byte: that many seconds
    EXPECT_EQ(clockpower::PowerOffMinutes("\xff\xff", 2), 1092u);
}

TEST(PrinterInfoCommandsTest, ValuesResetsAndSerialNumbers)
{
    using printerinfo::InfoKind;
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Distance, "1234\r\n", 6), QStringLiteral("1234 meter"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Distance, "12\n\r", 4), QStringLiteral("12\n meter"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Distance, "", 0), QStringLiteral(" meter"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Count, "", 0), QStringLiteral("0 times"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Count, "\r\n", 2), QStringLiteral("0 times"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Count, "17\r\n", 4), QStringLiteral("17 times"));
    EXPECT_EQ(printerinfo::InfoValue(InfoKind::Text, "KX-21\r\n", 7), QStringLiteral("KX-21\r\n"));

    EXPECT_EQ(printerinfo::CounterResetCommand(printerinfo::ResetMotor), hex("2a4d42590f0c"));
    EXPECT_EQ(printerinfo::CounterResetCommand(printerinfo::ResetCutter), hex("2a4d42590f0e"));
    for (const char* model : {"KX-30", "PV-7", "PV-9", "KX-24"})
        EXPECT_EQ(printerinfo::UsbSerialLength(model), 16) << model;
    for (const char* model : {"KX-21", "kx-30", "PV-70", ""})
        EXPECT_EQ(printerinfo::UsbSerialLength(model), 13) << model;
    EXPECT_EQ(printerinfo::UsbSerialText("1234567890123").size(), 18);
}

TEST(QualityCommandsTest, GridsIdentifiersLabelsAndSetting)
{
    EXPECT_EQ(quality::Identifier(0), QStringLiteral("AA"));
    EXPECT_EQ(quality::Identifier(25), QStringLiteral("AZ"));
    EXPECT_EQ(quality::Identifier(26), QStringLiteral("BA"));
    EXPECT_EQ(quality::Identifier(35), QStringLiteral("BJ"));

    struct GridCase {
        int index, count, identifier, speedIndex, darkness;
    };
    const std::vector<GridCase> cases = {
        {0, 12, 0, 0, 8},  {0, 12, 1, 0, 17}, {0, 12, 2, 1, 8}, {0, 12, 11, 5, 17},
        {4, 36, 26, 4, 11}, {4, 36, 35, 5, 17}, {1, 18, 5, 1, 19}, {3, 30, 29, 5, 20},
    };
    for (const GridCase& c : cases) {
        const auto grid = quality::GridForIndex(c.index);
        const auto position = quality::PositionOf(c.identifier, c.count, 6);
        ASSERT_TRUE(position.has_value()) << c.identifier;
        EXPECT_EQ(position->speedIndex, c.speedIndex) << c.identifier;
        EXPECT_EQ(grid.start + position->step * grid.step, c.darkness) << c.identifier;
    }
    EXPECT_FALSE(quality::PositionOf(12, 12, 6).has_value());

    const QString label = quality::SampleLabelText(8, QStringLiteral("2.0"), QStringLiteral("AA"));
    EXPECT_TRUE(label.startsWith(QStringLiteral("~SD08\r\n^XA\r\n^LH0,0\r\n^PR2\r\n")));
    EXPECT_TRUE(label.contains(QStringLiteral("^FO500,36,^BY3^BCR,120,Y,N,N^FDABCDEFGHI^FS\r\n")));
    EXPECT_TRUE(label.contains(QStringLiteral("^FO330,240^A0N,90,90^FDAA^FS\r\n")));
    EXPECT_TRUE(label.contains(QStringLiteral("^FO330,450^A0N,90,90^FD2.0^FS\r\n")));
    EXPECT_TRUE(label.endsWith(QStringLiteral("^PQ1,0,1,Y\r\n^XZ\r\n")));
    EXPECT_EQ(label.count(QStringLiteral("\r\n")), 14);
    EXPECT_EQ(quality::SettingText(17, 3), QStringLiteral("~SD17\r\n^XA\r\n^PR3,3\r\n^XZ\r\n^XA^JUS^XZ\r\n"));
}

// Random replies of every length: no crash, no read beyond the length given.
TEST(PageCommandsTest, RandomRepliesOfEveryLength)
{
    std::mt19937 random(14);
    for (int length = 0; length <= 300; ++length) {
        for (int round = 0; round < 20; ++round) {
            std::vector<char> bytes(length);
            for (char& b : bytes)
                b = static_cast<char>(random() % 4 == 0 ? ",0123456789NEOXDR7B"[random() % 19] : random());
            const QByteArray copy(bytes.data(), length);  // heap copy: sanitizers see overreads
            const char* data = copy.constData();
            if (const auto r = iface::ParseSerialReply(data, length)) {
                for (const QString& field : {r->baud, r->dataBits, r->stopBits})
                    EXPECT_TRUE(field.isEmpty() || field.toInt() > 0);
            }
            EXPECT_LE(iface::ModuleReplyText(data, length, 'd').size(), length);
            iface::ModuleRole(data, length);
            EXPECT_LE(clockpower::PowerOffMinutes(data, length), 65535u / 60);
            printerinfo::InfoValue(printerinfo::InfoKind::Count, data, length);
        }
    }
}

}  // namespace
