#include "platform/linux/TiffLayout.h"

#include <algorithm>

namespace platform {

namespace {

// Products and sums of header values, which may be anything: at most the largest number.
quint64 times(quint64 a, quint64 b)
{
    quint64 product = 0;
    return __builtin_mul_overflow(a, b, &product) ? ~quint64(0) : product;
}

quint64 plus(quint64 a, quint64 b)
{
    quint64 sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? ~quint64(0) : sum;
}

constexpr quint16 kExifDirectory = 34665;
constexpr quint16 kGpsDirectory = 34853;

}  // namespace

void TiffLayout::check()
{
    unsigned char header[16];
    if (!m_file.read(0, header, 8))
        return;
    m_little = header[0] == 'I';
    const quint64 version = number(header + 2, 2);
    quint64 first = 0;
    if (version == 42) {
        first = number(header + 4, 4);
    } else if (version == 43 && m_file.read(0, header, 16)) {
        m_big = true;
        first = number(header + 8, 8);
    } else {
        return;
    }
    std::vector<Entry> entries;
    if (!directory(first, entries))
        return;
    for (const Entry& e : entries) {
        std::vector<Entry> inner;
        if ((e.tag == kExifDirectory || e.tag == kGpsDirectory) && e.count == 1 && !directory(value(e), inner))
            return;
    }
    layout(entries);
}

int TiffLayout::typeBytes(quint16 type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;                       // bytes, text, undefined
    case 3: case 8: return 2;                                       // shorts
    case 4: case 9: case 11: case 13: return 4;                     // longs, floats, directories
    case 5: case 10: case 12: case 16: case 17: case 18: return 8;  // rationals, doubles, 64-bit
    default: return 0;                                              // unknown: the reader skips it
    }
}

quint64 TiffLayout::number(const unsigned char* p, int bytes) const
{
    quint64 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint64(p[m_little ? i : bytes - 1 - i]) << (8 * i);
    return v;
}

bool TiffLayout::damaged()
{
    m_found.damaged = true;
    return false;
}

bool TiffLayout::directory(quint64 offset, std::vector<Entry>& entries)
{
    const int countBytes = m_big ? 8 : 2, entryBytes = m_big ? 20 : 12, inlineBytes = m_big ? 8 : 4;
    unsigned char countField[8];
    if (!m_file.read(offset, countField, quint64(countBytes)))
        return damaged();
    const quint64 count = number(countField, countBytes);
    if (count > (m_file.size() - offset - quint64(countBytes)) / quint64(entryBytes))
        return damaged();
    std::vector<unsigned char> raw(std::size_t(count) * std::size_t(entryBytes));
    if (!m_file.read(offset + quint64(countBytes), raw.data(), raw.size()))
        return damaged();
    for (quint64 i = 0; i < count; ++i) {
        const unsigned char* p = raw.data() + std::size_t(i) * std::size_t(entryBytes);
        Entry e;
        e.tag = quint16(number(p, 2));
        e.type = quint16(number(p + 2, 2));
        e.count = number(p + 4, m_big ? 8 : 4);
        const int size = typeBytes(e.type);
        if (size == 0)
            continue;
        const quint64 bytes = times(e.count, quint64(size));
        const int field = m_big ? 12 : 8;
        if (bytes <= quint64(inlineBytes)) {
            e.at = offset + quint64(countBytes) + i * quint64(entryBytes) + quint64(field);
        } else {
            e.at = number(p + field, inlineBytes);
            if (e.at > m_file.size() || bytes > m_file.size() - e.at)
                return damaged();
            m_found.readerBytes = plus(m_found.readerBytes, bytes);
        }
        entries.push_back(e);
    }
    return true;
}

std::vector<quint64> TiffLayout::values(const Entry& e, quint64 limit) const
{
    std::vector<quint64> out;
    const bool whole = e.type == 1 || e.type == 3 || e.type == 4 || e.type == 13 || e.type == 16 || e.type == 18;
    if (!whole)
        return out;
    const int size = typeBytes(e.type);
    const quint64 count = std::min(e.count, limit);
    std::vector<unsigned char> raw(std::size_t(count) * std::size_t(size));
    if (!m_file.read(e.at, raw.data(), raw.size()))
        return out;
    out.reserve(std::size_t(count));
    for (quint64 i = 0; i < count; ++i)
        out.push_back(number(raw.data() + std::size_t(i) * std::size_t(size), size));
    return out;
}

quint64 TiffLayout::value(const Entry& e) const
{
    const std::vector<quint64> v = values(e, 1);
    return v.empty() ? 0 : v.front();
}

void TiffLayout::layout(const std::vector<Entry>& entries)
{
    auto find = [&entries](quint16 tag) -> const Entry* {
        for (const Entry& e : entries)
            if (e.tag == tag)
                return &e;
        return nullptr;
    };
    auto get = [&](quint16 tag, quint64 otherwise) {
        const Entry* e = find(tag);
        return e ? value(*e) : otherwise;
    };
    const bool tiled = find(324) != nullptr;
    const Entry* offsets = find(tiled ? 324 : 273);
    const Entry* counts = find(tiled ? 325 : 279);
    if (offsets && counts) {
        const std::vector<quint64> at = values(*offsets);
        const std::vector<quint64> bytes = values(*counts);
        for (std::size_t i = 0; i < std::min(at.size(), bytes.size()); ++i) {
            if (at[i] > m_file.size() || bytes[i] > m_file.size() - at[i]) {
                damaged();
                return;
            }
        }
    }
    const quint64 width = get(256, 0), height = get(257, 0);
    const quint64 bitsPerSample = std::max<quint64>(get(258, 1), 1);
    const quint64 samples = std::max<quint64>(get(277, 1), 1);
    const quint64 samplesTogether = get(284, 1) == 2 ? 1 : samples;  // planes apart: one at a time
    auto lineBytes = [&](quint64 pixels) { return plus(times(times(pixels, bitsPerSample), samplesTogether), 7) / 8; };
    if (tiled) {
        const quint64 tileWidth = std::max<quint64>(get(322, 1), 1), tileLength = get(323, 1);
        const quint64 across = width / tileWidth + 1;
        m_found.readerBytes = plus(m_found.readerBytes, times(times(lineBytes(tileWidth), tileLength), across));
    } else {
        const quint64 rows = std::min(get(278, height), height);
        m_found.readerBytes = plus(m_found.readerBytes, times(lineBytes(width), rows));
    }
    const quint64 photometric = get(262, 0);
    const bool rgba = photometric == 6 || photometric == 8 || photometric == 9 || photometric == 10
                      || photometric == 32844 || photometric == 32845 || get(259, 1) == 6;
    if (rgba)
        m_found.readerBytes = plus(m_found.readerBytes, times(times(width, height), 4));
}

}  // namespace platform
