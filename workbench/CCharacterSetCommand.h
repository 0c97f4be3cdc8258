#pragma once

#include "ui/Dialog.h"

#include "ui_CCharacterSetCommand.h"

#include <QString>

class QComboBox;

// Prints test labels of every single-byte character code under a chosen international
// character set and code table, in a bitmap font or the vector font.
class CCharacterSetCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCharacterSetCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    float m_fY = 0;
    int m_nVMulti = 0;
    int m_nHMulti = 0;
    int m_nCodeTable = -1;
    int m_nCharSet = -1;
    float m_fX = 0;
    QString m_strFont;
    QString m_strHLabel;
    QString m_strVLabel;
    int m_nFontKind = -1;  // 0 bitmap, 1 vector
    QComboBox* m_cbCodeTable = nullptr;

private:
    void OnPrintUnder80H();
    void OnPrintOver80H();
    void OnPrintInternational();
    void OnAllCodeTableTest();
    void OnBitmapFont();
    void OnVectorFont();

    void setMultiplierRange(int lower, int upper);
    void writeAll(const std::vector<QByteArray>& writes);

    Ui::CCharacterSetCommand m_ui;
};
