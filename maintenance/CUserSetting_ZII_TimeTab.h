#pragma once

#include "ui/Dialog.h"

#include "ui_CUserSetting_ZII_TimeTab.h"

class QDateEdit;
class QTimeEdit;

// The "Real-Time Clock" page: sets the printer's clock to the computer's or to a picked
// date and time, and saves it. It reads nothing from the printer.
class CUserSetting_ZII_TimeTab : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSetting_ZII_TimeTab(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bSetClock = 0;  // box 1518
    int m_nClockSource = -1;  // 0 the computer's clock, 1 the pickers
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_timePicker = nullptr;

private:
    void OnSetClockCheck();
    void EnableDateTimePickers();
    void OnSetToPrinter();

    Ui::CUserSetting_ZII_TimeTab m_ui;
};
