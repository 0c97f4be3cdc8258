#include "platform/linux/QtPictureReader.h"

#include "platform/linux/GreyBitmap.h"

#include <QImageReader>
#include <QLoggingCategory>
#include <cstring>

namespace platform {

namespace {

QLoggingCategory::CategoryFilter g_otherFilter = nullptr;

// A picture that does not decode is an answer, not something to print on stderr: the image
// readers' warnings are off, every other category as it was.
void quietReaders(QLoggingCategory* category)
{
    if (g_otherFilter)
        g_otherFilter(category);
    if (std::strncmp(category->categoryName(), "qt.gui.imageio", 14) == 0)
        category->setEnabled(QtWarningMsg, false);
}

}  // namespace

QImage QtPictureReader::read(const QString& path, qint64 fileBytes, PictureLibrary::LoadProblem& problem)
{
    static const bool quiet = [] {
        g_otherFilter = QLoggingCategory::installFilter(quietReaders);
        return true;
    }();
    (void)quiet;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    auto plausible = [&](QSize size, QImage::Format format) {
        const int bits = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
        const auto width = quint64(size.width()), height = quint64(size.height());
        return PictureLibrary::plausible(width, height, bits, GreyBitmap::conversionBytes(format, width, height),
                                         fileBytes, problem);
    };
    const QSize size = reader.size();
    if (size.isValid() && !plausible(size, reader.imageFormat()))
        return QImage();
    // Qt's own limit (256 MiB) would refuse pictures we take; ours holds the picture as well.
    reader.setAllocationLimit(static_cast<int>(PictureLibrary::kMaxLoadBytes / (1024 * 1024)));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return QImage();
    if (!plausible(image.size(), image.format()))
        return QImage();
    return image;
}

}  // namespace platform
