#pragma once

#include "platform/VersionInfo.h"

namespace platform {

// The version resource, from the values CMake writes at configure time.
class BuildVersionInfo : public VersionInfo {
public:
    VersionResource resource() const override;
};

}  // namespace platform
