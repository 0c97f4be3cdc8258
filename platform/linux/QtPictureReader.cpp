#include "platform/linux/QtPictureReader.h"

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
    const QSize size = reader.size();
    if (size.isValid() && !PictureLibrary::plausible(quint64(size.width()), quint64(size.height()), fileBytes, problem))
        return QImage();
    // Qt's own limit (256 MiB) would refuse pictures we take: room for the largest at 8 bytes
    // a pixel (16-bit RGBA).
    reader.setAllocationLimit(static_cast<int>(PictureLibrary::kMaxPixels * 8 / (1024 * 1024)));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return QImage();
    if (!PictureLibrary::plausible(quint64(image.width()), quint64(image.height()), fileBytes, problem))
        return QImage();
    return image;
}

}  // namespace platform
