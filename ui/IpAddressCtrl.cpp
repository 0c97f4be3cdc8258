#include "ui/IpAddressCtrl.h"

#include <QHBoxLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace ui {

IpAddressCtrl::IpAddressCtrl(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    auto* octet = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])?")), this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* edit = new QLineEdit(this);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(3);
        edit->setValidator(octet);
        edit->installEventFilter(this);
        layout->addWidget(edit, 1);
        m_fields[i] = edit;
        // A full field hands the typing on to the next one.
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_typed[i] = true;
            m_autoEntered[i] = false;
            if (text.size() == 3 && i < 3)
                moveTo(i + 1, true);
        });
    }
    setFocusProxy(m_fields[0]);
}

void IpAddressCtrl::setAddress(std::uint32_t address)
{
    setOctets(address >> 24 & 0xFF, address >> 16 & 0xFF, address >> 8 & 0xFF, address & 0xFF);
}

std::uint32_t IpAddressCtrl::address() const
{
    const auto o = octets();
    return std::uint32_t{o[0]} << 24 | std::uint32_t{o[1]} << 16 | std::uint32_t{o[2]} << 8 | o[3];
}

void IpAddressCtrl::setOctets(int first, int second, int third, int fourth)
{
    const int values[4] = {first, second, third, fourth};
    for (int i = 0; i < 4; ++i)
        m_fields[i]->setText(QString::number(std::clamp(values[i], 0, 255)));
}

std::array<std::uint8_t, 4> IpAddressCtrl::octets() const
{
    std::array<std::uint8_t, 4> result{};
    for (int i = 0; i < 4; ++i)
        result[i] = static_cast<std::uint8_t>(std::clamp(m_fields[i]->text().toInt(), 0, 255));
    return result;
}

void IpAddressCtrl::clearAddress()
{
    for (QLineEdit* edit : m_fields)
        edit->clear();
}

void IpAddressCtrl::moveTo(int index, bool autoAdvance)
{
    QLineEdit* edit = m_fields[index];
    m_typed[index] = false;
    m_autoEntered[index] = autoAdvance;
    // OtherFocusReason tells this move from a click or Tab in the focus-in below.
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

int IpAddressCtrl::indexOf(QObject* field) const
{
    for (int i = 0; i < 4; ++i) {
        if (m_fields[i] == field)
            return i;
    }
    return -1;
}

bool IpAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const int i = indexOf(watched);
    if (i < 0)
        return QFrame::eventFilter(watched, event);

    if (event->type() == QEvent::FocusIn
        && static_cast<QFocusEvent*>(event)->reason() != Qt::OtherFocusReason) {
        m_typed[i] = false;
        m_autoEntered[i] = false;
    } else if (event->type() == QEvent::KeyPress) {
        // The keys of the address controls operators know: a dot ends the field (the dot
        // that follows a field filled up is the operator's own end of it and is dropped);
        // Backspace in an empty field goes back to the one before.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Period) {
            const bool swallow = m_autoEntered[i] && !m_typed[i];
            m_autoEntered[i] = false;
            if (!swallow && i < 3 && !m_fields[i]->text().isEmpty())
                moveTo(i + 1, false);
            return true;
        }
        if (key->key() == Qt::Key_Backspace && i > 0 && m_fields[i]->text().isEmpty()) {
            QLineEdit* previous = m_fields[i - 1];
            previous->setFocus(Qt::BacktabFocusReason);
            previous->deselect();
            previous->end(false);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace ui
