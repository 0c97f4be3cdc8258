#pragma once

#include "platform/linux/FileBytes.h"
#include "platform/linux/PictureFileCheck.h"

#include <vector>

namespace platform {

// A TIFF's first directory (and the Exif and GPS directories it points to), read before the
// reader allocates for it: every directory, tag value, strip and tile must lie within the
// file. The reader keeps the directory's values and one strip, or one row of tiles, decoded;
// the TIFFs it reads as RGBA (YCbCr, CIE L*a*b*, LogLuv, old-style JPEG) it holds whole at 4
// bytes a pixel.
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

    static int typeBytes(quint16 type);
    quint64 number(const unsigned char* p, int bytes) const;
    bool damaged();
    bool directory(quint64 offset, std::vector<Entry>& entries);
    std::vector<quint64> values(const Entry& e, quint64 limit = ~quint64(0)) const;
    quint64 value(const Entry& e) const;
    void layout(const std::vector<Entry>& entries);

    const FileBytes& m_file;
    PictureFileCheck::Findings& m_found;
    bool m_little = true;
    bool m_big = false;
};

}  // namespace platform
