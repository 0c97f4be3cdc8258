#pragma once

#include "platform/PictureLibrary.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace ztest {

// platform::PictureLibrary whose every load gives a picture of the configured size and
// depth; it records what was loaded and converted, and its PCX save runs `onSavePcx`
// (none set: an empty file is written).
class FakePictureLibrary : public platform::PictureLibrary {
public:
    int width = 16;
    int height = 8;
    int bitsPerPixel = 24;
    bool failLoads = false;
    std::function<bool(const QString& path)> onSavePcx;

    mutable QStringList loads;    // the paths loaded, in order
    mutable QStringList actions;  // "dither(0)", "reduce", "savePcx(<path>)"

    int formatFromExtension(const QString& extension) const override;
    std::unique_ptr<platform::Picture> load(const QString& path, int format,
                                               LoadProblem* problem = nullptr) const override;
};

}  // namespace ztest
