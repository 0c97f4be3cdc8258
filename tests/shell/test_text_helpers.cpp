// The shared text helpers: code-page conversions into fixed buffers, list filling and
// selection, string resources and trimming.
#include "core/Globals.h"
#include "core/TextHelpers.h"
#include "ui/ResourceText.h"

#include "platform/Services.h"
#include "ui/TestHooks.h"

#include <QComboBox>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A single-byte code page whose bytes are the first 256 characters; others become '?'.
class LatinCodePage : public platform::CodePage {
public:
    int number() const override { return 28591; }
    QByteArray fromWide(QStringView text) const override
    {
        QByteArray bytes;
        for (QChar c : text)
            bytes.append(c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?');
        return bytes;
    }
    QString toWide(QByteArrayView bytes) const override { return QString::fromLatin1(bytes); }
};

class TextHelpers : public ::testing::Test {
protected:
    LatinCodePage m_codePage;
    platform::ScopedService<platform::CodePage> m_scopedCodePage{m_codePage};
};

// ---- conversions --------------------------------------------------------------------------

enum class Conversion { AnsiToWide, AnsiToWideZ, WideToAnsi, WideToAnsiZ };

struct ConversionCase {
    const char* name;
    Conversion conversion;
    QString input;  // Latin-1 text for the ANSI inputs
    int size;       // WideToAnsi only
    int result;
    QString written;  // what the first `result` elements hold
};

void PrintTo(const ConversionCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr char kDirt = 0x55;
constexpr int kSlack = 8;  // elements after the buffer that must stay untouched

// The element count each conversion clears, its terminator included.
int clearedSize(const ConversionCase& c)
{
    switch (c.conversion) {
    case Conversion::AnsiToWide: return kWideBufferChars;
    case Conversion::AnsiToWideZ: return kWideBufferChars + 1;
    case Conversion::WideToAnsi: return c.size;
    case Conversion::WideToAnsiZ: return kAnsiZBufferBytes + 1;
    }
    return 0;
}

// Runs the case on a dirtied buffer with slack behind it; every element as a character code.
template <class Char>
std::vector<unsigned> run(const ConversionCase& c, int& result)
{
    std::vector<Char> buffer(static_cast<std::size_t>(clearedSize(c) + kSlack), Char(kDirt));
    if constexpr (sizeof(Char) == 2) {
        const QByteArray ansi = c.input.toLatin1();
        result = c.conversion == Conversion::AnsiToWide
            ? AnsiToWide(buffer.data(), ansi.constData())
            : AnsiToWideZ(buffer.data(), ansi.constData());
    } else {
        const auto* wide = reinterpret_cast<const char16_t*>(c.input.utf16());
        result = c.conversion == Conversion::WideToAnsi
            ? WideToAnsi(buffer.data(), wide, c.size)
            : WideToAnsiZ(buffer.data(), wide);
    }
    std::vector<unsigned> codes;
    for (Char ch : buffer)
        codes.push_back(static_cast<unsigned>(static_cast<std::make_unsigned_t<Char>>(ch)));
    return codes;
}

class Conversions : public TextHelpers, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(Conversions, FillOnlyTheirClearedBuffer)
{
    const ConversionCase& c = GetParam();
    const bool toWide =
        c.conversion == Conversion::AnsiToWide || c.conversion == Conversion::AnsiToWideZ;
    int result = 0;
    const std::vector<unsigned> codes = toWide ? run<char16_t>(c, result) : run<char>(c, result);
    ASSERT_EQ(result, c.result);

    const int cleared = clearedSize(c);
    const int written = std::max(result, 0);
    for (int i = 0; i < written; ++i)
        ASSERT_EQ(codes[i], c.written.at(i).unicode()) << "element " << i;
    for (int i = written; i < cleared; ++i)
        ASSERT_EQ(codes[i], 0u) << "element " << i << " not cleared";
    for (int i = cleared; i < cleared + kSlack; ++i)
        ASSERT_EQ(codes[i], static_cast<unsigned>(kDirt)) << "element " << i << " overrun";
}

const QString k64 = QString(64, u'x');
const QString k512 = QString(512, u'y');

INSTANTIATE_TEST_SUITE_P(
    Edges, Conversions,
    ::testing::Values(
        ConversionCase{"WideToAnsiCommand", Conversion::WideToAnsi, "~JC\r\n", 8, 5, "~JC\r\n"},
        ConversionCase{"WideToAnsiExactFit", Conversion::WideToAnsi, "abcd", 4, 4, "abcd"},
        ConversionCase{"WideToAnsiOneTooMany", Conversion::WideToAnsi, "abcde", 4, -1, ""},
        ConversionCase{"WideToAnsiEmpty", Conversion::WideToAnsi, "", 8, 0, ""},
        ConversionCase{"WideToAnsiZeroSize", Conversion::WideToAnsi, "a", 0, -1, ""},
        ConversionCase{"WideToAnsiUnmappable", Conversion::WideToAnsi,
                       QStringLiteral("caf\u00e9 \u20ac"), 8, 6, QStringLiteral("caf\u00e9 ?")},
        ConversionCase{"WideToAnsiZ64", Conversion::WideToAnsiZ, k64, 0, 64, k64},
        ConversionCase{"WideToAnsiZ65", Conversion::WideToAnsiZ, k64 + u'x', 0, -1, ""},
        ConversionCase{"WideToAnsiZEmpty", Conversion::WideToAnsiZ, "", 0, 0, ""},
        ConversionCase{"AnsiToWideEmpty", Conversion::AnsiToWide, "", 0, 0, ""},
        ConversionCase{"AnsiToWideLatin", Conversion::AnsiToWide,
                       QStringLiteral("^FD\u00e9\u00ff"), 0, 5, QStringLiteral("^FD\u00e9\u00ff")},
        ConversionCase{"AnsiToWide512", Conversion::AnsiToWide, k512, 0, 512, k512},
        ConversionCase{"AnsiToWide513", Conversion::AnsiToWide, k512 + u'y', 0, -1, ""},
        ConversionCase{"AnsiToWideZ512", Conversion::AnsiToWideZ, k512, 0, 512, k512},
        ConversionCase{"AnsiToWideZ513", Conversion::AnsiToWideZ, k512 + u'y', 0, -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextHelpers, ConversionsTreatMissingInputAsEmpty)
{
    char ansi[8];
    char16_t wide[kWideBufferChars + 1];
    EXPECT_EQ(WideToAnsi(ansi, nullptr, sizeof ansi), 0);
    EXPECT_EQ(AnsiToWideZ(wide, nullptr), 0);
    EXPECT_EQ(WideToAnsi(nullptr, u"a", 8), -1);
}

// ---- lists --------------------------------------------------------------------------------

QStringList itemsOf(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

TEST_F(TextHelpers, FillComboFromListKeepsTrimmedNonEmptyPiecesInOrder)
{
    const struct {
        const char* list;
        const char* separators;
        QStringList items;
    } cases[] = {
        {"2.0,3.0,4.0,5.0,6.0,7.0", ",", {"2.0", "3.0", "4.0", "5.0", "6.0", "7.0"}},
        {"  2.0  ,3.0", ",", {"2.0", "3.0"}},
        {"2.0,   ,3.0", ",", {"2.0", "3.0"}},
        {",,,", ",", {}},
        {"", ",", {}},
        {"b;a,,c", ";,", {"b", "a", "c"}},
        {"\t1 inch\r\n", ",", {"1 inch"}},
        {"one two", "", {"one two"}},
    };
    QComboBox combo;
    combo.setEditable(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        combo.addItems({"old", "older"});
        combo.setEditText(QStringLiteral("typed"));
        FillComboFromList(&combo, QString::fromLatin1(c.list), QString::fromLatin1(c.separators));
        EXPECT_EQ(itemsOf(combo), c.items);
        // The pieces go into an emptied list: nothing is chosen and its edit stays empty.
        EXPECT_EQ(combo.currentIndex(), -1);
        EXPECT_EQ(combo.currentText(), QString());
    }
}

TEST_F(TextHelpers, SelectComboByValueTakesTheFirstLeadingIntegerMatch)
{
    const struct {
        QStringList items;
        int start;
        int value;
        int selected;
    } cases[] = {
        {{"2.0", "3.0", "4.0"}, 0, 3, 1},
        {{"2.0", "3.0", "4.0"}, 2, 9, 2},   // no match keeps the selection
        {{"4.0", "4.5"}, 1, 4, 0},          // first of two matches
        {{" -5 dots", "+7"}, 0, 7, 1},
        {{" -5 dots", "+7"}, 1, -5, 0},
        {{"x", "0"}, 1, 0, 0},              // no digits read as 0
        {{"99999999999", "1"}, 1, 2147483647, 0},  // saturates like the C conversion
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.items.join('|').toStdString() + " <- " + std::to_string(c.value));
        QComboBox combo;
        combo.addItems(c.items);
        combo.setCurrentIndex(c.start);
        SelectComboByValue(&combo, c.value);
        EXPECT_EQ(combo.currentIndex(), c.selected);
    }
}

// ---- string resources ---------------------------------------------------------------------

constexpr int kUsbSerialNumberSet = 276;
constexpr int kNoSuchString = 65000;
const QString kUsbSerialText = QStringLiteral("Set USB serial number is successful");

TEST_F(TextHelpers, LoadResStringFillsTheCache)
{
    EXPECT_EQ(LoadResString(kUsbSerialNumberSet), kUsbSerialText);
    EXPECT_EQ(g_strResourceCache, kUsbSerialText);
    EXPECT_EQ(LoadResString(kNoSuchString), QString());
    EXPECT_EQ(g_strResourceCache, QString());
}

TEST_F(TextHelpers, FillComboFromResourceSplitsTheString)
{
    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    FillComboFromResource(kUsbSerialNumberSet, &combo);
    EXPECT_EQ(itemsOf(combo), QStringList({kUsbSerialText}));
    EXPECT_EQ(combo.currentIndex(), -1);
    FillComboFromResource(kNoSuchString, &combo);
    EXPECT_EQ(combo.count(), 0);
}

// A freshly filled list shows no choice, and a value that matches no item leaves it so.
TEST_F(TextHelpers, FilledListsStartWithoutAChoice)
{
    QComboBox combo;
    FillComboFromList(&combo, QStringLiteral("2.0,3.0,4.0"), QStringLiteral(","));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.currentText(), QString());
    SelectComboByValue(&combo, 9);
    EXPECT_EQ(combo.currentIndex(), -1);
    SelectComboByValue(&combo, 4);
    EXPECT_EQ(combo.currentText(), QStringLiteral("4.0"));
}

TEST_F(TextHelpers, ShowUsbSerialNumberMessageShowsSuccess)
{
    ui::TestHooks hooks;
    EXPECT_EQ(ShowUsbSerialNumberMessage(), kUsbSerialText);
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, kUsbSerialText);
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);
}

// ---- trimming -----------------------------------------------------------------------------

TEST(RightTrim, RemovesTrailingWhiteSpaceOnly)
{
    const QString longText = QString(5000, u'x');
    const struct {
        QString text;
        QString trimmed;
    } cases[] = {
        {"word \t\r\n", "word"},
        {"   ", ""},
        {"", ""},
        {" lead", " lead"},
        {"a b\v\f", "a b"},
        {QStringLiteral("a\u3000\u00a0"), "a"},
        {longText + "  ", longText},  // kept whole however long
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(20).toStdString());
        EXPECT_EQ(RightTrim(c.text), c.trimmed);
    }
}

}  // namespace
