#include "maintenance/CFileTransferDlg.h"

#include "link/Comm.h"
#include "maintenance/PieceTransfer.h"
#include "maintenance/TransferStringIds.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QFileInfo>
#include <QProgressBar>
#include <algorithm>
#include <new>

namespace {

constexpr int IDC_FILE_PATH = 1013;
constexpr int IDC_SELECT_FILE = 1011;
constexpr int IDC_FILE_NAME = 1015;
constexpr int IDC_FILE_SIZE = 1016;
constexpr int IDC_PROGRESS = 1017;
constexpr int IDC_DOWNLOAD = 1020;
constexpr int IDC_CLOSE = 1004;

const QString kFilter = QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||");
constexpr int kEthernetBarPosition = 20;

// Serial time-outs while a transfer runs, and after it.
constexpr platform::SerialTimeouts kTransferTimeouts{0, 1, 20000, 1, 20000};
constexpr platform::SerialTimeouts kAfterTimeouts{0, 1, 3000, 1, 3000};

QString noFileName() { return QStringLiteral("None"); }
QString noFileSize() { return QStringLiteral("0 Byte"); }

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
    m_strFileName = noFileName();
    m_strFileSize = noFileSize();
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
        m_strFileName = noFileName();
        m_strFileSize = noFileSize();
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
    m_strFileSize = QStringLiteral("%1 Bytes").arg(static_cast<quint32>(m_file.size()));
    m_file.close();
    UpdateData(false);
}

std::optional<QByteArray> CFileTransferDlg::ReadTransferFile()
{
    if (m_file.size() > kMaxTransferBytes)
        return std::nullopt;
    try {
        // The bytes from `offset` to the end; none when the read fails.
        auto rest = [this](qint64 offset) -> std::optional<QByteArray> {
            m_file.seek(offset);
            QByteArray bytes = m_file.readAll();
            if (m_file.error() != QFileDevice::NoError)
                return std::nullopt;
            return bytes;
        };
        char first = 0;
        const bool any = m_file.seek(0) && m_file.getChar(&first);
        const auto mark = static_cast<unsigned char>(first);
        if (any && mark == 0xEF)
            return rest(3);
        if (any && (mark == 0xFF || mark == 0xFE)) {
            const std::optional<QByteArray> units = rest(2);
            if (!units)
                return std::nullopt;
            return platform::codePage().fromWide(utf16Units(*units, mark == 0xFE));
        }
        return rest(0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
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

    const bool usb = g_comm.m_nPortType == PORT_USB;
    if (usb) {
        g_comm.m_bUsbHold = true;
        g_comm.Open();
    }

    const qint64 count = buffer->size();
    const qint64 pieces = count / kPieceSize;
    m_progress->setRange(0, PieceTransfer::barRange(pieces));
    m_progress->setValue(0);

    platform::DeviceIo& io = platform::devices();
    io.setCommTimeouts(g_comm.m_hPort, kTransferTimeouts);
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        m_progress->setValue(std::min(kEthernetBarPosition, m_progress->maximum()));
        g_comm.Write(buffer->constData(), static_cast<int>(count));
    } else {
        PieceTransfer::send(
            buffer->constData(), count, kPieceSize,
            [](const char* data, int length) { g_comm.Write(data, length); },
            [this, pieces](qint64 done) { m_progress->setValue(PieceTransfer::barPosition(done, pieces)); });
        m_progress->setValue(0);
    }
    io.setCommTimeouts(g_comm.m_hPort, kAfterTimeouts);

    buffer.reset();
    m_file.close();
    if (usb) {
        g_comm.m_bUsbHold = false;
        g_comm.Close();
    }

    ui::MessageBox(ui::LoadString(IDS_FILE_DOWNLOAD_COMPLETED), platform::AlertIcon::Information);
    m_progress->setValue(0);
    if (g_comm.m_nPortType == PORT_COM || g_comm.m_nPortType == PORT_LPT)
        g_comm.Open();
}
