#pragma once

#include "maintenance/ZplSettingTexts.h"
#include "ui/Dialog.h"

#include "ui_CUserSetting_ZII_BasicTab.h"

class QComboBox;

// The "Basic" page: label size, orientation, speed, darkness, print mode, media type,
// tear-off and print offset, and the printer's locks on six of them.
class CUserSetting_ZII_BasicTab : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSetting_ZII_BasicTab(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void FillBasicLists();
    // Any field box: its field follows the box, and "Set to Printer" becomes usable.
    void OnCheckField();
    void OnGetFromPrinter();
    void OnSetToPrinter();
    void CheckAllFields();
    bool IsNothingChecked() const;

    float m_fLabelWidth = 0;
    float m_fLabelHeight = 0;
    int m_nTearOff = 0;
    int m_nPrintOffset = 0;

protected:
    // The key filter of the width, height and tear-off edits.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    zplsetting::BasicSettings WindowSettings() const;
    QComboBox* list(int id) const;

    Ui::CUserSetting_ZII_BasicTab m_ui;
};
