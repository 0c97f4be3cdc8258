#pragma once

#include "workbench/TwoByteCodeDialog.h"

#include "ui_CZII_TwobytesCodeDlg.h"

// Prints the characters of a two-byte code page as ZPL II labels, one per lead byte.
class CZII_TwobytesCodeDlg : public TwoByteCodeDialog {
    Q_OBJECT
public:
    explicit CZII_TwobytesCodeDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;

protected:
    QByteArray buildLabel(const twobyte::CodePage& page, unsigned char lead,
                          const QByteArray& width, const QByteArray& height) override;

private:
    Ui::CZII_TwobytesCodeDlg m_ui;
};
