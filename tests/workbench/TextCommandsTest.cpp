#include "workbench/TextCommands.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <random>

using namespace ostrel;

namespace {

TEST(BitmapTextLine, FieldsInOrderAndTextUnchanged)
{
    struct Case {
        BitmapText t;
        const char* line;
    };
    const Case cases[] = {
        {{.x = 20, .y = 20, .text = SampleLabelText()},
         "T20,20,3,1,1,0,0,N,N,'QUORVIN BRESSANT Label Printer'"},
        {{.x = 100.9f, .y = -0.5f, .font = "f", .hMulti = 4, .vMulti = 2, .spacing = 100,
          .rotation = 3, .reverse = "R", .bold = "B", .text = "it's, here"},
         "T100,0,f,4,2,100,3,R,B,'it's, here'"},
        {{.x = 1e12f, .y = -1e12f, .text = ""}, "T2147483647,-2147483648,3,1,1,0,0,N,N,''"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BitmapTextLine(c.t), c.line);
    EXPECT_EQ(BitmapFonts().join(""), "0123456789abcdef");
}

TEST(VectorTextLine, LettersSignsAndOrder)
{
    struct Case {
        VectorText t;
        const char* line;
    };
    const Case cases[] = {
        {{.x = 20, .y = 20, .text = SampleLabelText()},
         "V20,20,U,35,35,1,N,N,N,0,L,0,'QUORVIN BRESSANT Label Printer'"},
        {{.x = 5.5f, .y = 7, .width = 1, .height = 100, .spacing = -5, .bold = true,
          .reverse = true, .italic = true, .rotation = 1, .justification = VectorJustification(1),
          .direction = 1, .text = "a'b"},
         "V5,7,U,1,100,-5,B,R,I,1,C,1,'a'b'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VectorTextLine(c.t), c.line);
    EXPECT_EQ(VectorJustification(0), "R");
    EXPECT_EQ(VectorJustification(2), "L");
    EXPECT_EQ(VectorJustification(-1), "");
    EXPECT_EQ(VectorJustification(3), "");
}

struct FinderCase {
    double widthMm;
    double heightMm;
    std::optional<FontChoice> most;
    std::optional<FontChoice> round;
};

TEST(FontFinder, NearestCellsTiesAndEdges)
{
    const FinderCase cases[] = {
        {3.0, 5.0, FontChoice{0, 3, 3}, FontChoice{5, 1, 1}},
        {2.0, 3.0, FontChoice{0, 2, 2}, FontChoice{3, 1, 1}},
        {5.0, 8.0, FontChoice{2, 3, 3}, FontChoice{6, 1, 1}},
        {10.0, 15.0, FontChoice{5, 3, 3}, FontChoice{6, 2, 2}},
        // Ties go to the candidate met last.
        {1.5, 1.0, FontChoice{0, 2, 1}, std::nullopt},
        {1.25, 2.75, FontChoice{2, 1, 1}, std::nullopt},
        // The exact cells of the smallest and largest fonts at both ends of the multipliers.
        {1.0, 1.625, FontChoice{0, 1, 1}, std::nullopt},
        {4.0, 6.5, FontChoice{0, 4, 4}, FontChoice{3, 2, 2}},
        // 40 by 70 dots is font 4 at 2 by 2 and font 6 at 1 by 1: the later one wins.
        {5.0, 8.75, FontChoice{6, 1, 1}, std::nullopt},
        {20.0, 35.0, FontChoice{6, 4, 4}, std::nullopt},
        // Nothing within reach, or nothing larger with smaller multipliers.
        {40.0, 60.0, std::nullopt, std::nullopt},
        {1e12, 1e12, std::nullopt, std::nullopt},
        {-3.0, -5.0, FontChoice{0, 1, 1}, std::nullopt},
        {0.0, 0.0, FontChoice{0, 1, 1}, std::nullopt},
    };
    for (const FinderCase& c : cases) {
        EXPECT_EQ(FindMostSimilarFont(c.widthMm, c.heightMm), c.most) << c.widthMm << "x" << c.heightMm;
        EXPECT_EQ(FindSimilarRoundFont(c.widthMm, c.heightMm), c.round)
            << c.widthMm << "x" << c.heightMm;
    }
}

TEST(FontFinder, RoundChoiceIsAlwaysLargerWithSmallerMultipliers)
{
    std::mt19937 random(12);
    std::uniform_real_distribution<double> size(0.0, 45.0);
    for (int i = 0; i < 2000; ++i) {
        const double w = size(random);
        const double h = size(random);
        const auto most = FindMostSimilarFont(w, h);
        const auto round = FindSimilarRoundFont(w, h);
        if (!most) {
            EXPECT_FALSE(round);
            continue;
        }
        EXPECT_LE(most->font, 6);
        if (round) {
            EXPECT_GT(round->font, most->font);
            EXPECT_LT(round->xMulti, most->xMulti);
            EXPECT_LT(round->yMulti, most->yMulti);
        }
    }
}

TEST(FontComparisonJob, BothLinesOrOnlyTheChoicesFound)
{
    EXPECT_EQ(FontComparisonJob(FontChoice{}, FontChoice{}),
              "SL600,0,C\r"
              "T50,50,3,1,1,0,0,N,N,'TEST148'\r"
              "T50,350,3,1,1,0,0,N,N,'TEST148'\r"
              "P1\r");
    EXPECT_EQ(FontComparisonJob(FontChoice{0, 2, 1}, std::nullopt),
              "SL600,0,C\rT50,50,0,2,1,0,0,N,N,'TEST148'\rP1\r");
    EXPECT_EQ(FontComparisonJob(std::nullopt, std::nullopt), "SL600,0,C\rP1\r");
}

}  // namespace
