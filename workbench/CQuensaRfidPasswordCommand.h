#pragma once

#include "ui/Dialog.h"

#include "ui_CQuensaRfidPasswordCommand.h"

#include <QString>

class QLineEdit;

// Builds the password change ">RFZ,": the new access and kill passwords, typed as four
// dotted pairs of hexadecimal digits.
class CQuensaRfidPasswordCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CQuensaRfidPasswordCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bReopened = 0;
    int m_bInserted = 0;
    QLineEdit* m_editKill = nullptr;
    QLineEdit* m_editAccess = nullptr;
    QString m_strAccessPassword;
    QString m_strKillPassword;

private:
    void OnInsertToLabel();
    void OnAccessChange();
    void OnKillChange();
    void InsertDot(QLineEdit* edit, QString& text);
    bool ValidatePasswords();

    Ui::CQuensaRfidPasswordCommand m_ui;
};
