#include "BuilderLoopFixture.h"

#include "workbench/CConvertUnit.h"
#include "workbench/CFontFinder.h"
#include "workbench/CTextCommand.h"
#include "workbench/CVectorTextCommand.h"
#include "workbench/TextCommands.h"

#include <QComboBox>
#include <functional>

namespace {

using ostrel::BitmapText;
using ostrel::VectorText;

// Bitmap-text builder controls
constexpr int kTX = 1280, kTY = 1282, kTFont = 1284, kTHMulti = 1285, kTVMulti = 1287,
              kTSpace = 1289, kTRotation = 1291, kTReverse = 1292, kTBold = 1293, kTText = 1294,
              kFindFont = 1295;
// Vector-text builder controls
constexpr int kVX = 1310, kVY = 1312, kVFont = 1314, kVWidth = 1315, kVHeight = 1317,
              kVSpace = 1319, kVBold = 1321, kVReverse = 1322, kVItalic = 1323,
              kVRotation = 1324, kVJustify = 1325, kVDirection = 1326, kVText = 1327;
// Font finder controls
constexpr int kHeightMm = 1330, kWidthMm = 1331, kMostFont = 1332, kMostX = 1333,
              kMostY = 1334, kFindMost = 1335, kRoundFont = 1336, kRoundX = 1337,
              kRoundY = 1338, kFindRound = 1339, kPrintComparison = 1340;

const QString kSample = QStringLiteral("QUORVIN BRESSANT Label Printer");

TEST_F(BuilderLoopTest, BitmapTextInsertsAndTestPrints)
{
    hooks.scriptDialog<CTextCommand>([](CTextCommand& d) {
        EXPECT_EQ(d.windowTitle(), "Bitmap Text Command");
        EXPECT_EQ(QStringList({text(d, kTX), text(d, kTY), text(d, kTHMulti), text(d, kTVMulti),
                               text(d, kTSpace), text(d, kTText)}),
                  QStringList({"20", "20", "1", "1", "0", kSample}));
        EXPECT_EQ(QStringList({comboText(d, kTFont), comboText(d, kTRotation), comboText(d, kTReverse),
                               comboText(d, kTBold)}),
                  QStringList({"3", "0", "N", "N"}));
        EXPECT_EQ(comboItems(d, kTFont), ostrel::BitmapFonts());
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CTextCommand>([this](CTextCommand& d) {
        choose(d, kTFont, 15);
        choose(d, kTRotation, 2);
        choose(d, kTReverse, 1);
        choose(d, kTBold, 1);
        type(d, kTHMulti, "4");
        type(d, kTVMulti, "2");
        type(d, kTSpace, "100");
        type(d, kTX, "12.9");
        type(d, kTText, "it's, here");
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "T12,20,f,4,2,100,2,R,B,'it's, here'\rP1\r");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CTextCommand>([this](CTextCommand& d) {
        // Reopened: the rotation and the text-valued lists come back.
        EXPECT_EQ(QStringList({comboText(d, kTFont), comboText(d, kTRotation), comboText(d, kTReverse),
                               comboText(d, kTBold)}),
                  QStringList({"f", "180", "R", "B"}));
        // X at the top of the spin: the range prompt, yet the value is sent, and Close
        // stays open.
        printer->written.clear();
        type(d, kTX, "1000");
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "T1000,20,f,4,2,100,2,R,B,'it's, here'\rP1\r");
        click(d, IDC_CLOSE);
        EXPECT_EQ(d.endResult(), -1);
        type(d, kTX, "999");
        click(d, IDC_CLOSE);
    });
    click(tester, 1076);
    EXPECT_EQ(appended(),
              "T20,20,3,1,1,0,0,N,N,'QUORVIN BRESSANT Label Printer'\r\n"
              "T12,20,f,4,2,100,2,R,B,'it's, here'\r\n");
    EXPECT_EQ(messageTexts(), QStringList({"Enter a number between 0 and 999.",
                                           "Enter a number between 0 and 999."}));
    EXPECT_EQ(hooks.messages().front().icon, platform::AlertIcon::Exclamation);
}

TEST_F(BuilderLoopTest, BitmapTextBadInput)
{
    const BitmapText defaults{.x = 20, .y = 20, .text = kSample};
    const char* range = "Enter a number between 0 and 999.";
    const std::vector<TypedCase<BitmapText>> cases = {
        {kTX, "abc", nullptr, "Enter a number."},
        {kTX, "-5", [](BitmapText& t) { t.x = -5; }, range},  // held, as the range check
        {kTX, "0", [](BitmapText& t) { t.x = 0; }, nullptr},
        {kTX, "1e12", [](BitmapText& t) { t.x = 1e12f; }, range},
        {kTY, "1e12", [](BitmapText& t) { t.y = 1e12f; }, range},
        {kTY, "-0.5", [](BitmapText& t) { t.y = -0.5f; }, range},
        {kTHMulti, "two", nullptr, "Enter an integer."},
        {kTHMulti, "-5", [](BitmapText& t) { t.hMulti = -5; }, nullptr},
        {kTHMulti, "0", [](BitmapText& t) { t.hMulti = 0; }, nullptr},
        {kTVMulti, "1e12", nullptr, "Enter an integer."},
        {kTSpace, "-5", [](BitmapText& t) { t.spacing = -5; }, nullptr},
        {kTSpace, "9999999999", nullptr, "Enter an integer."},
    };
    hooks.scriptDialog<CTextCommand>([&](CTextCommand& d) {
        expectTestPrints(d, defaults, cases, ostrel::BitmapTextLine);
        d.reject();
    });
    click(tester, 1076);
    EXPECT_EQ(appended(), "");
}

TEST_F(BuilderLoopTest, VectorTextInsertsAndTestPrints)
{
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        EXPECT_EQ(d.windowTitle(), "Vector Text Command");
        EXPECT_EQ(QStringList({text(d, kVX), text(d, kVY), text(d, kVWidth), text(d, kVHeight),
                               text(d, kVSpace), text(d, kVText)}),
                  QStringList({"20", "20", "35", "35", "1", kSample}));
        EXPECT_EQ(QStringList({comboText(d, kVFont), comboText(d, kVBold), comboText(d, kVReverse),
                               comboText(d, kVItalic), comboText(d, kVRotation), comboText(d, kVJustify),
                               comboText(d, kVDirection)}),
                  QStringList({"U", "None", "None", "None", "0", "Left", "Left to Right"}));
        EXPECT_EQ(comboItems(d, kVBold), QStringList({"None", "Bold"}));
        EXPECT_EQ(comboItems(d, kVReverse), QStringList({"None", "Reverse"}));
        EXPECT_EQ(comboItems(d, kVItalic), QStringList({"None", "Italic"}));
        EXPECT_EQ(comboItems(d, kVJustify), QStringList({"Right", "Center", "Left"}));
        EXPECT_EQ(comboItems(d, kVDirection), QStringList({"Left to Right", "Right to Left"}));
        EXPECT_EQ(d.item<ui::UpDownCtrl>(kVSpace + 1)->lower(), -100);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CVectorTextCommand>([this](CVectorTextCommand& d) {
        type(d, kVSpace, "-5");
        choose(d, kVRotation, 1);
        choose(d, kVJustify, 1);
        choose(d, kVDirection, 1);
        click(d, IDC_TEST_PRINT);
        EXPECT_EQ(printer->written, "V20,20,U,35,35,-5,N,N,N,1,C,1,'" + kSample.toLatin1() +
                                        "'\rP1\r");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        EXPECT_EQ(QStringList({text(d, kVSpace), comboText(d, kVRotation), comboText(d, kVJustify),
                               comboText(d, kVDirection)}),
                  QStringList({"-5", "90", "Center", "Right to Left"}));
        choose(d, kVBold, 1);
        choose(d, kVReverse, 1);
        choose(d, kVItalic, 1);
        choose(d, kVJustify, 0);
        type(d, kVWidth, "1");
        type(d, kVHeight, "100");
        type(d, kVX, "-0.5");
        type(d, kVText, "a'b");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        type(d, kVHeight, "1e12");
        click(d, IDC_CLOSE);
        EXPECT_EQ(d.endResult(), -1);
        d.reject();
    });
    click(tester, 1414);
    EXPECT_EQ(appended(), "V20,20,U,35,35,1,N,N,N,0,L,0,'" + kSample + "'\r\n" +
                              "V20,20,U,35,35,-5,N,N,N,1,C,1,'" + kSample + "'\r\n" +
                              "V0,20,U,1,100,-5,B,R,I,1,R,1,'a'b'\r\n");
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
}

TEST_F(BuilderLoopTest, VectorTextBadInput)
{
    const VectorText defaults{.x = 20, .y = 20, .text = kSample};
    const std::vector<TypedCase<VectorText>> cases = {
        {kVX, "abc", nullptr, "Enter a number."},
        {kVX, "-5", [](VectorText& t) { t.x = -5; }, nullptr},
        {kVX, "1e12", [](VectorText& t) { t.x = 1e12f; }, nullptr},
        {kVY, "0", [](VectorText& t) { t.y = 0; }, nullptr},
        {kVY, "-1e12", [](VectorText& t) { t.y = -1e12f; }, nullptr},
        {kVWidth, "0", [](VectorText& t) { t.width = 0; }, nullptr},
        {kVWidth, "1e12", nullptr, "Enter an integer."},
        {kVHeight, "-5", [](VectorText& t) { t.height = -5; }, nullptr},
        {kVHeight, "high", nullptr, "Enter an integer."},
        {kVSpace, "-101", [](VectorText& t) { t.spacing = -101; }, nullptr},
        {kVSpace, "--1", nullptr, "Enter an integer."},
    };
    hooks.scriptDialog<CVectorTextCommand>([&](CVectorTextCommand& d) {
        expectTestPrints(d, defaults, cases, ostrel::VectorTextLine);
        d.reject();
    });
    click(tester, 1414);
    EXPECT_EQ(appended(), "");
}

TEST_F(BuilderLoopTest, TextBuildersOpenTheConverterAndTheFontFinder)
{
    hooks.scriptDialog<CTextCommand>([](CTextCommand& d) {
        click(d, IDC_CONVERT);
        click(d, kFindFont);
        click(d, kFindFont);
        d.reject();
    });
    hooks.scriptDialog<CConvertUnit>([](CConvertUnit& d) { d.reject(); });
    hooks.scriptDialog<CFontFinder>([](CFontFinder& d) {
        type(d, kWidthMm, "10");
        click(d, kFindMost);
        EXPECT_EQ(text(d, kMostFont), "4");  // 80 by 40 dots: font 4 at 4 by 1
        click(d, IDC_CLOSE);
    });
    hooks.scriptDialog<CFontFinder>([](CFontFinder& d) {
        // Every opening starts from 3 by 5 mm and 3, 1, 1.
        EXPECT_EQ(text(d, kWidthMm), "3");
        EXPECT_EQ(text(d, kMostFont), "3");
        d.reject();
    });
    click(tester, 1076);
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        click(d, IDC_CONVERT);
        d.reject();
    });
    hooks.scriptDialog<CConvertUnit>([](CConvertUnit& d) { d.reject(); });
    click(tester, 1414);
    EXPECT_EQ(hooks.modalDialogs(),
              (std::vector<QString>{"CTextCommand", "CConvertUnit", "CFontFinder", "CFontFinder",
                                    "CVectorTextCommand", "CConvertUnit"}));
    EXPECT_EQ(appended(), "");
}

// ---- font finder ---------------------------------------------------------------------------

class FontFinderTest : public WorkbenchTest {
protected:
    QStringList most(const CFontFinder& d) const
    {
        return {text(d, kMostFont), text(d, kMostX), text(d, kMostY)};
    }
    QStringList round(const CFontFinder& d) const
    {
        return {text(d, kRoundFont), text(d, kRoundX), text(d, kRoundY)};
    }
};

TEST_F(FontFinderTest, OpensAtThreeByFiveAndPrintsTheStartingChoices)
{
    hooks.scriptDialog<CFontFinder>([this](CFontFinder& d) {
        EXPECT_EQ(d.windowTitle(), "Font Finder");
        EXPECT_EQ(text(d, kWidthMm), "3");
        EXPECT_EQ(text(d, kHeightMm), "5");
        EXPECT_EQ(most(d), QStringList({"3", "1", "1"}));
        EXPECT_EQ(round(d), QStringList({"3", "1", "1"}));
        click(d, kPrintComparison);
        EXPECT_EQ(printer->written,
                  "SL600,0,C\r"
                  "T50,50,3,1,1,0,0,N,N,'TEST148'\r"
                  "T50,350,3,1,1,0,0,N,N,'TEST148'\r"
                  "P1\r");
        click(d, IDC_CLOSE);
    });
    CFontFinder finder;
    EXPECT_EQ(finder.DoModal(), ui::IDOK);
}

TEST_F(FontFinderTest, BothSearchesShowTheirResultsAndTheComparisonPrintsThem)
{
    const struct {
        const char* width;
        const char* height;
        QStringList most;
        QStringList round;
    } cases[] = {
        {"3.0", "5.0", {"0", "3", "3"}, {"5", "1", "1"}},
        {"2", "3", {"0", "2", "2"}, {"3", "1", "1"}},
        {"5", "8", {"2", "3", "3"}, {"6", "1", "1"}},
        {"10", "15", {"5", "3", "3"}, {"6", "2", "2"}},
        {"1.5", "1", {"0", "2", "1"}, {"none", "-", "-"}},
        {"1.25", "2.75", {"2", "1", "1"}, {"none", "-", "-"}},
        {"1", "1.6", {"0", "1", "1"}, {"none", "-", "-"}},
        {"20", "35", {"6", "4", "4"}, {"none", "-", "-"}},
        {"40", "60", {"none", "-", "-"}, {"none", "-", "-"}},
        {"1e12", "1e12", {"none", "-", "-"}, {"none", "-", "-"}},
    };
    hooks.scriptDialog<CFontFinder>([&](CFontFinder& d) {
        for (const auto& c : cases) {
            type(d, kWidthMm, c.width);
            type(d, kHeightMm, c.height);
            click(d, kFindMost);
            click(d, kFindRound);
            EXPECT_EQ(most(d), c.most) << c.width << "x" << c.height;
            EXPECT_EQ(round(d), c.round) << c.width << "x" << c.height;
        }
        EXPECT_TRUE(messageTexts().isEmpty());

        // Each "Find" changes only its own group.
        type(d, kWidthMm, "3");
        type(d, kHeightMm, "5");
        click(d, kFindRound);
        EXPECT_EQ(most(d), QStringList({"none", "-", "-"}));
        EXPECT_EQ(round(d), QStringList({"5", "1", "1"}));
        printer->written.clear();
        click(d, kPrintComparison);  // a group without a result is left out
        EXPECT_EQ(printer->written, "SL600,0,C\rT50,350,5,1,1,0,0,N,N,'TEST148'\rP1\r");

        click(d, kFindMost);
        // The comparison takes the results as shown, not the sizes typed since.
        type(d, kWidthMm, "10");
        printer->written.clear();
        click(d, kPrintComparison);
        EXPECT_EQ(printer->written,
                  "SL600,0,C\rT50,50,0,3,3,0,0,N,N,'TEST148'\r"
                  "T50,350,5,1,1,0,0,N,N,'TEST148'\rP1\r");
        click(d, IDC_CLOSE);
    });
    CFontFinder finder;
    finder.DoModal();
}

TEST_F(FontFinderTest, SizesThatDoNotParseKeepTheHeldSizes)
{
    hooks.scriptDialog<CFontFinder>([this](CFontFinder& d) {
        for (const char* bad : {"wide", "", "1,5", "--2"}) {
            hooks.clearMessages();
            type(d, kWidthMm, bad);
            click(d, kFindMost);
            EXPECT_EQ(messageTexts(), QStringList{"Enter a number."}) << bad;
            EXPECT_EQ(most(d), QStringList({"0", "3", "3"})) << bad;  // 3 by 5 mm held
        }
        type(d, kWidthMm, "-3");
        type(d, kHeightMm, "0");
        click(d, kFindMost);
        EXPECT_EQ(most(d), QStringList({"0", "1", "1"}));
        type(d, kHeightMm, "zero");
        click(d, IDC_CLOSE);
        EXPECT_EQ(d.endResult(), -1);
        d.reject();
    });
    CFontFinder finder;
    EXPECT_EQ(finder.DoModal(), ui::IDCANCEL);
}

}  // namespace
