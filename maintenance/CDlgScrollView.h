#pragma once

#include "platform/Picture.h"
#include "ui/PictureScrollView.h"

#include <QImage>
#include <memory>

// The preview's scrolling view: one picture, converted to 1 bit per pixel, drawn unscaled.
class CDlgScrollView : public ui::PictureScrollView {
    Q_OBJECT
public:
    // Fixed waits after a load, a dither and a depth reduction.
    static constexpr int kLoadWaitMs = 50;
    static constexpr int kDitherWaitMs = 30;
    static constexpr int kReduceWaitMs = 50;

    explicit CDlgScrollView(QWidget* parent = nullptr);
    ~CDlgScrollView() override;

    // Reads the picture from its file afresh and converts it with the method (-1: none, a
    // picture of more than 1 bit is reduced instead). false when nothing could be loaded;
    // `imageType` is written when the path has an extension, `bitsPerPixel` once the picture
    // is loaded. The file's content decides its format, so a picture without an extension
    // loads as the download will load it.
    bool LoadImage(const QString& path, int ditherMethod, int* imageType, int* bitsPerPixel);
    void ClearImage();
    void OnInitialUpdate();
    // The text after the last "." of the path; empty when there is none.
    static QString GetFileExtension(const QString& path);
    // What the view says in place of a picture whose header claims more than a picture may
    // have, and in place of one whose file holds less than it claims.
    static QString TooLargeText(quint64 width, quint64 height);
    static QString DamagedText();

    // To 1 bit per pixel as the preview and the download both do it: the dither method when
    // one is chosen (then `ditherWaitMs`), and a reduction for what is still deeper.
    static void ConvertToOneBit(platform::Picture& picture, int ditherMethod, int ditherWaitMs);
    // A 1-bit picture as an image to draw (null when it is not 1-bit).
    static QImage ToImage(const platform::Picture& picture);

    unsigned m_nHScrollMsg = 100;
    unsigned m_nVScrollMsg = 101;
    std::unique_ptr<platform::Picture> m_pImage;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;

signals:
    // Posted to the parent after a scroll: horizontal with wParam 0, vertical with 1.
    void scrollMessage(unsigned message, int wParam, int lParam);

private:
    void DiscardImage();
};
