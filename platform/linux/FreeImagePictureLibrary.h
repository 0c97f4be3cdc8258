#pragma once

#include "platform/PictureLibrary.h"

#include <QtGlobal>

namespace platform {

// The picture library on FreeImage; its format identifiers are FreeImage's.
class FreeImagePictureLibrary : public PictureLibrary {
public:
    // Larger pictures are refused as if they did not decode (a damaged header can claim
    // any size).
    static constexpr quint64 kMaxPixels = 100'000'000;

    FreeImagePictureLibrary();

    int formatFromExtension(const QString& extension) const override;
    std::unique_ptr<Picture> load(const QString& path, int format) const override;
};

}  // namespace platform
