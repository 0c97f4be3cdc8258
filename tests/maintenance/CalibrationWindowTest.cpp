// The calibration window and its pages on a fake serial printer.
#include "tests/workbench/WorkbenchFixture.h"

#include "core/Globals.h"
#include "maintenance/CCalibrationExtra.h"
#include "maintenance/CCalibrationTabCtrl.h"
#include "maintenance/CCalibrationTabDialog.h"
#include "maintenance/CCalibration_2.h"
#include "maintenance/CManualCalibration.h"
#include "ui/ColorStatic.h"

#include <QComboBox>
#include <algorithm>
#include <QImage>
#include <QRadioButton>
#include <map>
#include <random>

namespace {

constexpr int kLabelLength = 1238;
constexpr int kFirstBin = 1318;
constexpr int kFirstCount = 1350;
constexpr int kBlackMark = 1383;
constexpr int kMiddleGapValue = 1384;
constexpr int kGapCount = 1426;
constexpr int kCheck = 1152;
constexpr int kCancel = 1153;
constexpr int kSave = 1154;

const QString kReadFail = QStringLiteral("Sensing Data Read Fail!");
const QString kSelectLevel = QStringLiteral("Select the Sensing Level.");

QByteArray replyOf(const std::map<int, int>& bins)
{
    QByteArray reply(64, '\0');
    for (const auto& [bin, count] : bins) {
        reply[2 * bin] = static_cast<char>(count & 0xFF);
        reply[2 * bin + 1] = static_cast<char>(count >> 8);
    }
    return reply;
}

const std::map<int, int> kGapMedium = {{2, 900}, {3, 1200}, {4, 800}, {5, 100},
                                       {12, 30}, {13, 40},  {14, 10}};
const std::map<int, int> kBlackMarkMedium = {{5, 20},   {6, 60},   {7, 35},   {18, 150},
                                             {19, 700}, {20, 1500}, {21, 1300}, {22, 900}};
const std::map<int, int> kClosePeaks = {{8, 300},  {9, 2000}, {10, 2600}, {11, 900},
                                        {12, 400}, {13, 600}, {14, 500}};

class CalibrationWindowTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        g_menuMode = 1;
    }
    void TearDown() override
    {
        g_menuMode = 1;
        WorkbenchTest::TearDown();
    }

    // The window as its modal run would open it, without the event loop.
    CCalibration_2& open()
    {
        window = std::make_unique<CCalibrationTabDialog>();
        window->OnInitDialog();
        printer->calls.clear();
        return page();
    }
    CCalibration_2& page() { return *static_cast<CCalibration_2*>(window->m_tabCtrl->m_pPage[1]); }
    CManualCalibration& manual()
    {
        return *static_cast<CManualCalibration*>(window->m_tabCtrl->m_pPage[0]);
    }

    // The radios that can be clicked.
    std::vector<int> enabledBins()
    {
        std::vector<int> bins;
        for (int bin = 0; bin < 32; ++bin) {
            if (page().GetDlgItem(kFirstBin + bin)->isEnabled())
                bins.push_back(bin);
        }
        return bins;
    }
    std::vector<int> markedBins()
    {
        std::vector<int> bins;
        for (int bin = 0; bin < 32; ++bin) {
            if (page().m_bMarked[bin])
                bins.push_back(bin);
        }
        return bins;
    }
    bool saveEnabled()
    {
        const bool on = page().GetDlgItem(kSave)->isEnabled();
        EXPECT_EQ(page().GetDlgItem(kMiddleGapValue)->isEnabled(), on);
        EXPECT_EQ(page().GetDlgItem(kGapCount)->isEnabled(), on);
        return on;
    }

    void check(const QByteArray& reply)
    {
        printer->replies = {reply};
        printer->written.clear();
        click(page(), kCheck);
    }

    std::unique_ptr<CCalibrationTabDialog> window;
};

TEST_F(CalibrationWindowTest, OpensOnTheSensingPageAloneWithSaveDisabled)
{
    CCalibration_2& p = open();
    EXPECT_EQ(window->windowTitle(), "Manual Calibration");
    EXPECT_EQ(window->GetDlgItemText(ui::IDOK), "CLOSE");
    EXPECT_EQ(window->m_tabCtrl->itemCount(), 1);
    EXPECT_EQ(window->m_tabCtrl->tabBar()->tabText(0), "  ");
    EXPECT_FALSE(window->m_tabCtrl->isVisibleTo(window.get()));
    EXPECT_TRUE(p.isVisibleTo(window.get()));
    EXPECT_FALSE(manual().isVisibleTo(window.get()));
    EXPECT_EQ(p.parentWidget(), window.get());
    EXPECT_EQ(manual().parentWidget(), window.get());

    EXPECT_EQ(text(p, kLabelLength), "150");
    EXPECT_TRUE(p.IsDlgButtonChecked(1382));
    EXPECT_EQ(p.item<QComboBox>(kGapCount)->currentText(), "7");
    EXPECT_EQ(p.GetDlgItemText(kFirstBin), "32 :");
    EXPECT_EQ(p.GetDlgItemText(kFirstBin + 31), "1024 :");
    EXPECT_EQ(p.GetDlgItemText(kFirstCount + 5), "0000");
    EXPECT_TRUE(enabledBins().empty());
    EXPECT_FALSE(saveEnabled());

    // Cancel needs no check before it.
    click(p, kCancel);
    EXPECT_EQ(printer->written, "*MXc\r");
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CalibrationWindowTest, SensingRequestAndItsWaitFollowTheLinkAndTheFields)
{
    struct Case {
        const char* port;
        const char* length;
        bool blackMark;
        QByteArray request;
        int waitMs;
    };
    const Case cases[] = {
        {"COM1:", "150", false, "*MXd,1200,G\r", 4800},
        {"LPT1:", "150", false, "*MXd,1200,G\r", 7200},
        {"COM1:", "0", true, "*MXd,0,B\r", 0},
        {"COM1:", "12x", false, "*MXd,1200,G\r", 4800},   // not a number: the old value
        {"COM1:", "5000", false, "", -1},  // beyond the range: nothing is sent
    };
    io.addDevice(QStringLiteral("LPT1:"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " " + c.length);
        g_comm.SetPortName(QString::fromLatin1(c.port));
        ASSERT_TRUE(g_comm.Open());
        ztest::FakeDevice& device = io.device(QString::fromLatin1(c.port));
        CCalibration_2& p = open();
        hooks.clearMessages();
        clock.clearSleeps();
        device.written.clear();
        device.calls.clear();
        type(p, kLabelLength, QString::fromLatin1(c.length));
        if (c.blackMark)
            click(p, kBlackMark);
        device.replies = {replyOf(c.blackMark ? kBlackMarkMedium : kGapMedium)};
        click(p, kCheck);
        EXPECT_EQ(device.written, c.request);
        // The wait comes before the read; the link's own pauses follow it.
        if (c.waitMs < 0) {
            EXPECT_TRUE(clock.sleeps().empty());
            EXPECT_FALSE(device.calls.contains("read(64)"));
        } else {
            ASSERT_FALSE(clock.sleeps().empty());
            EXPECT_EQ(clock.sleeps().front(), c.waitMs);
            EXPECT_TRUE(device.calls.contains("read(64)"));
        }
        const bool badLength = QByteArray(c.length) == "12x" || QByteArray(c.length) == "5000";
        ASSERT_EQ(messageTexts().size(), badLength ? 1 : 0);
        if (QByteArray(c.length) == "12x")
            EXPECT_EQ(messageTexts()[0], "Enter an integer.");
        else if (badLength)
            EXPECT_TRUE(messageTexts()[0].contains("4000")) << messageTexts()[0].toStdString();
    }
}

TEST_F(CalibrationWindowTest, GapMediumMarksBothPeaksAndSaveSendsTheMiddleValue)
{
    CCalibration_2& p = open();
    check(replyOf(kGapMedium));

    EXPECT_TRUE(hooks.messages().empty());
    EXPECT_EQ(markedBins(), (std::vector<int>{3, 13}));
    EXPECT_EQ(enabledBins(), (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_TRUE(p.IsDlgButtonChecked(kFirstBin + 10));
    EXPECT_EQ(text(p, kMiddleGapValue), "352");
    EXPECT_EQ(text(p, kFirstCount + 3), "1200");
    EXPECT_EQ(text(p, kFirstCount + 20), "0000");
    EXPECT_TRUE(saveEnabled());
    auto* marked = p.item<ui::ColorStatic>(kFirstCount + 13);
    EXPECT_EQ(marked->textColor(), QColor(0, 255, 255));
    EXPECT_EQ(marked->backgroundColor(), QColor(0, 0, 128));
    EXPECT_EQ(p.item<ui::ColorStatic>(kFirstCount + 4)->textColor(), QColor(128, 128, 128));

    printer->written.clear();
    click(p, kSave);
    EXPECT_EQ(printer->written, "*MXs,352,7\r");
    // Back to idle: nothing marked or enabled, counts shown as 0, Save disabled.
    EXPECT_TRUE(markedBins().empty());
    EXPECT_TRUE(enabledBins().empty());
    EXPECT_FALSE(p.IsDlgButtonChecked(kFirstBin + 10));
    EXPECT_EQ(text(p, kFirstCount + 3), "0000");
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(text(p, kMiddleGapValue), "352");
}

TEST_F(CalibrationWindowTest, BinRadioTypedValueAndGapCountReachTheSave)
{
    CCalibration_2& p = open();
    check(replyOf(kGapMedium));
    click(p, kFirstBin + 8);
    EXPECT_EQ(text(p, kMiddleGapValue), "288");

    type(p, kMiddleGapValue, "500");
    p.item<QComboBox>(kGapCount)->setCurrentIndex(6);
    printer->written.clear();
    click(p, kSave);
    EXPECT_EQ(printer->written, "*MXs,500,10\r");
}

// The length feeds only the sensing request: a length the check would refuse, or one that is
// not a number, never holds back a bin choice, a typed value or the gap count.
TEST_F(CalibrationWindowTest, SaveAndTheBinRadiosNeverStopAtTheLabelLength)
{
    for (const char* length : {"5000", "12x", ""}) {
        SCOPED_TRACE(length);
        CCalibration_2& p = open();
        check(replyOf(kGapMedium));
        type(p, kLabelLength, QString::fromLatin1(length));
        hooks.clearMessages();

        click(p, kFirstBin + 8);
        EXPECT_TRUE(p.IsDlgButtonChecked(kFirstBin + 8));
        EXPECT_EQ(text(p, kMiddleGapValue), "288");
        EXPECT_EQ(text(p, kLabelLength), QString::fromLatin1(length));  // left as typed

        type(p, kMiddleGapValue, "500");
        p.item<QComboBox>(kGapCount)->setCurrentIndex(6);
        printer->written.clear();
        click(p, kSave);
        EXPECT_EQ(printer->written, "*MXs,500,10\r");
        EXPECT_TRUE(hooks.messages().empty());
    }
}

TEST_F(CalibrationWindowTest, ACheckWithAnUnreadableLengthTakesTheOtherFieldsAsChosen)
{
    // An empty length goes on with the length held; the sensing type and the gap count are
    // the ones on the page, also for the fine adjustment.
    CCalibration_2& p = open();
    type(p, kLabelLength, "");
    p.item<QComboBox>(kGapCount)->setCurrentIndex(6);
    QString fineGapCount;
    hooks.scriptDialog<CCalibrationExtra>([&](CCalibrationExtra& extra) {
        fineGapCount = text(extra, 1237);
        printer->written.clear();
        click(extra, 1154);
        EXPECT_EQ(printer->written, "*MXs,464,10\r");
        click(extra, ui::IDOK);
    });
    check(replyOf(kClosePeaks));
    EXPECT_EQ(fineGapCount, "10");
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
    EXPECT_EQ(text(p, kLabelLength), "150");

    type(p, kLabelLength, "");
    click(p, kBlackMark);
    hooks.clearMessages();
    check(replyOf(kBlackMarkMedium));
    EXPECT_EQ(printer->written, "*MXd,1200,B\r");
}

TEST_F(CalibrationWindowTest, BlackMarkMediumRunsTheBlackMarkAnalysis)
{
    CCalibration_2& p = open();
    click(p, kBlackMark);
    check(replyOf(kBlackMarkMedium));
    EXPECT_EQ(printer->written, "*MXd,1200,B\r");
    EXPECT_EQ(markedBins(), (std::vector<int>{6, 20}));
    EXPECT_EQ(enabledBins(), (std::vector<int>{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(text(p, kMiddleGapValue), "320");
}

TEST_F(CalibrationWindowTest, ClosePeaksOpenTheFineAdjustment)
{
    struct Case {
        const char* name;
        bool ok;
        QString value;
    };
    for (const Case& c : {Case{"OK", true, "464"}, Case{"Esc", false, "416"}}) {
        SCOPED_TRACE(c.name);
        CCalibration_2& p = open();
        bool ran = false;
        hooks.scriptDialog<CCalibrationExtra>([&](CCalibrationExtra& extra) {
            ran = true;
            EXPECT_EQ(extra.windowTitle(), "Calibration Extra");
            EXPECT_EQ(text(extra, 1410), "352 : ");
            EXPECT_EQ(text(extra, 1411), "448 : ");
            EXPECT_EQ(text(extra, 1413), "2600");
            EXPECT_EQ(text(extra, 1421), "600");
            EXPECT_FALSE(extra.GetDlgItem(1401)->isVisibleTo(&extra));
            const QStringList levels = {"428 :", "440 :", "452 :", "464 :", "476 :", "488 :", "500 :"};
            for (int k = 1; k <= 7; ++k)
                EXPECT_EQ(text(extra, 1401 + k), levels[k - 1]);
            EXPECT_TRUE(extra.IsDlgButtonChecked(1405));
            EXPECT_EQ(text(extra, 1384), "464");
            EXPECT_EQ(text(extra, 1237), "7");
            if (c.ok)
                click(extra, ui::IDOK);
            else
                extra.reject();
        });
        check(replyOf(kClosePeaks));
        EXPECT_TRUE(ran);
        EXPECT_EQ(markedBins(), (std::vector<int>{10, 13}));
        EXPECT_EQ(enabledBins(), (std::vector<int>{11, 12}));
        EXPECT_EQ(text(p, kMiddleGapValue), c.value);
        EXPECT_TRUE(saveEnabled());
    }
}

TEST_F(CalibrationWindowTest, FineAdjustmentSavesOncePerOpeningWithTheLevelChosen)
{
    open();
    hooks.scriptDialog<CCalibrationExtra>([&](CCalibrationExtra& extra) {
        click(extra, 1402);
        EXPECT_EQ(text(extra, 1384), "428");
        printer->written.clear();
        click(extra, 1154);
        EXPECT_EQ(printer->written, "*MXs,428,7\r");
        click(extra, 1154);
        EXPECT_EQ(printer->written, "*MXs,428,7\r");
        EXPECT_EQ(messageTexts(), QStringList{kSelectLevel});
        click(extra, ui::IDOK);
    });
    check(replyOf(kClosePeaks));
    EXPECT_EQ(text(page(), kMiddleGapValue), "428");
}

TEST_F(CalibrationWindowTest, SpanOfOneToThreeGivesStepsOfFourToTwelve)
{
    for (int span : {1, 2, 3}) {
        SCOPED_TRACE(span);
        CCalibration_2& p = open();
        // A label population on bins 9-10 and a gap peak `span` bins above the label peak.
        std::map<int, int> bins = {{9, 2000}, {10, 2600}};
        for (int bin = 11; bin < 10 + span; ++bin)
            bins[bin] = 500;
        bins[10 + span] = 900;
        int step = 0;
        hooks.scriptDialog<CCalibrationExtra>([&](CCalibrationExtra& extra) {
            step = extra.m_nSpan * 4;
            EXPECT_EQ(extra.m_nHighBin, 10 + span);
            click(extra, ui::IDOK);
        });
        check(replyOf(bins));
        EXPECT_EQ(step, 4 * span);
        EXPECT_EQ(text(p, kMiddleGapValue), QString::number((10 + span) * 32 + 4 * step));
    }
}

TEST_F(CalibrationWindowTest, NoDataIsReportedButItsValueCanStillBeSaved)
{
    CCalibration_2& p = open();
    check(replyOf({}));
    EXPECT_EQ(messageTexts(), QStringList{kReadFail});
    EXPECT_EQ(markedBins(), (std::vector<int>{0, 31}));
    EXPECT_TRUE(enabledBins().empty());
    EXPECT_TRUE(p.IsDlgButtonChecked(kFirstBin + 7));
    EXPECT_EQ(text(p, kMiddleGapValue), "256");
    EXPECT_TRUE(saveEnabled());
    printer->written.clear();
    click(p, kSave);
    EXPECT_EQ(printer->written, "*MXs,256,7\r");
}

TEST_F(CalibrationWindowTest, ShortOrMissingReplyLeavesTheLastCountsInGrey)
{
    for (int length : {63, 0}) {
        SCOPED_TRACE(length);
        CCalibration_2& p = open();
        check(replyOf(kGapMedium));
        hooks.clearMessages();
        printer->calls.clear();
        printer->replies = {replyOf(kGapMedium).left(length), QByteArray("late")};
        click(p, kCheck);

        EXPECT_EQ(messageTexts(), QStringList{kReadFail});
        EXPECT_TRUE(printer->replies.empty());  // the late bytes went to the drain
        EXPECT_TRUE(markedBins().empty());
        EXPECT_TRUE(enabledBins().empty());
        for (int bin = 0; bin < 32; ++bin)
            EXPECT_FALSE(p.IsDlgButtonChecked(kFirstBin + bin));
        EXPECT_EQ(text(p, kFirstCount + 3), "1200");
        EXPECT_EQ(p.item<ui::ColorStatic>(kFirstCount + 3)->textColor(), QColor(128, 128, 128));
        // Save is still enabled from the analysis before, and asks for a level.
        EXPECT_TRUE(saveEnabled());
        printer->written.clear();
        click(p, kSave);
        EXPECT_TRUE(printer->written.isEmpty());
        EXPECT_EQ(messageTexts(), (QStringList{kReadFail, kSelectLevel}));
    }
}

TEST_F(CalibrationWindowTest, MarkedBinsAreDrawnInTheirColours)
{
    CCalibration_2& p = open();
    check(replyOf(kGapMedium));
    p.resize(p.sizeHint());
    const QImage image = p.grab().toImage();

    auto colours = [&](int bin) {
        QWidget* label = p.GetDlgItem(kFirstCount + bin);
        const QRect area(label->mapTo(&p, QPoint(0, 0)), label->size());
        QSet<QRgb> found;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                found.insert(image.pixel(x * image.width() / p.width(), y * image.height() / p.height()) & 0xFFFFFF);
        }
        return found;
    };
    const QRgb navy = 0x000080;
    const QRgb cyan = 0x00FFFF;
    const QRgb grey = 0x808080;
    for (int bin : {3, 13}) {
        const QSet<QRgb> c = colours(bin);
        EXPECT_TRUE(c.contains(navy)) << bin;
        EXPECT_TRUE(c.contains(cyan)) << bin;
    }
    // Small text is smoothed: its strokes come out as shades of its grey, none lighter
    // than the grey itself where a stroke covers a pixel mostly.
    auto greyText = [&](const QSet<QRgb>& c) {
        return std::any_of(c.begin(), c.end(), [&](QRgb rgb) {
            return qRed(rgb) == qGreen(rgb) && qGreen(rgb) == qBlue(rgb) && qRed(rgb) <= qRed(grey) + 0x10;
        });
    };
    for (int bin : {0, 8}) {
        const QSet<QRgb> c = colours(bin);
        EXPECT_FALSE(c.contains(navy)) << bin;
        EXPECT_TRUE(greyText(c)) << bin;
    }
}

TEST_F(CalibrationWindowTest, MenuModeZeroUsesCaretCommandsAndEightPerBin)
{
    g_menuMode = 0;
    CCalibration_2& p = open();
    EXPECT_EQ(p.GetDlgItemText(kFirstBin), "008 :");
    EXPECT_EQ(p.GetDlgItemText(kFirstBin + 31), "256 :");
    check(replyOf(kGapMedium));
    EXPECT_EQ(printer->written, "^MXd,1200,G\r");
    EXPECT_EQ(text(p, kMiddleGapValue), "88");
    printer->written.clear();
    click(p, kSave);
    click(p, kCancel);
    EXPECT_EQ(printer->written, "^MXs,88,7\r^MXc\r");

    // The fine-adjustment window keeps the menu-mode-1 values and command.
    hooks.scriptDialog<CCalibrationExtra>([&](CCalibrationExtra& extra) {
        EXPECT_EQ(text(extra, 1384), "464");
        printer->written.clear();
        click(extra, 1154);
        EXPECT_EQ(printer->written, "*MXs,464,7\r");
        click(extra, ui::IDOK);
    });
    check(replyOf(kClosePeaks));
    EXPECT_EQ(text(p, kMiddleGapValue), "464");
}

TEST_F(CalibrationWindowTest, RandomRepliesOfEveryLength)
{
    CCalibration_2& p = open();
    std::mt19937 random(4108);
    for (int length = 0; length <= 200; ++length) {
        QByteArray reply(length, '\0');
        for (char& b : reply)
            b = static_cast<char>(random());
        hooks.clearMessages();
        // Any fine adjustment that opens is closed with OK.
        if (hooks.pendingScripts() == 0)
            hooks.scriptDialog<CCalibrationExtra>([](CCalibrationExtra& e) { e.EndDialog(ui::IDCANCEL); });
        printer->replies = {reply, QByteArray()};
        click(p, kCheck);
        const std::vector<int> marked = markedBins();
        // A longer reply gives its first 64 bytes.
        if (length >= 64) {
            EXPECT_GE(marked.size(), 1u);
            EXPECT_LE(marked.size(), 2u);
        } else {
            EXPECT_TRUE(marked.empty()) << length;
            EXPECT_EQ(messageTexts(), QStringList{kReadFail}) << length;
        }
        printer->replies.clear();
    }
}

// ---- the manual calibration page ----------------------------------------------------------

TEST_F(CalibrationWindowTest, ManualPageExecutesWithItsDefaultsAndCancels)
{
    open();
    CManualCalibration& m = manual();
    EXPECT_EQ(m.item<QComboBox>(1106)->currentText(), "Gap");
    EXPECT_EQ(m.item<QComboBox>(1250)->count(), 12);
    EXPECT_EQ(m.item<QComboBox>(1253)->count(), 19);
    EXPECT_EQ(m.item<QComboBox>(1253)->itemText(18), "40");
    click(m, 1248);
    EXPECT_EQ(printer->written, "*MA8,16,1500\r");
    printer->written.clear();
    click(m, 1247);
    EXPECT_EQ(printer->written, "*MAC\r");

    g_menuMode = 0;
    printer->written.clear();
    click(m, 1248);
    click(m, 1247);
    EXPECT_EQ(printer->written, "^MA8,16,1500\r^MAC\r");
}

TEST_F(CalibrationWindowTest, ManualPresetsFollowTheMediaType)
{
    struct Case {
        int mediaType;
        int preset;
        const char* margin;
        const char* count;
    };
    const Case cases[] = {{1, 7, "20", "5"}, {0, 8, "30", "8"}, {0, 1, "6", "5"},
                          {1, 2, "4", "8"},  {0, 5, "10", "5"}, {1, 6, "8", "8"}};
    open();
    CManualCalibration& m = manual();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        m.item<QComboBox>(1106)->setCurrentIndex(c.mediaType);
        click(m, 1151 + c.preset);
        EXPECT_EQ(m.item<QComboBox>(1253)->currentText(), c.margin);
        EXPECT_EQ(m.item<QComboBox>(1250)->currentText(), c.count);
    }
    // What the edit shows when Execute is pressed is the length sent.
    type(m, 1237, "800");
    printer->written.clear();
    click(m, 1248);
    EXPECT_EQ(printer->written, "*MA8,8,800\r");
}

}  // namespace
