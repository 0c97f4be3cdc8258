#include "maintenance/SettingCommands.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TEST(SettingCommandsTest, ByteSequences)
{
    EXPECT_EQ(setting::SettingQuery(setting::QuerySerial), hex("1b1c3f0b"));
    EXPECT_EQ(setting::SettingLock(true, setting::LockLanguage), hex("1b1c1f0108"));
    EXPECT_EQ(setting::SettingLock(false, setting::LockPrintSpeed), hex("1b1c1f0001"));
    EXPECT_EQ(setting::LockStatusQuery(), hex("1b1c2f"));
    // Parameter items are the hexadecimal bytes their numbers read as.
    EXPECT_EQ(setting::ParameterQuery(setting::ParamOrientation), hex("1b191a23"));
    EXPECT_EQ(setting::ParameterSet(setting::ParamOrientation, 1), hex("1b19192301"));
    EXPECT_EQ(setting::ParameterSet(setting::ParamPowerSaveTime, 89), hex("1b19191659"));
    EXPECT_EQ(setting::ParameterSet(setting::ParamPowerOffTime, 3600), hex("1b191914100e"));
    EXPECT_EQ(setting::ParameterQuery(setting::ParamBluetoothPairing), hex("1b191a19"));
    EXPECT_EQ(setting::EmulationSwitch(setting::kEmulationKeft), hex("1baf50455333"));
    EXPECT_EQ(setting::LanguageProbe(), hex("1baf504547"));
}

TEST(SettingCommandsTest, LockByteFromBytesTwoAndThree)
{
    const char reply[] = {'\x7f', '\x7f', '\x34', '\x45'};
    EXPECT_EQ(setting::LockByte(reply, 4), 0x45);
    EXPECT_FALSE(setting::LockByte(reply, 3).has_value());
    EXPECT_FALSE(setting::LockByte(nullptr, 4).has_value());
    EXPECT_TRUE(setting::IsLocked(0x45, setting::LockPrintSpeed));
    EXPECT_FALSE(setting::IsLocked(0x45, setting::LockDarkness));
    EXPECT_TRUE(setting::IsLocked(0x45, setting::LockMediaType));
    EXPECT_FALSE(setting::IsLocked(0x45, setting::LockTearOff));
    EXPECT_FALSE(setting::IsLocked(0xFF, 0));
}

TEST(SettingCommandsTest, DecimalAndLetterReplies)
{
    struct Case {
        QByteArray reply;
        int value;
    };
    const std::vector<Case> cases = {
        {"832", 832},   {"  -12x", -12}, {"+7", 7},           {"abc", 0},
        {"", 0},        {QByteArray("4\0" "9", 3), 4},        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(setting::DecimalReply(c.reply.constData(), int(c.reply.size())), c.value)
            << c.reply.toStdString();

    EXPECT_TRUE(setting::LetterReply("T", 1, "T"));
    EXPECT_TRUE(setting::LetterReply("T\0junk", 6, "T"));
    EXPECT_FALSE(setting::LetterReply("TB", 2, "T"));
    EXPECT_FALSE(setting::LetterReply("T", 0, "T"));
    const auto media = [](const QByteArray& reply) {
        return setting::LetterChoice(reply.constData(), int(reply.size()),
                                     {{"W", 0}, {"G", 0}, {"C", 1}, {"M", 2}});
    };
    EXPECT_EQ(media("G"), 0);
    EXPECT_EQ(media("M"), 2);
    EXPECT_EQ(media(QByteArray("C\0W", 3)), 1);
    EXPECT_EQ(media("CW"), std::nullopt);
    EXPECT_EQ(media(""), std::nullopt);

    EXPECT_EQ(setting::ProbeReplyLanguage("3", 1), "KEFT");
    EXPECT_EQ(setting::ProbeReplyLanguage("1\0", 2), "Dovra");
    EXPECT_EQ(setting::ProbeReplyLanguage("21", 2), "");
    EXPECT_EQ(setting::ProbeReplyLanguage("4", 1), "");
    EXPECT_EQ(setting::PageSaveTrailer(QStringLiteral("Dovra")), QStringLiteral("^XA\r\n^JUS\r\n^XZ\r\n"));
    EXPECT_EQ(setting::PageSaveTrailer(QStringLiteral("Ostrel")), QStringLiteral("^XA^JUS^XZ\r\n"));
}

// Replies of every length, read only within their length.
TEST(SettingCommandsTest, RandomRepliesStayInsideTheirLength)
{
    std::mt19937 random(20261210);
    for (int length = 0; length <= 300; ++length) {
        for (int round = 0; round < 20; ++round) {
            std::vector<char> reply(static_cast<std::size_t>(length));
            for (char& c : reply)
                c = static_cast<char>(random());
            const char* data = reply.empty() ? nullptr : reply.data();
            setting::DecimalReply(data, length);
            setting::LetterReply(data, length, "T");
            EXPECT_LE(setting::ReplyText(data, length).size(), length);
            EXPECT_EQ(setting::LockByte(data, length).has_value(), length >= 4);
            setting::LetterChoice(data, length, {{"T", 0}, {"B", 1}});
            const QString language = setting::ProbeReplyLanguage(data, length);
            EXPECT_TRUE(language.isEmpty() || (length >= 1 && data[0] >= '1' && data[0] <= '3'));
        }
    }
}

}  // namespace
