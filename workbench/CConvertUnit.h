#pragma once

#include "ui/Dialog.h"

#include "ui_CConvertUnit.h"

#include <QString>

// A calculator between inches, millimetres and printer dots; it sends nothing and gives
// nothing back.
class CConvertUnit : public ui::Dialog {
    Q_OBJECT
public:
    explicit CConvertUnit(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QString m_strOutUnit;
    float m_fResult = 0.0f;
    QString m_strInUnit;
    float m_fValue = 0.0f;
    int m_nConversion = -1;  // 0 inch to mm ... 5 mm to dots

private:
    void OnConvertUnit();
    void OnConversionChosen(int conversion);

    Ui::CConvertUnit m_ui;
};

// The "Convert" button of the tester and of the builders: a converter from its defaults.
void OnOpenConvertUnit(QWidget* parent);
