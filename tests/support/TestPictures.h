#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace ztest {

// Picture files written byte by byte: PNG chunks, large PNGs deflated line by line, and
// small forged files whose headers claim far more than the file holds.
class TestPictures {
public:
    // One PNG chunk: length, type, data, CRC.
    static QByteArray pngChunk(const char* type, const QByteArray& data);

    // Fills one line of samples (`channels` bytes a pixel) of line `y`.
    using LineFiller = std::function<void(int y, std::uint8_t* samples)>;
    // An 8-bit PNG, grey (1 channel) or RGB (3), written to `path` a line at a time, so no
    // copy of the whole picture is held; false when it cannot be written.
    static bool writePng(const QString& path, int width, int height, int channels, const LineFiller& fill);
    // A photo-like RGB picture: gradients, a fine pattern and blocks.
    static LineFiller photo(int width, int height);
    // A scanned grey page: white with a dark band every 100 lines.
    static LineFiller scan(int width);

    // A small grey PNG with a text chunk after the image data that claims 2^31 - 1 bytes, the
    // file `fileBytes` long (64 at the least: a 1 x 1 picture then).
    static QByteArray pngWithHugeText(int fileBytes);
    // A 16 x 16 grey PNG whose image data chunk claims 100000 bytes more than the file holds.
    static QByteArray pngWithShortImageData();
    // A TIFF header claiming `width` x `height` RGBA pixels, of 32-bit float samples or 8-bit
    // ones, uncompressed in one strip, padded with zeros to `fileBytes`; the strip is said to
    // hold the padding, or `stripBytes` when given.
    static QByteArray paddedTiff(int width, int height, int bitsPerSample, int fileBytes, bool bigEndian = false,
                                 qint64 stripBytes = -1);
    // A run-length PCX file's header of `bits` per pixel in `planes` planes, `width` x `height`,
    // `lineBytes` a line in each plane, then lines of zeros, cut or padded with zeros to
    // `fileBytes`.
    static QByteArray pcx(int bits, int planes, int width, int height, int lineBytes, int fileBytes);
    // An icon of one picture, a PNG file.
    static QByteArray icon(const QByteArray& png);

    // One tag of a TIFF directory: its values as they lie in a little-endian file.
    struct TiffTag {
        quint16 tag;
        quint16 type;
        quint32 count;
        QByteArray values;
    };
    // A little-endian TIFF of one directory of `tags` (in the order given), their values of
    // more than 4 bytes after it, then `strip`; a StripOffsets tag (273) given without values
    // points at the strip.
    static QByteArray tiff(const std::vector<TiffTag>& tags, const QByteArray& strip);
};

}  // namespace ztest
