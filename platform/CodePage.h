#pragma once

#include "platform/Service.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// The ANSI code page: the one narrow encoding printers see.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The Windows code page number in force (1252 unless the locale says otherwise).
    virtual int number() const = 0;
    // Characters the code page lacks become its default character ('?').
    virtual QByteArray fromWide(QStringView text) const = 0;
    virtual QString toWide(QByteArrayView bytes) const = 0;
};

template <>
CodePage& defaultService<CodePage>();

}  // namespace platform
