#pragma once

#include "ui/Dialog.h"

#include "ui_CTwobytesCodeDlg.h"

#include <QString>

class QComboBox;

// Prints the characters of a two-byte code page as Ostrel labels, one per lead byte, in a
// bitmap font or the vector font.
class CTwobytesCodeDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CTwobytesCodeDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QComboBox* m_cbFontName = nullptr;
    int m_nCodeTable = -1;
    QString m_strEndBlock;
    QString m_strStartBlock;
    QString m_strBlockArea;
    int m_nFontKind = -1;  // 0 bitmap, 1 vector
    int m_bAllBlocks = 0;
    QString m_strHeight;
    QString m_strWidth;
    int m_nFontName = -1;

private:
    void OnPrintCharacters();
    void OnCodeTableChange();
    void OnAllBlocks();
    void OnBitmapFontType();
    void OnVectorFontType();

    void showDefaultBlocks();
    void fillFontNames();

    Ui::CTwobytesCodeDlg m_ui;
};
