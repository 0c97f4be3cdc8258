#pragma once

#include "ui/Dialog.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace ui {
class IpAddressCtrl;
class UpDownCtrl;
}

namespace uitest {

// A dialog built in code with one control of each kind the exchange knows; the test gives
// the exchange itself.
class ExchangeDialog : public ui::Dialog {
    Q_OBJECT
public:
    enum Id {
        Edit1 = 1001, Edit2, Edit3, Text = 1010, Label, List = 1020, EditList, Check = 1030,
        Radio0 = 1040, Radio1, Radio2, Slider = 1050, Address, Spin
    };

    ExchangeDialog();

    std::function<void(ui::DataExchange&)> exchange;
    void DoDataExchange(ui::DataExchange& dx) override
    {
        if (exchange)
            exchange(dx);
    }

    QLineEdit* edit1;
    QLineEdit* edit2;
    QLineEdit* edit3;
    QPlainTextEdit* text;
    QLabel* label;
    QComboBox* list;      // drop-down list: "Tear Off", "Peel Off", "Cutter"
    QComboBox* editList;  // editable: "2.0", "3.0"
    QCheckBox* check;
    QButtonGroup* radios;
    QSlider* slider;
    ui::IpAddressCtrl* address;
    ui::UpDownCtrl* spin;  // buddy: edit1
    QPushButton* ok;
    QPushButton* cancel;
};

}  // namespace uitest
