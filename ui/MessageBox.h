#pragma once

#include "platform/Alerts.h"

#include <QString>

namespace ui {

// The application's message box: its title, an OK button, the exclamation icon unless
// another is named.
void MessageBox(const QString& text, platform::AlertIcon icon = platform::AlertIcon::Exclamation);
// The same under its own caption.
void MessageBox(const QString& text, platform::AlertIcon icon, const QString& caption);

// Puts the Qt message box in place of the platform's default (stderr) for the whole run.
void installMessageBoxes(const QString& applicationTitle);

}  // namespace ui
