#include "maintenance/StatusCommands.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using status::Query;

QStringList ticked(Query q, const QByteArray& reply)
{
    const QStringList captions = status::BoxCaptions(q);
    QStringList out;
    for (int i : status::Conditions(q, reply.constData(), int(reply.size())))
        out << captions.at(i);
    return out;
}

struct StatusCase {
    const char* name;
    Query query;
    QByteArray reply;
    QStringList boxes;
};

void PrintTo(const StatusCase& c, std::ostream* os)
{
    *os << c.name;
}

class StatusConditionTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusConditionTest, EachConditionFromItsBit)
{
    EXPECT_EQ(ticked(GetParam().query, GetParam().reply), GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, StatusConditionTest,
    ::testing::Values(
        StatusCase{"CpOk", Query::Cp, QByteArray("\0\0", 2), {"Status OK"}},
        StatusCase{"CpPaperEmpty", Query::Cp, QByteArray("\x80\0", 2), {"Paper Empty"}},
        StatusCase{"CpCoverOpen", Query::Cp, QByteArray("\x40\0", 2), {"Cover Open"}},
        StatusCase{"CpCutter", Query::Cp, QByteArray("\x20\0", 2), {"Cutter jammed"}},
        StatusCase{"CpHead", Query::Cp, QByteArray("\x10\0", 2), {"Thermal Head overheat"}},
        StatusCase{"CpGap", Query::Cp, QByteArray("\x08\0", 2), {"Gap Detection Error"}},
        StatusCase{"CpRibbon", Query::Cp, QByteArray("\x04\0", 2), {"Ribbon End Error"}},
        StatusCase{"CpBuilding", Query::Cp, QByteArray("\0\x80", 2), {"On Building label"}},
        StatusCase{"CpPrinting", Query::Cp, QByteArray("\0\x40", 2), {"On Printing label"}},
        StatusCase{"CpPaused", Query::Cp, QByteArray("\0\x20", 2), {"Issued label is paused"}},
        StatusCase{"CpMixed", Query::Cp, QByteArray("\xc0\xa0", 2),
                   {"Paper Empty", "Cover Open", "On Building label", "Issued label is paused"}},
        StatusCase{"CpIgnoredBitsOnly", Query::Cp, QByteArray("\x03\x1f", 2), {}},
        StatusCase{"CpOnlyIgnoredJobBits", Query::Cp, QByteArray("\0\x10", 2), {}},
        StatusCase{"CpShort", Query::Cp, QByteArray("\0", 1), {}},
        StatusCase{"CuOk", Query::Cu, QByteArray("\0", 1), {"Status OK"}},
        StatusCase{"CuIgnored", Query::Cu, QByteArray("\x03", 1), {}},
        StatusCase{"CuRibbon", Query::Cu, QByteArray("\x04", 1), {"Ribbon End Error"}},
        StatusCase{"CuAll", Query::Cu, QByteArray("\xff", 1),
                   {"Paper Empty", "Cover Open", "Cutter jammed", "Thermal Head overheat",
                    "Gap Detection Error", "Ribbon End Error"}},
        StatusCase{"EeNoError", Query::Ee, "00\r\n", {"No Error"}},
        StatusCase{"EeDuplicate", Query::Ee, "08\r\n", {"Duplicate Name"}},
        StatusCase{"EeNameNotFound", Query::Ee, "09\r\n", {"Name Not Found"}},
        StatusCase{"EeBusy", Query::Ee, "50\r\n", {"Printer Busy"}},
        StatusCase{"EeCutter", Query::Ee, "71\r\n", {"Cutter Jammed"}},
        StatusCase{"EeUnknown", Query::Ee, "13\r\n", {}},
        StatusCase{"EeNoCrLf", Query::Ee, "00\n\r", {}},
        StatusCase{"CpsOk", Query::Cps, QByteArray("\0", 1), {"Status OK"}},
        StatusCase{"CpsBits", Query::Cps, QByteArray("\x0f", 1),
                   {"Cover Open", "Paper Empty", "Paper Jam", "TPH overheat"}},
        StatusCase{"CpsUndefined", Query::Cps, QByteArray("\x90", 1),
                   {"Not defined", "Not defined"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatusCommandsTest, QueriesWaitsAndLengths)
{
    const struct {
        Query q;
        const char* text;
        int wait, length;
        bool serialOnly;
    } cases[] = {{Query::Cp, "^cp\r", 50, 2, false},
                 {Query::Cu, "^cu\r", 50, 1, false},
                 {Query::Ee, "^ee\r", 30, 4, true},
                 {Query::Cps, "CPS\r", 50, 1, false}};
    for (const auto& c : cases) {
        const status::StatusQuery q = status::QueryOf(c.q);
        EXPECT_EQ(q.text, c.text);
        EXPECT_EQ(q.waitMs, c.wait);
        EXPECT_EQ(q.replyLength, c.length);
        EXPECT_EQ(q.serialOnly, c.serialOnly);
    }
    EXPECT_EQ(status::BoxCaptions(Query::Cp).size(), 10);
    EXPECT_EQ(status::BoxCaptions(Query::Ee).size(), 19);
}

TEST(StatusCommandsTest, RandomRepliesTickOnlyBoxesOfThePage)
{
    std::mt19937 random(4118);
    for (Query q : {Query::Cp, Query::Cu, Query::Ee, Query::Cps}) {
        const int boxes = int(status::BoxCaptions(q).size());
        const int needed = status::QueryOf(q).replyLength;
        for (int length = 0; length <= 200; ++length) {
            for (int round = 0; round < 5; ++round) {
                // Exactly the asked length on the heap, so a read past it is caught by ASan.
                std::vector<char> reply(static_cast<std::size_t>(length));
                for (char& b : reply)
                    b = static_cast<char>(round == 4 && length > 3 ? "0\r\n"[random() % 3]
                                                                   : random());
                const std::vector<int> t = status::Conditions(q, reply.data(), length);
                if (length < needed)
                    ASSERT_TRUE(t.empty());
                for (int i : t) {
                    ASSERT_GE(i, 0);
                    ASSERT_LT(i, boxes);
                }
            }
        }
    }
}

}  // namespace
