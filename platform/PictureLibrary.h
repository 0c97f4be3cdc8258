#pragma once

#include "platform/Picture.h"
#include "platform/Service.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <memory>

namespace platform {

// The picture library: decoders chosen by a format identifier found from a file extension.
class PictureLibrary {
public:
    // No decoder for the extension.
    static constexpr int kUnknownFormat = -1;
    // The most pixels a picture may have. Valid pictures up to this size convert; a header
    // that claims more is taken as damaged, since no memory would hold it.
    static constexpr quint64 kMaxPixels = quint64(1) << 29;
    // No format packs more pixels into a byte of its file (deflate's best, 1032 to 1, at 8
    // pixels a byte, with room to spare): a header that claims more is damaged, and is not
    // decoded into the memory it claims.
    static constexpr quint64 kMaxPixelsPerFileByte = 16384;

    // Why a load gave nothing.
    struct LoadProblem {
        // The header claims more than kMaxPixels: `width` x `height`.
        bool tooLarge = false;
        quint64 width = 0;
        quint64 height = 0;
        // The header claims more pixels than the file could hold.
        bool damaged = false;
    };
    // Whether a header's size is one to decode, from a file of `fileBytes`; else says why.
    static bool plausible(quint64 width, quint64 height, qint64 fileBytes, LoadProblem& problem)
    {
        const quint64 pixels = width * height;
        if (pixels > kMaxPixels) {
            problem.tooLarge = true;
            problem.width = width;
            problem.height = height;
            return false;
        }
        if (pixels / kMaxPixelsPerFileByte > quint64(std::max<qint64>(fileBytes, 0))) {
            problem.damaged = true;
            return false;
        }
        return true;
    }

    virtual ~PictureLibrary() = default;
    // The identifier for an extension ("bmp", "jpg"...), in any case.
    virtual int formatFromExtension(const QString& extension) const = 0;
    // The picture decoded from the file, whose content decides its format where it can; the
    // format given stands for content that names none. Null when it cannot be read; then
    // `problem`, when given, says whether the header claimed too many pixels.
    virtual std::unique_ptr<Picture> load(const QString& path, int format,
                                          LoadProblem* problem = nullptr) const = 0;
};

template <>
PictureLibrary& defaultService<PictureLibrary>();

}  // namespace platform
