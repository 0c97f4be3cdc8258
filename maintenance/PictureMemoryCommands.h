#pragma once

#include <QByteArray>
#include <QString>

// The printer's picture memory: store, recall and print, delete, information. No reply is
// read for any of them.
namespace PictureMemoryCommands {

// "IS<size>,'<name>'": the store command, followed at once by exactly `size` bytes.
QString Store(qint64 size, const QString& name);
// What follows the stored bytes of a download: the picture printed once at 100,100.
QString PrintAfterStore(const QString& name);
// "IR<x>,<y>,'<name>'" CR "P1" CR; x and y go out as typed.
QString Recall(const QString& x, const QString& y, const QString& name);
// "ID'<name>'" CR LF "II" CR LF.
QString Delete(const QString& name);
QByteArray DeleteAll();         // "ID*" CR LF "II" CR LF
QByteArray ImageInformation();  // "II" CR LF

// The name a picture is stored under unless one is typed: the file name without its last
// four characters, whatever they are.
QString DefaultName(const QString& fileName);

}  // namespace PictureMemoryCommands
