// The simulator's media-sensor, status and maintenance modules, driven through the dispatcher.
#include "CalibrationModule.h"
#include "MaintenanceModule.h"
#include "SimDispatcher.h"
#include "StatusModule.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class MaintenanceModulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSimLog([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override { SetSimLog(nullptr); }

    // Feeds the chunks one after the other; the answers in order.
    std::string feed(const std::vector<std::string>& chunks)
    {
        std::string answers;
        for (const std::string& chunk : chunks)
            answers += dispatcher.feed(chunk.data(), chunk.size(), state);
        return answers;
    }

    CalibrationModule calibration;
    StatusModule status;
    MaintenanceModule maintenance;
    SimDispatcher dispatcher{{&calibration, &status, &maintenance}};
    SimPrinterState state;
    std::vector<std::string> log;
};

TEST_F(MaintenanceModulesTest, SensingRequestGetsTheDistributionLowByteFirst)
{
    const std::string reply = feed({"*MXd,12", "00,G", "\r"});
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(static_cast<unsigned char>(reply[6]), 1200 & 0xFF);  // bin 3: 1200
    EXPECT_EQ(static_cast<unsigned char>(reply[7]), 1200 >> 8);
    EXPECT_EQ(log, std::vector<std::string>{"calibration: sensing request, 1200 dots, gap sensing; distribution sent"});

    CalibrationModule::Counts counts{};
    ASSERT_TRUE(CalibrationModule::NamedDistribution("blackmark", calibration.m_counts));
    EXPECT_EQ(feed({"^MXd,0,B\r"}).size(), 64u);
    EXPECT_FALSE(CalibrationModule::ParseCounts("1 2 3", counts));
    std::string text;
    for (int i = 0; i < 32; ++i)
        text += std::to_string(i * 100) + (i % 8 == 7 ? "\n" : ", ");
    ASSERT_TRUE(CalibrationModule::ParseCounts(text, counts));
    EXPECT_EQ(counts[31], 3100);
    EXPECT_FALSE(CalibrationModule::ParseCounts(text + " 7", counts));
    EXPECT_FALSE(CalibrationModule::ParseCounts("70000" + text.substr(1), counts));

    state.silent = true;
    EXPECT_EQ(feed({"*MXd,1200,G\r"}), "");
}

TEST_F(MaintenanceModulesTest, SavesCancelsAndManualCalibrationsAreKeptAndLogged)
{
    EXPECT_EQ(feed({"*MXs,352,7\r*MXc\r*MA8,16,1500\r^MAC\r"}), "");
    EXPECT_EQ(calibration.m_threshold, 352);
    EXPECT_EQ(calibration.m_gapCount, 7);
    EXPECT_EQ(log, (std::vector<std::string>{"calibration: saved threshold 352, gap count 7",
                                             "calibration: cancelled",
                                             "manual calibration: 8 detections, margin 16, label length \"1500\"",
                                             "manual calibration: cancelled"}));
}

TEST_F(MaintenanceModulesTest, StatusQueriesAnswerTheConditionsGiven)
{
    std::string error;
    ASSERT_TRUE(status.SetConditions("paper-out,head-open,paused", error));
    EXPECT_EQ(feed({"^cp\r"}), std::string("\xc0\x20", 2));
    EXPECT_EQ(feed({"^c", "u\r"}), std::string("\xc0", 1));
    EXPECT_EQ(feed({"CPS\r"}), std::string("\x03", 1));
    EXPECT_EQ(feed({"^ee\r"}), "00\r\n");
    ASSERT_TRUE(status.SetConditions("", error));
    EXPECT_EQ(feed({"^cp\r^cu\r"}), std::string("\0\0\0", 3));
    EXPECT_FALSE(status.SetConditions("paper-out,smoke", error));
    EXPECT_NE(error.find("smoke"), std::string::npos);
}

TEST_F(MaintenanceModulesTest, MaintenanceCommandsInsideZplBlocks)
{
    EXPECT_EQ(feed({"~WC\r\n^XA^WD*:*.*^XZ\r\n", "^XA^JUF^XZ\r\n~JD\r\n"}), "");
    EXPECT_TRUE(maintenance.m_diagnostics);
    EXPECT_EQ(log, (std::vector<std::string>{"maintenance: configuration label printed",
                                             "maintenance: object list of \"*:*.*\" printed",
                                             "maintenance: factory settings restored",
                                             "maintenance: diagnostics mode entered"}));
}

TEST_F(MaintenanceModulesTest, RandomBytesNeverStallTheStream)
{
    std::mt19937 random(919);
    const std::string alphabet = "*^~MXdscAaCPSWJUFEDH0123456789,GB\r\n:.";
    for (int round = 0; round < 2000; ++round) {
        std::string junk(round % 64, '\0');
        for (char& c : junk)
            c = random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
        feed({junk});
    }
    // Whatever came before, a whole query is answered once the junk is passed over.
    log.clear();
    const std::string tail(64, 'x');
    feed({tail + "\r\n"});
    EXPECT_EQ(feed({"^cu\r"}).size(), 1u);
}

}  // namespace
