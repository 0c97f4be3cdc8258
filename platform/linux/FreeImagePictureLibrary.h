#pragma once

#include "platform/PictureLibrary.h"

namespace platform {

// The picture library on FreeImage, with Qt's image readers behind it for what FreeImage
// does not read; its format identifiers are FreeImage's. Every picture is held as 8-bit grey
// (1-bit ones as they are) from the moment it is decoded.
class FreeImagePictureLibrary : public PictureLibrary {
public:
    FreeImagePictureLibrary();

    int formatFromExtension(const QString& extension) const override;
    std::unique_ptr<Picture> load(const QString& path, int format, LoadProblem* problem = nullptr) const override;
};

}  // namespace platform
