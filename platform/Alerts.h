#pragma once

#include "platform/Service.h"

#include <QString>

namespace platform {

enum class AlertIcon { Exclamation, Information, Question };

// Message boxes. The link sits below the dialog layer and still has to tell the operator
// about a dead port, so the box is a platform service; ui/ installs the real one.
class Alerts {
public:
    virtual ~Alerts() = default;
    // Shows the text with the application's title and an OK button; returns when dismissed.
    virtual void show(const QString& text, AlertIcon icon) = 0;
    // The same under a caption of its own in place of the application's title.
    virtual void show(const QString& text, AlertIcon icon, const QString& caption)
    {
        static_cast<void>(caption);
        show(text, icon);
    }
};

template <>
Alerts& defaultService<Alerts>();

}  // namespace platform
