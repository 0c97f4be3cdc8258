#pragma once

#include "ui/Dialog.h"

#include "ui_CZII_TwobytesCodeDlg.h"

#include <QString>

// Prints the characters of a two-byte code page as ZPL II labels, one per lead byte.
class CZII_TwobytesCodeDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CZII_TwobytesCodeDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nCodeTable = -1;
    QString m_strEndBlock;
    QString m_strStartBlock;
    QString m_strBlockArea;
    int m_bAllBlocks = 0;
    QString m_strHeight;
    QString m_strWidth;

private:
    void OnPrintCharacters();
    void OnCodeTableChange();
    void OnAllBlocks();

    void showDefaultBlocks();

    Ui::CZII_TwobytesCodeDlg m_ui;
};
