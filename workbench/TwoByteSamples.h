#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

// The sample labels of the two-byte (Asian) code pages: one label per lead byte showing
// every character of that lead byte in trail-byte order, as Ostrel or as ZPL II.
namespace twobyte {

struct CodePage {
    const char* name;
    const char* blockArea;          // the block area text shown
    unsigned char defaultStart;     // the start and end blocks offered
    unsigned char defaultEnd;
    unsigned char allFirst;         // the lead bytes of "all blocks"
    unsigned char allLast;
    unsigned char trailFirst;       // the trail bytes run from here to 0xFE
    const char* bitmapFonts;        // the Ostrel bitmap font letters offered
    char defaultFont;
    char vectorFont;                // the Ostrel vector font letter
    const char* zplCodePage;        // "^CI.."
    const char* zplFont;            // "^A."
};

inline constexpr unsigned char kLastTrail = 0xFE;

// KS5601, GB2312, BIG5, JIS (Shift-JIS), in list order.
const std::array<CodePage, 4>& CodePages();
// The page of a list index; the first for an index outside the list.
const CodePage& CodePageAt(int index);
QStringList CodePageNames();
QStringList BitmapFontNames(const CodePage& page);
int TrailCount(const CodePage& page);

// Exactly two hexadecimal digits, either case, as a byte; -1 for anything else.
int ParseHexByte(QStringView text);
// Two lower-case hexadecimal digits.
QByteArray ByteToHex(unsigned char value);

// A size edit's text in the ANSI code page; nothing when it converts to nothing or to more
// than 32 bytes.
QByteArray SizeText(const QString& text);

// "T20,20," letter ",1,1,0,0,N,N,'", the pairs lead/trail, "'" CR "P1" CR.
QByteArray OstrelBitmapLabel(const CodePage& page, unsigned char lead, char fontLetter);
// "V20,20," letter "," width "," height ",1,N,N,N,0,L,0,'", the pairs, "'" CR "P1" CR.
QByteArray OstrelVectorLabel(const CodePage& page, unsigned char lead, QByteArrayView width,
                             QByteArrayView height);
// "^XA" ^CI "^FO20,20" ^A "," height "," width "^TBN,750,1200^FH_^FD", "_ll_tt" per trail
// byte, "^FS^XZ".
QByteArray ZplLabel(const CodePage& page, unsigned char lead, QByteArrayView height,
                    QByteArrayView width);

// What the block fields show for a page: its area text, its default start and end blocks.
struct BlockTexts {
    QString area;
    QString start;
    QString end;
};
BlockTexts DefaultBlocks(const CodePage& page);

// The lead bytes to print, first to last inclusive (none when first > last).
struct LeadRange {
    int first;
    int last;
};
// All blocks: the page's range; otherwise the start and end blocks, each two hex digits. A
// block that is not shows its message ("Start Block value is wrong!" or "End Block value is
// wrong!") and gives nothing.
std::optional<LeadRange> ChooseLeadRange(const CodePage& page, bool allBlocks,
                                         const QString& startBlock, const QString& endBlock);

}  // namespace twobyte
