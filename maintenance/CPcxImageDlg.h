#pragma once

#include "ui/Dialog.h"

#include "ui_CPcxImageDlg.h"

#include <QString>

class CDlgScrollView;

// Shows a picture as the download will turn it into 1 bit per pixel and lets the operator
// choose the dither method while watching the result.
class CPcxImageDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPcxImageDlg(QWidget* parent = nullptr);

    void SetImagePath(const QString& path) { m_strImagePath = path; }
    // The method number of a dither choice index (-1 for "None").
    static int DitherMethodOfIndex(int index);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnDitherChange();

    QString m_strImagePath;
    int m_nDitherMethod = -1;
    int m_nImageType = 0;
    CDlgScrollView* m_pView = nullptr;

private:
    Ui::CPcxImageDlg m_ui;
};
