#pragma once

#include "platform/Picture.h"
#include "platform/Saturating.h"
#include "platform/Service.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>

namespace platform {

// The picture library: decoders chosen by a format identifier found from a file extension.
class PictureLibrary {
public:
    // No decoder for the extension.
    static constexpr int kUnknownFormat = -1;
    // The most pixels a picture may have. Valid pictures up to this size convert; a header
    // that claims more is taken as too large.
    static constexpr quint64 kMaxPixels = quint64(1) << 29;
    // The most memory one load may take: the decoded picture at its own bytes a pixel, what
    // its reader and the conversion hold besides, and the grey copy every conversion starts
    // from. A grey picture of kMaxPixels takes all of it.
    static constexpr quint64 kMaxLoadBytes = quint64(1) << 30;
    // No reader packs more bytes of picture into a byte of its file (deflate's best is 1032
    // to 1, run lengths and LZW less): a header that claims more is damaged, and is not
    // decoded into the memory it claims.
    static constexpr quint64 kMaxBytesPerFileByte = 2048;

    // Why a load gave nothing.
    struct LoadProblem {
        // The header claims more than kMaxPixels, or a picture whose load takes more than
        // kMaxLoadBytes: `width` x `height`.
        bool tooLarge = false;
        quint64 width = 0;
        quint64 height = 0;
        // The file does not hold what it states: more bytes of picture than it could hold, or
        // a chunk, strip or tag that goes past its end.
        bool damaged = false;
    };

    // The bytes of a picture decoded at `bitsPerPixel`, each line a whole number of bytes; at
    // most the largest number, as every count on the way to the budget.
    static quint64 decodedBytes(quint64 width, quint64 height, int bitsPerPixel)
    {
        const quint64 lineBits = Saturating::times(width, quint64(std::max(bitsPerPixel, 1)));
        const quint64 lineBytes = lineBits == ~quint64(0) ? lineBits : lineBits / 8 + (lineBits % 8 != 0);
        return Saturating::times(lineBytes, height);
    }
    // The most a load of the picture takes: while it is decoded, the decoded picture, the
    // `extraBytes` its reader and conversion hold besides, and the grey copy; after, the grey
    // copy with the 1-bit picture, its pixels for the PCX encoder and the PCX file.
    static quint64 loadBytes(quint64 width, quint64 height, int bitsPerPixel, quint64 extraBytes)
    {
        using S = Saturating;
        const quint64 grey = S::times(width, height);
        const quint64 decoding = S::plus(S::plus(decodedBytes(width, height, bitsPerPixel), extraBytes), grey);
        return std::max(decoding, S::plus(grey, S::times(3, decodedBytes(width, height, 1))));
    }
    // Whether a header is one to decode, from a file of `fileBytes`; else says why.
    static bool plausible(quint64 width, quint64 height, int bitsPerPixel, quint64 extraBytes, qint64 fileBytes,
                          LoadProblem& problem)
    {
        // Each side fits 32 bits, so their product fits 64; past kMaxPixels nothing more is
        // multiplied.
        const bool fits = width <= 0xFFFFFFFFu && height <= 0xFFFFFFFFu && width * height <= kMaxPixels;
        if (!fits || loadBytes(width, height, bitsPerPixel, extraBytes) > kMaxLoadBytes) {
            problem.tooLarge = true;
            problem.width = width;
            problem.height = height;
            return false;
        }
        if (decodedBytes(width, height, bitsPerPixel) / kMaxBytesPerFileByte > quint64(std::max<qint64>(fileBytes, 0))) {
            problem.damaged = true;
            return false;
        }
        return true;
    }

    // Starts `work` on a thread of its own for the conversions that split a picture among
    // threads (ParallelLines); false when the system refuses one, and the caller does that
    // work itself.
    virtual bool startThread(std::function<void()> work, std::thread& thread) const
    {
        try {
            thread = std::thread(std::move(work));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

    // startThread of the picture library in service, as the conversions pass it on.
    static bool startServiceThread(std::function<void()> work, std::thread& thread);

    virtual ~PictureLibrary() = default;
    // The identifier for an extension ("bmp", "jpg"...), in any case.
    virtual int formatFromExtension(const QString& extension) const = 0;
    // The picture decoded from the file, whose content decides its format where it can; the
    // format given stands for content that names none. Null when it cannot be read; then
    // `problem`, when given, says whether the picture is too large or the file damaged.
    virtual std::unique_ptr<Picture> load(const QString& path, int format,
                                          LoadProblem* problem = nullptr) const = 0;
};

template <>
PictureLibrary& defaultService<PictureLibrary>();

inline bool PictureLibrary::startServiceThread(std::function<void()> work, std::thread& thread)
{
    return service<PictureLibrary>().startThread(std::move(work), thread);
}

}  // namespace platform
