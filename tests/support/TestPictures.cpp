#include "tests/support/TestPictures.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <vector>
#include <zlib.h>

namespace ztest {

namespace {

// A number appended in the byte order given.
template <typename T>
void put(QByteArray& out, T v, bool bigEndian)
{
    char bytes[sizeof(T)];
    if (bigEndian)
        qToBigEndian(v, bytes);
    else
        qToLittleEndian(v, bytes);
    out.append(bytes, sizeof(T));
}

void putBig32(QByteArray& out, quint32 v) { put(out, v, true); }
void putLittle16(QByteArray& out, quint16 v) { put(out, v, false); }
void putLittle32(QByteArray& out, quint32 v) { put(out, v, false); }

QByteArray pngHeader(int width, int height, int colourType)
{
    QByteArray ihdr;
    putBig32(ihdr, quint32(width));
    putBig32(ihdr, quint32(height));
    ihdr.append(char(8)).append(char(colourType)).append(char(0)).append(char(0)).append(char(0));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + TestPictures::pngChunk("IHDR", ihdr);
}

// The zlib stream of a grey picture's lines, each with its filter byte.
QByteArray greyImageData(int width, int height)
{
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
        raw.append(char(0));
        for (int x = 0; x < width; ++x)
            raw.append(char((x * 16 + y * 8) & 0xFF));
    }
    return qCompress(raw, 9).mid(4);  // qCompress puts the length before the zlib stream
}

}  // namespace

QByteArray TestPictures::pngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    putBig32(chunk, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    chunk += body;
    putBig32(chunk, quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))));
    return chunk;
}

bool TestPictures::writePng(const QString& path, int width, int height, int channels, const LineFiller& fill)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bool written = file.write(pngHeader(width, height, channels == 3 ? 2 : 0)) > 0;
    z_stream z{};
    if (deflateInit(&z, 6) != Z_OK)
        return false;
    std::vector<Bytef> line(std::size_t(width) * std::size_t(channels) + 1, 0), out(1 << 20);
    for (int y = 0; y <= height && written; ++y) {
        const bool last = y == height;
        if (!last) {
            fill(y, line.data() + 1);
            z.next_in = line.data();
            z.avail_in = uInt(line.size());
        }
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            const auto produced = qsizetype(out.size() - z.avail_out);
            if (produced > 0)
                written = file.write(pngChunk("IDAT", QByteArray(reinterpret_cast<const char*>(out.data()), produced))) > 0;
        } while (z.avail_out == 0 && written);
    }
    deflateEnd(&z);
    written = written && file.write(pngChunk("IEND", QByteArray())) > 0;
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

TestPictures::LineFiller TestPictures::photo(int width, int height)
{
    return [width, height](int y, std::uint8_t* rgb) {
        for (int x = 0; x < width; ++x, rgb += 3) {
            rgb[0] = std::uint8_t((x * 255 / (width - 1)) ^ (y & 0x3F));
            rgb[1] = std::uint8_t(y * 255 / (height - 1));
            rgb[2] = std::uint8_t(((x / 50 + y / 50) % 2) * 180 + 40);
        }
    };
}

TestPictures::LineFiller TestPictures::scan(int width)
{
    return [width](int y, std::uint8_t* grey) { std::fill(grey, grey + width, std::uint8_t(y % 100 < 10 ? 40 : 250)); };
}

QByteArray TestPictures::pngWithHugeText(int fileBytes)
{
    const int side = fileBytes >= 128 ? 16 : 1;
    QByteArray png = pngHeader(side, side, 0) + pngChunk("IDAT", greyImageData(side, side));
    putBig32(png, 0x7FFFFFFF);
    png += "tEXt";
    const QByteArray keyword("Comment\0", 8);
    png += keyword.left(std::max<qsizetype>(0, fileBytes - png.size()));
    if (png.size() < fileBytes)
        png += QByteArray(fileBytes - png.size(), 'x');
    return png;
}

QByteArray TestPictures::pngWithShortImageData()
{
    QByteArray png = pngHeader(16, 16, 0);
    const QByteArray data = greyImageData(16, 16);
    QByteArray idat = pngChunk("IDAT", data);
    qToBigEndian(quint32(data.size() + 100000), idat.data());
    return png + idat;
}

QByteArray TestPictures::paddedTiff(int width, int height, int bitsPerSample, int fileBytes, bool bigEndian,
                                    qint64 stripBytes)
{
    struct Entry {
        quint16 tag, type;
        quint32 count, value;
    };
    constexpr quint16 kShort = 3, kLong = 4, kRational = 5;
    constexpr int kEntries = 15;
    constexpr quint32 ifdEnd = 8 + 2 + kEntries * 12 + 4;
    constexpr quint32 bitsAt = ifdEnd, formatAt = bitsAt + 8, xResAt = formatAt + 8, yResAt = xResAt + 8;
    constexpr quint32 dataAt = yResAt + 8;
    if (stripBytes < 0)
        stripBytes = std::max<qint64>(0, fileBytes - qint64(dataAt));
    const Entry entries[kEntries] = {
        {256, kLong, 1, quint32(width)},
        {257, kLong, 1, quint32(height)},
        {258, kShort, 4, bitsAt},
        {259, kShort, 1, 1},        // no compression
        {262, kShort, 1, 2},        // RGB
        {273, kLong, 1, dataAt},    // the one strip
        {274, kShort, 1, 1},        // top left
        {277, kShort, 1, 4},        // samples a pixel
        {278, kLong, 1, quint32(height)},
        {279, kLong, 1, quint32(stripBytes)},
        {282, kRational, 1, xResAt},
        {283, kRational, 1, yResAt},
        {284, kShort, 1, 1},        // contiguous samples
        {338, kShort, 1, 2},        // unassociated alpha
        {339, kShort, 4, formatAt}, // floating point or unsigned
    };
    QByteArray tiff;
    auto put16 = [&tiff, bigEndian](quint16 v) { put(tiff, v, bigEndian); };
    auto put32 = [&tiff, bigEndian](quint32 v) { put(tiff, v, bigEndian); };
    tiff += bigEndian ? "MM" : "II";
    put16(42);
    put32(8);
    put16(kEntries);
    for (const Entry& e : entries) {
        put16(e.tag);
        put16(e.type);
        put32(e.count);
        if (e.type == kShort && e.count == 1) {
            put16(quint16(e.value));
            put16(0);
        } else {
            put32(e.value);
        }
    }
    put32(0);  // no further directory
    for (int i = 0; i < 4; ++i)
        put16(quint16(bitsPerSample));
    for (int i = 0; i < 4; ++i)
        put16(bitsPerSample == 32 ? 3 : 1);
    for (int i = 0; i < 2; ++i) {
        put32(72);
        put32(1);
    }
    if (tiff.size() < fileBytes)
        tiff += QByteArray(fileBytes - tiff.size(), '\0');
    return tiff;
}

QByteArray TestPictures::pcx(int bits, int planes, int width, int height, int lineBytes, int fileBytes)
{
    QByteArray out;
    out.append(char(10)).append(char(5)).append(char(1)).append(char(bits));
    putLittle16(out, 0);
    putLittle16(out, 0);
    putLittle16(out, quint16(width - 1));
    putLittle16(out, quint16(height - 1));
    putLittle16(out, 72);
    putLittle16(out, 72);
    out += QByteArray(48, '\0');  // colour map
    out.append(char(0)).append(char(planes));
    putLittle16(out, quint16(lineBytes));
    putLittle16(out, 1);
    out += QByteArray(58, '\0');
    for (qint64 line = 0; line < qint64(height) * planes && out.size() < fileBytes; ++line) {
        for (int left = lineBytes; left > 0; left -= 63)
            out.append(char(0xC0 + std::min(left, 63))).append(char(0));
    }
    out = out.left(fileBytes);
    return out + QByteArray(std::max<qsizetype>(0, fileBytes - out.size()), '\0');
}

QByteArray TestPictures::icon(const QByteArray& png)
{
    QByteArray ico;
    putLittle16(ico, 0);
    putLittle16(ico, 1);  // an icon
    putLittle16(ico, 1);  // of one picture
    ico.append(char(16)).append(char(16)).append(char(0)).append(char(0));
    putLittle16(ico, 1);
    putLittle16(ico, 32);
    putLittle32(ico, quint32(png.size()));
    putLittle32(ico, 22);
    return ico + png;
}

QByteArray TestPictures::tiff(const std::vector<TiffTag>& tags, const QByteArray& strip)
{
    const quint32 directoryEnd = 8 + 2 + quint32(tags.size()) * 12 + 4;
    QByteArray outside;  // the values of more than 4 bytes
    for (const TiffTag& t : tags)
        if (t.values.size() > 4)
            outside += t.values + QByteArray(t.values.size() & 1, '\0');  // each at an even offset
    const quint32 stripAt = directoryEnd + quint32(outside.size());
    QByteArray out("II", 2);
    putLittle16(out, 42);
    putLittle32(out, 8);
    putLittle16(out, quint16(tags.size()));
    quint32 at = directoryEnd;
    for (const TiffTag& t : tags) {
        putLittle16(out, t.tag);
        putLittle16(out, t.type);
        putLittle32(out, t.count);
        if (t.tag == 273 && t.values.isEmpty()) {
            putLittle32(out, stripAt);
        } else if (t.values.size() > 4) {
            putLittle32(out, at);
            at += quint32(t.values.size() + (t.values.size() & 1));
        } else {
            out += t.values + QByteArray(4 - t.values.size(), '\0');
        }
    }
    putLittle32(out, 0);  // no further directory
    return out + outside + strip;
}

}  // namespace ztest
