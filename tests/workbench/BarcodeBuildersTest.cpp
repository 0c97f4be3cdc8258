#include "BuilderLoopFixture.h"

#include "workbench/BarcodeCommands.h"
#include "workbench/C1D_BarcodeCommand.h"
#include "workbench/C2D_BarcodeCommand.h"
#include "workbench/CConvertUnit.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <functional>

namespace {

using ostrel::LinearBarcode;
using ostrel::TwoDBarcode;

// 1D builder controls
constexpr int kX1 = 1230, kY1 = 1232, kBarcode = 1234, kNarrow = 1235, kWide = 1237,
              kHeight = 1239, kRotation1 = 1241, kHri1 = 1242, kQzCheck = 1243, kQz = 1244,
              kQzSpin = 1245, kData1 = 1246;
// 2D builder controls
constexpr int kSymbology = 1250, kX2 = 1251, kY2 = 1253, kTypeLetter = 1255, kModeLabel = 1256,
              kMode = 1257, kMaxRow = 1258, kMaxRowSpin = 1259, kMaxCol = 1260,
              kMaxColSpin = 1261, kEclLabel = 1262, kEcl = 1263, kCompress = 1264, kHri2 = 1265,
              kOrigin = 1266, kModule = 1267, kModuleSpin = 1268, kBarLabel = 1269, kBar = 1270,
              kBarSpin = 1271, kRotation2 = 1272, kData2 = 1273;

const char* const kMaxi0Long =
    "999,840,06810,7317,THIS IS A TEST OF MODE 0 STRUCTURED CARRIER MESSAGE ENCODING. THIS IS "
    "AN 84 CHAR MSG";
const char* const kMaxi3 =
    "999,840,06810,7317,THIS IS A TEST OF QUORVIN BRESSANT LABEL PRINTER. MODE 3 ENCODING.";

TEST_F(BuilderLoopTest, LinearBarcodeInsertsAndTestPrints)
{
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        EXPECT_EQ(d.windowTitle(), "1D Barcode Command");
        EXPECT_EQ(QStringList({text(d, kX1), text(d, kY1), text(d, kNarrow), text(d, kWide),
                               text(d, kHeight), text(d, kQz), text(d, kData1)}),
                  QStringList({"100", "100", "2", "7", "100", "12", "123456789"}));
        EXPECT_EQ(QStringList({comboText(d, kBarcode), comboText(d, kRotation1), comboText(d, kHri1)}),
                  QStringList({"Code39", "0", "On"}));
        EXPECT_EQ(comboItems(d, kBarcode), ostrel::LinearBarcodeTypes());
        EXPECT_FALSE(d.IsDlgButtonChecked(kQzCheck));
        EXPECT_FALSE(d.GetDlgItem(kQz)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(kQzSpin)->isEnabled());
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        click(d, kQzCheck);
        EXPECT_TRUE(d.GetDlgItem(kQz)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(kQzSpin)->isEnabled());
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C1D_BarcodeCommand>([this](C1D_BarcodeCommand& d) {
        // Reopened with the box ticked: the quiet zone stays enabled.
        EXPECT_TRUE(d.IsDlgButtonChecked(kQzCheck));
        EXPECT_TRUE(d.GetDlgItem(kQz)->isEnabled());
        click(d, kQzCheck);
        EXPECT_FALSE(d.GetDlgItem(kQz)->isEnabled());
        choose(d, kBarcode, 9);
        choose(d, kRotation1, 3);
        choose(d, kHri1, 0);
        type(d, kX1, "100.9");
        type(d, kY1, "-0.5");
        type(d, kData1, "A'B, C");
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "B1100,0,9,2,7,100,3,0,'A'B, C'\rP1\r");
        EXPECT_EQ(d.endResult(), -1);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        EXPECT_EQ(comboText(d, kRotation1), "270");
        EXPECT_EQ(comboText(d, kBarcode), "UCC/EAN128");
        EXPECT_EQ(text(d, kX1), "100.9");
        type(d, kNarrow, "thin");
        click(d, IDC_CLOSE);  // stays open on the prompt
        EXPECT_EQ(d.endResult(), -1);
        type(d, kNarrow, "3");
        click(d, IDC_CLOSE);
    });
    click(tester, 1078);
    EXPECT_EQ(appended(),
              "B1100,100,0,2,7,100,0,1,'123456789'\r\n"
              "B1100,100,0,2,7,100,0,1,12,'123456789'\r\n"
              "B1100,0,9,2,7,100,3,0,'A'B, C'\r\n");
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});

    // The next press starts from the defaults again.
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        EXPECT_EQ(text(d, kX1), "100");
        EXPECT_EQ(comboText(d, kRotation1), "0");
        EXPECT_FALSE(d.IsDlgButtonChecked(kQzCheck));
        d.reject();
    });
    click(tester, 1078);
}

// Every number field given text, a negative number, zero and a huge value: a prompt with
// the value held, or the value sent (positions clamped to the int range).
TEST_F(BuilderLoopTest, LinearBarcodeBadInput)
{
    // The quiet zone is ticked below, so that it is sent too.
    const LinearBarcode defaults{.x = 100, .y = 100, .quietZone = true, .data = "123456789"};
    const std::vector<TypedCase<LinearBarcode>> cases = {
        {kX1, "abc", nullptr, "Enter a number."},
        {kX1, "-5", [](LinearBarcode& b) { b.x = -5; }, nullptr},
        {kX1, "0", [](LinearBarcode& b) { b.x = 0; }, nullptr},
        {kX1, "1e12", [](LinearBarcode& b) { b.x = 1e12f; }, nullptr},
        {kY1, "1e12", [](LinearBarcode& b) { b.y = 1e12f; }, nullptr},
        {kY1, "", nullptr, "Enter a number."},
        {kHeight, "tall", nullptr, "Enter an integer."},
        {kHeight, "-5", [](LinearBarcode& b) { b.height = -5; }, nullptr},
        {kHeight, "0", [](LinearBarcode& b) { b.height = 0; }, nullptr},
        {kHeight, "1e12", nullptr, "Enter an integer."},
        {kHeight, "1000000000000", nullptr, "Enter an integer."},
        {kNarrow, "-5", [](LinearBarcode& b) { b.narrow = -5; }, nullptr},
        {kNarrow, "0", [](LinearBarcode& b) { b.narrow = 0; }, nullptr},
        {kWide, "2.5", nullptr, "Enter an integer."},
        {kWide, "1e12", nullptr, "Enter an integer."},
        {kQz, "-5", [](LinearBarcode& b) { b.quietZoneWidth = -5; }, nullptr},
        {kQz, "q", nullptr, "Enter an integer."},
    };
    hooks.scriptDialog<C1D_BarcodeCommand>([&](C1D_BarcodeCommand& d) {
        click(d, kQzCheck);
        expectTestPrints(d, defaults, cases, ostrel::LinearBarcodeLine);
        d.reject();
    });
    click(tester, 1078);
    EXPECT_EQ(appended(), "");
}

TEST_F(BuilderLoopTest, TwoDBarcodeSymbologySwitches)
{
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        EXPECT_EQ(d.windowTitle(), "2D Barcode Command");
        EXPECT_EQ(comboText(d, kSymbology), "Maxicode");
        EXPECT_EQ(QStringList({text(d, kX2), text(d, kY2), text(d, kTypeLetter),
                               text(d, kModeLabel), text(d, kEclLabel), text(d, kBarLabel),
                               text(d, kMaxRow), text(d, kMaxCol), text(d, kModule),
                               text(d, kBar)}),
                  QStringList({"100", "100", "M", "Mode", "ECL", "Bar Height", "30", "5", "3",
                               "0"}));
        EXPECT_EQ(comboItems(d, kMode), QStringList({"Mode 0", "Mode 2", "Mode 3", "Mode 4"}));
        EXPECT_EQ(comboText(d, kMode), "Mode 0");
        EXPECT_EQ(comboItems(d, kEcl), QStringList());
        EXPECT_EQ(comboItems(d, kCompress), QStringList({"Text", "Numeric", "Binary"}));
        EXPECT_EQ(comboItems(d, kOrigin), QStringList({"Upper Left", "Center"}));
        EXPECT_EQ(QStringList({comboText(d, kCompress), comboText(d, kHri2), comboText(d, kOrigin),
                               comboText(d, kRotation2)}),
                  QStringList({"Text", "On", "Center", "0"}));
        EXPECT_EQ(text(d, kData2), kMaxi0Long);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([this](C2D_BarcodeCommand& d) {
        EXPECT_EQ(text(d, kData2), kMaxi0Long);  // reopened: kept
        choose(d, kMode, 2);
        EXPECT_EQ(text(d, kData2), kMaxi3);
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, QByteArray("B2100,100,M,3,'") + kMaxi3 + "'\rP1\r");
        // Choosing the symbology already shown keeps the data and the selections.
        d.item<QPlainTextEdit>(kData2)->setPlainText("typed");
        choose(d, kSymbology, 0);
        EXPECT_EQ(text(d, kData2), "typed");
        EXPECT_EQ(comboText(d, kMode), "Mode 3");
        choose(d, kMode, 2);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        EXPECT_EQ(comboText(d, kMode), "Mode 3");
        choose(d, kSymbology, 1);  // PDF417
        EXPECT_EQ(QStringList({text(d, kTypeLetter), text(d, kEclLabel), text(d, kBarLabel),
                               text(d, kBar), comboText(d, kEcl)}),
                  QStringList({"P", "ECL", "Bar Height", "10", "0"}));
        EXPECT_EQ(comboItems(d, kEcl), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
        EXPECT_EQ(d.item<ui::UpDownCtrl>(kBarSpin)->lower(), 4);
        EXPECT_EQ(d.item<ui::UpDownCtrl>(kBarSpin)->upper(), 99);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        // Reopened: the symbology, lists and data of the last insertion.
        EXPECT_EQ(comboText(d, kSymbology), "PDF417");
        EXPECT_EQ(comboItems(d, kEcl).size(), 9);
        EXPECT_EQ(text(d, kData2), "QUORVIN BRESSANT Label Printer, This is Test Printing.");
        choose(d, kEcl, 5);
        choose(d, kCompress, 2);
        choose(d, kOrigin, 0);
        choose(d, kRotation2, 1);
        type(d, kMaxRow, "12");
        type(d, kModule, "2");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        EXPECT_EQ(comboText(d, kEcl), "5");
        EXPECT_EQ(comboText(d, kRotation2), "90");
        choose(d, kSymbology, 2);  // QR Code
        EXPECT_EQ(QStringList({text(d, kTypeLetter), text(d, kEclLabel), text(d, kModeLabel),
                               text(d, kBarLabel), text(d, kBar), comboText(d, kEcl),
                               comboText(d, kMode), comboText(d, kRotation2)}),
                  QStringList({"Q", "ECC", "Model", "Bar Size", "4", "L", "Model 1", "0"}));
        EXPECT_EQ(comboItems(d, kEcl), QStringList({"L", "M", "Q", "H"}));
        EXPECT_EQ(comboItems(d, kMode), QStringList({"Model 1", "Model 2"}));
        EXPECT_EQ(d.item<ui::UpDownCtrl>(kBarSpin)->upper(), 4);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([this](C2D_BarcodeCommand& d) {
        EXPECT_EQ(comboText(d, kSymbology), "QR Code");
        choose(d, kMode, 1);
        choose(d, kEcl, 3);
        EXPECT_EQ(text(d, kData2), "ABCDEFGHIJKLMN1234567890");  // a model keeps the data
        printer->written.clear();
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "B2100,100,Q,2,H,4,0,'ABCDEFGHIJKLMN1234567890'\rP1\r");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        EXPECT_EQ(comboText(d, kMode), "Model 2");
        EXPECT_EQ(comboText(d, kEcl), "H");
        // Back to PDF417: its own fields kept their values, the lists their defaults.
        choose(d, kSymbology, 1);
        EXPECT_EQ(QStringList({text(d, kMaxRow), text(d, kModule), comboText(d, kCompress),
                               comboText(d, kOrigin), comboText(d, kEcl)}),
                  QStringList({"12", "2", "Binary", "Upper Left", "0"}));
        click(d, IDC_CLOSE);
    });
    click(tester, 1080);
    EXPECT_EQ(appended(),
              QString("B2100,100,M,0,'") + kMaxi0Long + "'\r\n" +
                  "B2100,100,M,3,'" + kMaxi3 + "'\r\n" +
                  "B2100,100,P,30,5,0,0,1,1,3,10,0,'QUORVIN BRESSANT Label Printer, This is "
                  "Test Printing.'\r\n"
                  "B2100,100,P,12,5,5,2,1,0,2,10,1,'QUORVIN BRESSANT Label Printer, This is "
                  "Test Printing.'\r\n"
                  "B2100,100,Q,1,L,4,0,'ABCDEFGHIJKLMN1234567890'\r\n"
                  "B2100,100,Q,2,H,4,0,'ABCDEFGHIJKLMN1234567890'\r\n");
}

TEST_F(BuilderLoopTest, TwoDBarcodeEnablesTheFieldsOfEachSymbology)
{
    const int always[] = {kX2, kY2, kData2, kSymbology};
    const int modeIds[] = {kMode};
    const int pdfOnly[] = {kMaxRow, kMaxRowSpin, kMaxCol, kMaxColSpin, kCompress, kHri2,
                           kOrigin, kModule, kModuleSpin};
    const int pdfAndQr[] = {kEcl, kBar, kBarSpin, kRotation2};
    hooks.scriptDialog<C2D_BarcodeCommand>([&](C2D_BarcodeCommand& d) {
        for (int symbology : {0, 1, 2, 0}) {
            if (symbology != 0 || d.item<QComboBox>(kSymbology)->currentIndex() != 0)
                choose(d, kSymbology, symbology);
            for (int id : always)
                EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << symbology << " " << id;
            for (int id : modeIds)
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), symbology != 1) << symbology;
            for (int id : pdfOnly)
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), symbology == 1) << symbology << " " << id;
            for (int id : pdfAndQr)
                EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), symbology != 0) << symbology << " " << id;
        }
        // MaxiCode again from QR: its defaults and the short mode-0 sample.
        EXPECT_EQ(text(d, kTypeLetter), "M");
        EXPECT_EQ(comboText(d, kMode), "Mode 0");
        EXPECT_EQ(text(d, kData2), ostrel::MaxiCodeSample(0));
        d.reject();
    });
    click(tester, 1080);
    EXPECT_EQ(appended(), "");
}

TEST_F(BuilderLoopTest, TwoDBarcodeBadInputAndMultiLineData)
{
    hooks.scriptDialog<C2D_BarcodeCommand>([this](C2D_BarcodeCommand& d) {
        choose(d, kSymbology, 1);
        const TwoDBarcode defaults{.x = 100, .y = 100, .symbology = ostrel::Pdf417,
                                   .data = ostrel::Pdf417Sample()};
        const std::vector<TypedCase<TwoDBarcode>> cases = {
            {kX2, "x", nullptr, "Enter a number."},
            {kX2, "1e12", [](TwoDBarcode& b) { b.x = 1e12f; }, nullptr},
            {kY2, "-5", [](TwoDBarcode& b) { b.y = -5; }, nullptr},
            {kMaxRow, "0", [](TwoDBarcode& b) { b.maxRow = 0; }, nullptr},
            {kMaxRow, "1e12", nullptr, "Enter an integer."},
            {kMaxCol, "-5", [](TwoDBarcode& b) { b.maxCol = -5; }, nullptr},
            {kModule, "wide", nullptr, "Enter an integer."},
            {kBar, "99999999999", nullptr, "Enter an integer."},
            {kBar, "0", [](TwoDBarcode& b) { b.barHeight = 0; }, nullptr},
        };
        expectTestPrints(d, defaults, cases, ostrel::TwoDBarcodeLine);
        // Line breaks typed into the data go into the command as they are.
        d.item<QPlainTextEdit>(kData2)->setPlainText("ONE\nTWO");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) { d.reject(); });
    click(tester, 1080);
    EXPECT_EQ(appended(), "B2100,100,P,30,5,0,0,1,1,3,10,0,'ONE\r\nTWO'\r\n");
}

TEST_F(BuilderLoopTest, BarcodeBuildersOpenTheConverter)
{
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        click(d, IDC_CONVERT);
        d.reject();
    });
    hooks.scriptDialog<CConvertUnit>([](CConvertUnit& d) { d.reject(); });
    click(tester, 1078);
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        click(d, IDC_CONVERT);
        d.reject();
    });
    hooks.scriptDialog<CConvertUnit>([](CConvertUnit& d) { d.reject(); });
    click(tester, 1080);
    EXPECT_EQ(hooks.modalDialogs(), (std::vector<QString>{"C1D_BarcodeCommand", "CConvertUnit",
                                                          "C2D_BarcodeCommand", "CConvertUnit"}));
}

}  // namespace
