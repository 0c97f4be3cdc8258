#pragma once

#include "platform/PictureLibrary.h"

namespace platform {

// The picture library on FreeImage; its format identifiers are FreeImage's.
class FreeImagePictureLibrary : public PictureLibrary {
public:
    FreeImagePictureLibrary();

    int formatFromExtension(const QString& extension) const override;
    std::unique_ptr<Picture> load(const QString& path, int format) const override;
};

}  // namespace platform
