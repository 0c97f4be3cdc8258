#include "tests/support/QtPrinters.h"

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(texts[i], os);
    }
    *os << '}';
}

void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << bytes.size() << " bytes [" << bytes.left(64).toHex(' ').toStdString()
        << (bytes.size() > 64 ? " ...]" : "]");
}
