// The 1-bit PCX file: header, run-length rule, and what the picture library reads back.
#include "PictureFiles.h"

#include "platform/PcxEncoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using platform::MonoBitmap;
using platform::PcxEncoder;

namespace {

MonoBitmap filled(int width, int height, bool white)
{
    MonoBitmap m;
    m.width = width;
    m.height = height;
    m.dpiX = 203;
    m.dpiY = 300;
    m.stride = MonoBitmap::strideFor(width);
    m.bits.assign(static_cast<std::size_t>(m.stride) * height, white ? 0xFF : 0x00);
    if (width % 8 != 0) {
        for (int y = 0; y < height; ++y)
            m.bits[static_cast<std::size_t>(y) * m.stride + m.stride - 1] |= 0xFF >> (width % 8);
    }
    return m;
}

QByteArray bytes(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// The header worked out by hand for a 100 x 50 picture at 203 x 300 dpi.
QByteArray header100x50()
{
    QByteArray h = QByteArray::fromHex("0a050101" "0000" "0000" "6300" "3100" "cb00" "2c01");
    h += QByteArray::fromHex("000000" "ffffff") + QByteArray(42, '\0');
    h += QByteArray::fromHex("00" "01" "0e00" "0000") + QByteArray(58, '\0');
    return h;
}

QByteArray repeated(const QByteArray& line, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += line;
    return out;
}

TEST(PcxEncoderTest, AllWhiteAndAllBlackPicturesOfOneHundredByFifty)
{
    EXPECT_EQ(PcxEncoder::bytesPerLine(100), 14);
    const QByteArray white = bytes(PcxEncoder::encode(filled(100, 50, true)));
    ASSERT_EQ(white.size(), 128 + 50 * 2);
    EXPECT_EQ(white.left(128).toHex(), header100x50().toHex());
    EXPECT_EQ(white.mid(128), repeated(QByteArray::fromHex("ceff"), 50));

    // Twelve black bytes, four black pixels and four padding bits, the padding byte.
    const QByteArray black = bytes(PcxEncoder::encode(filled(100, 50, false)));
    EXPECT_EQ(black.left(128), header100x50());
    EXPECT_EQ(black.mid(128).toHex(), repeated(QByteArray::fromHex("cc000fc1ff"), 50).toHex());
}

TEST(PcxEncoderTest, RunsLongerThanSixtyThreeSplitAndHighBytesAreCounted)
{
    // One line of 130 equal bytes: 63 + 63 + 4.
    const QByteArray longRun = bytes(PcxEncoder::encode(filled(1040, 1, false)));
    EXPECT_EQ(longRun.mid(128).toHex(), "ff00ff00c400");

    std::vector<std::uint8_t> out;
    const std::uint8_t line[] = {0xC0, 0x12, 0x12, 0xC7, 0xBF, 0x00, 0xFF, 0xFF};
    PcxEncoder::encodeLine(line, 8, out);
    EXPECT_EQ(bytes(out).toHex(), "c1c0c212c1c7bf00c2ff");
}

TEST(PcxEncoderTest, EveryPictureReadsBackWithTheSamePixels)
{
    QTemporaryDir dir;
    std::mt19937 random(20240102);
    for (int round = 0; round < 40; ++round) {
        const int width = 1 + static_cast<int>(random() % 90);
        // FreeImage refuses a PCX file of a single line (Y max 0), so two at least.
        const int height = 2 + static_cast<int>(random() % 20);
        MonoBitmap m = filled(width, height, true);
        // Runs of random length, so both runs and single bytes occur.
        for (std::size_t i = 0; i < m.bits.size();) {
            const std::uint8_t value = static_cast<std::uint8_t>(random());
            const std::size_t run = 1 + random() % (round % 2 ? 80 : 3);
            for (std::size_t k = 0; k < run && i < m.bits.size(); ++k)
                m.bits[i++] = value;
        }
        const QString path = dir.filePath(QStringLiteral("round%1.pcx").arg(round));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes(PcxEncoder::encode(m)));
        file.close();

        const MonoBitmap back = picturefiles::converted(path, -1);
        EXPECT_TRUE(picturefiles::samePixels(back, m)) << width << " x " << height;
    }
    // The whole-colour pictures too.
    for (bool white : {true, false}) {
        const QString path = dir.filePath(white ? "white.pcx" : "black.pcx");
        const MonoBitmap m = filled(100, 50, white);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes(PcxEncoder::encode(m)));
        file.close();
        EXPECT_TRUE(picturefiles::samePixels(picturefiles::converted(path, -1), m)) << white;
    }
}

}  // namespace
