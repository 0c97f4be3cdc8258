#pragma once

#include "shell/CFormView.h"

#include <memory>

namespace Ui {
class CMain_ZIIMenuView;
}

// Menu page 1, shown in menu mode 1: the buttons that open the tools.
class CMain_ZIIMenuView : public CFormView {
    Q_OBJECT
public:
    Q_INVOKABLE explicit CMain_ZIIMenuView(QWidget* parent = nullptr);
    ~CMain_ZIIMenuView() override;

    void OnInitialUpdate() override;
    // Which buttons may be pressed, from the link state, the language and the current record.
    void EnableMenuButtons(bool bConnected);

    void OnConfigurePrinterSetting();
    void OnConfigurePrintQuality();
    void OnPrinterTool();

private:
    std::unique_ptr<Ui::CMain_ZIIMenuView> m_ui;
};
