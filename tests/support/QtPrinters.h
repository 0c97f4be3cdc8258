#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable GoogleTest failure output for Qt values: texts quoted, byte arrays as hex.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& texts, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
