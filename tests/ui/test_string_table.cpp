// The string table: one text per id, so no window shows another window's message.
#include "ui/StringTable.h"

#include <QFile>
#include <QMap>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

TEST(StringTableFile, EveryIdAppearsOnce)
{
    ui::LoadString(0);  // registers the resources
    QFile file(QStringLiteral(":/strings.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream in(&file);
    QMap<int, int> lines;
    QString line;
    for (int number = 1; in.readLineInto(&line); ++number) {
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        ASSERT_GT(tab, 0) << "line " << number << " has no id and tab";
        bool ok = false;
        const int id = line.left(tab).trimmed().toInt(&ok);
        ASSERT_TRUE(ok) << "line " << number;
        EXPECT_FALSE(lines.contains(id))
            << "id " << id << " on lines " << lines.value(id) << " and " << number;
        lines.insert(id, number);
    }
}

}  // namespace
