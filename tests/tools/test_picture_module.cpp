// The simulator's picture memory, fed through the dispatcher as a peer's bytes.
#include "IdentityModule.h"
#include "PictureModule.h"
#include "SimDispatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class PictureModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSimLog([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override { SetSimLog(nullptr); }

    std::string feed(const std::string& bytes) { return dispatcher.feed(bytes.data(), bytes.size(), state); }

    PictureModule pictures;
    IdentityModule identity;
    SimDispatcher dispatcher{{&identity, &pictures}};
    SimPrinterState state;
    std::vector<std::string> log;
};

TEST_F(PictureModuleTest, StoreTakesExactlyTheAnnouncedBytesInAnySplit)
{
    const std::string payload("\x0a\x05IR'II\r\n\0\xff", 11);  // looks like commands inside
    const std::string stream = "IS11,'logo'" + payload + "\r\rIR100,100,'logo'\rP1\r";
    for (std::size_t split : {std::size_t(1), std::size_t(3), std::size_t(7), stream.size()}) {
        log.clear();
        for (std::size_t i = 0; i < stream.size(); i += split)
            EXPECT_EQ(feed(stream.substr(i, split)), "");
        ASSERT_EQ(pictures.pictures().count("logo"), 1u);
        EXPECT_EQ(pictures.pictures().at("logo"), payload);
        EXPECT_EQ(log, (std::vector<std::string>{"picture stored: 'logo' 11 bytes",
                                                 "picture recalled: 'logo' at 100,100",
                                                 "picture printed: 'logo' 1 label(s)"}))
            << split;
    }
}

TEST_F(PictureModuleTest, ListDeleteAndDeleteAll)
{
    feed("IS2,'a'xyIS0,''IS1,'b'z");
    feed("II\r\n");
    feed("ID'a'\r\nII\r\n");
    feed("ID'zz'\r\n");
    feed("IR1,2,'zz'\r");
    feed("ID*\r\nII\r\n");
    EXPECT_EQ(log, (std::vector<std::string>{
                       "picture stored: 'a' 2 bytes", "picture stored: '' 0 bytes", "picture stored: 'b' 1 bytes",
                       "picture memory: 3 picture(s) '' 0 'a' 2 'b' 1", "picture deleted: 'a'",
                       "picture memory: 2 picture(s) '' 0 'b' 1", "picture deleted: 'zz' (not stored)",
                       "picture recalled: 'zz' at 1,2 (not stored)", "all pictures deleted (2)",
                       "picture memory: 0 picture(s)"}));
}

TEST_F(PictureModuleTest, StrayPrefixesNeverStallTheStream)
{
    // Each is not a picture command; the model query after it must still be answered.
    for (const std::string& stray : std::vector<std::string>{"IS", "IS12x,'a'", "IS1234567890123,'a'", "IR1,2,'a'\n", "ID'a'\rX",
                                    "IS5,'" + std::string(300, 'n'), "P1\r", "IS99999999999,'big'"}) {
        EXPECT_EQ(feed(stray + "\r\n^PI0\r\n"), "KX-21\r\n") << stray;
        EXPECT_TRUE(pictures.pictures().empty()) << stray;
    }
}

TEST_F(PictureModuleTest, RandomBytesNeitherCrashNorStall)
{
    std::mt19937 random(4116);
    const std::string alphabet = "ISRD'*,\r\n0123456789abP";
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const std::size_t length = random() % 40;
        for (std::size_t i = 0; i < length; ++i)
            bytes += random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
        // Each round on a connection of its own: a store may rightly wait for its bytes.
        SimDispatcher connection({&identity, &pictures});
        connection.feed(bytes.data(), bytes.size(), state);
        const std::string query = "\r\n^PI0\r\n";
        const std::string answer = connection.feed(query.data(), query.size(), state);
        for (const auto& [name, stored] : pictures.pictures())
            EXPECT_LE(stored.size(), 40u) << round;  // never more than a round sent
        (void)answer;
    }
}

TEST_F(PictureModuleTest, DumpFolderGetsEachStoredPicture)
{
    QTemporaryDir dir;
    pictures.setDumpDir(dir.path().toStdString());
    feed(std::string("IS4,'my logo'\x0a\x05\x01\x01", 17));
    feed("IS2,'x'BMIS3,'/../j'\xff\xd8\xff");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"____j.jpg", "my_logo.pcx", "x.bmp"}));
    QFile file(dir.filePath("my_logo.pcx"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x0a\x05\x01\x01", 4));
}

}  // namespace
