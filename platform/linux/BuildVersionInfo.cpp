#include "platform/linux/BuildVersionInfo.h"

#include "platform/VersionDefs.h"

namespace platform {

VersionResource BuildVersionInfo::resource() const
{
    VersionResource r;
    r.present = true;
    r.companyName = QStringLiteral(ZENTROVA_COMPANY_NAME);
    r.legalCopyright = QStringLiteral(ZENTROVA_LEGAL_COPYRIGHT);
    r.fileVersion = QStringLiteral(ZENTROVA_FILE_VERSION);
    r.productName = QStringLiteral(ZENTROVA_PRODUCT_NAME);
    // int{} keeps a version part that the project leaves out at 0.
    r.productMajor = int{ZENTROVA_VERSION_MAJOR};
    r.productMinor = int{ZENTROVA_VERSION_MINOR};
    r.productThird = int{ZENTROVA_VERSION_PATCH};
    r.productFourth = int{ZENTROVA_VERSION_TWEAK};
    return r;
}

template <>
VersionInfo& defaultService<VersionInfo>()
{
    static VersionInfo* instance = new BuildVersionInfo;
    return *instance;
}

}  // namespace platform
