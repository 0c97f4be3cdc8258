#include "workbench/CharacterSetCommands.h"

namespace ostrel {

namespace {

constexpr int kInternationalSets = 16;
constexpr int kRowX = 30;
constexpr int kFirstRowY = 50;
constexpr int kRowStep = 70;
constexpr int kRowsBelowY = 1170;

const QByteArray kLabelWidthWide("SW780\r");
const QByteArray kLabelWidthNormal("SW830\r");
const QByteArray kLabelEnd("'\rP1\r");
const QByteArray kPrint("P1\r");
// The characters the national sets replace, the backslash doubled inside the quotes.
const QByteArray kNationalCharacters("#$@[\\\\]^`{|}~");

}  // namespace

QByteArray CharacterSetCommand(int charSet, int codeTable)
{
    return "CS" + QByteArray::number(charSet) + ',' + QByteArray::number(codeTable) + '\r';
}

QByteArray CharacterSetHeader(const CharacterSetFont& font, int x, int y)
{
    const QByteArray position = QByteArray::number(x) + ',' + QByteArray::number(y) + ',';
    const QByteArray multipliers =
        QByteArray::number(font.vMulti) + ',' + QByteArray::number(font.hMulti);
    if (font.vector)
        return 'V' + position + "U," + multipliers + ",+1,N,N,N,0,L,0,'";
    return 'T' + position + font.font + ',' + multipliers + ",10,0,N,N,'";
}

QByteArray CodesUnder80H()
{
    QByteArray codes;
    codes.reserve(98);
    for (int c = 0x20; c <= 0x7F; ++c) {
        if (c == '\'' || c == '\\')
            codes += '\\';
        codes += char(c);
    }
    return codes;
}

QByteArray CodesOver80H()
{
    QByteArray codes;
    codes.reserve(128);
    for (int c = 0x80; c <= 0xFF; ++c)
        codes += char(c);
    return codes;
}

std::vector<QByteArray> CodeLabelWrites(const CharacterSetFont& font, int x, int y, int charSet,
                                        int codeTable, QByteArrayView codes)
{
    QByteArray label = kLabelWidthWide + CharacterSetCommand(charSet, codeTable) +
                       CharacterSetHeader(font, x, y);
    label += codes;
    label += kLabelEnd;
    return {label, kLabelWidthNormal};
}

std::vector<QByteArray> AllCodeTableWrites(const CharacterSetFont& font, int x, int y,
                                           int charSet, int tableCount)
{
    const QByteArray codes = CodesUnder80H() + CodesOver80H();
    std::vector<QByteArray> writes;
    for (int table = 0; table < tableCount; ++table) {
        for (QByteArray& w : CodeLabelWrites(font, x, y, charSet, table, codes))
            writes.push_back(std::move(w));
    }
    return writes;
}

std::vector<QByteArray> InternationalWrites(const CharacterSetFont& font, int codeTable)
{
    std::vector<QByteArray> writes;
    for (int set = 0, y = kFirstRowY; set < kInternationalSets && y < kRowsBelowY;
         ++set, y += kRowStep) {
        writes.push_back(CharacterSetCommand(set, codeTable) +
                         CharacterSetHeader(font, kRowX, y) + kNationalCharacters + "'\r");
    }
    writes.push_back(kPrint);
    return writes;
}

}  // namespace ostrel
