#include "platform/linux/FreeImagePictureLibrary.h"

#include "platform/linux/FreeImagePicture.h"

#include <FreeImage.h>
#include <QFile>

namespace platform {

namespace {

// A picture that does not decode is an answer, not something to print on stderr.
void quiet(FREE_IMAGE_FORMAT, const char*) {}

}  // namespace

FreeImagePictureLibrary::FreeImagePictureLibrary()
{
    FreeImage_SetOutputMessage(quiet);
}

int FreeImagePictureLibrary::formatFromExtension(const QString& extension) const
{
    if (extension.isEmpty())
        return kUnknownFormat;
    const QByteArray name = "picture." + extension.toLower().toUtf8();
    return FreeImage_GetFIFFromFilename(name.constData());
}

std::unique_ptr<Picture> FreeImagePictureLibrary::load(const QString& path, int format) const
{
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(format);
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif))
        return nullptr;
    const QByteArray name = QFile::encodeName(path);
    auto pixels = [](FIBITMAP* d) { return quint64(FreeImage_GetWidth(d)) * FreeImage_GetHeight(d); };

    // The header first: a damaged one may claim a size that no memory holds. A decoder
    // that cannot read the header alone loads the whole picture here.
    FIBITMAP* dib = FreeImage_Load(fif, name.constData(), FIF_LOAD_NOPIXELS);
    if (dib && !FreeImage_HasPixels(dib)) {
        const bool fits = pixels(dib) <= kMaxPixels;
        FreeImage_Unload(dib);
        dib = nullptr;
        // Every picture here is bound for 1 bit: a JPEG is decoded straight to its grey
        // levels, which takes a third of the time. Colours libjpeg cannot turn grey itself
        // (CMYK) are decoded whole.
        if (fits && fif == FIF_JPEG)
            dib = FreeImage_Load(fif, name.constData(), JPEG_GREYSCALE);
        if (fits && !dib)
            dib = FreeImage_Load(fif, name.constData(), 0);
    }
    if (dib && (pixels(dib) == 0 || pixels(dib) > kMaxPixels)) {
        FreeImage_Unload(dib);
        dib = nullptr;
    }
    // 16-bit grey, floating point and the like: to the ordinary bitmaps the conversions take.
    if (dib && FreeImage_GetImageType(dib) != FIT_BITMAP) {
        FIBITMAP* standard = FreeImage_ConvertToStandardType(dib, TRUE);
        FreeImage_Unload(dib);
        dib = standard;
    }
    if (!dib)
        return nullptr;
    return std::make_unique<FreeImagePicture>(dib);
}

template <>
PictureLibrary& defaultService<PictureLibrary>()
{
    static PictureLibrary* instance = new FreeImagePictureLibrary;
    return *instance;
}

}  // namespace platform
