#include "workbench/TwoByteSamples.h"

#include "platform/Services.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <cstring>

namespace twobyte {

namespace {

constexpr qsizetype kMaxSizeBytes = 32;

constexpr int IDS_START_BLOCK_WRONG = 330;
constexpr int IDS_END_BLOCK_WRONG = 331;

constexpr std::array<CodePage, 4> kCodePages{{
    {"KS5601", "A1 to F7", 0xA1, 0xF7, 0xA1, 0xF7, 0xA1, "abcdef", 'd', 'K', "^CI51", "^A6"},
    {"GB2312", "A1 to F7", 0xA1, 0xF7, 0xA1, 0xF7, 0xA1, "m", 'm', 'G', "^CI52", "^A7"},
    {"BIG5", "A1 to E8", 0xA1, 0xE8, 0xA1, 0xE8, 0x40, "n", 'n', 'B', "^CI53", "^A8"},
    {"JIS", "81 to EE, FA to FC", 0x81, 0xEE, 0x81, 0xFC, 0x3F, "j", 'j', 'J', "^CI54", "^A9"},
}};

constexpr char kLowerHex[] = "0123456789abcdef";

constexpr char kOstrelBitmapStart[] = "T20,20,";
constexpr char kOstrelBitmapRest[] = ",1,1,0,0,N,N,'";
constexpr char kOstrelVectorStart[] = "V20,20,";
constexpr char kOstrelVectorRest[] = ",1,N,N,N,0,L,0,'";
constexpr char kOstrelEnd[] = "'\rP1\r";
constexpr char kZplOrigin[] = "^XA";
constexpr char kZplField[] = "^FO20,20";
constexpr char kZplBlock[] = "^TBN,750,1200^FH_^FD";
constexpr char kZplEnd[] = "^FS^XZ";

// Fills a block allocated once at its final length.
class Writer {
public:
    explicit Writer(qsizetype size) : m_bytes(size, Qt::Uninitialized), m_out(m_bytes.data()) {}
    Writer& put(QByteArrayView bytes)
    {
        if (!bytes.isEmpty()) {
            std::memcpy(m_out, bytes.data(), size_t(bytes.size()));
            m_out += bytes.size();
        }
        return *this;
    }
    Writer& put(char c)
    {
        *m_out++ = c;
        return *this;
    }
    QByteArray take()
    {
        Q_ASSERT(m_out == m_bytes.constData() + m_bytes.size());
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char* m_out;
};

constexpr qsizetype length(const char* literal)
{
    return qsizetype(std::char_traits<char>::length(literal));
}

// The header, the lead/trail pairs and the print, in one block of the label's length.
template <class Header>
QByteArray ostrelLabel(const CodePage& page, unsigned char lead, qsizetype headerSize,
                       Header putHeader)
{
    Writer w(headerSize + 2 * TrailCount(page) + length(kOstrelEnd));
    putHeader(w);
    for (int t = page.trailFirst; t <= kLastTrail; ++t)
        w.put(char(lead)).put(char(t));
    w.put(kOstrelEnd);
    return w.take();
}

}  // namespace

const std::array<CodePage, 4>& CodePages()
{
    return kCodePages;
}

const CodePage& CodePageAt(int index)
{
    return index >= 0 && index < int(kCodePages.size()) ? kCodePages[size_t(index)] : kCodePages[0];
}

QStringList CodePageNames()
{
    QStringList names;
    for (const CodePage& page : kCodePages)
        names << QString::fromLatin1(page.name);
    return names;
}

QStringList BitmapFontNames(const CodePage& page)
{
    QStringList names;
    for (const char* c = page.bitmapFonts; *c; ++c)
        names << QString(QChar::fromLatin1(*c));
    return names;
}

int TrailCount(const CodePage& page)
{
    return kLastTrail - page.trailFirst + 1;
}

int ParseHexByte(QStringView text)
{
    if (text.size() != 2)
        return -1;
    int value = 0;
    for (QChar c : text) {
        const char32_t u = QChar::toUpper(char32_t(c.unicode()));
        int digit = -1;
        if (u >= U'0' && u <= U'9')
            digit = int(u - U'0');
        else if (u >= U'A' && u <= U'F')
            digit = int(u - U'A') + 10;
        if (digit < 0)
            return -1;
        value = 16 * value + digit;
    }
    return value;
}

QByteArray ByteToHex(unsigned char value)
{
    const char digits[2] = {kLowerHex[value >> 4], kLowerHex[value & 15]};
    return QByteArray(digits, 2);
}

QByteArray SizeText(const QString& text)
{
    const QByteArray bytes = platform::codePage().fromWide(text);
    return bytes.size() > kMaxSizeBytes ? QByteArray() : bytes;
}

QByteArray OstrelBitmapLabel(const CodePage& page, unsigned char lead, char fontLetter)
{
    const qsizetype headerSize = length(kOstrelBitmapStart) + 1 + length(kOstrelBitmapRest);
    return ostrelLabel(page, lead, headerSize, [&](Writer& w) {
        w.put(kOstrelBitmapStart).put(fontLetter).put(kOstrelBitmapRest);
    });
}

QByteArray OstrelVectorLabel(const CodePage& page, unsigned char lead, QByteArrayView width,
                             QByteArrayView height)
{
    const qsizetype headerSize = length(kOstrelVectorStart) + 1 + 1 + width.size() + 1 +
                                 height.size() + length(kOstrelVectorRest);
    return ostrelLabel(page, lead, headerSize, [&](Writer& w) {
        w.put(kOstrelVectorStart).put(page.vectorFont).put(',').put(width);
        w.put(',').put(height).put(kOstrelVectorRest);
    });
}

QByteArray ZplLabel(const CodePage& page, unsigned char lead, QByteArrayView height,
                    QByteArrayView width)
{
    const qsizetype size = length(kZplOrigin) + length(page.zplCodePage) + length(kZplField) +
                           length(page.zplFont) + 1 + height.size() + 1 + width.size() +
                           length(kZplBlock) + 6 * TrailCount(page) + length(kZplEnd);
    Writer w(size);
    w.put(kZplOrigin).put(page.zplCodePage).put(kZplField).put(page.zplFont);
    w.put(',').put(height).put(',').put(width).put(kZplBlock);
    const QByteArray leadHex = ByteToHex(lead);
    for (int t = page.trailFirst; t <= kLastTrail; ++t) {
        w.put('_').put(leadHex).put('_');
        w.put(kLowerHex[t >> 4]).put(kLowerHex[t & 15]);
    }
    w.put(kZplEnd);
    return w.take();
}

BlockTexts DefaultBlocks(const CodePage& page)
{
    return {QString::fromLatin1(page.blockArea),
            QString::fromLatin1(ByteToHex(page.defaultStart).toUpper()),
            QString::fromLatin1(ByteToHex(page.defaultEnd).toUpper())};
}

std::optional<LeadRange> ChooseLeadRange(const CodePage& page, bool allBlocks,
                                         const QString& startBlock, const QString& endBlock)
{
    if (allBlocks)
        return LeadRange{page.allFirst, page.allLast};
    const int first = ParseHexByte(startBlock);
    if (first < 0) {
        ui::MessageBox(ui::LoadString(IDS_START_BLOCK_WRONG));
        return std::nullopt;
    }
    const int last = ParseHexByte(endBlock);
    if (last < 0) {
        ui::MessageBox(ui::LoadString(IDS_END_BLOCK_WRONG));
        return std::nullopt;
    }
    return LeadRange{first, last};
}

}  // namespace twobyte
