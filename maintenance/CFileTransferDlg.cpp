#include "maintenance/CFileTransferDlg.h"

#include "link/Comm.h"
#include "maintenance/LinkTransfer.h"
#include "maintenance/TransferIds.h"
#include "maintenance/TransferTexts.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QFileInfo>
#include <QProgressBar>
#include <new>

namespace {


const QString kFilter = QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||");

// Serial time-outs while a transfer runs, and after it.
constexpr platform::SerialTimeouts kTransferTimeouts{0, 1, 20000, 1, 20000};
constexpr platform::SerialTimeouts kAfterTimeouts{0, 1, 3000, 1, 3000};


// UTF-16 code units up to the first zero unit; an odd last byte is half a unit and dropped.
QString utf16Units(const QByteArray& bytes, bool bigEndian)
{
    const qsizetype units = bytes.size() / 2;
    QString text;
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        const char16_t unit = bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

}  // namespace

CFileTransferDlg::CFileTransferDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    m_progress = m_ui.progress;
    onCommand(IDC_SELECT_FILE, &CFileTransferDlg::OnSelectFile);
    onCommand(IDC_DOWNLOAD, &CFileTransferDlg::OnDownload);
    onCommand(IDC_CLOSE, &CFileTransferDlg::OnOK);
}

bool CFileTransferDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_strFileName = NoFileNameText();
    m_strFileSize = NoFileSizeText();
    m_bFileSelected = 0;
    m_progress->setValue(0);
    UpdateData(false);
    return true;
}

void CFileTransferDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_FILE_PATH, m_strFilePath);
    ui::DDX_Text(dx, IDC_FILE_NAME, m_strFileName);
    ui::DDX_Text(dx, IDC_FILE_SIZE, m_strFileSize);
}

void CFileTransferDlg::OnSelectFile()
{
    const std::optional<QString> path = ui::GetOpenFileName(this, QString(), kFilter);
    if (!path) {
        m_strFileName = NoFileNameText();
        m_strFileSize = NoFileSizeText();
        m_strFilePath.clear();
        m_bFileSelected = 0;
        UpdateData(false);
        return;
    }

    m_strFileName = QFileInfo(*path).fileName();
    m_strFilePath = *path;
    m_file.setFileName(*path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
        return;
    }
    m_bFileSelected = 1;
    m_strFileSize = FileSizeText(m_file.size());
    m_file.close();
    UpdateData(false);
}

std::optional<QByteArray> CFileTransferDlg::ReadTransferFile()
{
    char first = 0;
    const bool any = m_file.seek(0) && m_file.getChar(&first);
    const auto mark = static_cast<unsigned char>(first);
    if (any && mark == 0xEF)
        return LinkTransfer::readRest(m_file, 3);
    if (any && (mark == 0xFF || mark == 0xFE)) {
        const std::optional<QByteArray> units = LinkTransfer::readRest(m_file, 2);
        if (!units)
            return std::nullopt;
        try {
            return platform::codePage().fromWide(utf16Units(*units, mark == 0xFE));
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }
    return LinkTransfer::readRest(m_file, 0);
}

void CFileTransferDlg::OnDownload()
{
    if (!m_bFileSelected) {
        ui::MessageBox(ui::LoadString(IDS_SELECT_A_FILE));
        return;
    }
    UpdateData(true);

    m_file.setFileName(m_strFilePath);
    if (!m_file.open(QIODevice::ReadOnly)) {
        ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
        return;
    }
    // Read before the link is touched: a file that does not fit is refused with nothing sent.
    std::optional<QByteArray> buffer = ReadTransferFile();
    if (!buffer) {
        m_file.close();
        ui::MessageBox(ui::LoadString(IDS_CANT_OPEN_FILE));
        return;
    }

    const bool usb = LinkTransfer::holdUsb();
    platform::DeviceIo& io = platform::devices();
    io.setCommTimeouts(g_comm.m_hPort, kTransferTimeouts);
    bool complete = false;
    {
        LinkTransfer::Span span;
        complete = LinkTransfer::sendThroughLink(*buffer, kPieceSize, *m_progress);
    }
    if (g_comm.m_nPortType != PORT_ETHERNET)
        m_progress->setValue(0);
    io.setCommTimeouts(g_comm.m_hPort, kAfterTimeouts);

    buffer.reset();
    m_file.close();
    LinkTransfer::releaseUsb(usb);

    // A TCP printer that hung up or stopped taking bytes has not got the file.
    if (complete)
        ui::MessageBox(ui::LoadString(IDS_FILE_DOWNLOAD_COMPLETED), platform::AlertIcon::Information);
    else
        ui::MessageBox(ui::LoadString(IDS_FILE_DOWNLOAD_FAILED));
    m_progress->setValue(0);
    if (g_comm.m_nPortType == PORT_COM || g_comm.m_nPortType == PORT_LPT)
        g_comm.Open();
}
