#pragma once

#include "ui/Dialog.h"
#include "ui/RawTextEdit.h"
#include "workbench/ReceiveBuffer.h"

#include "ui_CQuensa_CmdTesterDlg.h"

#include <QString>
#include <functional>


// The Ostrel command tester: compose a job in the editor (typed or through the builders),
// send it a number of times, read the printer's replies, load and save the text.
class CQuensa_CmdTesterDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CQuensa_CmdTesterDlg(QWidget* parent = nullptr);
    ~CQuensa_CmdTesterDlg() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // Grows the receive buffer by the bytes and shows it.
    void AppendReceivedData(const void* data, int length);
    void ShowReceivedData();

    ReceiveBuffer m_received;
    ui::RawTextEdit* m_editCommand = nullptr;
    QString m_strCommand;
    int m_nSendCount = 0;
    QString m_strSentCount;
    // Opens the status window over the tester. The status window lives in maintenance/,
    // which builds on the workbench, so whoever opens the tester supplies it.
    std::function<void(QWidget* parent)> m_openPrinterStatus;

private:
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnClean();
    void OnMultiSend();
    void OnRead();
    void OnClearReceived();
    void OnDataTypeChange();
    void OnLoad();
    void OnSave();
    void OnPrintingSetting();
    void OnLabelSetting();
    void OnCopies();
    void OnLineAndBox();
    void On1DBarcode();
    void On2DBarcode();
    void OnBitmapText();
    void OnVectorText();
    void OnRfidWrite();
    void OnRfidRead();
    void OnRfidPassword();
    void OnRfidSecurity();
    void OnRfidKill();
    void OnCharacterSet();
    void OnPrintCodes();
    void OnCheckPrinterStatus();
    void OnOpenConvertUnit();
    void OnCloseButton();

    Ui::CQuensa_CmdTesterDlg m_ui;
};
