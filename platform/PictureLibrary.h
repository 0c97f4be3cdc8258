#pragma once

#include "platform/Picture.h"
#include "platform/Service.h"

#include <QString>
#include <memory>

namespace platform {

// The picture library: decoders chosen by a format identifier found from a file extension.
class PictureLibrary {
public:
    // No decoder for the extension.
    static constexpr int kUnknownFormat = -1;

    virtual ~PictureLibrary() = default;
    // The identifier for an extension ("bmp", "jpg"...), in any case.
    virtual int formatFromExtension(const QString& extension) const = 0;
    // The picture decoded from the file with that format; null when it cannot be.
    virtual std::unique_ptr<Picture> load(const QString& path, int format) const = 0;
};

template <>
PictureLibrary& defaultService<PictureLibrary>();

}  // namespace platform
