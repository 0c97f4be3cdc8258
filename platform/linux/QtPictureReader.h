#pragma once

#include "platform/PictureLibrary.h"

#include <QImage>

namespace platform {

// The second reader behind the picture library: Qt's image readers (and the plugins
// installed for them), for pictures FreeImage does not read.
class QtPictureReader {
public:
    // The picture in the file, its format taken from the extension or else the content;
    // null when Qt cannot read it, or when it is too large or claims more than `fileBytes`
    // could hold (then said in `problem`).
    static QImage read(const QString& path, qint64 fileBytes, PictureLibrary::LoadProblem& problem);
};

}  // namespace platform
