// The picture download: its commands, the conversion through the temporary PCX file, the
// byte stream of one download, and bad pictures.
#include "PictureFiles.h"
#include "TransferFixture.h"

#include "maintenance/CDlgScrollView.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/LinkTransfer.h"
#include "maintenance/PictureMemoryCommands.h"
#include "maintenance/TransferIds.h"
#include "platform/PcxEncoder.h"
#include "tests/support/FakePictureLibrary.h"

#include <QBuffer>
#include <QComboBox>
#include <QProgressBar>
#include <QtEndian>
#include <random>

namespace {


const QString kFilter = "Image files(*.PCX,*.BMP,*.JPG,*.JPEG)|*.PCX;*.BMP;*.JPG;*.JPEG|All Files(*.*)|*.*||";

// A PCX file's header fields.
int field16(const QByteArray& pcx, int offset)
{
    return static_cast<unsigned char>(pcx[offset]) | static_cast<unsigned char>(pcx[offset + 1]) << 8;
}

class PcxDownloaderTest : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        dlg.OnInitDialog();
    }

    // Browse to `path` and accept the preview with the dither choice `index`.
    void browse(const QString& path, int index = 0)
    {
        hooks.answerFileDialog(path);
        hooks.scriptDialog<CPcxImageDlg>([index](CPcxImageDlg& preview) {
            if (index != 0) {
                auto* combo = preview.item<QComboBox>(IDC_DITHER);
                if (combo->isEnabled()) {
                    combo->setCurrentIndex(index);
                    emit combo->activated(index);
                }
            }
            click(preview, ui::IDOK);
        });
        click(dlg, IDC_SELECT_FILE);
    }

    // The bytes one download sends as separate writes: store command, pieces, print.
    std::deque<QByteArray> download()
    {
        printer->writes.clear();
        click(dlg, IDC_DOWNLOAD);
        return printer->writes;
    }

    QString bmp(const QString& name, int width, int height)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picturefiles::colourPicture(width, height).save(path, "BMP"));
        return path;
    }

    CPcxFileDownloaderDlg dlg;
};

TEST_F(PcxDownloaderTest, OpensEmptyAndCloseEndsWithOk)
{
    hooks.scriptDialog<CPcxFileDownloaderDlg>([](CPcxFileDownloaderDlg& d) {
        EXPECT_EQ(d.windowTitle(), "PCX File Downloader");
        EXPECT_EQ(text(d, IDC_FILE_NAME), "None");
        EXPECT_EQ(text(d, IDC_FILE_SIZE), "0 Byte");
        EXPECT_EQ(text(d, IDC_POS_X), "0");
        EXPECT_EQ(text(d, IDC_POS_Y), "0");
        click(d, IDC_CLOSE);
    });
    CPcxFileDownloaderDlg window;
    EXPECT_EQ(window.DoModal(), ui::IDOK);
}

TEST_F(PcxDownloaderTest, PictureMemoryCommands)
{
    // Sent even with nothing chosen and empty names.
    click(dlg, IDC_DELETE_ALL);
    click(dlg, IDC_INFORMATION);
    click(dlg, IDC_DELETE_IMAGE);
    click(dlg, IDC_RECALL);
    EXPECT_EQ(messageTexts(), (QStringList{"Please, type image name!", "Please, type image name!"}));
    type(dlg, IDC_DELETE_NAME, "logo");
    click(dlg, IDC_DELETE_IMAGE);
    type(dlg, IDC_RECALL_NAME, "logo");
    type(dlg, IDC_POS_X, "12");
    type(dlg, IDC_POS_Y, " 3a");  // as typed
    click(dlg, IDC_RECALL);
    EXPECT_EQ(printer->writes, (std::deque<QByteArray>{"ID*\r\nII\r\n", "II\r\n", "ID'logo'\r\nII\r\n",
                                                       "IR12, 3a,'logo'\rP1\r"}));
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(messageTexts().last(), "Please, Select PCX files!");
    EXPECT_EQ(printer->writes.size(), 4u);
}

TEST_F(PcxDownloaderTest, DefaultNameCutsTheLastFourCharacters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"logo.pcx", "logo"}, {"photo.jpeg", "photo."}, {"a.bm", ""}, {"abcd", ""}, {"abcde", "a"}};
    for (const auto& [file, name] : cases)
        EXPECT_EQ(PictureMemoryCommands::DefaultName(file), name) << file;
    EXPECT_EQ(PictureMemoryCommands::Store(4096, "x"), "IS4096,'x'");
    EXPECT_EQ(PictureMemoryCommands::PrintAfterStore("x"), "\r\rIR100,100,'x'\rP1\r");
}

TEST_F(PcxDownloaderTest, UnloadablePictureOfExactlyTwoPiecesIsSentUnconverted)
{
    QByteArray blob(4096, '\0');
    std::mt19937 random(7);
    for (char& c : blob)
        c = static_cast<char>(random());
    blob[0] = 'Z';  // no picture format starts so
    const QString path = writeFile("blob.jpg", blob);
    browse(path);
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "blob.jpg");
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "4096 Bytes");
    EXPECT_EQ(text(dlg, IDC_STORE_NAME), "blob");
    EXPECT_EQ(text(dlg, IDC_DELETE_NAME), "blob");
    EXPECT_EQ(text(dlg, IDC_RECALL_NAME), "blob");

    const std::deque<QByteArray> writes = download();
    EXPECT_EQ(writes, (std::deque<QByteArray>{"IS4096,'blob'", blob.left(2048), blob.mid(2048),
                                              "\r\rIR100,100,'blob'\rP1\r"}));
    EXPECT_EQ(dlg.m_progress->maximum(), 2);
    EXPECT_EQ(dlg.m_progress->value(), 0);
    EXPECT_EQ(messageTexts(), QStringList{"PCX file download is completed."});
    EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Information);
    EXPECT_TRUE(folders.files().isEmpty());
    ASSERT_EQ(hooks.fileDialogs().size(), 1u);
    EXPECT_EQ(hooks.fileDialogs()[0].filter, kFilter);
}

TEST_F(PcxDownloaderTest, OverTcpThePictureGoesInOneSend)
{
    useTcp();
    const QString path = writeFile("blob.bin", QByteArray(5000, 'q'));
    browse(path);
    type(dlg, IDC_STORE_NAME, "typed name");
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(network.peer().sends,
              (std::vector<QByteArray>{"IS5000,'typed name'", QByteArray(5000, 'q'),
                                       "\r\rIR100,100,'typed name'\rP1\r"}));
}

TEST_F(PcxDownloaderTest, ColourPictureGoesOutAsThePcxFileOfItsDitheredPixels)
{
    const QString path = bmp("photo.bmp", 100, 50);
    browse(path, 1);  // "Error Diffusion"
    EXPECT_EQ(dlg.m_nDitherMethod, 0);
    EXPECT_EQ(dlg.m_nImageType, platform::pictures().formatFromExtension("bmp"));
    clock.clearSleeps();

    const std::deque<QByteArray> writes = download();
    ASSERT_GE(writes.size(), 3u);
    QByteArray pcx;
    for (std::size_t i = 1; i + 1 < writes.size(); ++i)
        pcx += writes[i];
    EXPECT_EQ(writes.front(), QStringLiteral("IS%1,'photo'").arg(pcx.size()).toLatin1());
    EXPECT_EQ(writes.back(), "\r\rIR100,100,'photo'\rP1\r");
    ASSERT_GT(pcx.size(), 128);
    EXPECT_EQ(pcx.left(4).toHex(), "0a050101");
    EXPECT_EQ(field16(pcx, 8), 99);
    EXPECT_EQ(field16(pcx, 10), 49);
    EXPECT_EQ(field16(pcx, 66), 14);

    // What was sent decodes to the picture dithered straight from its file.
    const QString sent = writeFile("sent.pcx", pcx);
    EXPECT_TRUE(picturefiles::samePixels(picturefiles::converted(sent, -1), picturefiles::converted(path, 0)));
    // The waits: after the PCX file is written, before it is deleted; then it is gone.
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{200, 200}));
    EXPECT_TRUE(QDir(folders.folder()).exists());
    EXPECT_TRUE(folders.files().isEmpty());
}

TEST_F(PcxDownloaderTest, WithoutDitherTheColourPictureIsReducedAfterAWait)
{
    browse(bmp("plain.bmp", 30, 20));
    EXPECT_EQ(dlg.m_nDitherMethod, -1);
    clock.clearSleeps();
    const std::deque<QByteArray> writes = download();
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 200, 200}));
    const QString sent = writeFile("sent.pcx", writes[1]);
    EXPECT_TRUE(picturefiles::samePixels(picturefiles::converted(sent, -1),
                                         picturefiles::converted(dir.filePath("plain.bmp"), -1)));
}

TEST_F(PcxDownloaderTest, TheEditedPathTakesEffectFromTheFollowingDownload)
{
    browse(bmp("first.bmp", 40, 10));
    type(dlg, IDC_FILE_PATH, bmp("second.bmp", 24, 16));
    const std::deque<QByteArray> first = download();
    EXPECT_EQ(field16(first[1], 8), 39);
    const std::deque<QByteArray> second = download();
    EXPECT_EQ(field16(second[1], 8), 23);
}

TEST_F(PcxDownloaderTest, TempFileIsNamedFromTheLocalTime)
{
    EXPECT_EQ(CPcxFileDownloaderDlg::TempPcxPath("/t/Temp/", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))),
              "/t/Temp/20240102_030405.pcx");
}

TEST_F(PcxDownloaderTest, MissingEmptyAndOversizedPictures)
{
    // Deleted between Browse and DownLoad.
    const QString gone = bmp("gone.bmp", 8, 8);
    browse(gone);
    QFile::remove(gone);
    EXPECT_TRUE(download().empty());
    EXPECT_EQ(messageTexts(), QStringList{"Can't open file!"});

    // A 0-byte picture cannot be loaded: it is stored as it is, with no bytes.
    hooks.clearMessages();
    browse(writeFile("empty.pcx", QByteArray()));
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "0 Bytes");
    EXPECT_EQ(download(), (std::deque<QByteArray>{"IS0,'empty'", "\r\rIR100,100,'empty'\rP1\r"}));

    // Too large to read into memory: refused, nothing sent, nothing left behind.
    hooks.clearMessages();
    const QString huge = dir.filePath("huge.jpg");
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(LinkTransfer::kMaxBytes + 1));
    file.close();
    browse(huge);
    EXPECT_TRUE(download().empty());
    EXPECT_EQ(messageTexts(), QStringList{"Can't open file!"});
    EXPECT_TRUE(folders.files().isEmpty());
    EXPECT_FALSE(g_comm.m_bUsbHold);
}

TEST_F(PcxDownloaderTest, TempFileThatCannotBeSentIsDeletedAllTheSame)
{
    ztest::FakePictureLibrary library;
    platform::ScopedService<platform::PictureLibrary> libraryScope(library);
    // The library writes a PCX file too large to read into memory (sparse: no room taken).
    library.onSavePcx = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(LinkTransfer::kMaxBytes + 1);
    };
    browse(writeFile("picture.bmp", "BM"), 3);
    EXPECT_EQ(dlg.m_nDitherMethod, 7);
    EXPECT_TRUE(download().empty());
    EXPECT_EQ(messageTexts(), QStringList{"Can't open file!"});
    EXPECT_EQ(library.actions.filter("savePcx").size(), 1);
    EXPECT_EQ(library.actions.mid(library.actions.size() - 2, 1), QStringList{"dither(7)"});
    EXPECT_TRUE(folders.files().isEmpty());
}

TEST_F(PcxDownloaderTest, EachDitherChangeReloadsThePictureFromItsFile)
{
    ztest::FakePictureLibrary library;
    platform::ScopedService<platform::PictureLibrary> libraryScope(library);
    const QString path = writeFile("art.jpg", "JPEG");
    browse(path, 4);
    // Preview: the first load, one per change; then the download's own.
    EXPECT_EQ(library.loads, (QStringList{path, path}));
    EXPECT_EQ(library.actions, (QStringList{"reduce", "dither(8)"}));
    download();
    EXPECT_EQ(library.loads.size(), 3);
    EXPECT_EQ(library.actions.last(), "savePcx(" + folders.folder() + "20240102_030405.pcx)");
}

TEST_F(PcxDownloaderTest, CancelledPreviewOrFileDialogLeavesNoPicture)
{
    browse(bmp("chosen.bmp", 8, 8));
    EXPECT_EQ(dlg.m_bImageSelected, 1);
    hooks.answerFileDialog(dir.filePath("chosen.bmp"));
    hooks.scriptDialog<CPcxImageDlg>([](CPcxImageDlg& preview) { click(preview, ui::IDCANCEL); });
    click(dlg, IDC_SELECT_FILE);
    EXPECT_EQ(dlg.m_bImageSelected, 0);
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "None");
    EXPECT_EQ(text(dlg, IDC_FILE_PATH), "");
    hooks.cancelFileDialog();
    click(dlg, IDC_SELECT_FILE);
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "0 Byte");
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(messageTexts(), QStringList{"Please, Select PCX files!"});
}

// A header that claims more pixels than a picture may have, or more bytes of picture than its
// file could hold (92 million pixels of 3 bytes in 1 KB), is not decoded: the preview says
// why, and the file itself is stored.
TEST_F(PcxDownloaderTest, PictureWhoseHeaderClaimsTooManyPixelsIsSentAsItIs)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(picturefiles::colourPicture(8, 8).save(&buffer, "BMP"));
    auto claim = [&bytes](int width, int height) {
        QByteArray forged = bytes;
        qToLittleEndian<qint32>(width, forged.data() + 18);
        qToLittleEndian<qint32>(height, forged.data() + 22);
        return forged;
    };
    const std::pair<QByteArray, QString> cases[] = {
        {claim(30000, 30000), CDlgScrollView::TooLargeText(30000, 30000)},
        {claim(23, 4'000'000), CDlgScrollView::DamagedText()},
    };
    for (const auto& [forged, viewText] : cases) {
        hooks.answerFileDialog(writeFile("claims.bmp", forged));
        hooks.scriptDialog<CPcxImageDlg>([viewText = viewText](CPcxImageDlg& preview) {
            EXPECT_FALSE(preview.m_pView->hasImage());
            EXPECT_EQ(preview.m_pView->text(), viewText);
            click(preview, ui::IDOK);
        });
        click(dlg, IDC_SELECT_FILE);
        const std::deque<QByteArray> writes = download();
        ASSERT_EQ(writes.size(), 3u);
        EXPECT_EQ(writes[1], forged);
    }
}

// Small valid files of each format the filter offers, cut and flipped at random: the
// preview and the download never crash, and what is stored is either a 1-bit PCX file
// that reads back or the damaged file itself.
TEST_F(PcxDownloaderTest, DamagedPicturesAreConvertedOrSentAsTheyAre)
{
    QImage picture = picturefiles::colourPicture(23, 17);
    QByteArray bmpBytes, jpgBytes;
    {
        QBuffer b(&bmpBytes);
        ASSERT_TRUE(picture.save(&b, "BMP"));
        QBuffer j(&jpgBytes);
        ASSERT_TRUE(picture.save(&j, "JPG"));
    }
    platform::MonoBitmap mono;
    mono.width = 23;
    mono.height = 17;
    mono.stride = platform::MonoBitmap::strideFor(23);
    mono.bits.assign(static_cast<std::size_t>(mono.stride) * 17, 0x5A);
    const std::vector<std::uint8_t> pcx = platform::PcxEncoder::encode(mono);
    const QByteArray pcxBytes(reinterpret_cast<const char*>(pcx.data()), static_cast<qsizetype>(pcx.size()));

    std::mt19937 random(4116);
    const std::pair<const char*, QByteArray> formats[] = {{"bmp", bmpBytes}, {"jpg", jpgBytes}, {"pcx", pcxBytes}};
    int converted = 0;
    int unconverted = 0;
    for (const auto& [extension, valid] : formats) {
        for (int round = 0; round < 60; ++round) {
            QByteArray damaged = valid.left(static_cast<qsizetype>(random() % (valid.size() + 1)));
            const int flips = static_cast<int>(random() % 6);
            for (int f = 0; f < flips && !damaged.isEmpty(); ++f)
                damaged[static_cast<qsizetype>(random() % damaged.size())] = static_cast<char>(random());
            const QString path = writeFile(QStringLiteral("damaged.%1").arg(extension), damaged);
            browse(path, static_cast<int>(round % 5));

            const std::deque<QByteArray> writes = download();
            ASSERT_GE(writes.size(), 2u);
            QByteArray stored;
            for (std::size_t i = 1; i + 1 < writes.size(); ++i)
                stored += writes[i];
            EXPECT_EQ(writes.front(), QStringLiteral("IS%1,'damaged'").arg(stored.size()).toLatin1());
            if (stored == damaged) {
                ++unconverted;
            } else {
                ++converted;
                EXPECT_EQ(stored.left(4).toHex(), "0a050101") << extension << " " << round;
                // FreeImage reads no PCX file of a single line.
                if (field16(stored, 10) > 0) {
                    const QString back = writeFile("back.pcx", stored);
                    EXPECT_EQ(picturefiles::converted(back, -1).width, field16(stored, 8) + 1) << extension << " " << round;
                }
            }
            EXPECT_TRUE(folders.files().isEmpty());
        }
    }
    EXPECT_GT(converted, 0);
    EXPECT_GT(unconverted, 0);
}

}  // namespace
