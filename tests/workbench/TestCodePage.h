#pragma once

#include "platform/CodePage.h"

// A code page for the tests: characters up to 0xFF are the byte of the same number,
// every other character takes two bytes (0x81 and its low byte, which is read back as two
// characters). Bytes read are the characters of the same number.
class TestCodePage : public platform::CodePage {
public:
    int number() const override { return 28591; }
    QByteArray fromWide(QStringView text) const override
    {
        QByteArray out;
        out.reserve(text.size());
        for (QChar c : text) {
            if (c.unicode() > 0xFF)
                out.append('\x81');
            out.append(char(c.unicode() & 0xFF));
        }
        return out;
    }
    QString toWide(QByteArrayView bytes) const override
    {
        return QString::fromLatin1(bytes.data(), bytes.size());
    }
};
