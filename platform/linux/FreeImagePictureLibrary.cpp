#include "platform/linux/FreeImagePictureLibrary.h"

#include "platform/Saturating.h"
#include "platform/linux/FreeImagePicture.h"
#include "platform/linux/GreyBitmap.h"
#include "platform/linux/PictureFileCheck.h"
#include "platform/linux/QtPictureReader.h"

#include <FreeImage.h>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace platform {

namespace {

// A picture that does not decode is an answer, not something to print on stderr.
void quiet(FREE_IMAGE_FORMAT, const char*) {}

quint64 pixelsOf(FIBITMAP* dib)
{
    return quint64(FreeImage_GetWidth(dib)) * FreeImage_GetHeight(dib);
}

int dotsPerInch(unsigned dotsPerMeter)
{
    return static_cast<int>(std::lround(dotsPerMeter * 0.0254));
}

// The bits a pixel the picture is decoded at: a JPEG straight to grey, unless it is CMYK.
int decodedBits(FREE_IMAGE_FORMAT fif, FIBITMAP* dib)
{
    const int bits = static_cast<int>(FreeImage_GetBPP(dib));
    return fif == FIF_JPEG && bits <= 24 ? 8 : bits;
}

// What the reader holds besides the decoded picture: what the file's layout says, or for the
// readers that decode into buffers of their own, what they were measured to hold (WebP 4
// bytes a pixel, OpenJPEG 32 bits a sample and more, the GIF reader the file) or what LibRaw
// lays out (its raw, working and output pictures, 2, 8 and 6 bytes a pixel).
quint64 readerBytes(FREE_IMAGE_FORMAT fif, FIBITMAP* dib, const PictureFileCheck::Findings& layout, qint64 fileBytes)
{
    const quint64 pixels = pixelsOf(dib);
    switch (fif) {
    case FIF_WEBP: return Saturating::times(pixels, 4);
    case FIF_J2K:
    case FIF_JP2:
        return Saturating::times(
            PictureLibrary::decodedBytes(FreeImage_GetWidth(dib), FreeImage_GetHeight(dib), decodedBits(fif, dib)), 5);
    case FIF_RAW: return Saturating::times(pixels, 16);
    case FIF_GIF: return quint64(std::max<qint64>(fileBytes, 0));
    default: return layout.readerBytes;
    }
}

// The picture as FreeImage decodes it; null when it cannot, or when the file is damaged or
// the picture too large (then said in `problem`).
FIBITMAP* decode(const QString& path, FREE_IMAGE_FORMAT fif, qint64 fileBytes, PictureFileCheck::Findings& layout,
                 PictureLibrary::LoadProblem& problem)
{
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif))
        return nullptr;
    // Every part the file states must lie within it before a reader allocates for it.
    layout = PictureFileCheck::inspect(path, fif);
    if (layout.damaged) {
        problem.damaged = true;
        return nullptr;
    }
    auto refused = [&](FIBITMAP* dib) {
        const quint64 extra = Saturating::plus(readerBytes(fif, dib, layout, fileBytes), GreyBitmap::conversionBytes(dib));
        return !PictureLibrary::plausible(FreeImage_GetWidth(dib), FreeImage_GetHeight(dib), decodedBits(fif, dib),
                                          extra, fileBytes, problem);
    };
    const QByteArray name = QFile::encodeName(path);
    // The header first: a damaged one may claim a size that no memory holds. A decoder
    // that cannot read the header alone loads the whole picture here.
    FIBITMAP* dib = FreeImage_Load(fif, name.constData(), FIF_LOAD_NOPIXELS);
    if (!dib)
        return nullptr;
    if (refused(dib)) {
        FreeImage_Unload(dib);
        return nullptr;
    }
    if (!FreeImage_HasPixels(dib)) {
        FreeImage_Unload(dib);
        dib = nullptr;
        // Every picture here is bound for grey: a JPEG is decoded straight to its Y channel,
        // which is the luma of the grey formula and takes a third of the time. Colours
        // libjpeg cannot turn grey itself (CMYK) are decoded whole. Always the accurate IDCT:
        // the fast one is off by many levels in fine detail.
        if (fif == FIF_JPEG)
            dib = FreeImage_Load(fif, name.constData(), JPEG_ACCURATE | JPEG_GREYSCALE);
        if (!dib)
            dib = FreeImage_Load(fif, name.constData(), fif == FIF_JPEG ? JPEG_ACCURATE : 0);
    }
    if (dib && (!FreeImage_HasPixels(dib) || pixelsOf(dib) == 0 || refused(dib))) {
        FreeImage_Unload(dib);
        dib = nullptr;
    }
    return dib;
}

// 1-bit pictures stay 1-bit (the preview offers no dither for them); all others are grey.
std::unique_ptr<Picture> fromGrey(FIBITMAP* grey, int sourceBits, int dpiX, int dpiY)
{
    if (!grey)
        return nullptr;
    if (sourceBits == 1) {
        FIBITMAP* mono = FreeImage_Threshold(grey, 128);
        FreeImage_Unload(grey);
        if (!mono)
            return nullptr;
        grey = mono;
    }
    return std::make_unique<FreeImagePicture>(grey, sourceBits, dpiX, dpiY);
}

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

std::unique_ptr<Picture> FreeImagePictureLibrary::load(const QString& path, int format, LoadProblem* problem) const
{
    LoadProblem found;
    if (problem)
        *problem = found;
    const QByteArray name = QFile::encodeName(path);
    const qint64 fileBytes = QFileInfo(path).size();
    // The content decides; formats without a signature go by the identifier given.
    FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(name.constData(), 0);
    if (fif == FIF_UNKNOWN)
        fif = static_cast<FREE_IMAGE_FORMAT>(format);

    std::unique_ptr<Picture> picture;
    PictureFileCheck::Findings layout;
    if (FIBITMAP* decoded = decode(path, fif, fileBytes, layout, found)) {
        const int bits = static_cast<int>(FreeImage_GetBPP(decoded));
        const int dpiX = dotsPerInch(FreeImage_GetDotsPerMeterX(decoded));
        const int dpiY = dotsPerInch(FreeImage_GetDotsPerMeterY(decoded));
        FIBITMAP* grey = GreyBitmap::fromFreeImage(decoded, layout.fourthByte);
        FreeImage_Unload(decoded);
        picture = fromGrey(grey, bits, dpiX, dpiY);
    }
    if (!picture && !found.tooLarge && !found.damaged) {
        QImage image = QtPictureReader::read(path, fileBytes, found);
        if (!image.isNull()) {
            const int bits = image.depth();
            const int dpiX = dotsPerInch(static_cast<unsigned>(std::max(0, image.dotsPerMeterX())));
            const int dpiY = dotsPerInch(static_cast<unsigned>(std::max(0, image.dotsPerMeterY())));
            FIBITMAP* grey = GreyBitmap::fromImage(image);
            image = QImage();
            picture = fromGrey(grey, bits, dpiX, dpiY);
        }
    }
    if (problem)
        *problem = found;
    return picture;
}

template <>
PictureLibrary& defaultService<PictureLibrary>()
{
    static PictureLibrary* instance = new FreeImagePictureLibrary;
    return *instance;
}

}  // namespace platform
