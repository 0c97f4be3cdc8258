#include "tests/support/RecordingAlerts.h"

namespace ztest {

QStringList RecordingAlerts::texts() const
{
    QStringList texts;
    for (const Alert& alert : m_alerts)
        texts << alert.text;
    return texts;
}

}  // namespace ztest
