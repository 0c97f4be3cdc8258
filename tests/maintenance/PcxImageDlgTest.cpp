// The preview: loading by extension, the dither choice read afresh from the file, scrolling.
#include "PictureFiles.h"
#include "TransferFixture.h"

#include "maintenance/CDlgScrollView.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/PcxEncoder.h"

#include <QComboBox>
#include <QScrollBar>

namespace {


// The shown picture as 1-bit pixels.
platform::MonoBitmap shown(const CDlgScrollView& view)
{
    platform::MonoBitmap mono;
    const QImage& image = view.image();
    mono.width = image.width();
    mono.height = image.height();
    mono.stride = platform::MonoBitmap::strideFor(mono.width);
    mono.bits.assign(static_cast<std::size_t>(mono.stride) * mono.height, 0xFF);
    for (int y = 0; y < mono.height; ++y) {
        for (int x = 0; x < mono.width; ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                mono.bits[static_cast<std::size_t>(y) * mono.stride + x / 8] &= ~(0x80 >> (x % 8));
        }
    }
    return mono;
}

class PcxImageDlgTest : public TransferTest {
protected:
    // Runs the preview on `path` with `script`, and returns its result.
    int preview(const QString& path, std::function<void(CPcxImageDlg&)> script)
    {
        hooks.scriptDialog<CPcxImageDlg>(std::move(script));
        dlg.SetImagePath(path);
        return dlg.DoModal();
    }
    static void choose(CPcxImageDlg& d, int index)
    {
        auto* combo = d.item<QComboBox>(IDC_DITHER);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    QString colourFile(const QString& name, int width, int height, const char* format)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picturefiles::colourPicture(width, height).save(path, format));
        return path;
    }

    CPcxImageDlg dlg;
};

TEST_F(PcxImageDlgTest, DitherChoiceConvertsThePictureAsStoredInItsFile)
{
    const QString path = colourFile("photo.jpg", 64, 48, "JPG");
    const int result = preview(path, [&](CPcxImageDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Image Viewer");
        EXPECT_EQ(d.GetDlgItemText(IDC_IMAGE_PATH), path);
        auto* combo = d.item<QComboBox>(IDC_DITHER);
        EXPECT_TRUE(combo->isEnabled());
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->count(), 5);
        EXPECT_EQ(combo->itemText(4), "8x8 Matrixt");
        EXPECT_TRUE(picturefiles::samePixels(shown(*d.m_pView), picturefiles::converted(path, -1)));
        EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 50}));  // load, reduction

        clock.clearSleeps();
        choose(d, 1);
        EXPECT_TRUE(picturefiles::samePixels(shown(*d.m_pView), picturefiles::converted(path, 0)));
        EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 30}));  // load, dither
        choose(d, 4);
        const platform::MonoBitmap bayer8 = picturefiles::converted(path, 8);
        EXPECT_TRUE(picturefiles::samePixels(shown(*d.m_pView), bayer8));
        EXPECT_FALSE(picturefiles::samePixels(bayer8, picturefiles::converted(path, 0)));
        choose(d, 2);
        EXPECT_TRUE(picturefiles::samePixels(shown(*d.m_pView), picturefiles::converted(path, 1)));
        choose(d, 3);
        click(d, ui::IDOK);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(dlg.m_nDitherMethod, 7);
    EXPECT_EQ(dlg.m_nImageType, platform::pictures().formatFromExtension("jpg"));
}

TEST_F(PcxImageDlgTest, PathsWithoutAnExtensionLoadByTheirContent)
{
    // No "." at all: the type stays 0. A "." of a folder counts as the extension's start.
    // Either way the file's content says what it is, as it does for the download.
    QDir().mkpath(dir.filePath("pictures.v2"));
    const QString inDottedFolder = dir.filePath("pictures.v2/logo");
    picturefiles::colourPicture(8, 8).save(inDottedFolder, "BMP");
    const QString plain = dir.filePath("logo");
    picturefiles::colourPicture(8, 8).save(plain, "JPG");
    const std::tuple<QString, int, bool> cases[] = {
        {QStringLiteral("/no/extension/here"), 0, false},
        {plain, 0, true},
        {inDottedFolder, platform::PictureLibrary::kUnknownFormat, true},
    };
    EXPECT_EQ(CDlgScrollView::GetFileExtension(inDottedFolder), "v2/logo");
    for (const auto& [path, type, shows] : cases) {
        CPcxImageDlg d;
        hooks.scriptDialog<CPcxImageDlg>([shows = shows](CPcxImageDlg& p) {
            EXPECT_EQ(p.m_pView->hasImage(), shows);
            EXPECT_EQ(p.item<QComboBox>(IDC_DITHER)->isEnabled(), shows);
            click(p, ui::IDOK);
        });
        d.SetImagePath(path);
        EXPECT_EQ(d.DoModal(), ui::IDOK);  // accepted all the same
        EXPECT_EQ(d.m_nImageType, type) << path.toStdString();
        EXPECT_EQ(d.m_nDitherMethod, -1);
    }
}

TEST_F(PcxImageDlgTest, UpperCaseExtensionAndOneBitPicture)
{
    const QString upper = colourFile("LOGO.BMP", 10, 10, "BMP");
    preview(upper, [&](CPcxImageDlg& d) {
        EXPECT_TRUE(d.m_pView->hasImage());
        click(d, ui::IDCANCEL);
    });
    EXPECT_EQ(dlg.m_nImageType, platform::pictures().formatFromExtension("bmp"));

    // A 1-bit picture is shown as it is and offers no dither.
    platform::MonoBitmap mono;
    mono.width = 20;
    mono.height = 6;
    mono.stride = 3;
    mono.bits = {0x0F, 0xF0, 0xFF, 0xAA, 0x55, 0xFF, 0x00, 0x00, 0x0F,
                 0xFF, 0xFF, 0xFF, 0x81, 0x18, 0xFF, 0x3C, 0xC3, 0xFF};
    const std::vector<std::uint8_t> pcx = platform::PcxEncoder::encode(mono);
    const QString path = writeFile("mono.pcx", QByteArray(reinterpret_cast<const char*>(pcx.data()),
                                                          static_cast<qsizetype>(pcx.size())));
    clock.clearSleeps();
    CPcxImageDlg d;
    hooks.scriptDialog<CPcxImageDlg>([&](CPcxImageDlg& p) {
        EXPECT_FALSE(p.item<QComboBox>(IDC_DITHER)->isEnabled());
        EXPECT_TRUE(picturefiles::samePixels(shown(*p.m_pView), mono));
        EXPECT_EQ(clock.sleeps(), std::vector<int>{50});  // no conversion
        click(p, ui::IDOK);
    });
    d.SetImagePath(path);
    d.DoModal();
}

TEST_F(PcxImageDlgTest, LargePictureScrollsAndSmallOneDoesNot)
{
    CDlgScrollView view;
    view.resize(200, 150);
    view.show();
    int bits = 0;
    int type = 0;
    ASSERT_TRUE(view.LoadImage(colourFile("big.bmp", 900, 700, "BMP"), -1, &type, &bits));
    EXPECT_GT(bits, 1);
    EXPECT_EQ(view.m_nImageWidth, 900);
    EXPECT_EQ(view.m_nImageHeight, 700);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    std::vector<std::tuple<unsigned, int, int>> posted;
    QObject::connect(&view, &CDlgScrollView::scrollMessage,
                     [&](unsigned m, int w, int l) { posted.emplace_back(m, w, l); });
    view.verticalScrollBar()->setValue(40);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], std::make_tuple(101u, 1, 40));

    ASSERT_TRUE(view.LoadImage(colourFile("small.bmp", 50, 40, "BMP"), 0, &type, &bits));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    view.ClearImage();
    EXPECT_FALSE(view.hasImage());
    EXPECT_EQ(view.m_pImage, nullptr);
}

}  // namespace
