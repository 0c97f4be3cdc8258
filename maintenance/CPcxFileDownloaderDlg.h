#pragma once

#include "ui/Dialog.h"

#include "ui_CPcxFileDownloaderDlg.h"

#include <QFile>
#include <QString>

class QProgressBar;

// Turns a picture into a 1-bit PCX image, stores it in the printer's picture memory and
// prints it; recalls, deletes and lists stored pictures.
class CPcxFileDownloaderDlg : public ui::Dialog {
    Q_OBJECT
public:
    // Serial, parallel and USB links take the picture in pieces of this size.
    static constexpr int kPieceSize = 2048;
    static constexpr int kReduceWaitMs = 50;
    static constexpr int kAfterSaveWaitMs = 200;
    static constexpr int kBeforeDeleteWaitMs = 200;

    explicit CPcxFileDownloaderDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void OnBrowseImage();
    void OnDownloadImage();
    void OnDeleteImage();
    void OnDeleteAllImages();
    void OnImageInformation();
    void OnRecallImage();

    // The temporary PCX file's name for a local time, in the folder (which ends with '/').
    static QString TempPcxPath(const QString& folder, const QDateTime& localTime);

    int m_bImageSelected = 0;
    QFile m_file;
    int m_nDitherMethod = -1;
    int m_nImageType = 0;
    QString m_strSendPath;
    QString m_strFileName;
    QString m_strImagePath;
    QString m_strFileSize;
    QString m_strPosX;
    QString m_strPosY;
    QString m_strStoreName;
    QString m_strDeleteName;
    QString m_strRecallName;
    QProgressBar* m_progress = nullptr;

private:
    // Makes the temporary PCX file from m_strImagePath; empty when the picture does not
    // load or the file cannot be written.
    QString ConvertToTempPcx();

    Ui::CPcxFileDownloaderDlg m_ui;
};
