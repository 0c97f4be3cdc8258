#pragma once

#include "ui/Dialog.h"

#include "ui_CFileTransferDlg.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

class QProgressBar;

// Sends the bytes of a chosen file to the printer as they are, Unicode text first turned
// into the ANSI code page.
class CFileTransferDlg : public ui::Dialog {
    Q_OBJECT
public:
    // Serial, parallel and USB links take the file in pieces of this size.
    static constexpr int kPieceSize = 4096;

    explicit CFileTransferDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void OnSelectFile();
    void OnDownload();
    // The bytes to send from the open m_file (read from its start; its byte-order mark
    // decides). None when the file cannot be read whole into memory.
    std::optional<QByteArray> ReadTransferFile();

    int m_bFileSelected = 0;
    QFile m_file;
    QString m_strFilePath;
    QString m_strFileName;
    QString m_strFileSize;
    QProgressBar* m_progress = nullptr;

private:
    Ui::CFileTransferDlg m_ui;
};
