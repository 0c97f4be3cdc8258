#include "maintenance/CalibrationCommands.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

using calibration::Counts;

Counts countsOf(const std::map<int, int>& bins)
{
    Counts c{};
    for (const auto& [bin, count] : bins)
        c[bin] = count;
    return c;
}

struct ThresholdCase {
    const char* name;
    int sensingType;
    std::map<int, int> bins;
    int low, high;
    int firstEnabled, lastEnabled;  // none when first > last
    int selected;
    const char* save;  // with gap count 7
};

void PrintTo(const ThresholdCase& c, std::ostream* os)
{
    *os << c.name;
}

class FindThresholdTest : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(FindThresholdTest, MarksPeaksEnablesBinsAndProposesTheMiddleGapValue)
{
    const ThresholdCase& c = GetParam();
    const calibration::Analysis a = calibration::FindThreshold(countsOf(c.bins), c.sensingType);
    EXPECT_EQ(a.lowBin, c.low);
    EXPECT_EQ(a.highBin, c.high);
    for (int bin = 0; bin < calibration::kBinCount; ++bin)
        EXPECT_EQ(a.enabled(bin), bin >= c.firstEnabled && bin <= c.lastEnabled) << bin;
    EXPECT_EQ(a.selected, c.selected);
    EXPECT_EQ(calibration::SaveCommand(u'*', calibration::BinValue(a.selected, 1), 7), c.save);
}

INSTANTIATE_TEST_SUITE_P(
    Distributions, FindThresholdTest,
    ::testing::Values(
        ThresholdCase{"GapTwoClearPopulations", 0,
                      {{2, 900}, {3, 1200}, {4, 800}, {5, 100}, {12, 30}, {13, 40}, {14, 10}},
                      3, 13, 8, 12, 10, "*MXs,352,7\r"},
        ThresholdCase{"BlackMarkTwoClearPopulations", 1,
                      {{5, 20}, {6, 60}, {7, 35}, {18, 150}, {19, 700}, {20, 1500}, {21, 1300},
                       {22, 900}},
                      6, 20, 7, 12, 9, "*MXs,320,7\r"},
        ThresholdCase{"GapClosePeaks", 0,
                      {{8, 300}, {9, 2000}, {10, 2600}, {11, 900}, {12, 400}, {13, 600}, {14, 500}},
                      10, 13, 11, 12, 12, "*MXs,416,7\r"},
        ThresholdCase{"GapAllZero", 0, {}, 31, 0, 15, -1, 7, "*MXs,256,7\r"},
        ThresholdCase{"BlackMarkAllZero", 1, {}, 0, 0, 1, 0, 0, "*MXs,32,7\r"},
        ThresholdCase{"GapOnePopulation", 0, {{5, 100}, {6, 500}, {7, 900}, {8, 300}},
                      7, 8, 7, 7, 7, "*MXs,256,7\r"},
        ThresholdCase{"GapHighestBins", 0, {{30, 500}, {31, 200}}, 30, 31, 30, 30, 30,
                      "*MXs,992,7\r"},
        ThresholdCase{"BlackMarkHighestBins", 1, {{30, 200}, {31, 500}}, 30, 31, 31, 30, 30,
                      "*MXs,992,7\r"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalibrationCommandsTest, CommandTextsInBothMenuModes)
{
    EXPECT_EQ(calibration::SensingRequest(calibration::CommandPrefix(1), 1200, 0), "*MXd,1200,G\r");
    EXPECT_EQ(calibration::SensingRequest(calibration::CommandPrefix(1), 0, 1), "*MXd,0,B\r");
    EXPECT_EQ(calibration::SensingRequest(calibration::CommandPrefix(0), 800, 1), "^MXd,800,B\r");
    EXPECT_EQ(calibration::SaveCommand(calibration::CommandPrefix(0), 88, 10), "^MXs,88,10\r");
    EXPECT_EQ(calibration::CancelCommand(calibration::CommandPrefix(1)), "*MXc\r");
    EXPECT_EQ(calibration::CancelCommand(calibration::CommandPrefix(0)), "^MXc\r");
    EXPECT_EQ(calibration::ManualExecuteCommand(u'*', "8", "16", "1500"), "*MA8,16,1500\r");
    EXPECT_EQ(calibration::ManualExecuteCommand(u'^', "5", "20", "%1 x"), "^MA5,20,%1 x\r");
    EXPECT_EQ(calibration::ManualCancelCommand(u'*'), "*MAC\r");
    EXPECT_EQ(calibration::ManualCancelCommand(u'^'), "^MAC\r");

    EXPECT_EQ(calibration::LabelDots(150), 1200);
    EXPECT_EQ(calibration::SensingWaitMs(1200, true), 4800);
    EXPECT_EQ(calibration::SensingWaitMs(1200, false), 7200);
    EXPECT_EQ(calibration::BinCaption(0, 1), "32 :");
    EXPECT_EQ(calibration::BinCaption(31, 1), "1024 :");
    EXPECT_EQ(calibration::BinCaption(0, 0), "008 :");
    EXPECT_EQ(calibration::BinValue(12, 0), 104);
    EXPECT_EQ(calibration::CountText(7), "0007");
    EXPECT_EQ(calibration::CountText(65535), "65535");
}

TEST(CalibrationCommandsTest, DetailLevelsCountFromTheHighPeak)
{
    EXPECT_EQ(calibration::DetailStep(1), 4);
    EXPECT_EQ(calibration::DetailStep(3), 12);
    const int expected[] = {428, 440, 452, 464, 476, 488, 500};
    for (int level = 1; level <= 7; ++level)
        EXPECT_EQ(calibration::DetailLevelValue(13, 3, level), expected[level - 1]);
}

TEST(CalibrationCommandsTest, CountsComeOnlyFromAWholeReplyLowByteFirst)
{
    QByteArray reply(calibration::kReplyLength, '\0');
    reply[0] = '\x34';
    reply[1] = '\x12';
    reply[62] = '\xff';
    reply[63] = '\xff';
    Counts c{};
    ASSERT_TRUE(calibration::ReadCounts(reply.constData(), 64, c));
    EXPECT_EQ(c[0], 0x1234);
    EXPECT_EQ(c[31], 65535);
    const Counts before = c;
    for (int length : {0, 1, 63, 65}) {
        const QByteArray other(length, '\x01');
        EXPECT_FALSE(calibration::ReadCounts(other.constData(), length, c)) << length;
        EXPECT_EQ(c, before);
    }
    EXPECT_FALSE(calibration::ReadCounts(nullptr, 64, c));
}

TEST(CalibrationCommandsTest, RandomRepliesNeverMarkABinOutsideTheDistribution)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 4000; ++round) {
        const int length = round % 201;
        QByteArray reply(length, '\0');
        // Sparse, dense and tiny values so every scan branch is reached.
        const int style = (round / 201) % 3;
        for (char& b : reply) {
            const unsigned v = random();
            b = static_cast<char>(style == 0 ? v : style == 1 ? (v % 4 == 0 ? v : 0) : v % 3);
        }
        Counts c{};
        const bool whole = calibration::ReadCounts(reply.constData(), length, c);
        ASSERT_EQ(whole, length == 64);
        if (!whole)
            c = Counts{};
        for (int type : {0, 1}) {
            const calibration::Analysis a = calibration::FindThreshold(c, type);
            for (int bin : {a.lowBin, a.highBin, a.selected}) {
                ASSERT_GE(bin, 0);
                ASSERT_LT(bin, calibration::kBinCount);
            }
            ASSERT_GE(a.firstEnabled, 0);
            ASSERT_LT(a.lastEnabled, calibration::kBinCount);
        }
    }
}

}  // namespace
