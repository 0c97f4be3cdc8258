#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

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
    // The text of the file a piece at a time, for a file too long to hold twice; a failure
    // may come after some pieces.
    static bool read(const QString& path, const std::function<void(QStringView)>& piece);
    static bool save(const QString& path, QStringView text);
};
