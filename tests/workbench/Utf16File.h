#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// A command-text file as Save writes it: FF FE and the text in UTF-16LE.
inline QByteArray utf16File(const QString& text)
{
    QByteArray bytes("\xff\xfe");
    for (QChar c : text) {
        char unit[2];
        qToLittleEndian<quint16>(c.unicode(), unit);
        bytes.append(unit, 2);
    }
    return bytes;
}
