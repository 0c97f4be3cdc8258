// A whole picture download through the real windows against the simulator over loopback TCP.
#include "PictureFiles.h"

#include "link/Comm.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CPcxImageDlg.h"
#include "platform/Services.h"
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

void click(ui::Dialog& d, int id)
{
    d.item<QAbstractButton>(id)->click();
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
            auto* combo = preview.item<QComboBox>(1131);
            combo->setCurrentIndex(1);
            emit combo->activated(1);
            click(preview, ui::IDOK);
        });
        click(d, 1011);
        EXPECT_EQ(d.GetDlgItemText(1026), "label art");
        click(d, 1020);
        // Recall it elsewhere, list and delete it.
        d.item<QLineEdit>(1030)->setText("10");
        d.item<QLineEdit>(1031)->setText("20");
        click(d, 1032);
        click(d, 1033);
        click(d, 1027);
        click(d, 1033);
        click(d, 1004);
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
