// The character-set module of the stand-in printer, alone and behind the dispatcher.
#include "CharacterSetModule.h"
#include "SimDispatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Logged {
    std::vector<std::string> lines;
    Logged()
    {
        SetSimLog([this](const std::string& line) { lines.push_back(line); });
    }
    ~Logged() { SetSimLog(nullptr); }
};

TEST(CharacterSetModule, TakesOnlyWholeCommandsOfShortNumbers)
{
    const struct {
        std::string pending;
        std::size_t result;
    } cases[] = {
        {"CS3,6\r", 6},
        {"CS15,24\rSW830\r", 8},
        {"CS0,0\rT20", 6},
        {"C", SimModule::kNeedMore},
        {"CS", SimModule::kNeedMore},
        {"CS12", SimModule::kNeedMore},
        {"CS1,", SimModule::kNeedMore},
        {"CS1,2", SimModule::kNeedMore},
        {"CS1234,0\r", SimModule::kNotMine},
        {"CS1,1234\r", SimModule::kNotMine},
        {"CS,1\r", SimModule::kNotMine},
        {"CS1,\r", SimModule::kNotMine},
        {"CS1;2\r", SimModule::kNotMine},
        {"CS1,2\n", SimModule::kNotMine},
        {"SW780\r", SimModule::kNotMine},
        {"^CI51", SimModule::kNotMine},
    };
    for (const auto& c : cases) {
        CharacterSetModule module;
        SimPrinterState state;
        std::string reply;
        EXPECT_EQ(module.consume(c.pending, state, reply), c.result) << c.pending;
        EXPECT_TRUE(reply.empty());
    }
}

TEST(CharacterSetModule, KeepsTheLastSelectionAndLogsIt)
{
    Logged log;
    CharacterSetModule module;
    SimDispatcher dispatcher({&module});
    SimPrinterState state;
    const std::string stream = "SW780\rCS3,6\rT20,20,3,1,1,10,0,N,N,'ABC'\rP1\rCS1";
    EXPECT_EQ(dispatcher.feed(stream.data(), stream.size(), state), "");
    EXPECT_EQ(module.charSet(), 3);
    EXPECT_EQ(module.codeTable(), 6);
    dispatcher.feed("5,24\r", 5, state);
    EXPECT_EQ(module.charSet(), 15);
    EXPECT_EQ(module.codeTable(), 24);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"character set 3, code table 6",
                                                   "character set 15, code table 24"}));
}

TEST(CharacterSetModule, RandomBytesChangeNothingButWhatAWholeCommandSays)
{
    std::mt19937 random(1308);
    const std::string alphabet = "CS0123456789,\r\n;'x\x80\xff";
    for (int round = 0; round < 2000; ++round) {
        CharacterSetModule module;
        SimDispatcher dispatcher({&module});
        SimPrinterState state;
        std::string stream;
        const int length = int(random() % 24);
        for (int i = 0; i < length; ++i)
            stream += alphabet[random() % alphabet.size()];
        Logged log;
        dispatcher.feed(stream.data(), stream.size(), state);
        if (log.lines.empty()) {
            EXPECT_EQ(module.charSet(), 0);
            EXPECT_EQ(module.codeTable(), 0);
        } else {
            EXPECT_EQ(log.lines.back(), "character set " + std::to_string(module.charSet()) +
                                            ", code table " + std::to_string(module.codeTable()));
            EXPECT_NE(stream.find("CS" + std::to_string(module.charSet()) + "," +
                                  std::to_string(module.codeTable()) + "\r"),
                      std::string::npos);
        }
    }
}

}  // namespace
