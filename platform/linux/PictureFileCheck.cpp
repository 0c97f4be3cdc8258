#include "platform/linux/PictureFileCheck.h"

#include "platform/linux/FileBytes.h"
#include "platform/linux/TiffLayout.h"

#include <FreeImage.h>
#include <QtEndian>
#include <cstring>
#include <vector>

namespace platform {

namespace {

using Findings = PictureFileCheck::Findings;

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// The chunks of a PNG that starts at `begin`, up to `end`: each must lie within it. The
// reader keeps every chunk but the image data whole.
void walkPng(const FileBytes& file, quint64 begin, quint64 end, Findings& found)
{
    quint64 at = begin + 8;
    unsigned char header[8];
    while (at + 8 <= end && file.read(at, header, 8)) {
        const quint32 length = qFromBigEndian<quint32>(header);
        if (length > 0x7FFFFFFFu || quint64(length) + 12 > end - at) {
            found.damaged = true;
            return;
        }
        if (std::memcmp(header + 4, "IDAT", 4) != 0)
            found.readerBytes += length;
        if (std::memcmp(header + 4, "IEND", 4) == 0)
            return;
        at += quint64(length) + 12;
    }
}

bool isPng(const FileBytes& file, quint64 at)
{
    char signature[8];
    return file.read(at, signature, 8) && std::memcmp(signature, kPngSignature, 8) == 0;
}

// An icon's directory: each of its pictures must lie within the file, and is read whole; a
// PNG among them is walked.
void walkIcon(const FileBytes& file, Findings& found)
{
    unsigned char header[6];
    if (!file.read(0, header, 6))
        return;
    const quint16 count = qFromLittleEndian<quint16>(header + 4);
    std::vector<unsigned char> entries(std::size_t(count) * 16);
    if (!file.read(6, entries.data(), entries.size())) {
        found.damaged = true;
        return;
    }
    for (quint16 i = 0; i < count && !found.damaged; ++i) {
        const unsigned char* entry = entries.data() + std::size_t(i) * 16;
        const quint32 bytes = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        if (offset > file.size() || bytes > file.size() - offset) {
            found.damaged = true;
            return;
        }
        found.readerBytes += bytes;
        if (bytes >= 8 && isPng(file, offset))
            walkPng(file, offset, quint64(offset) + bytes, found);
    }
}

// A 32-bit BMP's fourth byte is alpha only under an alpha mask: bit fields in a header of 56
// bytes or more, or alpha bit fields (the mask then follows a 40-byte header).
bool bmpMayPad(const FileBytes& file)
{
    unsigned char header[70];
    if (!file.read(0, header, 54))
        return true;
    const quint32 headerSize = qFromLittleEndian<quint32>(header + 14);
    const quint32 compression = qFromLittleEndian<quint32>(header + 30);
    const bool masked = (compression == 3 && headerSize >= 56) || compression == 6;
    return !masked || !file.read(54, header + 54, 16) || qFromLittleEndian<quint32>(header + 66) == 0;
}

// A TGA's fourth byte is alpha when its descriptor gives alpha bits.
bool tgaMayPad(const FileBytes& file)
{
    unsigned char header[18];
    return !file.read(0, header, 18) || (header[17] & 0x0F) == 0;
}

// A PCX header the format defines: bits and planes one of its pairs (1 bit in 1 to 4 planes,
// 2 or 4 bits in 1, 8 bits in 1 or 3), and a line's bytes in each plane enough for its
// pixels. Any other header may have a reader read past its line buffer.
bool pcxDefined(const FileBytes& file)
{
    unsigned char header[128];
    if (!file.read(0, header, sizeof header))
        return false;
    const quint16 xMin = qFromLittleEndian<quint16>(header + 4), yMin = qFromLittleEndian<quint16>(header + 6);
    const quint16 xMax = qFromLittleEndian<quint16>(header + 8), yMax = qFromLittleEndian<quint16>(header + 10);
    const quint16 lineBytes = qFromLittleEndian<quint16>(header + 66);
    const int bits = header[3], planes = header[65];
    const bool pair = (bits == 1 && planes >= 1 && planes <= 4) || ((bits == 2 || bits == 4) && planes == 1)
                      || (bits == 8 && (planes == 1 || planes == 3));
    if (!pair || xMax < xMin || yMax < yMin)
        return false;
    const quint64 width = quint64(xMax) - xMin + 1;
    return quint64(lineBytes) * 8 >= width * quint64(bits);
}

}  // namespace

PictureFileCheck::Findings PictureFileCheck::inspect(const QString& path, int format)
{
    Findings found;
    const FileBytes file(path);
    if (!file.isOpen())
        return found;
    switch (format) {
    case FIF_PNG:
        if (isPng(file, 0))
            walkPng(file, 0, file.size(), found);
        break;
    case FIF_ICO: walkIcon(file, found); break;
    case FIF_TIFF: TiffLayout(file, found).check(); break;
    case FIF_PCX: found.damaged = !pcxDefined(file); break;
    case FIF_BMP:
        if (bmpMayPad(file))
            found.fourthByte = GreyBitmap::FourthByte::AlphaUnlessZeroEverywhere;
        break;
    case FIF_TARGA:
        if (tgaMayPad(file))
            found.fourthByte = GreyBitmap::FourthByte::AlphaUnlessZeroEverywhere;
        break;
    case FIF_RAS: found.fourthByte = GreyBitmap::FourthByte::AlphaUnlessZeroEverywhere; break;
    default: break;
    }
    return found;
}

}  // namespace platform
