// The >RF command texts, the lock payload, the data grid's reply rules and the encoder's
// setting replies, without windows.
#include "rfid/RfidSettingCommands.h"
#include "tests/workbench/TestCodePage.h"
#include "platform/Services.h"
#include "workbench/RfidCommands.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::uint32_t payloadOf(std::initializer_list<int> boxIds)
{
    std::array<int, 20> ticked{};
    for (int id : boxIds) {
        const auto at = std::find(rfid::kLockBoxIds.begin(), rfid::kLockBoxIds.end(), id);
        ticked[at - rfid::kLockBoxIds.begin()] = 1;
    }
    return rfid::LockPayload(ticked);
}

// ---- lock payload -------------------------------------------------------------------------

struct BoxCase {
    int id;
    const char* bytes;
};

TEST(RfidLockPayload, EachBoxSetsItsOwnBit)
{
    const BoxCase cases[] = {
        {1280, "80,00,00"}, {1279, "40,00,00"}, {1278, "20,00,00"}, {1277, "10,00,00"},
        {1276, "08,00,00"}, {1275, "04,00,00"}, {1274, "02,00,00"}, {1273, "01,00,00"},
        {1288, "00,80,00"}, {1287, "00,40,00"}, {1286, "00,20,00"}, {1285, "00,10,00"},
        {1284, "00,08,00"}, {1283, "00,04,00"}, {1282, "00,02,00"}, {1281, "00,01,00"},
        {1290, "00,00,80"}, {1289, "00,00,40"}, {1292, "00,00,20"}, {1291, "00,00,10"},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(rfid::LockPayloadText(payloadOf({c.id})), c.bytes) << c.id;
}

TEST(RfidLockPayload, PairsAndAllTwenty)
{
    EXPECT_EQ(rfid::LockPayloadText(payloadOf({1280, 1279})), "C0,00,00");  // kill mask
    EXPECT_EQ(rfid::LockPayloadText(payloadOf({1292, 1291})), "00,00,30");  // user action
    EXPECT_EQ(rfid::LockPayloadText(payloadOf({1276, 1282})), "08,02,00");  // EPC lock bits
    EXPECT_EQ(payloadOf({1276, 1282}), (1u << 15) | (1u << 5));
    std::array<int, 20> all;
    all.fill(1);
    EXPECT_EQ(rfid::LockPayload(all), 0xFFFFFu);
    EXPECT_EQ(rfid::LockPayloadText(0xFFFFF), "FF,FF,F0");
    EXPECT_EQ(rfid::LockCommand(0xFFFFF), ">RFLP,L,'FF,FF,F0'\r");
    EXPECT_EQ(rfid::LockPayloadLine(true, 0xFFFFF), ">RFLP,U,'FF,FF,F0'");
    EXPECT_EQ(rfid::LockPayloadText(0), "00,00,00");
    EXPECT_EQ(rfid::LockBoxBit(1272), -1);
}

// ---- grid ---------------------------------------------------------------------------------

class RfidGridTest : public ::testing::Test {
protected:
    TestCodePage codePage;
    platform::ScopedService<platform::CodePage> scope{codePage};
};

TEST_F(RfidGridTest, RangeChecksAtTheGridsEnd)
{
    EXPECT_TRUE(rfid::RangeFitsGrid(16, 48));   // 64
    EXPECT_TRUE(rfid::RangeFitsGrid(0, 64));
    EXPECT_FALSE(rfid::RangeFitsGrid(16, 49));  // 65
    EXPECT_FALSE(rfid::RangeFitsGrid(16, 53));  // 69
    EXPECT_FALSE(rfid::RangeFitsGrid(16, 54));  // 70
    EXPECT_FALSE(rfid::RangeFitsGrid(16, 64));  // 80
}

TEST_F(RfidGridTest, FullShortAndMissingReplies)
{
    // Block 4, 12 bytes in Hex: cells 5 to 16 (positions 4 to 15).
    const QByteArray full = "A0B1C2D3E4F5061728394A5B";
    QStringList cells = rfid::GridCellsFromReply(full, 24, 4, 0);
    ASSERT_EQ(cells.size(), 64);
    for (int p = 0; p < 64; ++p) {
        if (p < 4 || p > 15)
            EXPECT_EQ(cells[p], "-") << p;
    }
    EXPECT_EQ(cells[4], "A0");
    EXPECT_EQ(cells[15], "5B");

    // A short reply: the range's cells past its end are empty, a half byte shows alone.
    cells = rfid::GridCellsFromReply("A0B", 24, 4, 0);
    EXPECT_EQ(cells[4], "A0");
    EXPECT_EQ(cells[5], "B");
    EXPECT_EQ(cells[6], "");
    EXPECT_EQ(cells[15], "");
    EXPECT_EQ(cells[16], "-");

    // ASCII, block 0, 2 bytes: one character a cell.
    cells = rfid::GridCellsFromReply("Zx", 2, 0, 1);
    EXPECT_EQ(cells.mid(0, 3), QStringList({"Z", "x", "-"}));

    // Nothing at all (the window never gets here without a reply, but nothing breaks).
    cells = rfid::GridCellsFromReply(QByteArray(), 128, 0, 0);
    EXPECT_EQ(cells[63], "");
    // A reply longer than expected puts nothing past the range.
    cells = rfid::GridCellsFromReply("A0B1C2", 2, 62, 0);
    EXPECT_EQ(cells[62], "A0");
    EXPECT_EQ(cells[63], "-");
}

TEST_F(RfidGridTest, RandomRepliesFillOnlyTheRange)
{
    std::mt19937 random(1102);
    for (int length = 0; length <= 100; ++length) {
        for (int round = 0; round < 20; ++round) {
            QByteArray reply(length, '\0');
            for (char& c : reply)
                c = static_cast<char>(random() & 0xFF);
            const int format = static_cast<int>(random() % 2);
            const int start = static_cast<int>(random() % 17);
            const int count = 2 + static_cast<int>(random() % (64 - start - 1));
            const int expected = rfid::ReplyLength(format, count);
            const QStringList cells = rfid::GridCellsFromReply(reply, expected, start, format);
            ASSERT_EQ(cells.size(), 64);
            for (int p = 0; p < 64; ++p) {
                const bool inRange = p >= start && p < start + count;
                if (!inRange)
                    EXPECT_EQ(cells[p], "-");
                else
                    EXPECT_LE(cells[p].size(), format == 1 ? 1 : 2);
            }
        }
    }
}

// ---- command texts -------------------------------------------------------------------------

TEST(RfidCommandTexts, WindowForms)
{
    EXPECT_EQ(rfid::ReadTagCommand(0, 0, 0, 4, 12), ">RFR,H,4,12,S\r");
    EXPECT_EQ(rfid::ReadTagCommand(0, 0, 1, 0, 2), ">RFR,A,0,2,S\r");
    EXPECT_EQ(rfid::ReadTagCommand(1, 1, 0, 4, 12), ">RFr,u,4,12,S\r");
    EXPECT_EQ(rfid::ReadTagCommand(1, 0, 1, 4, 12), ">RFR,U,4,12,S\r");
    EXPECT_EQ(rfid::ReadTagCommand(0, 1, 1, 4, 12), ">RFr,A,4,12,S\r");
    EXPECT_EQ(rfid::PrintTagCommand(0, 4, 12), ">RFR,H,4,12,P\r");
    EXPECT_EQ(rfid::WriteDataCommand(0, 0, 4, 12, {}), ">RFW,H,4,12,''\r");
    EXPECT_EQ(rfid::WriteDataCommand(1, 1, 0, 2, {"a", "b"}), ">RFW,U,0,2,'ab'\r");
    EXPECT_EQ(rfid::PasswordCommand("3C.A7.5E.91", "11223344"),
              ">RFZ,'5A3C90E1,5A3C90E1,3CA75E91,11223344'\r");
    EXPECT_EQ(rfid::ReplyLength(0, 12), 24);
    EXPECT_EQ(rfid::ReplyLength(1, 12), 12);
}

TEST(RfidCommandTexts, PasswordsOfEveryLength)
{
    const QString digits = "0123456789AB";
    for (int n = 0; n <= 12; ++n) {
        const QString plain = digits.left(n);
        QString dotted;
        for (int i = 0; i < n; ++i)
            dotted += (i > 0 && i % 2 == 0 ? "." : "") + plain.mid(i, 1);
        EXPECT_EQ(rfid::PasswordLengthValid(plain), n == 8) << n;
        EXPECT_EQ(rfid::PasswordLengthValid(dotted), n == 8) << dotted.toStdString();
        EXPECT_EQ(rfid::PasswordRefusal(plain, "12345678"), n == 8 ? 0 : rfid::IDS_RFID_ACCESS_INVALID);
        EXPECT_EQ(rfid::PasswordRefusal("12345678", dotted), n == 8 ? 0 : rfid::IDS_RFID_KILL_INVALID);
    }
    // The access password is checked first.
    EXPECT_EQ(rfid::PasswordRefusal("1", "2"), rfid::IDS_RFID_ACCESS_INVALID);
}

// ---- encoder settings ----------------------------------------------------------------------

struct ReplyCase {
    int query;
    QByteArray reply;
    rfid::EncoderSettings expected;
};

TEST_F(RfidGridTest, EncoderSettingReplyRules)
{
    const rfid::EncoderSettings before{1, 7, "12", 4, 1};
    auto with = [&](auto change) {
        rfid::EncoderSettings s = before;
        change(s);
        return s;
    };
    const ReplyCase cases[] = {
        {1, "GEN2", with([](auto& s) { s.tagType = 0; })},
        {1, "GEN2\r\n", with([](auto& s) { s.tagType = 0; })},
        {1, "ISO-B", with([](auto& s) { s.tagType = 1; })},
        {1, "I", with([](auto& s) { s.tagType = 1; })},
        {1, "gen2", before},
        {1, "", before},
        {2, "0", with([](auto& s) { s.powerIndex = -1; })},
        {2, "1", with([](auto& s) { s.powerIndex = 0; })},
        {2, "9", with([](auto& s) { s.powerIndex = 8; })},
        {2, "16\r\n", with([](auto& s) { s.powerIndex = 15; })},
        {2, "31", with([](auto& s) { s.powerIndex = 30; })},
        {2, "32", with([](auto& s) { s.powerIndex = -1; })},
        {2, "", with([](auto& s) { s.powerIndex = -1; })},
        {2, "-2147483648", with([](auto& s) { s.powerIndex = -1; })},
        {3, "600\r\n", with([](auto& s) { s.position = "600"; })},
        {3, " 7 \t", with([](auto& s) { s.position = " 7"; })},
        {3, "", with([](auto& s) { s.position = ""; })},
        {4, "3", with([](auto& s) { s.retry = 3; })},
        {4, "10", with([](auto& s) { s.retry = 10; })},
        {4, "11", with([](auto& s) { s.retry = -1; })},
        {4, "", with([](auto& s) { s.retry = 0; })},
        {5, "5", with([](auto& s) { s.labels = 5; })},
        {5, "6", with([](auto& s) { s.labels = -1; })},
        {5, " +2x", with([](auto& s) { s.labels = 2; })},
    };
    for (const ReplyCase& c : cases) {
        rfid::EncoderSettings s = before;
        rfid::ApplyEncoderSettingReply(c.query, c.reply.constData(), int(c.reply.size()), s);
        const auto label = std::to_string(c.query) + " " + c.reply.toStdString();
        EXPECT_EQ(s.tagType, c.expected.tagType) << label;
        EXPECT_EQ(s.powerIndex, c.expected.powerIndex) << label;
        EXPECT_EQ(s.position, c.expected.position) << label;
        EXPECT_EQ(s.retry, c.expected.retry) << label;
        EXPECT_EQ(s.labels, c.expected.labels) << label;
    }
}

TEST_F(RfidGridTest, EncoderSettingsCommand)
{
    EXPECT_EQ(rfid::EncoderSettingsCommand(rfid::DefaultEncoderSettings()),
              ">RFS,5,3,2,1\r>RFTP,600\r");
    EXPECT_EQ(rfid::EncoderSettingsCommand({1, 30, "x", 0, 5}), ">RFS,2,0,5,31\r>RFTP,x\r");
    EXPECT_EQ(rfid::EncoderSettingsCommand({-1, -1, "", -1, -1}), ">RFS,-1,-1,0\r>RFTP,\r");
    EXPECT_EQ(rfid::EncoderSettingQuery(1), ">RFI,1\r");
    EXPECT_EQ(rfid::EncoderSettingQuery(5), ">RFI,5\r");
}

TEST_F(RfidGridTest, RandomSettingRepliesChangeOnlyTheirField)
{
    std::mt19937 random(5103);
    for (int length = 0; length <= 100; ++length) {
        for (int query = 1; query <= 5; ++query) {
            char reply[128];
            for (int i = 0; i < length; ++i)
                reply[i] = static_cast<char>(random() & 0xFF);
            // The window reads at most 16 bytes; the rule must hold past that too.
            const rfid::EncoderSettings before{0, 3, "p", 2, 1};
            rfid::EncoderSettings s = before;
            rfid::ApplyEncoderSettingReply(query, reply, length, s);
            EXPECT_TRUE(s.tagType == before.tagType || query == 1);
            EXPECT_TRUE(s.powerIndex == before.powerIndex || query == 2);
            EXPECT_TRUE(s.position == before.position || query == 3);
            EXPECT_TRUE(s.retry == before.retry || query == 4);
            EXPECT_TRUE(s.labels == before.labels || query == 5);
            EXPECT_GE(s.tagType, -1);
            EXPECT_LE(s.tagType, 1);
            EXPECT_GE(s.powerIndex, -1);
            EXPECT_LE(s.powerIndex, 30);
            EXPECT_GE(s.retry, -1);
            EXPECT_LE(s.retry, 10);
            EXPECT_GE(s.labels, -1);
            EXPECT_LE(s.labels, 5);
            if (query == 3)
                EXPECT_LE(s.position.size(), length);
        }
    }
}

}  // namespace
