#pragma once

#include "platform/Alerts.h"

namespace platform {

// Until the dialog layer installs its message boxes: the text goes to standard error.
class StderrAlerts : public Alerts {
public:
    void show(const QString& text, AlertIcon icon) override;
};

}  // namespace platform
