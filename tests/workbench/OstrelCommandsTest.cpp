#include "workbench/OstrelCommands.h"

#include "ui/DataExchange.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

struct DotsCase {
    float value;
    int unit;
    int dots;
};

// Single precision decides several of these: 1.25 inch is 253.99999618... in double and
// becomes 254.0f before the truncation; without that rounding it would give 253.
const DotsCase kDotsCases[] = {
    {4.0f, UnitInch, 812},       {6.0f, UnitInch, 1219},     {0.2f, UnitInch, 40},
    {1.25f, UnitInch, 254},      {0.5f, UnitInch, 101},      {5.0f, UnitInch, 1016},
    {2.5f, UnitInch, 508},       {80.625f, UnitInch, 16383}, {101.6f, UnitMm, 812},
    {5.08f, UnitMm, 40},         {12.7f, UnitMm, 101},       {812.8f, UnitDots, 812},
    {5000.0f, UnitDots, 5000},   {-0.5f, UnitInch, -101},    {0.0f, UnitMm, 0},
    {1e12f, UnitDots, 2147483647}, {-1e12f, UnitInch, -2147483647 - 1},
};

TEST(LabelDots, SinglePrecisionProductTruncatedTowardZero)
{
    for (const DotsCase& c : kDotsCases)
        EXPECT_EQ(LabelDots(c.value, c.unit), c.dots) << c.value << " unit " << c.unit;
}

TEST(LabelDots, DoubleWithoutSingleRoundingWouldDiffer)
{
    // The cases where the final rounding to single precision changes the dots.
    for (float inch : {1.25f, 2.5f, 5.0f}) {
        const double product = double(inch) * double(kMmPerInch) * 8.0;
        EXPECT_EQ(int(product) + 1, LabelDots(inch, UnitInch)) << inch;
    }
}

TEST(LabelDots, NotANumberGivesZero)
{
    EXPECT_EQ(LabelDots(std::numeric_limits<float>::quiet_NaN(), UnitInch), 0);
}

struct ShownConversion {
    int from;
    int to;
    float value;
    const char* shown;
};

TEST(ConvertLabelValue, ShowsSixDigitsAndComesBack)
{
    const ShownConversion cases[] = {
        {UnitInch, UnitMm, 4.0f, "101.6"},  {UnitInch, UnitMm, 6.0f, "152.4"},
        {UnitInch, UnitMm, 0.2f, "5.08"},   {UnitInch, UnitDots, 4.0f, "812.8"},
        {UnitInch, UnitDots, 6.0f, "1219.2"}, {UnitInch, UnitDots, 0.2f, "40.64"},
        {UnitDots, UnitInch, 812.8f, "4"},  {UnitMm, UnitInch, 152.4f, "6"},
        {UnitDots, UnitMm, 40.64f, "5.08"}, {UnitMm, UnitDots, 5.08f, "40.64"},
        {UnitMm, UnitMm, 3.3f, "3.3"},
    };
    for (const ShownConversion& c : cases)
        EXPECT_EQ(ui::formatFloat(ConvertLabelValue(c.value, c.from, c.to), 6), c.shown)
            << c.from << "->" << c.to << " " << c.value;
}

TEST(ConvertUnitValue, SixConversions)
{
    const ShownConversion cases[] = {
        {0, 0, 1.0f, "25.4"},   {0, 1, 1.0f, "203.2"}, {0, 2, 203.0f, "0.999016"},
        {0, 3, 8.0f, "1"},      {0, 4, 100.0f, "3.93701"}, {0, 5, 10.0f, "80"},
        {0, 0, -2.0f, "-50.8"},
    };
    for (const ShownConversion& c : cases) {
        const auto result = ConvertUnitValue(c.value, c.to);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(ui::formatFloat(*result, 6), c.shown) << c.to << " " << c.value;
    }
    EXPECT_FALSE(ConvertUnitValue(1.0f, -1).has_value());
    EXPECT_FALSE(ConvertUnitValue(1.0f, 6).has_value());
}

TEST(PrintingSettingLines, AppliedSettingsInOrder)
{
    EXPECT_EQ(PrintingSettingLines({true, 3, true, 20, true, 0}),
              QStringList({"SS3", "SD20", "SOT"}));
    EXPECT_EQ(PrintingSettingLines({false, 3, true, 15, false, 0}), QStringList({"SD15"}));
    EXPECT_EQ(PrintingSettingLines({true, 0, false, 0, true, 1}), QStringList({"SS0", "SOB"}));
    EXPECT_TRUE(PrintingSettingLines({false, 3, false, 20, false, 0}).isEmpty());
}

TEST(PrintingSettingTestLabel, AllApplied)
{
    EXPECT_EQ(PrintingSettingTestLabel({true, 3, true, 20, true, 0}),
              "T100,100,3,1,1,0,0,N,N,'Printer Setting Test'\r"
              "T100,150,3,1,1,0,0,N,N,'============================='\r"
              "T100,200,3,1,1,0,0,N,N,'Printing Speed     : 5.0 ips'\r"
              "SS3\r"
              "T100,250,3,1,1,0,0,N,N,'Density(0~20)      : 20'\r"
              "SD20\r"
              "T100,300,3,1,1,0,0,N,N,'Printing Direction : SOT'\r"
              "SOT\r"
              "T100,350,3,1,1,0,0,N,N,'============================='\r"
              "BD150,500,495,750,B,15\r"
              "BD200,550,300,700,S,30\r"
              "BD430,550,330,700,S,30\r"
              "\r"
              "P1\r");
}

TEST(PrintingSettingTestLabel, SpeedNotApplied)
{
    EXPECT_EQ(PrintingSettingTestLabel({false, 0, true, 7, true, 1}),
              "T100,100,3,1,1,0,0,N,N,'Printer Setting Test'\r"
              "T100,150,3,1,1,0,0,N,N,'============================='\r"
              "T100,250,3,1,1,0,0,N,N,'Density(0~20)      : 7'\r"
              "SD7\r"
              "T100,300,3,1,1,0,0,N,N,'Printing Direction : SOB'\r"
              "SOB\r"
              "T100,350,3,1,1,0,0,N,N,'============================='\r"
              "BD150,500,495,750,B,15\r"
              "BD200,550,300,700,S,30\r"
              "BD430,550,330,700,S,30\r"
              "\r"
              "P1\r");
}

TEST(PrintingSettingTestLabel, EverySpeedName)
{
    const char* names[] = {"2.5 ips'", "3.0 ips'", "4.0 ips'", "5.0 ips'", "6.0 ips'"};
    for (int speed = 0; speed < 5; ++speed) {
        const QString label = PrintingSettingTestLabel({true, speed, false, 0, false, 0});
        EXPECT_TRUE(label.contains(QStringLiteral("'Printing Speed     : ") + names[speed] +
                                   QStringLiteral("\rSS%1\r").arg(speed)))
            << speed;
    }
}

TEST(LabelSettingLines, UnitsMediaAndBoxes)
{
    struct Case {
        LabelSettingValues values;
        QStringList lines;
    };
    const Case cases[] = {
        {{UnitInch, true, 4.0f, true, 6.0f, 0, true, 0.2f, 0.2f}, {"SW812", "SL1219,24,G", "SM40,40"}},
        {{UnitMm, true, 101.6f, true, 152.4f, 0, true, 5.08f, 5.08f},
         {"SW812", "SL1219,24,G", "SM40,40"}},
        {{UnitDots, false, 0, true, 600.0f, 1, false, 0, 0}, {"SL600,0,C"}},
        {{UnitDots, false, 0, true, 600.0f, 2, false, 0, 0}, {"SL600,24,B"}},
        {{UnitDots, true, 5000.0f, false, 0, 0, false, 0, 0}, {"SW5000"}},
        {{UnitInch, false, 4.0f, false, 6.0f, 0, false, 0.2f, 0.2f}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelSettingLines(c.values), c.lines) << c.lines.join(' ').toStdString();
}

TEST(BlockDrawLine, OptionOnlyForSAndB)
{
    EXPECT_EQ(BlockDrawLine(100, 100, 800, 120, "O", 20), "BD100,100,800,120,O");
    EXPECT_EQ(BlockDrawLine(100, 100, 800, 300, "S", 10), "BD100,100,800,300,S,10");
    EXPECT_EQ(BlockDrawLine(100, 100, 800, 120, "B", 20), "BD100,100,800,120,B,20");
    EXPECT_EQ(BlockDrawLine(100.7f, 99.99f, -3.9f, 120, "E", 20), "BD100,99,-3,120,E");
    EXPECT_EQ(BlockDrawLine(1e12f, -1e12f, 0, 0, "O", 0), "BD2147483647,-2147483648,0,0,O");
    EXPECT_EQ(TestPrintJob("P3,2"), "P3,2\rP1\r");
    EXPECT_EQ(CopiesLine(500, 1), "P500,1");
}

}  // namespace
