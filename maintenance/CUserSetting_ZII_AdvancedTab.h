#pragma once

#include "ui/Dialog.h"

#include "ui_CUserSetting_ZII_AdvancedTab.h"

class QComboBox;

// The "Advanced" page: media handling, media feed, mirror image, and the printer language
// (emulation), which it reads with the language probe and switches on every Set.
class CUserSetting_ZII_AdvancedTab : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSetting_ZII_AdvancedTab(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void FillAdvancedLists();
    // Any field box: its field follows the box.
    void OnCheckField();
    void OnGetFromPrinter();
    void OnSetToPrinter();

    QComboBox* m_cboMediaHandling = nullptr;
    QComboBox* m_cboMediaFeed = nullptr;
    QComboBox* m_cboBackfeed = nullptr;
    QComboBox* m_cboEmulation = nullptr;

private:
    Ui::CUserSetting_ZII_AdvancedTab m_ui;
};
