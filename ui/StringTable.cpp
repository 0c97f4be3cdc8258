#include "ui/StringTable.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

// Outside any namespace: the macro declares the resource library's init function.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace ui {

namespace {

QString unescape(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == QLatin1Char('n'))
            result += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            result += QLatin1Char('\t');
        else if (next == QLatin1Char('\\'))
            result += QLatin1Char('\\');
        else
            result += QString(c) + next;  // not an escape: kept as written
    }
    return result;
}

QHash<int, QString> loadTable()
{
    initResources();
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QString line;
    while (in.readLineInto(&line)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = QStringView(line).left(tab).trimmed().toInt(&ok);
        if (ok && !table.contains(id))
            table.insert(id, unescape(QStringView(line).mid(tab + 1)));
    }
    return table;
}

}  // namespace

QString LoadString(int id)
{
    static const QHash<int, QString> table = loadTable();
    return table.value(id);
}

}  // namespace ui
