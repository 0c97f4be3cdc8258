#include "workbench/ReceiveBuffer.h"

#include <array>
#include <cstring>

namespace {

constexpr int kBytesPerLine = 20;
constexpr int kBytesPerGroup = 4;

struct HexTable {
    std::array<char16_t, 512> digits{};
    constexpr HexTable()
    {
        constexpr char16_t hex[] = u"0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            digits[2 * b] = hex[b >> 4];
            digits[2 * b + 1] = hex[b & 15];
        }
    }
};
constexpr HexTable kHex;

struct AsciiTable {
    std::array<char16_t, 256> chars{};
    constexpr AsciiTable()
    {
        for (int b = 0; b < 256; ++b)
            chars[b] = (b >= 0x21 && b <= 0x7E) ? char16_t(b) : u'.';
    }
};
constexpr AsciiTable kAscii;

inline char16_t* putSeparator(char16_t* out, qsizetype n)
{
    if (n % kBytesPerLine == 0) {
        *out++ = u'\r';
        *out++ = u'\n';
    } else {
        *out++ = (n % kBytesPerGroup == 0) ? u'\t' : u' ';
    }
    return out;
}

// One pass over the bytes into a text allocated once at its final length.
template <bool Hex>
QString render(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    const qsizetype perByte = Hex ? 3 : 2;
    QString text(n * perByte + n / kBytesPerLine, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = in[i];
        if constexpr (Hex) {
            out[0] = kHex.digits[2 * b];
            out[1] = kHex.digits[2 * b + 1];
            out += 2;
        } else {
            *out++ = kAscii.chars[b];
        }
        out = putSeparator(out, i + 1);
    }
    return text;
}

}  // namespace

void ReceiveBuffer::append(const void* data, qsizetype length)
{
    if (length > 0)
        m_pReceived.append(static_cast<const char*>(data), length);
}

void ReceiveBuffer::clear()
{
    m_pReceived = QByteArray();
}

QString ReceiveBuffer::format(QByteArrayView bytes, DataType type)
{
    return type == DataType::Hex ? render<true>(bytes) : render<false>(bytes);
}
