#pragma once

#include "platform/Folders.h"

namespace platform {

// The scratch folder "Temp" under the system's temporary directory.
class TempFolders : public Folders {
public:
    QString tempFolder() override;
};

}  // namespace platform
