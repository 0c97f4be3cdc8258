#pragma once

#include "platform/Alerts.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ztest {

// platform::Alerts that records each message box instead of showing it. For code below
// the dialog layer; dialog tests use ui::TestHooks, which records the same boxes.
class RecordingAlerts : public platform::Alerts {
public:
    struct Alert {
        QString text;
        platform::AlertIcon icon;
    };

    void show(const QString& text, platform::AlertIcon icon) override { m_alerts.push_back({text, icon}); }

    const std::vector<Alert>& alerts() const { return m_alerts; }
    QStringList texts() const;
    void clear() { m_alerts.clear(); }

private:
    std::vector<Alert> m_alerts;
};

}  // namespace ztest
