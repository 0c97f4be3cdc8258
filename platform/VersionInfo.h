#pragma once

#include "platform/Service.h"

#include <QString>

namespace platform {

// What the original read from its version resource.
struct VersionResource {
    bool present = false;
    QString companyName;
    QString legalCopyright;
    QString fileVersion;
    QString productName;
    int productMajor = 0;
    int productMinor = 0;
    int productThird = 0;
    int productFourth = 0;
};

class VersionInfo {
public:
    virtual ~VersionInfo() = default;
    virtual VersionResource resource() const = 0;
};

template <>
VersionInfo& defaultService<VersionInfo>();

}  // namespace platform
