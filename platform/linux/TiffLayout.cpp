#include "platform/linux/TiffLayout.h"

#include "platform/Saturating.h"

#include <algorithm>

namespace platform {

namespace {

using S = Saturating;

constexpr quint16 kExifDirectory = 34665;
constexpr quint16 kGpsDirectory = 34853;
constexpr quint16 kExtraSamples = 338;

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
        if ((e.tag != kExifDirectory && e.tag != kGpsDirectory) || e.count != 1)
            continue;
        // A pointer of 0 is no directory.
        std::vector<Entry> inner;
        const quint64 at = value(e);
        if (at != 0 && !directory(at, inner))
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

bool TiffLayout::looksAt(quint16 tag)
{
    switch (tag) {
    case 256: case 257: case 258: case 259: case 262: case 273: case 277: case 278: case 279:
    case 284: case 322: case 323: case 324: case 325: case kExtraSamples: case kExifDirectory:
    case kGpsDirectory:
        return true;
    default:
        return false;
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
    unsigned char raw[kBlock * 20];
    for (quint64 first = 0; first < count; first += kBlock) {
        const quint64 block = std::min(kBlock, count - first);
        const quint64 blockAt = offset + quint64(countBytes) + first * quint64(entryBytes);
        if (!m_file.read(blockAt, raw, block * quint64(entryBytes)))
            return damaged();
        for (quint64 i = 0; i < block; ++i) {
            const unsigned char* p = raw + i * quint64(entryBytes);
            Entry e;
            e.tag = quint16(number(p, 2));
            e.type = quint16(number(p + 2, 2));
            e.count = number(p + 4, m_big ? 8 : 4);
            const int size = typeBytes(e.type);
            if (size == 0)
                continue;
            const quint64 bytes = S::times(e.count, quint64(size));
            const int field = m_big ? 12 : 8;
            if (bytes <= quint64(inlineBytes)) {
                e.at = blockAt + i * quint64(entryBytes) + quint64(field);
            } else {
                e.at = number(p + field, inlineBytes);
                if (e.at > m_file.size() || bytes > m_file.size() - e.at)
                    return damaged();
                m_found.readerBytes = S::plus(m_found.readerBytes, bytes);
            }
            // Of a tag given twice, the first counts.
            if (looksAt(e.tag)
                && std::none_of(entries.begin(), entries.end(), [&e](const Entry& k) { return k.tag == e.tag; }))
                entries.push_back(e);
        }
    }
    return true;
}

bool TiffLayout::values(const Entry& e, quint64 first, quint64 count, quint64* out) const
{
    const bool whole = e.type == 1 || e.type == 3 || e.type == 4 || e.type == 13 || e.type == 16 || e.type == 18;
    if (!whole || count > kBlock || first > e.count || count > e.count - first)
        return false;
    const int size = typeBytes(e.type);
    unsigned char raw[kBlock * 8];
    if (!m_file.read(e.at + first * quint64(size), raw, count * quint64(size)))
        return false;
    for (quint64 i = 0; i < count; ++i)
        out[i] = number(raw + i * quint64(size), size);
    return true;
}

quint64 TiffLayout::value(const Entry& e) const
{
    quint64 v = 0;
    return values(e, 0, 1, &v) ? v : 0;
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
        const quint64 parts = std::min(offsets->count, counts->count);
        quint64 at[kBlock], bytes[kBlock];
        for (quint64 first = 0; first < parts; first += kBlock) {
            const quint64 block = std::min(kBlock, parts - first);
            if (!values(*offsets, first, block, at) || !values(*counts, first, block, bytes))
                break;
            for (quint64 i = 0; i < block; ++i) {
                if (at[i] > m_file.size() || bytes[i] > m_file.size() - at[i]) {
                    damaged();
                    return;
                }
            }
        }
    }
    const quint64 width = get(256, 0), height = get(257, 0);
    const quint64 bitsPerSample = std::max<quint64>(get(258, 1), 1);
    const quint64 samples = std::max<quint64>(get(277, 1), 1);
    const quint64 samplesTogether = get(284, 1) == 2 ? 1 : samples;  // planes apart: one at a time
    auto lineBytes = [&](quint64 pixels) { return S::plus(S::times(S::times(pixels, bitsPerSample), samplesTogether), 7) / 8; };
    if (tiled) {
        const quint64 tileWidth = std::max<quint64>(get(322, 1), 1), tileLength = get(323, 1);
        const quint64 across = width / tileWidth + 1;
        m_found.readerBytes = S::plus(m_found.readerBytes, S::times(S::times(lineBytes(tileWidth), tileLength), across));
    } else {
        const quint64 rows = std::min(get(278, height), height);
        m_found.readerBytes = S::plus(m_found.readerBytes, S::times(lineBytes(width), rows));
    }
    const quint64 photometric = get(262, 0);
    const bool rgba = photometric == 6 || photometric == 8 || photometric == 9 || photometric == 10
                      || photometric == 32844 || photometric == 32845 || get(259, 1) == 6;
    if (rgba)
        m_found.readerBytes = S::plus(m_found.readerBytes, S::times(S::times(width, height), 4));
    // Associated (1) or unassociated (2) alpha; an extra sample left unspecified is padding.
    const quint64 extra = get(kExtraSamples, 0);
    m_found.fourthByte = extra == 1 || extra == 2 ? GreyBitmap::FourthByte::Alpha : GreyBitmap::FourthByte::Padding;
}

}  // namespace platform
