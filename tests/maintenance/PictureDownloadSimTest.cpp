// A whole picture download through the real windows against the simulator over loopback TCP.
#include "PictureEncodings.h"
#include "PictureFiles.h"

#include "link/Comm.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CDlgScrollView.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/ParallelLines.h"
#include "platform/Services.h"
#include "platform/linux/FreeImagePictureLibrary.h"
#include "tests/support/ChildPeakMemory.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "tests/support/TestPictures.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <new>

namespace {

// Under AddressSanitizer a process holds its shadow memory and freed blocks as well: the
// memory a load takes is then not the program's own.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsTheProgramsOwn = false;
#else
constexpr bool kMemoryIsTheProgramsOwn = true;
#endif

class TempIn : public platform::Folders {
public:
    explicit TempIn(const QString& folder) : m_folder(folder + "/") {}
    QString tempFolder() override
    {
        QDir().mkpath(m_folder);
        return m_folder;
    }

private:
    QString m_folder;
};

using ztest::click;

namespace enc = pictureencodings;
using enc::rgb;

// Eight flat colours whose greys lie far from the threshold (76 29 226 150 / 105 179 0 255).
std::vector<QRgba64> pureColours()
{
    return {rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(0, 255, 0),
            rgb(255, 0, 255), rgb(0, 255, 255), rgb(0, 0, 0), rgb(255, 255, 255)};
}

enc::Cells pure() { return {pureColours(), 16}; }

// Two colours for 1-bit pictures, in a pattern that no flip or mirror keeps.
enc::Cells twoColours()
{
    const QRgba64 dark = rgb(0, 0, 128), light = rgb(255, 255, 200);
    return {{dark, light, light, light, dark, dark, light, dark}, 16};
}

// Grey levels of 1, 2 and 4-bit samples (exact at each depth), and 8-bit tones for the dithers.
enc::Cells greys(std::vector<int> levels, int cell = 16)
{
    std::vector<QRgba64> colours;
    for (int v : levels)
        colours.push_back(rgb(v, v, v));
    return {colours, cell};
}

enc::Cells tones() { return greys({16, 48, 80, 112, 144, 176, 208, 240}, 32); }

// 16-bit tones spanning 20000 to 40000 of 65535: they print as the mid greys they are.
enc::Cells tones16()
{
    std::vector<QRgba64> colours;
    for (int v : {20000, 22800, 25600, 28400, 31200, 34000, 36800, 40000})
        colours.push_back(enc::grey16(v));
    return {colours, 32};
}

// A logo on a transparent background: transparent black and red are paper, opaque black is
// ink, a quarter and three quarters of black ink grey and dark.
enc::Cells logo()
{
    const QRgba64 clear = rgb(0, 0, 0, 0);
    return {{clear, rgb(0, 0, 0), clear, rgb(255, 0, 0, 0), rgb(0, 0, 0), rgb(0, 0, 0, 64), rgb(0, 0, 0, 192), clear}, 16};
}

// A GIF has one transparent colour and no partial transparency.
enc::Cells gifLogo()
{
    const QRgba64 clear = rgb(0, 0, 0, 0);
    return {{clear, rgb(0, 0, 0), clear, rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 0, 255), clear}, 16};
}

// The finest detail, a checkerboard of single black and white pixels: the fast IDCT turns
// some of it to the opposite at JPEG quality 100.
enc::Cells fineDetail()
{
    enc::Cells cells{std::vector<QRgba64>(8, rgb(0, 0, 0)), 16};
    cells.pixel = [](int x, int y) { return (x + y) & 1 ? rgb(255, 255, 255) : rgb(0, 0, 0); };
    return cells;
}

enum class Check { Exact, Tones };

struct EncodingCase {
    const char* name;     // the store name and the file name's stem
    const char* suffix;   // the file's extension, with its dot; "" for none
    QByteArray bytes;
    enc::Cells cells;
    int ditherIndex;      // 0 "None" ... 4 "8x8 Matrixt"
    Check check;
};

QByteArray bmpOf(const enc::Cells& c, int header, int bits, enc::BmpCompression z, bool topDown = false)
{
    return enc::bmp(c, header, bits, z, topDown);
}

std::vector<EncodingCase> encodingCases()
{
    using Z = enc::BmpCompression;
    return {
        {"bmp_v3_1", ".bmp", bmpOf(twoColours(), 40, 1, Z::Rgb), twoColours(), 0, Check::Exact},
        {"bmp_v3_4", ".bmp", bmpOf(pure(), 40, 4, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v3_8_topdown", ".bmp", bmpOf(pure(), 40, 8, Z::Rgb, true), pure(), 0, Check::Exact},
        {"bmp_v3_16_555", ".bmp", bmpOf(pure(), 40, 16, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v3_16_565", ".bmp", bmpOf(pure(), 40, 16, Z::Bitfields), pure(), 0, Check::Exact},
        {"bmp_v3_24", ".bmp", bmpOf(pure(), 40, 24, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v3_32", ".bmp", bmpOf(pure(), 40, 32, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v3_rle8", ".bmp", bmpOf(pure(), 40, 8, Z::Rle8), pure(), 0, Check::Exact},
        {"bmp_v3_rle4", ".bmp", bmpOf(pure(), 40, 4, Z::Rle4), pure(), 0, Check::Exact},
        {"bmp_v4_24", ".bmp", bmpOf(pure(), 108, 24, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v4_32_alpha", ".bmp", bmpOf(logo(), 108, 32, Z::Bitfields), logo(), 0, Check::Exact},
        {"bmp_v5_1", ".bmp", bmpOf(twoColours(), 124, 1, Z::Rgb), twoColours(), 0, Check::Exact},
        {"bmp_v5_4", ".bmp", bmpOf(pure(), 124, 4, Z::Rgb, true), pure(), 0, Check::Exact},
        {"bmp_v5_8", ".bmp", bmpOf(pure(), 124, 8, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v5_rle8", ".bmp", bmpOf(pure(), 124, 8, Z::Rle8), pure(), 0, Check::Exact},
        {"bmp_v5_rle4", ".bmp", bmpOf(pure(), 124, 4, Z::Rle4), pure(), 0, Check::Exact},
        {"bmp_v5_16_565", ".bmp", bmpOf(pure(), 124, 16, Z::Bitfields, true), pure(), 0, Check::Exact},
        {"bmp_v5_24_topdown", ".bmp", bmpOf(pure(), 124, 24, Z::Rgb, true), pure(), 0, Check::Exact},
        {"bmp_v5_32_alpha", ".bmp", bmpOf(logo(), 124, 32, Z::Bitfields), logo(), 0, Check::Exact},
        {"bmp_v5_24_tones", ".bmp", bmpOf(tones(), 124, 24, Z::Rgb), tones(), 1, Check::Tones},
        {"png_grey_1", ".png", enc::png(greys({0, 255, 255, 0, 255, 0, 0, 255}), enc::Grey, 1), greys({0, 255, 255, 0, 255, 0, 0, 255}), 0, Check::Exact},
        {"png_grey_2", ".png", enc::png(greys({0, 85, 170, 255, 255, 170, 85, 0}), enc::Grey, 2), greys({0, 85, 170, 255, 255, 170, 85, 0}), 0, Check::Exact},
        {"png_grey_4", ".png", enc::png(greys({0, 17, 102, 153, 238, 255, 85, 170}), enc::Grey, 4), greys({0, 17, 102, 153, 238, 255, 85, 170}), 0, Check::Exact},
        {"png_grey_8_tones", ".png", enc::png(tones(), enc::Grey, 8), tones(), 3, Check::Tones},
        {"png_grey_16_tones", ".png", enc::png(tones16(), enc::Grey, 16), tones16(), 1, Check::Tones},
        {"png_grey_16", ".png", enc::png(tones16(), enc::Grey, 16), tones16(), 0, Check::Exact},
        {"png_rgb_16_tones", ".png", enc::png(tones16(), enc::Colour, 16), tones16(), 4, Check::Tones},
        {"png_palette_1", ".png", enc::png(twoColours(), enc::Palette, 1), twoColours(), 0, Check::Exact},
        {"png_palette_4", ".png", enc::png(pure(), enc::Palette, 4), pure(), 0, Check::Exact},
        {"png_palette_8_logo", ".png", enc::png(logo(), enc::Palette, 8), logo(), 0, Check::Exact},
        {"png_rgb_8", ".png", enc::png(pure(), enc::Colour, 8), pure(), 0, Check::Exact},
        {"png_rgba_8_logo", ".png", enc::png(logo(), enc::ColourAlpha, 8), logo(), 0, Check::Exact},
        {"png_rgba_16_logo", ".png", enc::png(logo(), enc::ColourAlpha, 16), logo(), 0, Check::Exact},
        {"png_grey_alpha_8", ".png", enc::png(logo(), enc::GreyAlpha, 8), logo(), 0, Check::Exact},
        {"png_rgb_8_tones", ".png", enc::png(tones(), enc::Colour, 8), tones(), 2, Check::Tones},
        // Over a million pixels: the conversions run in bands and lines at once.
        {"png_rgb_8_large", ".png", enc::png({pureColours(), 400}, enc::Colour, 8), {pureColours(), 400}, 0, Check::Exact},
        {"png_grey_8_tones_large", ".png", enc::png(greys({16, 48, 80, 112, 144, 176, 208, 240}, 400), enc::Grey, 8),
         greys({16, 48, 80, 112, 144, 176, 208, 240}, 400), 1, Check::Tones},
        {"jpeg_grey", ".jpg", enc::jpeg(pure(), enc::JpegKind::Grey), greys({255, 0, 255, 0, 255, 0, 0, 255}), 0, Check::Exact},
        {"jpeg_colour", ".jpg", enc::jpeg(pure(), enc::JpegKind::Colour), pure(), 0, Check::Exact},
        {"jpeg_fine_detail", ".jpg", enc::jpeg(fineDetail(), enc::JpegKind::Grey), fineDetail(), 0, Check::Exact},
        {"jpeg_fine_detail_colour", ".jpg", enc::jpeg(fineDetail(), enc::JpegKind::Colour), fineDetail(), 0, Check::Exact},
        {"jpeg_cmyk", ".jpg", enc::jpeg(pure(), enc::JpegKind::Cmyk), pure(), 0, Check::Exact},
        {"jpeg_colour_tones", ".jpg", enc::jpeg(tones(), enc::JpegKind::Colour), tones(), 1, Check::Tones},
        {"tiff_rgb", ".tif", enc::tiff(pure(), false), pure(), 0, Check::Exact},
        {"tiff_grey_16_tones", ".tif", enc::tiff(tones16(), true), tones16(), 1, Check::Tones},
        // A directory pointer of 0 is no directory.
        {"tiff_exif_0", ".tif", enc::tiffRgb(pure(), 3, 8, -1, 0, {{34665, 4, 1, QByteArray(4, '\0')}}), pure(), 0, Check::Exact},
        {"tiff_gps_0", ".tif", enc::tiffRgb(pure(), 3, 8, -1, 0, {{34853, 4, 1, QByteArray(4, '\0')}}), pure(), 0, Check::Exact},
        {"tiff_exif_gps_0", ".tif",
         enc::tiffRgb(pure(), 3, 8, -1, 0, {{34665, 4, 1, QByteArray(4, '\0')}, {34853, 4, 1, QByteArray(4, '\0')}}),
         pure(), 0, Check::Exact},
        {"gif_logo", ".gif", enc::gif(gifLogo()), gifLogo(), 0, Check::Exact},
        {"gif_colours", ".gif", enc::gif(pure()), pure(), 0, Check::Exact},
        // Lines of an odd number of pixels, padded to an even number of bytes.
        {"pcx_1", ".pcx", enc::pcx({twoColours().colours, 13}, 1, 1), {twoColours().colours, 13}, 0, Check::Exact},
        {"pcx_4", ".pcx", enc::pcx({pureColours(), 13}, 1, 4), {pureColours(), 13}, 0, Check::Exact},
        {"pcx_8", ".pcx", enc::pcx({pureColours(), 13}, 8, 1), {pureColours(), 13}, 0, Check::Exact},
        {"pcx_24", ".pcx", enc::pcx({pureColours(), 13}, 8, 3), {pureColours(), 13}, 0, Check::Exact},
        {"pcx_8_tones", ".pcx", enc::pcx(tones(), 8, 1), tones(), 1, Check::Tones},
        {"pcx_24_tones", ".pcx", enc::pcx(tones(), 8, 3), tones(), 2, Check::Tones},
        // The content decides: no extension, or the extension of another format.
        {"bmp_v5_no_extension", "", bmpOf(pure(), 124, 24, Z::Rgb), pure(), 0, Check::Exact},
        {"jpeg_no_extension", "", enc::jpeg(pure(), enc::JpegKind::Colour), pure(), 0, Check::Exact},
        {"png_named_bmp", ".bmp", enc::png(pure(), enc::Colour, 8), pure(), 0, Check::Exact},
        // The same green from a JPEG and from a PNG: grey 117, ink.
        {"green_jpeg", ".jpg", enc::jpeg({std::vector<QRgba64>(8, rgb(0, 200, 0)), 16}, enc::JpegKind::Colour),
         {std::vector<QRgba64>(8, rgb(0, 200, 0)), 16}, 0, Check::Exact},
        {"green_png", ".png", enc::png({std::vector<QRgba64>(8, rgb(0, 200, 0)), 16}, enc::Colour, 8),
         {std::vector<QRgba64>(8, rgb(0, 200, 0)), 16}, 0, Check::Exact},
    };
}

// Pixels that differ from the cells' threshold, as "x,y" of the first few.
QStringList thresholdErrors(const platform::MonoBitmap& mono, const enc::Cells& cells)
{
    QStringList errors;
    if (mono.width != cells.width() || mono.height != cells.height())
        return {QStringLiteral("size %1x%2").arg(mono.width).arg(mono.height)};
    for (int y = 0; y < mono.height && errors.size() < 5; ++y)
        for (int x = 0; x < mono.width && errors.size() < 5; ++x)
            if (mono.isWhite(x, y) != (cells.greyAt(x, y) >= 128))
                errors << QStringLiteral("%1,%2").arg(x).arg(y);
    return errors;
}

// Cells whose share of white dots (inside a margin of 4) is off their grey by more than 8 %.
QStringList toneErrors(const platform::MonoBitmap& mono, const enc::Cells& cells)
{
    QStringList errors;
    if (mono.width != cells.width() || mono.height != cells.height())
        return {QStringLiteral("size %1x%2").arg(mono.width).arg(mono.height)};
    for (int i = 0; i < 8; ++i) {
        const int left = (i % 4) * cells.cell, top = (i / 4) * cells.cell;
        int white = 0, all = 0;
        for (int y = top + 4; y < top + cells.cell - 4; ++y)
            for (int x = left + 4; x < left + cells.cell - 4; ++x, ++all)
                white += mono.isWhite(x, y);
        const double share = double(white) / all;
        const double expected = cells.greyAt(left, top) / 255.0;
        if (std::abs(share - expected) > 0.08)
            errors << QStringLiteral("cell %1: %2 white for grey %3").arg(i).arg(share, 0, 'f', 2).arg(cells.greyAt(left, top));
    }
    return errors;
}

class PictureEncodingSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_GT(sim.startTcp({"--dump-dir", dir.filePath("dumps")}), 0);
        ASSERT_TRUE(sim.openLink());
        window.OnInitDialog();
    }
    void TearDown() override { ztest::SimProcess::closeLink(); }

    struct Result {
        platform::MonoBitmap preview;
        platform::MonoBitmap stored;
        QByteArray storedBytes;
        bool ditherOffered = false;
        QString viewText;
    };

    // Browses to the file, picks the dither in the preview, downloads under `name`.
    Result download(const QString& path, const QString& name, int ditherIndex)
    {
        Result result;
        hooks.answerFileDialog(path);
        hooks.scriptDialog<CPcxImageDlg>([&](CPcxImageDlg& preview) {
            auto* combo = preview.item<QComboBox>(IDC_DITHER);
            result.ditherOffered = combo->isEnabled();
            if (ditherIndex != 0 && combo->isEnabled()) {
                combo->setCurrentIndex(ditherIndex);
                emit combo->activated(ditherIndex);
            }
            result.preview = enc::fromImage(preview.m_pView->image());
            result.viewText = preview.m_pView->text();
            click(preview, ui::IDOK);
        });
        click(window, IDC_SELECT_FILE);
        window.item<QLineEdit>(IDC_STORE_NAME)->setText(name);
        click(window, IDC_DOWNLOAD);
        QDir dumps(dir.filePath("dumps"));
        if (!sim.waitForLog("picture written to " + dumps.filePath(name + ".").toLatin1()))
            return result;
        QFile file(dumps.filePath(dumps.entryList({name + ".*"}).value(0)));
        if (file.open(QIODevice::ReadOnly))
            result.storedBytes = file.readAll();
        result.stored = enc::decodePcx(result.storedBytes);
        return result;
    }

    // The case's picture through the preview and the download: its dots are the cells'.
    void expectCells(const EncodingCase& c)
    {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.isEmpty());
        const QString path = write(QString::fromLatin1(c.name) + QString::fromLatin1(c.suffix), c.bytes);
        const Result result = download(path, QString::fromLatin1(c.name), c.ditherIndex);
        ASSERT_EQ(result.storedBytes.left(4).toHex(), "0a050101") << sim.log().right(400).toStdString();
        // A 1-bit picture has nothing to dither.
        EXPECT_EQ(result.ditherOffered, !QByteArray(c.name).endsWith("_1"));
        if (c.check == Check::Exact) {
            EXPECT_EQ(thresholdErrors(result.preview, c.cells).join(' ').toStdString(), "");
            EXPECT_EQ(thresholdErrors(result.stored, c.cells).join(' ').toStdString(), "");
        } else {
            EXPECT_TRUE(result.ditherOffered);
            EXPECT_EQ(toneErrors(result.preview, c.cells).join(' ').toStdString(), "");
            EXPECT_EQ(toneErrors(result.stored, c.cells).join(' ').toStdString(), "");
            EXPECT_TRUE(picturefiles::samePixels(result.preview, result.stored));
        }
    }

    QString write(const QString& fileName, const QByteArray& bytes)
    {
        QFile file(dir.filePath(fileName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
    ztest::TestClock clock;
    TempIn folders{dir.filePath("Temp")};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Folders> foldersScope{folders};
    ui::TestHooks hooks;
    ztest::SimProcess sim;
    CPcxFileDownloaderDlg window;
};

// Every encoding the everyday tools write: the preview and the PCX file the printer stores
// hold the cells' dots, exactly for the threshold and by tone for the dithers.
TEST_F(PictureEncodingSimTest, EveryCommonEncodingConvertsWithTheTonesItHas)
{
    for (const EncodingCase& c : encodingCases())
        expectCells(c);
}

// A fourth byte is alpha wherever the format says it is, even 0 everywhere: such a picture is
// all paper. Only a format that may leave it as padding (a 32-bit BMP without an alpha mask)
// takes it as opaque when it is 0 everywhere; a TIFF's is alpha only when its ExtraSamples tag
// says so.
TEST_F(PictureEncodingSimTest, TransparentEverywhereIsPaperUnlessTheByteIsPadding)
{
    using Z = enc::BmpCompression;
    auto withAlpha = [](int alpha) {
        std::vector<QRgba64> colours = pureColours();
        for (QRgba64& c : colours)
            c.setAlpha(quint16(alpha * 257));
        return enc::Cells{colours, 16};
    };
    const enc::Cells clear = withAlpha(0), half = withAlpha(128);
    const EncodingCase cases[] = {
        {"png_alpha_0", ".png", enc::png(clear, enc::ColourAlpha, 8), clear, 0, Check::Exact},
        {"png_alpha_128", ".png", enc::png(half, enc::ColourAlpha, 8), half, 0, Check::Exact},
        {"bmp_v3_32_padding_0", ".bmp", bmpOf(pure(), 40, 32, Z::Rgb), pure(), 0, Check::Exact},
        {"bmp_v5_32_alpha_0", ".bmp", bmpOf(clear, 124, 32, Z::Bitfields), clear, 0, Check::Exact},
        {"tiff_alpha_0", ".tif", enc::rgba32(clear, FIF_TIFF), clear, 0, Check::Exact},
        {"tiff_unassociated_alpha_0", ".tif", enc::tiffRgb(pure(), 4, 8, 2, 0), clear, 0, Check::Exact},
        {"tiff_unassociated_alpha_128", ".tif", enc::tiffRgb(pure(), 4, 8, 2, 128), half, 0, Check::Exact},
        // A fourth sample that no ExtraSamples tag calls alpha, or that it leaves unspecified,
        // is padding, whatever it holds.
        {"tiff_rgbx_untagged_0", ".tif", enc::tiffRgb(pure(), 4, 8, -1, 0), pure(), 0, Check::Exact},
        {"tiff_rgbx_unspecified_0", ".tif", enc::tiffRgb(pure(), 4, 8, 0, 0), pure(), 0, Check::Exact},
        {"tiff_rgbx_unspecified_128", ".tif", enc::tiffRgb(pure(), 4, 8, 0, 128), pure(), 0, Check::Exact},
        {"tiff_rgbx_16_unspecified_0", ".tif", enc::tiffRgb(pure(), 4, 16, 0, 0), pure(), 0, Check::Exact},
        {"tga_alpha_0", ".tga", enc::rgba32(clear, FIF_TARGA), clear, 0, Check::Exact},
        {"ico_alpha_0", ".ico", enc::ico(clear), clear, 0, Check::Exact},
    };
    for (const EncodingCase& c : cases)
        expectCells(c);
}

// 32-bit unsigned grey samples in the proportion of 16-bit ones: 0, 2^31 - 1, 2^31 and
// 2^32 - 1 are the dots of grey 0, 127, 128 and 255, also when diffused.
TEST_F(PictureEncodingSimTest, ThirtyTwoBitGreySamplesKeepTheirTone)
{
    const std::vector<quint32> samples = {0, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 0};
    const enc::Cells levels = greys({0, 127, 128, 255, 255, 128, 127, 0});
    expectCells({"tiff_grey_32", ".tif", enc::tiff32(samples, 16), levels, 0, Check::Exact});
    const Result diffused = download(write("grey32.tif", enc::tiff32(samples, 16)), "grey32", 1);
    const Result grey8 = download(write("grey8.png", enc::png(levels, enc::Grey, 8)), "grey8", 1);
    ASSERT_EQ(diffused.stored.width, levels.width());
    EXPECT_TRUE(picturefiles::samePixels(diffused.preview, grey8.preview));
    EXPECT_TRUE(picturefiles::samePixels(diffused.stored, grey8.stored));
}

// 12000 x 9000 (108 million pixels, a phone camera's size) converts; a header that claims
// 100000 x 100000 is unreadable: the preview says so and the file goes as it is.
TEST_F(PictureEncodingSimTest, LargePictureConvertsAndForgedHeaderIsSentAsItIs)
{
    const int width = 12000, height = 9000;
    QByteArray raw;
    raw.reserve(qsizetype(width + 1) * height);
    QByteArray line(width + 1, char(200));
    line[0] = 0;
    QByteArray corner = line;
    std::fill(corner.end() - 96, corner.end(), char(0));
    for (int y = 0; y < height; ++y)
        raw += y < height - 96 ? line : corner;
    QByteArray ihdr;
    enc::putBig32(ihdr, width);
    enc::putBig32(ihdr, height);
    ihdr.append("\x08\x00\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    enc::pngChunk(png, "IHDR", ihdr);
    enc::pngChunk(png, "IDAT", qCompress(raw, 9).mid(4));
    enc::pngChunk(png, "IEND", QByteArray());
    raw.clear();

    const Result large = download(write("camera.png", png), "camera", 0);
    EXPECT_TRUE(large.viewText.isEmpty());
    ASSERT_EQ(large.stored.width, width);
    ASSERT_EQ(large.stored.height, height);
    EXPECT_TRUE(picturefiles::samePixels(large.preview, large.stored));
    long black = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            black += !large.stored.isWhite(x, y);
    EXPECT_EQ(black, 96 * 96);
    EXPECT_FALSE(large.stored.isWhite(width - 1, height - 1));
    EXPECT_FALSE(large.stored.isWhite(width - 96, height - 96));

    const QByteArray forged = enc::png(pure(), enc::Colour, 8, QSize(100000, 100000));
    const Result unreadable = download(write("forged.png", forged), "forged", 0);
    EXPECT_EQ(unreadable.viewText, CDlgScrollView::TooLargeText(100000, 100000));
    EXPECT_EQ(unreadable.preview.width, 0);
    EXPECT_EQ(unreadable.storedBytes, forged);
}

// The picture library as it is, but the system gives each conversion only `allowed` helper
// threads: the next one asked for is refused, or throws as a start that runs out of memory
// does, and the conversion asks no more.
class FewThreads : public platform::FreeImagePictureLibrary {
public:
    FewThreads(int allowed, bool throwing) : m_allowed(allowed), m_throwing(throwing) {}
    bool startThread(std::function<void()> work, std::thread& thread) const override
    {
        ++asked;
        if (m_given == m_allowed) {
            m_given = 0;
            if (m_throwing)
                throw std::bad_alloc();
            return false;
        }
        ++m_given;
        ++started;
        return FreeImagePictureLibrary::startThread(std::move(work), thread);
    }
    mutable int asked = 0;
    mutable int started = 0;

private:
    int m_allowed;
    bool m_throwing;
    mutable int m_given = 0;
};

// Helper threads the system refuses, or whose start throws: each conversion goes on with those
// that started, or on one thread, and gives the dots of a run with all of them.
TEST_F(PictureEncodingSimTest, RefusedThreadsGiveTheDotsOfAllThreads)
{
    const enc::Cells cells = greys({16, 48, 80, 112, 144, 176, 208, 240}, 400);
    if (platform::ParallelLines::threadsFor(std::uint64_t(cells.width()) * std::uint64_t(cells.height())) < 2)
        GTEST_SKIP() << "one core: no helper thread to refuse";
    const QString path = write("tones.png", enc::png(cells, enc::Colour, 8));
    for (int ditherIndex : {0, 1, 3}) {  // reduced in bands, diffused lines at once, ordered
        SCOPED_TRACE(ditherIndex);
        // Each download under a name of its own: the simulator logs every one it stores.
        const Result all = download(path, QStringLiteral("all%1").arg(ditherIndex), ditherIndex);
        ASSERT_EQ(all.stored.width, cells.width());
        for (bool throwing : {false, true}) {
            for (int allowed : {0, 1, 2}) {
                SCOPED_TRACE(testing::Message() << allowed << (throwing ? " throwing" : " refused"));
                FewThreads library(allowed, throwing);
                platform::ScopedService<platform::PictureLibrary> libraryScope(library);
                const QString name = QStringLiteral("few%1_%2_%3").arg(ditherIndex).arg(allowed).arg(int(throwing));
                const Result few = download(path, name, ditherIndex);
                EXPECT_GT(library.asked, library.started);
                EXPECT_EQ(library.started > 0, allowed > 0);
                EXPECT_EQ(few.storedBytes, all.storedBytes);
                EXPECT_TRUE(picturefiles::samePixels(few.preview, all.preview));
            }
        }
    }
}

// Small forged files whose headers or chunks claim far more than the file holds are refused
// before any reader allocates for them: the preview says why, the file goes to the printer as
// it is, and a load, in a child process of its own, takes a few MiB at most.
TEST_F(PictureEncodingSimTest, ForgedFilesAreSentAsTheyAreWithoutTakingWhatTheyClaim)
{
    using ztest::TestPictures;
    const QString damaged = CDlgScrollView::DamagedText();
    const struct {
        const char* name;
        QByteArray bytes;
        QString viewText;
    } cases[] = {
        {"text_288.png", TestPictures::pngWithHugeText(288), damaged},
        {"text_64.png", TestPictures::pngWithHugeText(64), damaged},
        {"short_data.png", TestPictures::pngWithShortImageData(), damaged},
        {"float_20000.tif", TestPictures::paddedTiff(20000, 20000, 32, 24 * 1024), CDlgScrollView::TooLargeText(20000, 20000)},
        {"float_12000.tif", TestPictures::paddedTiff(12000, 12000, 32, 9 * 1024), CDlgScrollView::TooLargeText(12000, 12000)},
        {"float_10000.tif", TestPictures::paddedTiff(10000, 10000, 32, 6200), CDlgScrollView::TooLargeText(10000, 10000)},
        {"rgba_8000.tif", TestPictures::paddedTiff(8000, 8000, 8, 64 * 1024), damaged},
        // 65535 x 2 in three planes with 1 byte a line: a reader would read far past its line.
        {"one_byte_a_line.pcx", TestPictures::pcx(8, 3, 65535, 2, 1, 194), damaged},
        {"short_line.pcx", TestPictures::pcx(1, 1, 64, 16, 4, 1024), damaged},
        {"eight_bits_four_planes.pcx", TestPictures::pcx(8, 4, 64, 16, 64, 4096), damaged},
        {"two_bits_two_planes.pcx", TestPictures::pcx(2, 2, 64, 16, 16, 4096), damaged},
    };
    EXPECT_EQ(cases[0].bytes.size(), 288);
    EXPECT_EQ(cases[1].bytes.size(), 64);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name).section(u'.', 0, 0);
        const QString path = write(QString::fromLatin1(c.name), c.bytes);
        const Result result = download(path, name, 0);
        EXPECT_EQ(result.viewText, c.viewText);
        EXPECT_EQ(result.preview.width, 0);
        EXPECT_FALSE(result.ditherOffered);
        EXPECT_EQ(result.storedBytes, c.bytes);
        ASSERT_FALSE(hooks.messages().empty());
        EXPECT_EQ(hooks.messages().back().text, "PCX file download is completed.");

        const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
            platform::PictureLibrary& library = platform::pictures();
            return library.load(path, library.formatFromExtension(path.section(u'.', -1))) == nullptr;
        });
        EXPECT_TRUE(child.ran);
        if (kMemoryIsTheProgramsOwn) {
            EXPECT_LT(child.grownMiB(), 16.0);
        }
    }
}

// The largest pictures of the picture bench, a 12000 x 9000 colour photo (108 MP) and a
// 20000 x 20000 grey scan (400 MP), still convert, each in a child process within what its
// load may take: the decoded picture and its grey copy.
TEST(PictureBudgetTest, LargestPicturesStillConvertWithinTheirBudget)
{
    using ztest::TestPictures;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ztest::TestClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    const struct {
        const char* name;
        int width, height, channels;
        TestPictures::LineFiller fill;
    } cases[] = {
        {"camera.png", 12000, 9000, 3, TestPictures::photo(12000, 9000)},
        {"scan.png", 20000, 20000, 1, TestPictures::scan(20000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(TestPictures::writePng(path, c.width, c.height, c.channels, c.fill));
        const QString pcx = dir.filePath("out.pcx");
        const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
            std::unique_ptr<platform::Picture> picture = platform::pictures().load(path, -1);
            if (!picture)
                return false;
            CDlgScrollView::ConvertToOneBit(*picture, 0, 0);
            return picture->savePcx(pcx);
        });
        ASSERT_TRUE(child.ran);
        const platform::MonoBitmap stored = picturefiles::converted(pcx, -1);
        EXPECT_EQ(stored.width, c.width);
        EXPECT_EQ(stored.height, c.height);
        const double budgetMiB =
            double(platform::PictureLibrary::loadBytes(quint64(c.width), quint64(c.height), 8 * c.channels, 0)) /
            (1024.0 * 1024.0);
        if (kMemoryIsTheProgramsOwn) {
            EXPECT_LT(child.grownMiB(), budgetMiB + 16) << "budget " << budgetMiB << " MiB";
        }
        QFile::remove(path);
    }
}

TEST(PictureDownloadSimTest, PictureStoredInTheSimulatorIsTheDitheredPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString dumps = dir.filePath("dumps");
    const QString temp = dir.filePath("Temp");
    ztest::TestClock clock;
    TempIn folders(temp);
    platform::ScopedService<platform::Clock> clockScope(clock);
    platform::ScopedService<platform::Folders> foldersScope(folders);
    ui::TestHooks hooks;

    ztest::SimProcess sim;
    const int port = sim.startTcp({"--dump-dir", dumps});
    ASSERT_GT(port, 0);
    g_comm.SetPortName(QStringLiteral("ETHERNET"));
    g_comm.SetNetworkAddress({QStringLiteral("127.0.0.1"), port});
    ASSERT_TRUE(g_comm.Open());

    const QString picture = dir.filePath("label art.jpg");
    ASSERT_TRUE(picturefiles::colourPicture(120, 80).save(picture, "JPG"));

    hooks.scriptDialog<CPcxFileDownloaderDlg>([&](CPcxFileDownloaderDlg& d) {
        hooks.answerFileDialog(picture);
        hooks.scriptDialog<CPcxImageDlg>([](CPcxImageDlg& preview) {
            auto* combo = preview.item<QComboBox>(IDC_DITHER);
            combo->setCurrentIndex(1);
            emit combo->activated(1);
            click(preview, ui::IDOK);
        });
        click(d, IDC_SELECT_FILE);
        EXPECT_EQ(d.GetDlgItemText(IDC_STORE_NAME), "label art");
        click(d, IDC_DOWNLOAD);
        // Recall it elsewhere, list and delete it.
        d.item<QLineEdit>(IDC_POS_X)->setText("10");
        d.item<QLineEdit>(IDC_POS_Y)->setText("20");
        click(d, IDC_RECALL);
        click(d, IDC_INFORMATION);
        click(d, IDC_DELETE_IMAGE);
        click(d, IDC_INFORMATION);
        click(d, IDC_CLOSE);
    });
    CPcxFileDownloaderDlg window;
    EXPECT_EQ(window.DoModal(), ui::IDOK);

    ASSERT_TRUE(sim.waitForLog("picture memory: 0 picture(s)"));
    const QByteArray log = sim.log();
    EXPECT_TRUE(log.contains("picture stored: 'label art'"));
    EXPECT_TRUE(log.contains("picture recalled: 'label art' at 100,100"));
    EXPECT_TRUE(log.contains("picture printed: 'label art' 1 label(s)"));
    EXPECT_TRUE(log.contains("picture recalled: 'label art' at 10,20"));
    EXPECT_TRUE(log.contains("picture memory: 1 picture(s) 'label art'"));
    EXPECT_TRUE(log.contains("picture deleted: 'label art'"));

    const QString stored = QDir(dumps).filePath("label_art.pcx");
    const platform::MonoBitmap received = picturefiles::converted(stored, -1);
    EXPECT_EQ(received.width, 120);
    EXPECT_TRUE(picturefiles::samePixels(received, picturefiles::converted(picture, 0)));
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
    ASSERT_FALSE(hooks.messages().empty());
    EXPECT_EQ(hooks.messages().back().text, "PCX file download is completed.");

    g_comm.MarkTcpForClose();
    g_comm.Close();
}

}  // namespace
