#pragma once

#include <QFrame>
#include <array>
#include <cstdint>

class QLineEdit;

namespace ui {

// An IPv4 address entry: four fields of 0 to 255 separated by dots. An empty field reads
// as 0. Enabling or disabling the control does so for all four fields.
class IpAddressCtrl : public QFrame {
    Q_OBJECT
public:
    explicit IpAddressCtrl(QWidget* parent = nullptr);

    // The first octet in the high byte.
    void setAddress(std::uint32_t address);
    std::uint32_t address() const;
    void setOctets(int first, int second, int third, int fourth);
    std::array<std::uint8_t, 4> octets() const;
    void clearAddress();
    QLineEdit* field(int index) const { return m_fields[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Focus to field `index` with its text selected, so typing replaces it.
    void moveTo(int index, bool autoAdvance);
    int indexOf(QObject* field) const;

    std::array<QLineEdit*, 4> m_fields{};
    std::array<bool, 4> m_typed{};         // digits typed since the field got the focus
    std::array<bool, 4> m_autoEntered{};   // got the focus because the field before filled up
};

}  // namespace ui
