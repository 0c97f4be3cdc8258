#pragma once

#include "platform/Service.h"

#include <QString>

namespace platform {

class Folders {
public:
    virtual ~Folders() = default;
    // The picture download's scratch folder, created when missing; ends with '/'.
    virtual QString tempFolder() = 0;
};

template <>
Folders& defaultService<Folders>();

}  // namespace platform
