#pragma once

#include "ui/Dialog.h"

#include "ui_UserSetting_ZII_PowerTab.h"

// The "Power" page (model family 201): power-off and power-save, each an enable and a time.
class UserSetting_ZII_PowerTab : public ui::Dialog {
    Q_OBJECT
public:
    explicit UserSetting_ZII_PowerTab(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nPowerOff = -1;   // 0 "Disable", 1 "Enable"
    unsigned m_nPowerOffMinutes = 0;
    int m_nPowerSave = -1;
    unsigned m_nPowerSaveSeconds = 0;

private:
    void OnGetFromPrinter();
    void OnSetToPrinter();

    Ui::UserSetting_ZII_PowerTab m_ui;
};
