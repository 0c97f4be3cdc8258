#include "ui/DataExchange.h"

#include "ui/ControlText.h"
#include "ui/Dialog.h"
#include "ui/IpAddressCtrl.h"
#include "ui/MessageBox.h"
#include "ui/TextLimit.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cctype>
#include <charconv>
#include <cfloat>
#include <climits>
#include <string>

namespace ui {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The text between the blanks (spaces and tabs) that may surround a number.
std::string numberText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toStdString();
}

// An optional sign and decimal digits, nothing else; false also when out of range.
bool parseInteger(const QString& text, long long minValue, long long maxValue, long long& value)
{
    std::string s = numberText(text);
    std::size_t start = (!s.empty() && s[0] == '+') ? 1 : 0;
    if (start == 1 && s.size() > 1 && s[1] == '-')
        return false;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    long long parsed = 0;
    const auto [ptr, ec] = std::from_chars(first, last, parsed);
    if (ec != std::errc() || ptr != last || parsed < minValue || parsed > maxValue)
        return false;
    value = parsed;
    return true;
}

// Decimal notation: sign, digits with an optional point, an optional exponent.
bool parseReal(const QString& text, double& value)
{
    std::string s = numberText(text);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        ++i;
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
    }
    if (i != s.size())
        return false;
    // Out of a double's range either way counts as not a number.
    const char* first = s.data() + (s[0] == '+' ? 1 : 0);
    double parsed = 0;
    const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), parsed);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return false;
    value = parsed;
    return true;
}

[[noreturn]] void prompt(DataExchange& dx, int id, const QString& text)
{
    MessageBox(text, platform::AlertIcon::Exclamation);
    dx.fail(id);
}

QString text(DataExchange& dx, int id) { return controlText(dx.control(id)); }

}  // namespace

QString formatFloat(double value, int significantDigits)
{
    char buffer[64];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                      significantDigits);
    if (ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, ptr - buffer);
}

DataExchange::DataExchange(Dialog& dialog, bool saveAndValidate)
    : m_dialog(dialog), m_save(saveAndValidate)
{
}

QWidget* DataExchange::control(int id) const
{
    QWidget* w = m_dialog.GetDlgItem(id);
    if (!w)
        throw std::logic_error("data exchange with a control the dialog does not have: " +
                               std::to_string(id));
    return w;
}

void DataExchange::fail(int id)
{
    if (QWidget* w = m_dialog.GetDlgItem(id)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->selectAll();
    }
    throw DataExchangeFailure{id};
}

void DDX_Text(DataExchange& dx, int id, QString& value)
{
    if (dx.saving())
        value = text(dx, id);
    else
        setControlText(dx.control(id), value);
}

void DDX_Text(DataExchange& dx, int id, int& value)
{
    if (dx.saving()) {
        long long parsed = 0;
        if (!parseInteger(text(dx, id), INT_MIN, INT_MAX, parsed))
            prompt(dx, id, QStringLiteral("Enter an integer."));
        value = static_cast<int>(parsed);
    } else {
        setControlText(dx.control(id), QString::number(value));
    }
}

void DDX_Text(DataExchange& dx, int id, unsigned& value)
{
    if (dx.saving()) {
        long long parsed = 0;
        if (!parseInteger(text(dx, id), 0, UINT_MAX, parsed))
            prompt(dx, id, QStringLiteral("Enter a positive integer."));
        value = static_cast<unsigned>(parsed);
    } else {
        setControlText(dx.control(id), QString::number(value));
    }
}

void DDX_Text(DataExchange& dx, int id, float& value)
{
    if (dx.saving()) {
        double parsed = 0;
        if (!parseReal(text(dx, id), parsed) || parsed > FLT_MAX || parsed < -FLT_MAX)
            prompt(dx, id, QStringLiteral("Enter a number."));
        value = static_cast<float>(parsed);
    } else {
        setControlText(dx.control(id), formatFloat(value, FLT_DIG));
    }
}

void DDX_Text(DataExchange& dx, int id, double& value)
{
    if (dx.saving()) {
        double parsed = 0;
        if (!parseReal(text(dx, id), parsed))
            prompt(dx, id, QStringLiteral("Enter a number."));
        value = parsed;
    } else {
        setControlText(dx.control(id), formatFloat(value, DBL_DIG));
    }
}

void DDX_Check(DataExchange& dx, int id, int& value)
{
    auto* button = qobject_cast<QAbstractButton*>(dx.control(id));
    if (!button)
        throw std::logic_error("DDX_Check on a control that is not a button");
    auto* box = qobject_cast<QCheckBox*>(button);
    if (dx.saving()) {
        if (box && box->checkState() == Qt::PartiallyChecked)
            value = 2;
        else
            value = button->isChecked() ? 1 : 0;
        return;
    }
    if (box && value == 2)
        box->setCheckState(Qt::PartiallyChecked);
    else
        button->setChecked(value == 1);
}

void DDX_Radio(DataExchange& dx, int firstId, int& index)
{
    auto* first = qobject_cast<QAbstractButton*>(dx.control(firstId));
    if (!first)
        throw std::logic_error("DDX_Radio on a control that is not a button");
    QButtonGroup* group = first->group();
    const QList<QAbstractButton*> buttons = group ? group->buttons() : QList{first};
    if (dx.saving()) {
        index = -1;
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) {
                index = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    // An exclusive group refuses to uncheck its last button; none checked is a valid state.
    const bool exclusive = group ? group->exclusive() : first->autoExclusive();
    if (group)
        group->setExclusive(false);
    else
        first->setAutoExclusive(false);
    for (qsizetype i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == index);
    if (group)
        group->setExclusive(exclusive);
    else
        first->setAutoExclusive(exclusive);
}

namespace {

QComboBox* combo(DataExchange& dx, int id)
{
    auto* box = qobject_cast<QComboBox*>(dx.control(id));
    if (!box)
        throw std::logic_error("combo-box exchange on a control that is not a combo box");
    return box;
}

}  // namespace

void DDX_CBIndex(DataExchange& dx, int id, int& index)
{
    QComboBox* box = combo(dx, id);
    if (dx.saving())
        index = box->currentIndex();
    else
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void DDX_CBString(DataExchange& dx, int id, QString& value)
{
    QComboBox* box = combo(dx, id);
    if (dx.saving()) {
        value = box->currentText();
        return;
    }
    // The first item that starts with the text, in any case; else the edit text.
    const int found = box->findText(value, Qt::MatchStartsWith);
    if (found >= 0)
        box->setCurrentIndex(found);
    else if (box->isEditable())
        box->setEditText(value);
}

void DDX_Slider(DataExchange& dx, int id, int& position)
{
    auto* slider = qobject_cast<QAbstractSlider*>(dx.control(id));
    if (!slider)
        throw std::logic_error("DDX_Slider on a control that is not a slider");
    if (dx.saving())
        position = slider->value();
    else
        slider->setValue(position);
}

void DDX_IPAddress(DataExchange& dx, int id, std::uint32_t& address)
{
    auto* ip = qobject_cast<IpAddressCtrl*>(dx.control(id));
    if (!ip)
        throw std::logic_error("DDX_IPAddress on a control that is not an address control");
    if (dx.saving())
        address = ip->address();
    else
        ip->setAddress(address);
}

void DDV_MinMaxInt(DataExchange& dx, int id, int value, int minValue, int maxValue)
{
    if (dx.saving() && (value < minValue || value > maxValue))
        prompt(dx, id, QStringLiteral("Enter an integer between %1 and %2.")
                           .arg(minValue)
                           .arg(maxValue));
}

void DDV_MinMaxUInt(DataExchange& dx, int id, unsigned value, unsigned minValue,
                    unsigned maxValue)
{
    if (dx.saving() && (value < minValue || value > maxValue))
        prompt(dx, id, QStringLiteral("Enter a positive integer between %1 and %2.")
                           .arg(minValue)
                           .arg(maxValue));
}

void DDV_MinMaxFloat(DataExchange& dx, int id, float value, float minValue, float maxValue)
{
    if (dx.saving() && (value < minValue || value > maxValue))
        prompt(dx, id, QStringLiteral("Enter a number between %1 and %2.")
                           .arg(formatFloat(minValue, FLT_DIG), formatFloat(maxValue, FLT_DIG)));
}

void DDV_MaxChars(DataExchange& dx, int id, const QString& value, int maxChars)
{
    if (dx.saving()) {
        if (value.size() > maxChars)
            prompt(dx, id, QStringLiteral("Enter no more than %1 characters.").arg(maxChars));
        return;
    }
    // Loading limits what the operator can type, as the edit's text limit did: a longer
    // text shown from the program stays whole until the operator changes it.
    QWidget* w = dx.control(id);
    if (auto* box = qobject_cast<QComboBox*>(w))
        w = box->lineEdit();
    TextLimit::apply(qobject_cast<QLineEdit*>(w), maxChars);
}

}  // namespace ui
