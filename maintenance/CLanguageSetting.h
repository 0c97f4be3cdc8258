#pragma once

#include "ui/Dialog.h"

#include "ui_CLanguageSetting.h"

class QComboBox;

// The "Language" page: the printer's default code page (memory switch 1), its default
// international character set (switch 3) and the lock of the two.
class CLanguageSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CLanguageSetting(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nCodePage = -1;
    int m_nIcs = -1;
    QComboBox* m_cbCodePage = nullptr;

private:
    void OnGetLanguage();
    void OnSetLanguage();
    // Reads one switch; -1 when the printer sent no byte.
    int ReadSwitch(int number);

    Ui::CLanguageSetting m_ui;
};
