// The caption banner: its gradient, built once, and the text drawn over it.
#include "shell/CPrefsStatic.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

const QColor kGradient(0x80, 0x80, 0xEC);  // the Windows colour value 0xEC8080

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QImage render(CPrefsStatic& banner)
{
    QImage image(banner.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    banner.render(&image);
    return image;
}

std::unique_ptr<CPrefsStatic> banner(int width, const QColor& gradient, const QString& text = QString())
{
    auto b = std::make_unique<CPrefsStatic>();
    b->resize(width, 20);
    b->m_crGradient = gradient;
    b->setText(text);
    return b;
}

TEST(BannerTest, BandsOfTheExampleHaveTheirColours)
{
    auto b = banner(256, kGradient);
    const QImage image = render(*b);
    struct Band {
        int x;
        QColor colour;
    };
    for (const Band& band : {Band{0, QColor(2, 2, 4)}, Band{1, QColor(2, 2, 4)},
                             Band{128, QColor(97, 97, 179)}, Band{254, QColor(128, 128, 236)},
                             Band{255, QColor(128, 128, 236)}}) {
        EXPECT_EQ(image.pixelColor(band.x, 0), band.colour) << band.x;
        EXPECT_EQ(image.pixelColor(band.x, 19), band.colour) << band.x;
    }
    EXPECT_EQ(b->m_bmpBackground.size(), QSize(256, 20));
}

struct WidthCase {
    int width;
    int band;  // pixels per band
};

void PrintTo(const WidthCase& c, std::ostream* os)
{
    *os << c.width << "px";
}

class BandWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(BandWidthTest, BandsAreAHundredAndTwentyEighthOfTheWidth)
{
    const int w = GetParam().width;
    const int f = GetParam().band;
    auto b = banner(w, kGradient);
    const QImage image = render(*b);
    for (int x = 1; x < 3 * f; ++x) {
        const bool firstOfBand = x % f == 0;
        EXPECT_EQ(image.pixelColor(x, 5) != image.pixelColor(x - 1, 5), firstOfBand) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, BandWidthTest,
                         ::testing::Values(WidthCase{100, 1}, WidthCase{256, 2}, WidthCase{618, 4}));

TEST(BannerTest, LastBandOfAnUnevenWidthIsCut)
{
    // 618 pixels: bands of 4, the last one starting at 616 and cut to 2 pixels.
    auto b = banner(618, kGradient);
    const QImage image = render(*b);
    EXPECT_EQ(image.width(), 618);
    EXPECT_EQ(image.pixelColor(616, 5), image.pixelColor(617, 5));
    EXPECT_EQ(image.pixelColor(617, 5), QColor(128, 128, 236));
}

struct FaceCase {
    int width;
    int blackStrip;  // pixels at the left edge
};

void PrintTo(const FaceCase& c, std::ostream* os)
{
    *os << c.width << "px";
}

class ButtonFaceGradientTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFaceGradientTest, CountsBandsFromTheRightAndLeavesABlackStrip)
{
    const int w = GetParam().width;
    auto b = banner(w, buttonFace());
    const QImage image = render(*b);
    for (int x = 0; x < GetParam().blackStrip; ++x)
        EXPECT_EQ(image.pixelColor(x, 5), QColor(Qt::black)) << x;
    if (GetParam().blackStrip < w) {
        EXPECT_NE(image.pixelColor(GetParam().blackStrip, 5), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(w - 1, 5), buttonFace().toRgb());
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ButtonFaceGradientTest,
                         ::testing::Values(FaceCase{256, 2}, FaceCase{257, 1}, FaceCase{100, 1},
                                           FaceCase{1, 1}));

TEST(BannerTest, BackgroundIsBuiltOnceAndKeptThroughLaterChanges)
{
    auto b = banner(256, kGradient);
    const QImage first = render(*b);
    const qint64 key = b->m_bmpBackground.cacheKey();

    b->m_crGradient = QColor(0x80, 0xEC, 0x80);
    b->resize(300, 20);
    const QImage second = render(*b);

    EXPECT_EQ(b->m_bmpBackground.cacheKey(), key);
    EXPECT_EQ(second.pixelColor(128, 5), first.pixelColor(128, 5));
}

TEST(BannerTest, NewTextRedrawsTheWholeBanner)
{
    auto b = banner(256, kGradient, QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWW"));
    b->m_strFontName = QStringLiteral("Verdana");
    b->m_nFontSize = 14;
    b->m_nFontWeight = 700;
    render(*b);
    b->setText(QStringLiteral("I"));

    auto fresh = banner(256, kGradient, QStringLiteral("I"));
    fresh->m_strFontName = QStringLiteral("Verdana");
    fresh->m_nFontSize = 14;
    fresh->m_nFontWeight = 700;
    EXPECT_EQ(render(*b), render(*fresh));
}

TEST(BannerTest, TextStartsFivePixelsInInItsColour)
{
    auto b = banner(256, QColor(0, 0, 0x80), QStringLiteral("Zentrova"));
    b->m_crText = QColor(255, 255, 0);
    const QImage image = render(*b);
    int left = -1;
    for (int x = 0; x < image.width() && left < 0; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y).red() > 128) {
                left = x;
                break;
            }
        }
    }
    EXPECT_GE(left, 5);
    EXPECT_LE(left, 9);
}

TEST(BannerTest, NamedFontIsMadeOnceFromTheMembers)
{
    auto b = banner(256, kGradient, QStringLiteral("Zentrova"));
    b->m_strFontName = QStringLiteral("Verdana");
    b->m_nFontSize = 14;
    b->m_nFontWeight = 700;
    render(*b);
    ASSERT_TRUE(b->m_fontText.has_value());
    EXPECT_EQ(b->m_fontText->family(), "Verdana");
    EXPECT_EQ(b->m_fontText->pixelSize(), 14);
    EXPECT_EQ(b->m_fontText->weight(), QFont::Bold);

    b->m_nFontSize = 30;
    render(*b);
    EXPECT_EQ(b->m_fontText->pixelSize(), 14);
}

TEST(BannerTest, WithoutAFaceNameTheParentFontIsUsedAndSizeIsIgnored)
{
    QWidget parent;
    QFont font = parent.font();
    font.setPixelSize(18);
    parent.setFont(font);

    CPrefsStatic sized(&parent);
    sized.resize(256, 20);
    sized.m_crGradient = kGradient;
    sized.m_nFontSize = 40;
    sized.m_nFontWeight = 900;
    sized.setText(QStringLiteral("Zentrova"));
    CPrefsStatic plain(&parent);
    plain.resize(256, 20);
    plain.m_crGradient = kGradient;
    plain.setText(QStringLiteral("Zentrova"));

    EXPECT_EQ(render(sized), render(plain));
    EXPECT_FALSE(sized.m_fontText.has_value());
}

}  // namespace
