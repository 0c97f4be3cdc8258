#pragma once

#include "ui/MessageBox.h"
#include "ui/StringTable.h"

namespace rfid {

// The success message with the information icon, or the failure message.
inline void ShowOutcome(bool success, int successId, int failureId)
{
    if (success)
        ui::MessageBox(ui::LoadString(successId), platform::AlertIcon::Information);
    else
        ui::MessageBox(ui::LoadString(failureId));
}

}  // namespace rfid
