#include "maintenance/CPcxFileDownloaderDlg.h"

#include "link/Comm.h"
#include "maintenance/CDlgScrollView.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/PictureMemoryCommands.h"
#include "maintenance/PieceTransfer.h"
#include "maintenance/TransferStringIds.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProgressBar>
#include <algorithm>
#include <new>
#include <optional>

namespace {

constexpr int IDC_IMAGE_PATH = 1013;
constexpr int IDC_BROWSE = 1011;
constexpr int IDC_FILE_NAME = 1015;
constexpr int IDC_FILE_SIZE = 1016;
constexpr int IDC_DOWNLOAD = 1020;
constexpr int IDC_STORE_NAME = 1026;
constexpr int IDC_DELETE_IMAGE = 1027;
constexpr int IDC_DELETE_ALL = 1028;
constexpr int IDC_DELETE_NAME = 1029;
constexpr int IDC_POS_X = 1030;
constexpr int IDC_POS_Y = 1031;
constexpr int IDC_RECALL = 1032;
constexpr int IDC_INFORMATION = 1033;
constexpr int IDC_RECALL_NAME = 1501;
constexpr int IDC_CLOSE = 1004;

const QString kFilter = QStringLiteral(
    "Image files(*.PCX,*.BMP,*.JPG,*.JPEG)|*.PCX;*.BMP;*.JPG;*.JPEG|All Files(*.*)|*.*||");
constexpr int kEthernetBarPosition = 20;

QString noFileName() { return QStringLiteral("None"); }
QString noFileSize() { return QStringLiteral("0 Byte"); }

void writeBytes(const QByteArray& bytes)
{
    g_comm.Write(bytes.constData(), static_cast<int>(bytes.size()));
}

// The whole open file, or none when it does not fit in memory or cannot be read.
std::optional<QByteArray> readWhole(QFile& file, qint64 limit)
{
    if (file.size() > limit)
        return std::nullopt;
    try {
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace

CPcxFileDownloaderDlg::CPcxFileDownloaderDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    m_progress = m_ui.progress;
    onCommand(IDC_BROWSE, &CPcxFileDownloaderDlg::OnBrowseImage);
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
    m_strFileName = noFileName();
    m_strFileSize = noFileSize();
    m_bImageSelected = 0;
    m_strPosX = QStringLiteral("0");
    m_strPosY = QStringLiteral("0");
    m_progress->setValue(0);
    UpdateData(false);
    return true;
}

void CPcxFileDownloaderDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_IMAGE_PATH, m_strImagePath);
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
            m_strFileSize = QStringLiteral("%1 Bytes").arg(static_cast<quint32>(m_file.size()));
            const QString name = PictureMemoryCommands::DefaultName(m_strFileName);
            m_strRecallName = name;
            m_strDeleteName = name;
            m_strStoreName = name;
            m_file.close();
        }
    }
    if (!m_bImageSelected) {
        m_strFileName = noFileName();
        m_strFileSize = noFileSize();
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
        buffer = readWhole(m_file, kMaxSendBytes);
        if (!buffer)
            m_file.close();
    }
    if (!buffer) {
        removeTemp();
        ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
        return;
    }

    const bool usb = g_comm.m_nPortType == PORT_USB;
    if (usb) {
        g_comm.m_bUsbHold = true;
        g_comm.Open();
    }

    const qint64 size = buffer->size();
    if (m_strStoreName.isEmpty()) {
        m_strStoreName = PictureMemoryCommands::DefaultName(m_strFileName);
        UpdateData(false);
    }
    g_comm.WriteString(PictureMemoryCommands::Store(size, m_strStoreName), 0);

    const qint64 pieces = size / kPieceSize;
    m_progress->setRange(0, PieceTransfer::barRange(pieces));
    m_progress->setValue(0);
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        m_progress->setValue(std::min(kEthernetBarPosition, m_progress->maximum()));
        g_comm.Write(buffer->constData(), static_cast<int>(size));
    } else {
        PieceTransfer::send(
            buffer->constData(), size, kPieceSize,
            [](const char* data, int length) { g_comm.Write(data, length); },
            [this, pieces](qint64 done) { m_progress->setValue(PieceTransfer::barPosition(done, pieces)); });
    }
    g_comm.WriteString(PictureMemoryCommands::PrintAfterStore(m_strStoreName), 0);

    m_progress->setValue(0);
    buffer.reset();
    m_file.close();
    if (usb) {
        g_comm.m_bUsbHold = false;
        g_comm.Close();
    }
    if (!tempPcx.isEmpty()) {
        platform::clock().sleep(kBeforeDeleteWaitMs);
        removeTemp();
    }
    ui::MessageBox(ui::LoadString(IDS_PCX_DOWNLOAD_COMPLETED), platform::AlertIcon::Information);
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
