#pragma once

#include <QString>

// What the program's version information says about itself.
struct VersionStrings {
    QString m_strCompanyName;
    QString m_strLegalCopyright;
    QString m_strFileVersion;
    QString m_strProductName;
    QString m_strProductVersion;
};

// Fills the record from the version information; true when it names a product.
bool ReadVersionStrings(VersionStrings& strings);
// "1.2.3", or "1.2.3P04" when the fourth part is not 0; empty without version information.
QString FormatProductVersion();
