#include "maintenance/CPcxFileDownloaderDlg.h"

#include "link/Comm.h"
#include "maintenance/CDlgScrollView.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/LinkTransfer.h"
#include "maintenance/PictureMemoryCommands.h"
#include "maintenance/TransferIds.h"
#include "maintenance/TransferTexts.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProgressBar>
#include <optional>

namespace {


const QString kFilter = QStringLiteral(
    "Image files(*.PCX,*.BMP,*.JPG,*.JPEG)|*.PCX;*.BMP;*.JPG;*.JPEG|All Files(*.*)|*.*||");


void writeBytes(const QByteArray& bytes)
{
    g_comm.Write(bytes.constData(), static_cast<int>(bytes.size()));
}

}  // namespace

CPcxFileDownloaderDlg::CPcxFileDownloaderDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    m_progress = m_ui.progress;
    onCommand(IDC_SELECT_FILE, &CPcxFileDownloaderDlg::OnBrowseImage);
    onCommand(IDC_DOWNLOAD, &CPcxFileDownloaderDlg::OnDownloadImage);
    onCommand(IDC_DELETE_IMAGE, &CPcxFileDownloaderDlg::OnDeleteImage);
    onCommand(IDC_DELETE_ALL, &CPcxFileDownloaderDlg::OnDeleteAllImages);
    onCommand(IDC_INFORMATION, &CPcxFileDownloaderDlg::OnImageInformation);
    onCommand(IDC_RECALL, &CPcxFileDownloaderDlg::OnRecallImage);
    onCommand(IDC_CLOSE, &CPcxFileDownloaderDlg::OnOK);
}

bool CPcxFileDownloaderDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_strFileName = NoFileNameText();
    m_strFileSize = NoFileSizeText();
    m_bImageSelected = 0;
    m_strPosX = QStringLiteral("0");
    m_strPosY = QStringLiteral("0");
    m_progress->setValue(0);
    UpdateData(false);
    return true;
}

void CPcxFileDownloaderDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_FILE_PATH, m_strImagePath);
    ui::DDX_Text(dx, IDC_FILE_NAME, m_strFileName);
    ui::DDX_Text(dx, IDC_FILE_SIZE, m_strFileSize);
    ui::DDX_Text(dx, IDC_POS_X, m_strPosX);
    ui::DDX_Text(dx, IDC_POS_Y, m_strPosY);
    ui::DDX_Text(dx, IDC_STORE_NAME, m_strStoreName);
    ui::DDX_Text(dx, IDC_DELETE_NAME, m_strDeleteName);
    ui::DDX_Text(dx, IDC_RECALL_NAME, m_strRecallName);
}

QString CPcxFileDownloaderDlg::TempPcxPath(const QString& folder, const QDateTime& localTime)
{
    return folder + localTime.toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".pcx");
}

void CPcxFileDownloaderDlg::OnBrowseImage()
{
    m_bImageSelected = 0;
    const std::optional<QString> path = ui::GetOpenFileName(this, QString(), kFilter);
    if (path) {
        m_strFileName = QFileInfo(*path).fileName();
        m_strImagePath = *path;
        CPcxImageDlg preview(this);
        preview.SetImagePath(m_strImagePath);
        if (preview.DoModal() == ui::IDOK) {
            m_bImageSelected = 1;
            m_nImageType = preview.m_nImageType;
            m_nDitherMethod = preview.m_nDitherMethod;
            m_file.setFileName(m_strImagePath);
            if (!m_file.open(QIODevice::ReadOnly)) {
                ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
                return;
            }
            m_strFileSize = FileSizeText(m_file.size());
            const QString name = PictureMemoryCommands::DefaultName(m_strFileName);
            m_strRecallName = name;
            m_strDeleteName = name;
            m_strStoreName = name;
            m_file.close();
        }
    }
    if (!m_bImageSelected) {
        m_strFileName = NoFileNameText();
        m_strFileSize = NoFileSizeText();
        m_strImagePath.clear();
    }
    UpdateData(false);
}

QString CPcxFileDownloaderDlg::ConvertToTempPcx()
{
    std::unique_ptr<platform::Picture> picture = platform::pictures().load(m_strImagePath, m_nImageType);
    if (!picture)
        return QString();
    const QString folder = platform::folders().tempFolder();
    CDlgScrollView::ConvertToOneBit(*picture, m_nDitherMethod, 0);
    const QString path = TempPcxPath(folder, platform::clock().localTime());
    if (!picture->savePcx(path))
        return QString();
    platform::clock().sleep(kAfterSaveWaitMs);
    return path;
}

void CPcxFileDownloaderDlg::OnDownloadImage()
{
    if (!m_bImageSelected) {
        ui::MessageBox(ui::LoadString(IDS_SELECT_PCX_FILES));
        return;
    }
    m_strSendPath = m_strImagePath;
    // The picture chosen with Browse: the path edit is read back only after this.
    const QString tempPcx = ConvertToTempPcx();
    if (!tempPcx.isEmpty())
        m_strSendPath = tempPcx;
    // A temporary file never outlives the download, whatever way it ends.
    auto removeTemp = [&tempPcx] {
        if (!tempPcx.isEmpty())
            QFile::remove(tempPcx);
    };
    UpdateData(true);

    m_file.setFileName(m_strSendPath);
    std::optional<QByteArray> buffer;
    if (m_file.open(QIODevice::ReadOnly)) {
        buffer = LinkTransfer::readRest(m_file, 0);
        if (!buffer)
            m_file.close();
    }
    if (!buffer) {
        removeTemp();
        ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
        return;
    }

    const bool usb = LinkTransfer::holdUsb();
    const qint64 size = buffer->size();
    if (m_strStoreName.isEmpty()) {
        m_strStoreName = PictureMemoryCommands::DefaultName(m_strFileName);
        UpdateData(false);
    }
    bool complete = false;
    {
        // A store cut off midway ends the press on the link: the print never follows it.
        LinkTransfer::Span span;
        // A print the link refused follows a store that broke off.
        complete = g_comm.WriteString(PictureMemoryCommands::Store(size, m_strStoreName), 0) != 0;
        complete = LinkTransfer::sendThroughLink(*buffer, kPieceSize, *m_progress) && complete;
        complete = g_comm.WriteString(PictureMemoryCommands::PrintAfterStore(m_strStoreName), 0) != 0 && complete;
    }

    m_progress->setValue(0);
    buffer.reset();
    m_file.close();
    LinkTransfer::releaseUsb(usb);
    if (!tempPcx.isEmpty()) {
        platform::clock().sleep(kBeforeDeleteWaitMs);
        removeTemp();
    }
    if (complete)
        ui::MessageBox(ui::LoadString(IDS_PCX_DOWNLOAD_COMPLETED), platform::AlertIcon::Information);
    else
        ui::MessageBox(ui::LoadString(IDS_PCX_DOWNLOAD_FAILED));
}

void CPcxFileDownloaderDlg::OnDeleteImage()
{
    UpdateData(true);
    if (m_strDeleteName.isEmpty()) {
        ui::MessageBox(ui::LoadString(IDS_TYPE_IMAGE_NAME));
        return;
    }
    g_comm.WriteString(PictureMemoryCommands::Delete(m_strDeleteName), 0);
}

void CPcxFileDownloaderDlg::OnDeleteAllImages()
{
    writeBytes(PictureMemoryCommands::DeleteAll());
}

void CPcxFileDownloaderDlg::OnImageInformation()
{
    writeBytes(PictureMemoryCommands::ImageInformation());
}

void CPcxFileDownloaderDlg::OnRecallImage()
{
    UpdateData(true);
    if (m_strRecallName.isEmpty()) {
        ui::MessageBox(ui::LoadString(IDS_TYPE_IMAGE_NAME));
        return;
    }
    g_comm.WriteString(PictureMemoryCommands::Recall(m_strPosX, m_strPosY, m_strRecallName), 0);
}
