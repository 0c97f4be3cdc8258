#include "shell/VersionStrings.h"

#include "platform/Services.h"

bool ReadVersionStrings(VersionStrings& strings)
{
    const platform::VersionResource res = platform::versionInfo().resource();
    if (!res.present)
        return false;
    strings.m_strCompanyName = res.companyName;
    strings.m_strFileVersion = res.fileVersion;
    strings.m_strLegalCopyright = res.legalCopyright;
    strings.m_strProductName = res.productName;
    strings.m_strProductVersion = FormatProductVersion();
    return !strings.m_strProductName.isEmpty();
}

QString FormatProductVersion()
{
    const platform::VersionResource res = platform::versionInfo().resource();
    if (!res.present)
        return QString();
    if (res.productFourth == 0)
        return QString::asprintf("%d.%d.%d", res.productMajor, res.productMinor, res.productThird);
    return QString::asprintf("%d.%d.%dP%02d", res.productMajor, res.productMinor,
                             res.productThird, res.productFourth);
}
