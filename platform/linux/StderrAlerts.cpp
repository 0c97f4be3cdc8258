#include "platform/linux/StderrAlerts.h"

#include <cstdio>

namespace platform {

void StderrAlerts::show(const QString& text, AlertIcon icon)
{
    const char* kind = icon == AlertIcon::Information ? "information"
                       : icon == AlertIcon::Question  ? "question"
                                                      : "exclamation";
    std::fprintf(stderr, "Zentrova (%s): %s\n", kind, text.toLocal8Bit().constData());
    std::fflush(stderr);
}

template <>
Alerts& defaultService<Alerts>()
{
    static Alerts* instance = new StderrAlerts;
    return *instance;
}

}  // namespace platform
