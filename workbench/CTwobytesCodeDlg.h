#pragma once

#include "workbench/TwoByteCodeDialog.h"

#include "ui_CTwobytesCodeDlg.h"

class QComboBox;

// Prints the characters of a two-byte code page as Ostrel labels, one per lead byte, in a
// bitmap font or the vector font.
class CTwobytesCodeDlg : public TwoByteCodeDialog {
    Q_OBJECT
public:
    explicit CTwobytesCodeDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QComboBox* m_cbFontName = nullptr;
    int m_nFontKind = -1;  // 0 bitmap, 1 vector
    int m_nFontName = -1;

protected:
    QByteArray buildLabel(const twobyte::CodePage& page, unsigned char lead,
                          const QByteArray& width, const QByteArray& height) override;
    void codeTableChanged() override;

private:
    void OnBitmapFontType();
    void OnVectorFontType();

    void fillFontNames();
    char fontLetter(const twobyte::CodePage& page) const;

    Ui::CTwobytesCodeDlg m_ui;
};
