#include "ui/UpDownCtrl.h"

#include <QDialog>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

UpDownCtrl::UpDownCtrl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setArrowType(arrow == m_up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        layout->addWidget(arrow);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDownCtrl::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownCtrl::stepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFixedWidth(16);
}

QLineEdit* UpDownCtrl::buddy() const
{
    if (!m_buddy && m_buddyId != 0) {
        // Looked up in the dialog (or page) the arrows belong to: ids are per dialog.
        QWidget* scope = parentWidget();
        while (scope && !scope->isWindow() && !qobject_cast<QDialog*>(scope))
            scope = scope->parentWidget();
        if (!scope)
            return nullptr;
        for (QLineEdit* edit : scope->findChildren<QLineEdit*>()) {
            bool ok = false;
            if (edit->property("ctlId").toInt(&ok) == m_buddyId && ok) {
                m_buddy = edit;
                break;
            }
        }
    }
    return m_buddy;
}

void UpDownCtrl::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_pos = clamped(m_pos);
}

int UpDownCtrl::clamped(int value) const
{
    return std::clamp(value, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

void UpDownCtrl::setPos(int pos)
{
    m_pos = clamped(pos);
    if (QLineEdit* edit = buddy())
        edit->setText(QString::number(m_pos));
}

int UpDownCtrl::pos() const
{
    // The buddy's number where it holds one, else the last position set.
    if (QLineEdit* edit = buddy()) {
        bool ok = false;
        const int value = edit->text().trimmed().toInt(&ok);
        if (ok)
            return clamped(value);
    }
    return m_pos;
}

void UpDownCtrl::step(bool up)
{
    const int from = up ? m_lower : m_upper;
    const int to = up ? m_upper : m_lower;
    int value = pos();
    if (value == to)
        value = m_wrap ? from : to;
    else
        value += to > from ? 1 : -1;
    setPos(value);
}

}  // namespace ui
