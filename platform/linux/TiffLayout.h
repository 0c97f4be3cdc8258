#pragma once

#include "platform/linux/FileBytes.h"
#include "platform/linux/PictureFileCheck.h"

#include <vector>

namespace platform {

// A TIFF's first directory (and the Exif and GPS directories it points to), read before the
// reader allocates for it: every directory, tag value, strip and tile must lie within the
// file. The reader keeps the directory's values and one strip, or one row of tiles, decoded;
// the TIFFs it reads as RGBA (YCbCr, CIE L*a*b*, LogLuv, old-style JPEG) it holds whole at 4
// bytes a pixel. A fourth sample is alpha only when the ExtraSamples tag says so. The walk
// reads a block of entries or values at a time and keeps only the tags it looks at, so it
// holds a few KiB whatever the tags claim.
class TiffLayout {
public:
    TiffLayout(const FileBytes& file, PictureFileCheck::Findings& found) : m_file(file), m_found(found) {}
    void check();

private:
    struct Entry {
        quint16 tag = 0;
        quint16 type = 0;
        quint64 count = 0;
        quint64 at = 0;  // where its values are: in the entry itself, or where it points
    };
    // Entries or values read at once.
    static constexpr quint64 kBlock = 256;

    static int typeBytes(quint16 type);
    static bool looksAt(quint16 tag);
    quint64 number(const unsigned char* p, int bytes) const;
    bool damaged();
    bool directory(quint64 offset, std::vector<Entry>& entries);
    // Values [first, first + count) of an entry of whole numbers, count at most kBlock, into
    // `out`; false when it holds no whole numbers or they cannot be read.
    bool values(const Entry& e, quint64 first, quint64 count, quint64* out) const;
    quint64 value(const Entry& e) const;
    void layout(const std::vector<Entry>& entries);

    const FileBytes& m_file;
    PictureFileCheck::Findings& m_found;
    bool m_little = true;
    bool m_big = false;
};

}  // namespace platform
