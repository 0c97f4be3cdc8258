// The picture library checks a file against itself before a reader allocates for it.
#include "platform/Services.h"
#include "tests/support/TestPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ztest::TestPictures;

// TIFFs of either byte order and icons with a PNG inside: whole ones load; one whose strip,
// or whose PNG's chunk, goes past the end of the file is damaged and is not read.
TEST(PictureFileCheckTest, StripsAndChunksMustLieWithinTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(QImage(16, 16, QImage::Format_RGB32).save(&buffer, "PNG"));
    const int header = 226, pixels = 64 * 64 * 4;  // the header TestPictures writes, RGBA 8-bit
    const struct {
        const char* name;
        QByteArray bytes;
        bool damaged;
    } cases[] = {
        {"little.tif", TestPictures::paddedTiff(64, 64, 8, header + pixels), false},
        {"big.tif", TestPictures::paddedTiff(64, 64, 8, header + pixels, true), false},
        {"little_past_end.tif", TestPictures::paddedTiff(64, 64, 8, header + pixels, false, pixels + 1), true},
        {"big_past_end.tif", TestPictures::paddedTiff(64, 64, 8, header + pixels, true, pixels + 1), true},
        {"icon.ico", TestPictures::icon(png), false},
        {"icon_text.ico", TestPictures::icon(TestPictures::pngWithHugeText(288)), true},
    };
    platform::PictureLibrary& library = platform::pictures();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(dir.filePath(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
        file.close();
        platform::PictureLibrary::LoadProblem problem;
        const auto picture = library.load(file.fileName(), library.formatFromExtension(file.fileName().section(u'.', -1)), &problem);
        EXPECT_EQ(problem.damaged, c.damaged);
        EXPECT_EQ(picture == nullptr, c.damaged);
        if (picture)
            EXPECT_EQ(picture->width(), c.name[0] == 'i' ? 16 : 64);
    }
}

}  // namespace
