#include "PageFixture.h"

#include "maintenance/CUserSetting_ZII_QualityDlg.h"
#include "shell/CMain_ZIIMenuView.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

constexpr int kSample = 1052, kManual = 1053, kCount = 1054, kSpeed = 1507, kDarkness = 1508;
constexpr int kPrint = 1055, kIdentifier = 1057, kChosenSpeed = 1056, kChosenDarkness = 1058;
constexpr int kSaveToFile = 1059, kSet = 1514, kClose = 2;

class QualityDlgTest : public PageTest {
protected:
    // The window as the menu page runs it; `script` acts on it in place of the operator.
    void run(std::function<void(CUserSetting_ZII_QualityDlg&)> script)
    {
        hooks.scriptDialog<CUserSetting_ZII_QualityDlg>(std::move(script));
        CUserSetting_ZII_QualityDlg dialog;
        dialog.DoModal();
    }
    QStringList items(ui::Dialog& d, int id)
    {
        QStringList list;
        auto* combo = d.item<QComboBox>(id);
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
};

TEST_F(QualityDlgTest, OpensWithNoModeAndTheListsFilled)
{
    run([&](CUserSetting_ZII_QualityDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Configure Print Quality"));
        EXPECT_EQ(items(d, kCount), (QStringList{"12", "18", "24", "30", "36"}));
        EXPECT_EQ(items(d, kSpeed), (QStringList{"2.0", "3.0", "4.0", "5.0", "6.0", "7.0"}));
        EXPECT_EQ(items(d, kDarkness).size(), 31);
        EXPECT_EQ(choice(d, kDarkness), QStringLiteral("8"));
        for (int id : {kCount, kSpeed, kDarkness, kPrint, kIdentifier, kSaveToFile, kSet})
            EXPECT_FALSE(enabled(d, id)) << id;
        EXPECT_FALSE(d.IsDlgButtonChecked(kSample) || d.IsDlgButtonChecked(kManual));
        click(d, kClose);
    });
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(QualityDlgTest, SampleModePrintsTheGridAndSetsTheChosenLabel)
{
    run([&](CUserSetting_ZII_QualityDlg& d) {
        click(d, kSample);
        EXPECT_TRUE(enabled(d, kCount));
        EXPECT_FALSE(enabled(d, kSpeed));
        EXPECT_EQ(items(d, kIdentifier), (QStringList{"AA", "AB", "AC", "AD", "AE", "AF", "AG", "AH", "AI", "AJ", "AK", "AL"}));
        EXPECT_EQ(d.GetDlgItemText(kChosenDarkness), QStringLiteral("8"));
        EXPECT_EQ(d.GetDlgItemText(kChosenSpeed), QStringLiteral("2.0 inch/s"));
        pick(d, kIdentifier, QStringLiteral("AL"));
        EXPECT_EQ(d.GetDlgItemText(kChosenDarkness), QStringLiteral("17"));
        EXPECT_EQ(d.GetDlgItemText(kChosenSpeed), QStringLiteral("7.0 inch/s"));

        click(d, kPrint);
        EXPECT_EQ(printer->writes.size(), 12u);
        const QByteArray first = printer->writes.front();
        EXPECT_TRUE(first.startsWith("~SD08\r\n^XA\r\n^LH0,0\r\n^PR2\r\n"));
        EXPECT_TRUE(first.contains("^FDAA^FS"));
        EXPECT_TRUE(printer->writes[1].startsWith("~SD17\r\n"));
        EXPECT_TRUE(printer->writes[11].contains("^FDAL^FS"));
        EXPECT_TRUE(printer->writes[11].contains("^FD7.0^FS"));
        EXPECT_EQ(pageWaits(), std::vector<int>(12, 10));

        pick(d, kIdentifier, QStringLiteral("AD"));
        clearSent();
        click(d, kSet);
        EXPECT_EQ(sent(), QByteArray("~SD17\r\n^XA\r\n^PR3,3\r\n^XZ\r\n^XA^JUS^XZ\r\n"));

        pick(d, kCount, QStringLiteral("36"));
        EXPECT_EQ(items(d, kIdentifier).size(), 36);
        EXPECT_EQ(items(d, kIdentifier).mid(25, 2), (QStringList{"AZ", "BA"}));
        EXPECT_EQ(items(d, kIdentifier).last(), QStringLiteral("BJ"));
        EXPECT_EQ(choice(d, kIdentifier), QStringLiteral("AA"));
        pick(d, kIdentifier, QStringLiteral("BA"));
        EXPECT_EQ(d.GetDlgItemText(kChosenDarkness), QStringLiteral("11"));
        EXPECT_EQ(d.GetDlgItemText(kChosenSpeed), QStringLiteral("6.0 inch/s"));
        clearSent();
        click(d, kPrint);
        EXPECT_EQ(printer->writes.size(), 36u);
        EXPECT_TRUE(printer->writes[35].startsWith("~SD17\r\n"));
        EXPECT_TRUE(printer->writes[35].contains("^FDBJ^FS"));
        click(d, kClose);
    });
}

TEST_F(QualityDlgTest, ManualModePrintsOneLabelWithoutIdentifier)
{
    run([&](CUserSetting_ZII_QualityDlg& d) {
        click(d, kManual);
        EXPECT_TRUE(enabled(d, kSpeed));
        EXPECT_FALSE(enabled(d, kIdentifier));
        EXPECT_TRUE(items(d, kIdentifier).isEmpty());
        EXPECT_EQ(d.GetDlgItemText(kChosenSpeed), QStringLiteral("2.0 inch/s"));
        click(d, kPrint);
        ASSERT_EQ(printer->writes.size(), 1u);
        EXPECT_TRUE(sent().startsWith("~SD08\r\n^XA\r\n^LH0,0\r\n^PR2\r\n"));
        EXPECT_TRUE(sent().contains("^FO330,240^A0N,90,90^FD^FS\r\n"));
        EXPECT_TRUE(sent().contains("^FO330,450^A0N,90,90^FD2.0^FS\r\n"));
        clearSent();
        click(d, kSet);
        EXPECT_EQ(sent(), QByteArray("~SD08\r\n^XA\r\n^PR2,2\r\n^XZ\r\n^XA^JUS^XZ\r\n"));
        pick(d, kDarkness, QStringLiteral("30"));
        pick(d, kSpeed, QStringLiteral("5.0"));
        EXPECT_EQ(d.GetDlgItemText(kChosenDarkness), QStringLiteral("30"));
        clearSent();
        click(d, kSet);
        EXPECT_EQ(sent(), QByteArray("~SD30\r\n^XA\r\n^PR5,5\r\n^XZ\r\n^XA^JUS^XZ\r\n"));
        click(d, kClose);
    });
}

TEST_F(QualityDlgTest, SaveSettingsToFileHoldsExactlyTheTextSent)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quality.zpl"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x'));  // a longer file is replaced, not overwritten in part
    old.close();
    run([&](CUserSetting_ZII_QualityDlg& d) {
        click(d, kManual);
        click(d, kSaveToFile);
        hooks.cancelFileDialog();
        click(d, kSet);
        EXPECT_TRUE(sent().isEmpty());
        EXPECT_EQ(messageTexts(), QStringList{"Don't select save file"});

        hooks.answerFileDialog(path);
        click(d, kSet);
        click(d, kClose);
    });
    ASSERT_EQ(hooks.fileDialogs().size(), 2u);
    EXPECT_TRUE(hooks.fileDialogs()[0].save);
    EXPECT_EQ(hooks.fileDialogs()[0].filter, QStringLiteral("ZPL files(*.zpl)|*.zpl||"));
    const QByteArray text("~SD08\r\n^XA\r\n^PR2,2\r\n^XZ\r\n^XA^JUS^XZ\r\n");
    EXPECT_EQ(sent(), text);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected("\xff\xfe", 2);
    for (char c : text)
        expected += QByteArray(1, c) + QByteArray(1, '\0');
    EXPECT_EQ(file.readAll(), expected);
}

TEST_F(QualityDlgTest, TheMenuPageOpensTheWindow)
{
    CMain_ZIIMenuView menu;
    hooks.scriptDialog<CUserSetting_ZII_QualityDlg>([](CUserSetting_ZII_QualityDlg& d) { d.reject(); });
    QPushButton* button = nullptr;
    for (QPushButton* b : menu.findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Configure Print Quality"))
            button = b;
    ASSERT_NE(button, nullptr);
    button->setEnabled(true);
    button->click();
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_TRUE(hooks.modalDialogs().size() == 1);
}

}  // namespace
