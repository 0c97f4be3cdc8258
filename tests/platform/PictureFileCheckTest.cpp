// The picture library checks a file against itself before a reader allocates for it.
#include "platform/Services.h"
#include "tests/support/ChildPeakMemory.h"
#include "tests/support/TestPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ztest::TestPictures;

// Under AddressSanitizer a process holds its shadow memory and freed blocks as well: the
// memory a load takes is then not the program's own.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsTheProgramsOwn = false;
#else
constexpr bool kMemoryIsTheProgramsOwn = true;
#endif

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return file.fileName();
}

std::unique_ptr<platform::Picture> load(const QString& path, platform::PictureLibrary::LoadProblem& problem)
{
    platform::PictureLibrary& library = platform::pictures();
    return library.load(path, library.formatFromExtension(path.section(u'.', -1)), &problem);
}

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
        if (picture) {
            EXPECT_EQ(picture->width(), c.name[0] == 'i' ? 16 : 64);
        }
    }
}

// The budget of a load saturates: extra bytes near 2^64 are refused, not wrapped round to a
// few bytes, and so are sides whose products pass 2^64.
TEST(PictureLibraryBudgetTest, SaturatedBytesAreRefusedNotWrapped)
{
    using platform::PictureLibrary;
    constexpr quint64 kAll = ~quint64(0);
    EXPECT_EQ(PictureLibrary::loadBytes(100, 100, 8, kAll), kAll);
    EXPECT_EQ(PictureLibrary::loadBytes(100, 100, 8, kAll - 10000), kAll);
    EXPECT_EQ(PictureLibrary::loadBytes(quint64(1) << 40, quint64(1) << 40, 8, 0), kAll);
    EXPECT_EQ(PictureLibrary::decodedBytes(kAll, 2, 8), kAll);
    for (quint64 extra : {kAll, kAll - 10000, kAll - 19999}) {
        SCOPED_TRACE(extra);
        PictureLibrary::LoadProblem problem;
        EXPECT_FALSE(PictureLibrary::plausible(100, 100, 8, extra, 1 << 20, problem));
        EXPECT_TRUE(problem.tooLarge);
    }
    PictureLibrary::LoadProblem problem;
    EXPECT_TRUE(PictureLibrary::plausible(100, 100, 8, 1 << 20, 1 << 20, problem));
}

// A TIFF of one pixel whose strip tags hold six million BYTE values each (the reader takes
// only as many as the picture has strips): checking them takes a few MiB, not eight times
// the tags' bytes.
TEST(PictureFileCheckTest, LongTagsAreWalkedWithinAFewMiB)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr quint32 kValues = 6 * 1024 * 1024;
    constexpr quint16 kByte = 1, kShort = 3, kLong = 4;
    const QByteArray one("\x01\x00\x00\x00", 4), eight("\x08\x00", 2), oneShort("\x01\x00", 2);
    const QString path = writeFile(dir, "long_tags.tif",
                                   TestPictures::tiff({{256, kLong, 1, one},
                                                       {257, kLong, 1, one},
                                                       {258, kShort, 1, eight},
                                                       {259, kShort, 1, oneShort},
                                                       {262, kShort, 1, oneShort},
                                                       {273, kByte, kValues, QByteArray(kValues, '\x00')},
                                                       {277, kShort, 1, oneShort},
                                                       {278, kLong, 1, one},
                                                       {279, kByte, kValues, QByteArray(kValues, '\x01')}},
                                                      QByteArray()));
    const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
        platform::PictureLibrary::LoadProblem found;
        load(path, found);
        return !found.damaged && !found.tooLarge;
    });
    EXPECT_TRUE(child.ran);
    if (kMemoryIsTheProgramsOwn) {
        EXPECT_LT(child.grownMiB(), 16.0);
    }
}

struct PcxHeaderCase {
    const char* name;
    int bits, planes, width, height, lineBytes, fileBytes;
    bool damaged;
};

void PrintTo(const PcxHeaderCase& c, std::ostream* out) { *out << c.name; }

class PcxHeaderTest : public ::testing::TestWithParam<PcxHeaderCase> {};

// A PCX header is checked before any reader sees the file: a line's bytes in each plane must
// hold its pixels, and bits and planes must be a pair the format defines (1 bit in 1 to 4
// planes, 2 or 4 bits in 1, 8 bits in 1 or 3). Any other header is damaged.
TEST_P(PcxHeaderTest, OnlyHeadersTheFormatDefinesReachAReader)
{
    const PcxHeaderCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = writeFile(dir, QString::fromLatin1(c.name) + ".pcx",
                                   TestPictures::pcx(c.bits, c.planes, c.width, c.height, c.lineBytes, c.fileBytes));
    platform::PictureLibrary::LoadProblem problem;
    const auto picture = load(path, problem);
    EXPECT_EQ(problem.damaged, c.damaged);
    EXPECT_FALSE(problem.tooLarge);
    if (c.damaged) {
        EXPECT_EQ(picture, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PcxHeaderTest,
    ::testing::Values(
        // 65535 x 2 in three planes with 1 byte a line: a reader would read far past its line.
        PcxHeaderCase{"colour_one_byte_a_line", 8, 3, 65535, 2, 1, 194, true},
        PcxHeaderCase{"colour_short_line", 8, 3, 64, 4, 63, 4096, true},
        PcxHeaderCase{"grey_short_line", 8, 1, 64, 4, 63, 4096, true},
        PcxHeaderCase{"mono_short_line", 1, 1, 65, 4, 8, 4096, true},
        PcxHeaderCase{"sixteen_short_line", 1, 4, 64, 4, 7, 4096, true},
        PcxHeaderCase{"two_bits_short_line", 2, 1, 64, 4, 15, 4096, true},
        PcxHeaderCase{"four_bits_short_line", 4, 1, 64, 4, 31, 4096, true},
        PcxHeaderCase{"no_bytes_a_line", 8, 1, 64, 4, 0, 4096, true},
        PcxHeaderCase{"eight_bits_two_planes", 8, 2, 64, 4, 64, 4096, true},
        PcxHeaderCase{"eight_bits_four_planes", 8, 4, 64, 4, 64, 4096, true},
        PcxHeaderCase{"two_bits_two_planes", 2, 2, 64, 4, 16, 4096, true},
        PcxHeaderCase{"four_bits_four_planes", 4, 4, 64, 4, 32, 4096, true},
        PcxHeaderCase{"one_bit_five_planes", 1, 5, 64, 4, 8, 4096, true},
        PcxHeaderCase{"sixteen_bits", 16, 1, 64, 4, 128, 4096, true},
        PcxHeaderCase{"twenty_four_bits", 24, 1, 64, 4, 192, 4096, true},
        PcxHeaderCase{"no_bits", 0, 1, 64, 4, 8, 4096, true},
        PcxHeaderCase{"no_planes", 8, 0, 64, 4, 64, 4096, true},
        PcxHeaderCase{"mono", 1, 1, 65, 4, 10, 4096, false},
        PcxHeaderCase{"four_colours", 1, 2, 64, 4, 8, 4096, false},
        PcxHeaderCase{"eight_colours", 1, 3, 64, 4, 8, 4096, false},
        PcxHeaderCase{"sixteen_colours", 1, 4, 64, 4, 8, 4096, false},
        PcxHeaderCase{"two_bits", 2, 1, 64, 4, 16, 4096, false},
        PcxHeaderCase{"four_bits", 4, 1, 64, 4, 32, 4096, false},
        PcxHeaderCase{"grey", 8, 1, 64, 4, 64, 4096, false},
        PcxHeaderCase{"colour", 8, 3, 63, 4, 64, 4096, false}),
    [](const ::testing::TestParamInfo<PcxHeaderCase>& info) { return std::string(info.param.name); });

}  // namespace
