#include "ui/IpAddressCtrl.h"

#include <QHBoxLayout>
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
        if (i < 3) {
            connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
                if (text.size() == 3) {
                    m_fields[i + 1]->setFocus(Qt::TabFocusReason);
                    m_fields[i + 1]->selectAll();
                }
            });
        }
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

bool IpAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    // A dot moves on to the next field, as in the address controls operators know.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Period) {
            for (int i = 0; i < 3; ++i) {
                if (watched == m_fields[i] && !m_fields[i]->text().isEmpty()) {
                    m_fields[i + 1]->setFocus(Qt::TabFocusReason);
                    m_fields[i + 1]->selectAll();
                }
            }
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace ui
