#include "ui/MessageBox.h"

#include "platform/Services.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {

class QtAlerts : public platform::Alerts {
public:
    void setTitle(const QString& title) { m_title = title; }

    void show(const QString& text, platform::AlertIcon icon) override
    {
        show(text, icon, m_title);
    }
    void show(const QString& text, platform::AlertIcon icon, const QString& caption) override
    {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

private:
    static QMessageBox::Icon boxIcon(platform::AlertIcon icon)
    {
        switch (icon) {
        case platform::AlertIcon::Information:
            return QMessageBox::Information;
        case platform::AlertIcon::Question:
            return QMessageBox::Question;
        case platform::AlertIcon::Exclamation:
            break;
        }
        return QMessageBox::Warning;
    }

    QString m_title;
};

}  // namespace

void MessageBox(const QString& text, platform::AlertIcon icon)
{
    platform::alerts().show(text, icon);
}

void MessageBox(const QString& text, platform::AlertIcon icon, const QString& caption)
{
    platform::alerts().show(text, icon, caption);
}

void installMessageBoxes(const QString& applicationTitle)
{
    // Never destroyed, like the platform's own services: late messages may still use it.
    static QtAlerts* const alerts = new QtAlerts;
    alerts->setTitle(applicationTitle);
    platform::installService<platform::Alerts>(alerts);
}

}  // namespace ui
