#pragma once

#include "shell/CFormView.h"

#include <memory>

namespace Ui {
class CMain_OstrelMenuView;
}

// Menu page 0, shown in menu mode 0: every button is enabled exactly while connected.
class CMain_OstrelMenuView : public CFormView {
    Q_OBJECT
public:
    Q_INVOKABLE explicit CMain_OstrelMenuView(QWidget* parent = nullptr);
    ~CMain_OstrelMenuView() override;

    void OnInitialUpdate() override;
    void EnableMenuButtons(bool bConnected);

    void OnUserSettingManager();

private:
    std::unique_ptr<Ui::CMain_OstrelMenuView> m_ui;
};
