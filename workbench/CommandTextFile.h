#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The command-text file: written as FF FE and UTF-16LE; read by its first byte alone
// (EF: UTF-8 after 3 bytes, FF: UTF-16LE after 2, FE: UTF-16BE after 2, any other: the
// ANSI code page from the start). The text ends at the first zero character.
class CommandTextFile {
public:
    static QString decode(QByteArrayView bytes);
    static QByteArray encode(QStringView text);

    // Both report a failure to the operator themselves and then return false; a failed
    // save may leave a created or truncated file.
    static bool load(const QString& path, QString& text);
    static bool save(const QString& path, QStringView text);
};
