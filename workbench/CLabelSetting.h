#pragma once

#include "ui/Dialog.h"

#include "ui_CLabelSetting.h"

#include <QString>

// Builds the label width, length with media type, and margin commands from values in
// inches, millimetres or dots.
class CLabelSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CLabelSetting(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bInserted = 0;
    int m_nCurUnit = 0;  // the unit the four values are held in: 0 inch, 1 mm, 2 dots
    int m_bReopened = 0;
    int m_nUnit = -1;    // the unit chosen, same codes
    float m_fWidth = 0.0f;
    int m_bApplyMargin = 0;
    int m_bApplyWidth = 0;
    QString m_strWidthUnit;
    int m_nMedia = -1;   // 0 gap, 1 continuous, 2 black mark
    QString m_strXMarginUnit;
    QString m_strYMarginUnit;
    float m_fXMargin = 0.0f;
    float m_fYMargin = 0.0f;
    float m_fLength = 0.0f;
    int m_bApplyLength = 0;
    QString m_strLengthUnit;

private:
    void OnInsertToLabel();
    void OnUnitInch();
    void OnUnitMm();
    void OnUnitDots();
    void ChangeUnit(int unit);
    void SetUnitNames(int unit);

    Ui::CLabelSetting m_ui;
};
