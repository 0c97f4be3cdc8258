#include "workbench/CommandTextFile.h"

#include "TestCodePage.h"
#include "ui/TestHooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray raw(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out.append(char(b));
    return out;
}

class CommandTextFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return file.fileName();
    }

    TestCodePage m_codePage;
    platform::ScopedService<platform::CodePage> m_useCodePage{m_codePage};
    ui::TestHooks m_hooks;
    QTemporaryDir m_dir;
};

TEST_F(CommandTextFileTest, DecodeByFirstByteUpToFirstZero)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"utf-8 with mark", raw({0xEF, 0xBB, 0xBF, 'h', 0xC3, 0xA9, '\r', '\n', 0xE2, 0x82, 0xAC}),
         QString::fromUtf8("h\xC3\xA9\r\n\xE2\x82\xAC")},
        {"ansi starting EF loses three bytes", raw({0xEF, 'A', 'B', 'C', 'D'}), "CD"},
        {"utf-16le", raw({0xFF, 0xFE, 'h', 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}),
         QString::fromUtf8("h\xE2\x82\xAC\xF0\x9F\x98\x80")},
        {"utf-16be", raw({0xFE, 0xFF, 0, 'h', 0x20, 0xAC}), QString::fromUtf8("h\xE2\x82\xAC")},
        {"ansi", raw({'a', 0xE9, '\r', '\n', 'b'}), QString::fromUtf8("a\xC3\xA9\r\nb")},
        {"ansi zero", raw({'a', 'b', 0, 'c'}), "ab"},
        {"utf-8 zero", raw({0xEF, 0xBB, 0xBF, 'a', 0, 'b'}), "a"},
        {"utf-16 zero unit", raw({0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}), "a"},
        {"utf-16 zero high byte is no zero unit", raw({0xFF, 0xFE, 0, 1, 'b', 0}), QString(QChar(0x100)) + "b"},
        {"utf-16 odd length drops the last byte", raw({0xFF, 0xFE, 'a', 0, 'b'}), "a"},
        {"empty", QByteArray(), ""},
        {"only FF FE", raw({0xFF, 0xFE}), ""},
        {"only FE FF", raw({0xFE, 0xFF}), ""},
        {"only utf-8 mark", raw({0xEF, 0xBB, 0xBF}), ""},
        {"lone FF", raw({0xFF}), ""},
        {"EF and one byte", raw({0xEF, 'x'}), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandTextFile::decode(c.bytes), c.text) << c.what;
}

TEST_F(CommandTextFileTest, EncodeIsMarkThenUtf16le)
{
    EXPECT_EQ(CommandTextFile::encode(u"A\r\n\u20AC"),
              raw({0xFF, 0xFE, 'A', 0, '\r', 0, '\n', 0, 0xAC, 0x20}));
    EXPECT_EQ(CommandTextFile::encode(u""), raw({0xFF, 0xFE}));
    // A null text is only the mark (it once handed a null pointer to the copy).
    EXPECT_EQ(CommandTextFile::encode(QStringView()), raw({0xFF, 0xFE}));
    ASSERT_TRUE(CommandTextFile::save(path("null.txt"), QString()));
    QFile file(path("null.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), raw({0xFF, 0xFE}));
}

TEST_F(CommandTextFileTest, SaveThenLoadRoundTrip)
{
    const QString text = QString::fromUtf8("SS3\r\nT100,100,3,1,1,0,0,N,N,'\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD "
                                           "\xF0\x9F\x98\x80'\r\nP1\r\n");
    ASSERT_TRUE(CommandTextFile::save(path("Quensa.txt"), text));
    QFile file(path("Quensa.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(raw({0xFF, 0xFE, 'S', 0})));

    QString loaded;
    ASSERT_TRUE(CommandTextFile::load(path("Quensa.txt"), loaded));
    EXPECT_EQ(loaded, text);
    EXPECT_TRUE(m_hooks.messages().empty());
}

TEST_F(CommandTextFileTest, SaveTruncatesAnExistingFile)
{
    writeFile("old.txt", QByteArray(1000, 'x'));
    ASSERT_TRUE(CommandTextFile::save(path("old.txt"), u"P1"));
    EXPECT_EQ(QFile(path("old.txt")).size(), 6);
}

TEST_F(CommandTextFileTest, LargeFilesLoadWhole)
{
    constexpr qsizetype k50MiB = 50 * 1024 * 1024;
    QByteArray ansi(k50MiB, 'A');
    for (qsizetype i = 78; i < ansi.size(); i += 80) {
        ansi[i] = '\r';
        ansi[i + 1] = '\n';
    }
    QString text;
    ASSERT_TRUE(CommandTextFile::load(writeFile("big.txt", ansi), text));
    ASSERT_EQ(text.size(), k50MiB);
    EXPECT_EQ(text, QLatin1StringView(ansi));

    QByteArray utf16 = raw({0xFF, 0xFE}) + QByteArray(k50MiB + 1, 'B');  // odd after the mark
    utf16[2 + 1000001] = 0;  // a whole zero unit only with the byte before it
    utf16[2 + 2000000] = 0;
    utf16[2 + 2000001] = 0;
    ASSERT_TRUE(CommandTextFile::load(writeFile("big16.txt", utf16), text));
    EXPECT_EQ(text.size(), 1000000);
    EXPECT_EQ(text.left(3), QString(3, QChar(0x4242)));

    QByteArray cut(k50MiB, 'C');
    cut[12345] = 0;
    ASSERT_TRUE(CommandTextFile::load(writeFile("cut.txt", cut), text));
    EXPECT_EQ(text, QString(12345, u'C'));
    EXPECT_TRUE(m_hooks.messages().empty());
}

// A file is read a piece at a time; the pieces must give the characters the whole gives.
TEST_F(CommandTextFileTest, LoadGivesWhatDecodeOfTheWholeGives)
{
    auto repeated = [](const QByteArray& start, const QByteArray& line) {
        QByteArray bytes = start;
        while (bytes.size() < 3 * 1024 * 1024)
            bytes += line;
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"utf-8 lines starting with marks and broken sequences",
         repeated(raw({0xEF, 0xBB, 0xBF}), raw({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 'a', 0xC3,
                                               0xA9, 0xE2, 0x82, '\r', '\n'}))},
        {"utf-8 without a line feed", repeated(raw({0xEF, 0xBB, 0xBF}), raw({0xE2, 0x82, 0xAC}))},
        {"ansi lines", repeated("", raw({'a', 0xE9, '\r', '\n', '\n'}))},
        {"ansi zero late", repeated("", "abc\n") + raw({'x', 0, 'y', '\n'}) + repeated("", "d\n")},
        {"utf-16be", repeated(raw({0xFE, 0xFF}), raw({0, 'a', 0x20, 0xAC, 0, '\n'}))},
    };
    for (const auto& c : cases) {
        QString text;
        ASSERT_TRUE(CommandTextFile::load(writeFile("piece.txt", c.bytes), text)) << c.what;
        EXPECT_EQ(text, CommandTextFile::decode(c.bytes)) << c.what;
    }
}

TEST_F(CommandTextFileTest, FileErrorsAreReported)
{
    QString text = "kept";
    EXPECT_FALSE(CommandTextFile::load(path("missing.txt"), text));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(CommandTextFile::save(path("no/such/folder/x.txt"), u"P1"));
    ASSERT_EQ(m_hooks.messages().size(), 2u);
    EXPECT_EQ(m_hooks.messages()[0].text, path("missing.txt") + " was not found.");
    EXPECT_EQ(m_hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
}

}  // namespace
