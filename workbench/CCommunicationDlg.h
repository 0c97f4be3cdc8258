#pragma once

#include "ui/Dialog.h"
#include "ui/FindReplaceDialog.h"
#include "workbench/ReceiveBuffer.h"

#include "ui_CCommunicationDlg.h"

#include <QPointer>

class QEvent;
class QPlainTextEdit;

// A raw terminal on the printer link: send any text unchanged, read what comes back and
// look at it as hex bytes or printable characters; load, save, find and replace the text.
class CCommunicationDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCommunicationDlg(QWidget* parent = nullptr);
    ~CCommunicationDlg() override;

    bool OnInitDialog() override;
    // Keyboard shortcuts of the two edits; true when the event was handled here.
    bool PreTranslateMessage(QObject* target, QEvent* event);

    // Grows the receive buffer by the bytes and shows it.
    void AppendReceivedData(const void* data, int length);
    void ShowReceivedData();

    // The one replace dialog of this window, while it is open.
    QPointer<ui::FindReplaceDialog> m_pFindDialog;
    ReceiveBuffer m_received;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSend();
    void OnRead();
    void OnClearReceived();
    void OnDataTypeChange();
    void OnFileOpen();
    void OnSaveToFile();
    void OnClearData();
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnReplace();
    void OnFindReplace(ui::FindReplaceDialog* dialog);
    void OnPrintCodes();

    void findNext(const QString& text, const QString& find);
    void replaceCurrent(const QString& text, const QString& find, const QString& replacement);
    void replaceAll(const QString& text, const QString& find, const QString& replacement);
    void selectInSendEdit(qsizetype start, qsizetype length);

    ui::RawTextEdit* sendEdit() const { return m_ui.editSend; }

    Ui::CCommunicationDlg m_ui;
};
