#pragma once

#include "maintenance/UserSettingPages.h"
#include "ui/Dialog.h"

#include "ui_CUserSettingDialog.h"

#include <vector>

class CExtendTabCtrl;

// "User Setting Manager": the printer's setting pages under one tab strip. Which pages it
// holds is decided once, when it opens, from the menu mode, the language and the model.
class CUserSettingDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSettingDialog(QWidget* parent = nullptr);
    ~CUserSettingDialog() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    void OnCloseButton();

    // The pages in tab order for the current menu mode, language name and model record.
    static std::vector<UserSettingPage> PageSet();
    // The string-table id of a page's tab title.
    static int PageTitleId(UserSettingPage page);

    CExtendTabCtrl* m_tabCtrl = nullptr;

signals:
    // "Close" was pressed: the opener refreshes its menu page before the window ends.
    void closeButtonPressed();

private:
    Ui::CUserSettingDialog m_ui;
};
