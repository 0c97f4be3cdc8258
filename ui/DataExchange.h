#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <stdexcept>

namespace ui {

class Dialog;

// Thrown by an exchange helper after it has shown its prompt; UpdateData catches it, so the
// fields exchanged before the faulty control keep their new values and the later ones
// keep their old values, as the class library does.
struct DataExchangeFailure {
    int controlId;
};

// One run of a dialog's data exchange, in one direction.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate);

    bool saving() const { return m_save; }
    Dialog& dialog() const { return m_dialog; }
    // The control with the id; a missing id is a programming error (std::logic_error).
    QWidget* control(int id) const;
    // Focuses the control and aborts the exchange.
    [[noreturn]] void fail(int id);

private:
    Dialog& m_dialog;
    bool m_save;
};

// Edits (QLineEdit, QPlainTextEdit, QTextEdit), labels (QLabel) and combo edit text.
// Multi-line edits hold line ends as "\r\n", as the original edit control did.
void DDX_Text(DataExchange& dx, int id, QString& value);
void DDX_Text(DataExchange& dx, int id, int& value);                 // "Enter an integer."
void DDX_Text(DataExchange& dx, int id, unsigned& value);            // "Enter a positive integer."
void DDX_Text(DataExchange& dx, int id, float& value);               // "Enter a number.", 6 digits shown
void DDX_Text(DataExchange& dx, int id, double& value);              // "Enter a number.", 15 digits shown
void DDX_Check(DataExchange& dx, int id, int& value);                // BOOL: 0 / 1 (2 indeterminate)
// The radio group that the button `firstId` belongs to (its QButtonGroup, in the group's
// order); -1 when none is checked.
void DDX_Radio(DataExchange& dx, int firstId, int& index);
void DDX_CBIndex(DataExchange& dx, int id, int& index);              // -1: no selection
void DDX_CBString(DataExchange& dx, int id, QString& value);
void DDX_Slider(DataExchange& dx, int id, int& position);
// The IPv4 address control: the address as a 32-bit value, first octet in the high byte.
void DDX_IPAddress(DataExchange& dx, int id, std::uint32_t& address);

// Range checks, run after the exchange of their field while saving.
void DDV_MinMaxInt(DataExchange& dx, int id, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(DataExchange& dx, int id, unsigned value, unsigned minValue, unsigned maxValue);
void DDV_MinMaxFloat(DataExchange& dx, int id, float value, float minValue, float maxValue);
void DDV_MaxChars(DataExchange& dx, int id, const QString& value, int maxChars);

// Binds a member pointer to the control (both directions leave the control alone).
template <class T>
void DDX_Control(DataExchange& dx, int id, T*& control)
{
    control = qobject_cast<T*>(dx.control(id));
    if (!control)
        throw std::logic_error("control of another kind bound to DDX_Control");
}

// The texts the class library shows, exposed for tests.
QString formatFloat(double value, int significantDigits);

}  // namespace ui
