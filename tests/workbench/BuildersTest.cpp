#include "BuilderLoopFixture.h"

#include "ui/UpDownCtrl.h"
#include "workbench/CBlockDrawCommand.h"
#include "workbench/CConvertUnit.h"
#include "workbench/CLabelSetting.h"
#include "workbench/CPrinterCopies.h"
#include "workbench/CPrintingSetting.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSlider>

namespace {

TEST_F(BuilderLoopTest, PrintingSetting)
{
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        EXPECT_EQ(d.windowTitle(), "Printing Setting");
        EXPECT_TRUE(d.IsDlgButtonChecked(1133));  // 5.0 ips
        EXPECT_TRUE(d.IsDlgButtonChecked(1135));  // Top
        EXPECT_EQ(text(d, 1141), "20");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1139));
        d.item<QSlider>(1140)->setValue(5);
        EXPECT_EQ(text(d, 1141), "15");
        click(d, 1139);  // speed not applied
        click(d, 1138);  // direction not applied
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        EXPECT_EQ(d.item<QSlider>(1140)->value(), 5);
        EXPECT_EQ(text(d, 1141), "15");
        EXPECT_FALSE(d.IsDlgButtonChecked(1139));
        click(d, 1137);  // nothing applied: the insertion appends nothing
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        click(d, 1136);  // Bottom
        click(d, 1138);
        click(d, IDC_CLOSE);
    });
    click(tester, 1074);
    EXPECT_EQ(appended(), "SS3\r\nSD20\r\nSOT\r\nSD15\r\n");

    // A new press starts from the defaults again; Esc inserts nothing.
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        EXPECT_EQ(d.item<QSlider>(1140)->value(), 0);
        EXPECT_TRUE(d.IsDlgButtonChecked(1135));
        EXPECT_TRUE(d.IsDlgButtonChecked(1139));
        d.reject();
    });
    click(tester, 1074);
    EXPECT_EQ(appended(), "SS3\r\nSD20\r\nSOT\r\nSD15\r\n");
}

TEST_F(BuilderLoopTest, PrintingSettingDensityRisesTowardTheTopOfTheSlider)
{
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) {
        d.show();
        auto* slider = d.item<QSlider>(1140);
        slider->setValue(10);
        // The middle button puts the handle where it is pressed.
        auto middleClick = [slider](int y) {
            const QPointF at(slider->width() / 2, y);
            const QPointF global = slider->mapToGlobal(at);
            QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::MiddleButton,
                              Qt::MiddleButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::MiddleButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(slider, &press);
            QApplication::sendEvent(slider, &release);
        };
        middleClick(1);
        EXPECT_EQ(text(d, 1141), "20");
        middleClick(slider->height() - 2);
        EXPECT_EQ(text(d, 1141), "0");
        // Up on the keyboard raises it too.
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(slider, &up);
        EXPECT_EQ(text(d, 1141), "1");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrintingSetting>([](CPrintingSetting& d) { click(d, IDC_CLOSE); });
    click(tester, 1074);
    EXPECT_EQ(appended(), "SS3\r\nSD1\r\nSOT\r\n");
}

TEST_F(BuilderLoopTest, PrintingSettingTestPrintSendsTheSettingsLabel)
{
    hooks.scriptDialog<CPrintingSetting>([this](CPrintingSetting& d) {
        click(d, 1139);
        d.item<QSlider>(1140)->setValue(8);
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(d.endResult(), -1);
        EXPECT_EQ(printer->written,
                  "T100,100,3,1,1,0,0,N,N,'Printer Setting Test'\r"
                  "T100,150,3,1,1,0,0,N,N,'============================='\r"
                  "T100,250,3,1,1,0,0,N,N,'Density(0~20)      : 12'\r"
                  "SD12\r"
                  "T100,300,3,1,1,0,0,N,N,'Printing Direction : SOT'\r"
                  "SOT\r"
                  "T100,350,3,1,1,0,0,N,N,'============================='\r"
                  "BD150,500,495,750,B,15\r"
                  "BD200,550,300,700,S,30\r"
                  "BD430,550,330,700,S,30\r"
                  "\r"
                  "P1\r");
        click(d, IDC_CLOSE);
    });
    click(tester, 1074);
    EXPECT_EQ(appended(), "");
}

TEST_F(BuilderLoopTest, LabelSetting)
{
    const char* defaults = "SW812\r\nSL1219,24,G\r\nSM40,40\r\n";
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        EXPECT_EQ(d.windowTitle(), "Label Setting");
        EXPECT_TRUE(d.IsDlgButtonChecked(1150));
        EXPECT_TRUE(d.IsDlgButtonChecked(1157));
        for (int id : {1156, 1160, 1161, 1166})
            EXPECT_EQ(text(d, id), "inch");
        EXPECT_EQ(text(d, 1153), "4");
        EXPECT_EQ(text(d, 1164), "6");
        EXPECT_EQ(text(d, 1162), "0.2");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        click(d, 1151);  // mm
        EXPECT_EQ(QStringList({text(d, 1153), text(d, 1164), text(d, 1162), text(d, 1163)}),
                  QStringList({"101.6", "152.4", "5.08", "5.08"}));
        for (int id : {1156, 1160, 1161, 1166})
            EXPECT_EQ(text(d, id), "mm");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1151));
        click(d, 1152);  // dots
        EXPECT_EQ(QStringList({text(d, 1153), text(d, 1164), text(d, 1162), text(d, 1163)}),
                  QStringList({"812.8", "1219.2", "40.64", "40.64"}));
        click(d, 1158);  // Continuous
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        click(d, 1150);  // back to inch: the shown values come back
        EXPECT_EQ(QStringList({text(d, 1153), text(d, 1164), text(d, 1162), text(d, 1163)}),
                  QStringList({"4", "6", "0.2", "0.2"}));
        type(d, 1153, "1.25");
        click(d, 1165);
        click(d, 1154);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        type(d, 1153, "0.5");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        click(d, 1152);
        type(d, 1153, "5000");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CLabelSetting>([](CLabelSetting& d) {
        type(d, 1153, "wide");
        click(d, IDC_CLOSE);  // stays open on the prompt
        EXPECT_EQ(d.endResult(), -1);
        d.reject();
    });
    click(tester, 1075);
    EXPECT_EQ(appended(), QString(defaults) + defaults + "SW812\r\nSL1219,0,C\r\nSM40,40\r\n" +
                              "SW254\r\nSW101\r\nSW5000\r\n");
    EXPECT_EQ(messageTexts(), QStringList{"Enter a number."});
}

TEST_F(BuilderLoopTest, PrinterCopiesStartsFromOneAndOneEveryTime)
{
    hooks.scriptDialog<CPrinterCopies>([](CPrinterCopies& d) {
        EXPECT_EQ(d.windowTitle(), "Printing Copies");
        EXPECT_EQ(text(d, 1172), "1");
        EXPECT_EQ(text(d, 1170), "1");
        d.item<ui::UpDownCtrl>(1173)->stepUp();
        d.item<ui::UpDownCtrl>(1173)->stepUp();
        EXPECT_EQ(text(d, 1172), "3");
        type(d, 1170, "2");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrinterCopies>([](CPrinterCopies& d) {
        EXPECT_EQ(text(d, 1172), "1");
        EXPECT_EQ(text(d, 1170), "1");
        type(d, 1172, "500");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CPrinterCopies>([](CPrinterCopies& d) {
        type(d, 1170, "100");
        d.item<ui::UpDownCtrl>(1171)->stepUp();  // the arrows stop at 100
        EXPECT_EQ(text(d, 1170), "100");
        click(d, IDC_CLOSE);
    });
    click(tester, 1068);
    EXPECT_EQ(appended(), "P3,2\r\nP500,1\r\n");
}

void chooseType(CBlockDrawCommand& d, int index)
{
    choose(d, 1209, index);
}

TEST_F(BuilderLoopTest, BlockDraw)
{
    hooks.scriptDialog<CBlockDrawCommand>([](CBlockDrawCommand& d) {
        EXPECT_EQ(d.windowTitle(), "Block Draw Command");
        EXPECT_EQ(QStringList({text(d, 1210), text(d, 1212), text(d, 1214), text(d, 1216),
                               text(d, 1218)}),
                  QStringList({"100", "100", "800", "120", "20"}));
        EXPECT_EQ(d.item<QComboBox>(1209)->currentText(), "O");
        EXPECT_FALSE(d.GetDlgItem(1218)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1219)->isEnabled());
        type(d, 1210, "100.7");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CBlockDrawCommand>([](CBlockDrawCommand& d) {
        EXPECT_EQ(text(d, 1210), "100.7");
        chooseType(d, 3);  // S
        EXPECT_EQ(text(d, 1216), "300");
        EXPECT_EQ(text(d, 1218), "10");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CBlockDrawCommand>([](CBlockDrawCommand& d) {
        EXPECT_EQ(d.item<QComboBox>(1209)->currentText(), "S");
        EXPECT_TRUE(d.GetDlgItem(1218)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(1219)->isEnabled());
        type(d, 1216, "555");
        chooseType(d, 4);  // B: a typed End Y is overwritten
        EXPECT_EQ(text(d, 1216), "120");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CBlockDrawCommand>([this](CBlockDrawCommand& d) {
        chooseType(d, 1);  // E
        EXPECT_FALSE(d.GetDlgItem(1218)->isEnabled());
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "BD100,100,800,120,E\rP1\r");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CBlockDrawCommand>([](CBlockDrawCommand& d) {
        EXPECT_FALSE(d.GetDlgItem(1218)->isEnabled());
        type(d, 1218, "x");
        click(d, IDC_CLOSE);
        EXPECT_EQ(d.endResult(), -1);
        type(d, 1218, "7");
        click(d, IDC_CLOSE);
    });
    click(tester, 1077);
    EXPECT_EQ(appended(),
              "BD100,100,800,120,O\r\n"
              "BD100,100,800,300,S,10\r\n"
              "BD100,100,800,120,B,20\r\n"
              "BD100,100,800,120,E\r\n");
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
}

TEST_F(BuilderLoopTest, ConvertersOpenFromTheTesterAndTheLineBuilder)
{
    struct Case {
        int radio;
        const char* value;
        const char* result;
        const char* inUnit;
        const char* outUnit;
    };
    const Case cases[] = {
        {1184, "1", "25.4", "inch", "mm"},     {1185, "1", "203.2", "inch", "dots"},
        {1186, "203", "0.999016", "dots", "inch"}, {1187, "8", "1", "dots", "mm"},
        {1188, "100", "3.93701", "mm", "inch"}, {1189, "10", "80", "mm", "dots"},
        {1184, "-2", "-50.8", "inch", "mm"},
    };
    hooks.scriptDialog<CConvertUnit>([&cases](CConvertUnit& d) {
        EXPECT_EQ(d.windowTitle(), "Convert Unit");
        EXPECT_EQ(QStringList({text(d, 1183), text(d, 1181), text(d, 1182), text(d, 1180)}),
                  QStringList({"0", "0", "inch", "mm"}));
        EXPECT_TRUE(d.IsDlgButtonChecked(1184));
        for (const Case& c : cases) {
            click(d, c.radio);
            EXPECT_EQ(text(d, 1182), c.inUnit);
            EXPECT_EQ(text(d, 1180), c.outUnit);
            type(d, 1183, c.value);
            click(d, 1190);
            EXPECT_EQ(text(d, 1181), c.result) << c.radio << " " << c.value;
        }
        click(d, 1185);  // the old result stands until "Convert Unit"
        EXPECT_EQ(text(d, 1181), "-50.8");
        type(d, 1183, "ten");
        click(d, 1190);
        EXPECT_EQ(text(d, 1183), "-2");  // the held value replaces the faulty text
        EXPECT_EQ(text(d, 1181), "-406.4");
        click(d, IDC_CLOSE);
    });
    click(tester, IDC_CONVERT);

    hooks.scriptDialog<CBlockDrawCommand>([](CBlockDrawCommand& d) { click(d, IDC_CONVERT); d.reject(); });
    hooks.scriptDialog<CConvertUnit>([](CConvertUnit& d) {
        EXPECT_EQ(text(d, 1183), "0");  // every opening starts from the defaults
        EXPECT_TRUE(d.IsDlgButtonChecked(1184));
        d.reject();
    });
    click(tester, 1077);
    EXPECT_EQ(hooks.modalDialogs(), (std::vector<QString>{"CConvertUnit", "CBlockDrawCommand",
                                                          "CConvertUnit"}));
    EXPECT_EQ(messageTexts(), QStringList{"Enter a number."});
    EXPECT_EQ(appended(), "");
}

// A value too large for the result shows "inf"; the shown result is output and never
// stops the next conversion, a radio or "Close".
TEST_F(BuilderLoopTest, ConverterResultTooLargeNeverBlocksTheWindow)
{
    int closedWith = -1;
    hooks.scriptDialog<CConvertUnit>([&closedWith](CConvertUnit& d) {
        click(d, 1185);
        type(d, 1183, "3e38");
        click(d, 1190);
        EXPECT_EQ(text(d, 1181), "inf");
        type(d, 1183, "1");
        click(d, 1190);
        EXPECT_EQ(text(d, 1181), "203.2");
        type(d, 1183, "3e38");
        click(d, 1190);
        click(d, 1188);
        EXPECT_EQ(text(d, 1182), "mm");
        EXPECT_EQ(text(d, 1181), "inf");  // the old result stands until "Convert Unit"
        click(d, IDC_CLOSE);
        closedWith = d.endResult();
    });
    click(tester, IDC_CONVERT);
    EXPECT_EQ(closedWith, ui::IDOK);
    EXPECT_EQ(messageTexts(), QStringList());
}

}  // namespace
