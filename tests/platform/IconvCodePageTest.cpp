#include "platform/linux/IconvCodePage.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <string>

using namespace platform;

namespace {

TEST(IconvCodePageTest, CodePageFollowsTheLocaleLanguage)
{
    struct Case {
        const char* locale;
        int codePage;
    };
    const Case cases[] = {
        {"", 1252},           {"C", 1252},          {"POSIX", 1252},      {"C.UTF-8", 1252},
        {"en_US.UTF-8", 1252}, {"de_DE@euro", 1252}, {"ja_JP.UTF-8", 932}, {"zh_CN.GB18030", 936},
        {"zh_SG", 936},        {"zh_TW.UTF-8", 950}, {"zh_HK", 950},       {"ko_KR.EUC-KR", 949},
        {"th_TH", 874},        {"pl_PL.UTF-8", 1250}, {"cs_CZ", 1250},     {"hr_HR", 1250},
        {"sr_RS@latin", 1250}, {"sr_RS.UTF-8", 1251}, {"ru_RU.KOI8-R", 1251}, {"uk_UA", 1251},
        {"el_GR", 1253},       {"tr_TR.UTF-8", 1254}, {"az_AZ", 1254},     {"he_IL", 1255},
        {"ar_EG", 1256},       {"fa_IR", 1256},      {"lt_LT", 1257},      {"vi_VN", 1258},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IconvCodePage::codePageForLocale(QString::fromLatin1(c.locale)), c.codePage)
            << c.locale;
}

TEST(IconvCodePageTest, Windows1252TableAgreesWithIconv)
{
    IconvCodePage page(1252);
    ASSERT_EQ(page.number(), 1252);
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(cd, iconv_t(-1));
    for (int b = 0; b < 256; ++b) {
        char byte = char(b);
        char* in = &byte;
        std::size_t inLeft = 1;
        char16_t unit = 0;
        char* out = reinterpret_cast<char*>(&unit);
        std::size_t outLeft = 2;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool defined = iconv(cd, &in, &inLeft, &out, &outLeft) != std::size_t(-1);
        const QString wide = page.toWide(QByteArrayView(&byte, 1));
        ASSERT_EQ(wide.size(), 1);
        // Bytes the page leaves undefined keep their own value, as on Windows.
        EXPECT_EQ(wide.at(0).unicode(), defined ? unit : char16_t(b)) << b;
        EXPECT_EQ(page.fromWide(wide), QByteArray(1, byte)) << b;
    }
    iconv_close(cd);
}

TEST(IconvCodePageTest, MissingCharactersBecomeTheDefaultCharacter)
{
    IconvCodePage page(1252);
    EXPECT_EQ(page.fromWide(u"~JC\r\n"), QByteArray("~JC\r\n"));
    EXPECT_EQ(page.fromWide(u"\u20ac5 caf\u00e9"), QByteArray("\x80" "5 caf\xe9"));
    // Latin A with macron, a Cyrillic letter, one emoji (a surrogate pair), a lone surrogate.
    EXPECT_EQ(page.fromWide(u"\u0100\u0416\U0001F600x\xD800y"), QByteArray("???x?y"));
    EXPECT_EQ(page.fromWide(QString(QChar(0))), QByteArray(1, '\0'));
    EXPECT_TRUE(page.fromWide(u"").isEmpty());
}

struct RoundTrip {
    int codePage;
    const char16_t* text;
    const char* bytes;
};

class CodePageRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CodePageRoundTrip, ConvertsBothWays)
{
    const RoundTrip& c = GetParam();
    IconvCodePage page(c.codePage);
    ASSERT_EQ(page.number(), c.codePage);
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(page.fromWide(text), QByteArray(c.bytes));
    EXPECT_EQ(page.toWide(QByteArray(c.bytes)), text);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageRoundTrip,
    ::testing::Values(RoundTrip{1251, u"\u041f\u0440\u0438 1", "\xcf\xf0\xe8 1"},
                      RoundTrip{1250, u"\u0141\u00f3d\u017a", "\xa3\xf3" "d\x9f"},
                      RoundTrip{1253, u"\u03a9", "\xd9"},
                      RoundTrip{932, u"A\u30c6\u30b9\u30c8\uff71", "A\x83\x65\x83\x58\x83\x67\xb1"},
                      RoundTrip{936, u"\u4e2d\u6587", "\xd6\xd0\xce\xc4"},
                      RoundTrip{949, u"\ud55c", "\xc7\xd1"},
                      RoundTrip{1255, u"\u05d0\u05b8", "\xe0\xc8"},
                      RoundTrip{1258, u"\u0102\u0300", "\xc3\xcc"},
                      RoundTrip{950, u"\u4e2d", "\xa4\xa4"}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) {
        return "CP" + std::to_string(info.param.codePage);
    });

TEST(IconvCodePageTest, DoubleBytePagesReplaceWhatTheyCannotMap)
{
    IconvCodePage page(932);
    EXPECT_EQ(page.fromWide(u"\u30c6\u0416\u0100\U0001F600.\xD800"), QByteArray("\x83\x65\x84\x47??.?"));
    // A lead byte with a bad trail byte, then a lead byte cut off at the end.
    EXPECT_EQ(page.toWide(QByteArray("\x81\x20" "A\x83")), QString::fromUtf16(u"\ufffd A\ufffd"));
    // A byte the page leaves undefined keeps its value.
    EXPECT_EQ(page.toWide(QByteArray("\x80")), QString(QChar(0x80)));
}

TEST(IconvCodePageTest, LargeBuffersConvertWhole)
{
    QString text;
    QByteArray expected;
    for (int i = 0; i < 50000; ++i) {
        text += QString::fromUtf16(u"\u30c6x\u0100");
        expected += "\x83\x65x?";
    }
    IconvCodePage page(932);
    const QByteArray bytes = page.fromWide(text);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(page.toWide(bytes), QString(text).replace(QChar(0x100), u'?'));

    IconvCodePage western(1252);
    QByteArray all;
    for (int i = 0; i < 4096; ++i)
        all.append(char(i & 0xff));
    EXPECT_EQ(western.fromWide(western.toWide(all)), all);
}

}  // namespace
