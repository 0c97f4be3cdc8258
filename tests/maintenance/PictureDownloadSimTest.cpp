// A whole picture download through the real windows against the simulator over loopback TCP.
#include "PictureFiles.h"

#include "link/Comm.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CPcxImageDlg.h"
#include "platform/Services.h"
#include "maintenance/TransferIds.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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
