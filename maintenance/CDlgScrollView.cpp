#include "maintenance/CDlgScrollView.h"

#include "platform/Services.h"

#include <QScrollBar>
#include <cstring>

CDlgScrollView::CDlgScrollView(QWidget* parent) : ui::PictureScrollView(parent)
{
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int position) { emit scrollMessage(m_nHScrollMsg, 0, position); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int position) { emit scrollMessage(m_nVScrollMsg, 1, position); });
}

CDlgScrollView::~CDlgScrollView() = default;

void CDlgScrollView::OnInitialUpdate()
{
    clearImage();
}

void CDlgScrollView::DiscardImage()
{
    m_pImage.reset();
    m_nImageWidth = 0;
    m_nImageHeight = 0;
    clearImage();
}

void CDlgScrollView::ClearImage()
{
    DiscardImage();
}

QString CDlgScrollView::GetFileExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QString CDlgScrollView::TooLargeText(quint64 width, quint64 height)
{
    return QStringLiteral("This picture cannot be read: its header claims %1 x %2 pixels, more than a picture "
                          "may have (%3 million pixels, %4 MiB to convert it).")
        .arg(width)
        .arg(height)
        .arg(platform::PictureLibrary::kMaxPixels / 1'000'000)
        .arg(platform::PictureLibrary::kMaxLoadBytes / (1024 * 1024));
}

QString CDlgScrollView::DamagedText()
{
    return QStringLiteral("This picture cannot be read: its file is damaged, it holds less than it claims.");
}

void CDlgScrollView::ConvertToOneBit(platform::Picture& picture, int ditherMethod, int ditherWaitMs)
{
    if (ditherMethod >= 0) {
        picture.dither(ditherMethod);
        if (ditherWaitMs > 0)
            platform::clock().sleep(ditherWaitMs);
    }
    if (picture.bitsPerPixel() > 1) {
        picture.reduceTo1Bit();
        platform::clock().sleep(kReduceWaitMs);
    }
}

QImage CDlgScrollView::ToImage(const platform::Picture& picture)
{
    platform::MonoBitmap mono;
    if (!picture.toMono(mono))
        return QImage();
    QImage image(mono.width, mono.height, QImage::Format_Mono);
    if (image.isNull())
        return image;
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < mono.height; ++y)
        std::memcpy(image.scanLine(y), mono.line(y), static_cast<std::size_t>(mono.stride));
    return image;
}

bool CDlgScrollView::LoadImage(const QString& path, int ditherMethod, int* imageType, int* bitsPerPixel)
{
    DiscardImage();
    const QString extension = GetFileExtension(path).toLower();
    platform::PictureLibrary& library = platform::pictures();
    int format = platform::PictureLibrary::kUnknownFormat;
    if (!extension.isEmpty()) {
        format = library.formatFromExtension(extension);
        if (imageType)
            *imageType = format;
    }

    platform::PictureLibrary::LoadProblem problem;
    std::unique_ptr<platform::Picture> picture = library.load(path, format, &problem);
    platform::clock().sleep(kLoadWaitMs);
    if (!picture) {
        if (problem.tooLarge)
            setText(TooLargeText(problem.width, problem.height));
        else if (problem.damaged)
            setText(DamagedText());
        return false;
    }
    if (bitsPerPixel)
        *bitsPerPixel = picture->bitsPerPixel();

    // The dither has no wait when the download converts; here it is part of the sequence.
    ConvertToOneBit(*picture, ditherMethod, kDitherWaitMs);
    m_nImageWidth = picture->width();
    m_nImageHeight = picture->height();
    setImage(ToImage(*picture));
    m_pImage = std::move(picture);
    return true;
}
