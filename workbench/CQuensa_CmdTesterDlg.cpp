#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/BuilderLoop.h"
#include "workbench/C1D_BarcodeCommand.h"
#include "workbench/C2D_BarcodeCommand.h"
#include "workbench/CBlockDrawCommand.h"
#include "workbench/CCharacterSetCommand.h"
#include "workbench/CConvertUnit.h"
#include "workbench/CLabelSetting.h"
#include "workbench/CPrinterCopies.h"
#include "workbench/CPrintingSetting.h"
#include "workbench/CQuensaRfidKillCommand.h"
#include "workbench/CQuensaRfidPasswordCommand.h"
#include "workbench/CQuensaRfidReadCommand.h"
#include "workbench/CQuensaRfidSecurityCommand.h"
#include "workbench/CQuensaRfidWriteCommand.h"
#include "workbench/CTextCommand.h"
#include "workbench/CTwobytesCodeDlg.h"
#include "workbench/CVectorTextCommand.h"
#include "workbench/RfidCommands.h"
#include "workbench/CommandTextFile.h"
#include "workbench/OstrelCommands.h"
#include "workbench/ReceiveView.h"

#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace {

constexpr int IDS_NO_LOAD_FILE = 300;
constexpr int IDS_NO_SAVE_FILE = 301;

constexpr int kMaxSendCount = 10000;
// A long job gets a pause before each send so the printer can work through the last one.
constexpr qsizetype kPauseAboveBytes = 1500;
constexpr int kPauseMs = 100;

// Whether the text takes more than kPauseAboveBytes bytes on the way to the printer. Every
// character takes at least one byte, so a head of 2 * (kPauseAboveBytes + 1) UTF-16 units tells,
// and a long job is not converted once more only to be measured.
bool longerThanPauseLimit(const QString& text)
{
    const QStringView head = QStringView(text).first(qMin(text.size(), 2 * (kPauseAboveBytes + 1)));
    return platform::codePage().fromWide(head).size() > kPauseAboveBytes;
}

const QString kLoadFilter =
    QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||");
const QString kSaveFilter = QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt||");

// The lines the tester appends for each builder, formatted from its fields after it closed.
QStringList insertedLines(const CPrintingSetting& b)
{
    return ostrel::PrintingSettingLines({b.m_bApplySpeed != 0, b.m_nSpeed, b.m_bApplyDensity != 0,
                                         20 - b.m_nDensityPos, b.m_bApplyDirection != 0,
                                         b.m_nDirection});
}

QStringList insertedLines(const CLabelSetting& b)
{
    return ostrel::LabelSettingLines({b.m_nUnit, b.m_bApplyWidth != 0, b.m_fWidth,
                                      b.m_bApplyLength != 0, b.m_fLength, b.m_nMedia,
                                      b.m_bApplyMargin != 0, b.m_fXMargin, b.m_fYMargin});
}

QStringList insertedLines(const CPrinterCopies& b)
{
    return {ostrel::CopiesLine(b.m_nFirst, b.m_nSecond)};
}

QStringList insertedLines(const CBlockDrawCommand& b)
{
    const QString type = ostrel::BlockDrawTypes().value(b.m_nSavedType);
    return {ostrel::BlockDrawLine(b.m_fStartX, b.m_fStartY, b.m_fEndX, b.m_fEndY, type,
                                  b.m_nOption)};
}

QStringList insertedLines(const C1D_BarcodeCommand& b)
{
    return {ostrel::LinearBarcodeLine(b.command(b.m_nSavedRotation))};
}

QStringList insertedLines(const C2D_BarcodeCommand& b)
{
    return {ostrel::TwoDBarcodeLine(
        b.command(b.m_nSavedMode, b.m_nSavedEcl, b.m_strSavedEcc, b.m_nRotation))};
}

QStringList insertedLines(const CTextCommand& b)
{
    return {ostrel::BitmapTextLine(b.command(b.m_nSavedRotation))};
}

QStringList insertedLines(const CVectorTextCommand& b)
{
    return {ostrel::VectorTextLine(b.command())};
}

QStringList insertedLines(const CQuensaRfidWriteCommand& b)
{
    return {rfid::WriteBuilderLine(b.m_nFormat, b.m_nStartIndex, b.m_nCountIndex,
                                   QStringList(b.m_strCell.begin(), b.m_strCell.end()))};
}

QStringList insertedLines(const CQuensaRfidReadCommand& b)
{
    return {rfid::ReadBuilderLine(b.m_nFormat, b.m_nStartIndex, b.m_nCountIndex, b.m_nOutputType)};
}

QStringList insertedLines(const CQuensaRfidPasswordCommand& b)
{
    return {rfid::PasswordLine(b.m_strAccessPassword, b.m_strKillPassword)};
}

QStringList insertedLines(const CQuensaRfidSecurityCommand& b)
{
    if (b.m_nMode == 0)
        return {rfid::LockPayloadLine(b.m_bUnlock != 0, rfid::LockPayload(b.m_bLockBox))};
    return {rfid::AutoLockLine(b.m_nAutoAction)};
}

QStringList insertedLines(const CQuensaRfidKillCommand&)
{
    return {rfid::KillLine()};
}

template <class Builder>
void runBuilder(CQuensa_CmdTesterDlg& tester)
{
    Builder builder(&tester);
    RunBuilderLoop(tester, tester.m_strCommand, builder,
                   [](const Builder& b) { return insertedLines(b); });
}

}  // namespace

CQuensa_CmdTesterDlg::CQuensa_CmdTesterDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    m_ui.editSendCount->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));

    onCommand(IDC_COPY, &CQuensa_CmdTesterDlg::OnCopy);
    onCommand(IDC_CUT, &CQuensa_CmdTesterDlg::OnCut);
    onCommand(IDC_PASTE, &CQuensa_CmdTesterDlg::OnPaste);
    onCommand(IDC_CLEAN, &CQuensa_CmdTesterDlg::OnClean);
    onCommand(IDC_MULTI_SEND, &CQuensa_CmdTesterDlg::OnMultiSend);
    onCommand(IDC_READ, &CQuensa_CmdTesterDlg::OnRead);
    onCommand(IDC_CLEAR, &CQuensa_CmdTesterDlg::OnClearReceived);
    onCommand(IDC_HEX, &CQuensa_CmdTesterDlg::OnDataTypeChange);
    onCommand(IDC_ASCII, &CQuensa_CmdTesterDlg::OnDataTypeChange);
    onCommand(IDC_LOAD, &CQuensa_CmdTesterDlg::OnLoad);
    onCommand(IDC_SAVE, &CQuensa_CmdTesterDlg::OnSave);
    onCommand(IDC_PRINTING_SETTING, &CQuensa_CmdTesterDlg::OnPrintingSetting);
    onCommand(IDC_LABEL_SETTING, &CQuensa_CmdTesterDlg::OnLabelSetting);
    onCommand(IDC_COPIES, &CQuensa_CmdTesterDlg::OnCopies);
    onCommand(IDC_LINE_AND_BOX, &CQuensa_CmdTesterDlg::OnLineAndBox);
    onCommand(IDC_1D_BARCODE, &CQuensa_CmdTesterDlg::On1DBarcode);
    onCommand(IDC_2D_BARCODE, &CQuensa_CmdTesterDlg::On2DBarcode);
    onCommand(IDC_BITMAP_TEXT, &CQuensa_CmdTesterDlg::OnBitmapText);
    onCommand(IDC_VECTOR_TEXT, &CQuensa_CmdTesterDlg::OnVectorText);
    onCommand(IDC_RFID_WRITE, &CQuensa_CmdTesterDlg::OnRfidWrite);
    onCommand(IDC_RFID_READ, &CQuensa_CmdTesterDlg::OnRfidRead);
    onCommand(IDC_RFID_PASSWORD, &CQuensa_CmdTesterDlg::OnRfidPassword);
    onCommand(IDC_RFID_SECURITY, &CQuensa_CmdTesterDlg::OnRfidSecurity);
    onCommand(IDC_RFID_KILL, &CQuensa_CmdTesterDlg::OnRfidKill);
    onCommand(IDC_CHARACTER_SET, &CQuensa_CmdTesterDlg::OnCharacterSet);
    onCommand(IDC_PRINT_CODES, &CQuensa_CmdTesterDlg::OnPrintCodes);
    onCommand(IDC_CHECK_STATUS, &CQuensa_CmdTesterDlg::OnCheckPrinterStatus);
    onCommand(IDC_CONVERT, &CQuensa_CmdTesterDlg::OnOpenConvertUnit);
    onCommand(IDC_CLOSE, &CQuensa_CmdTesterDlg::OnCloseButton);
}

CQuensa_CmdTesterDlg::~CQuensa_CmdTesterDlg() = default;

bool CQuensa_CmdTesterDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CheckDlgButton(IDC_ASCII, true);
    m_ui.spinSendCount->setRange(0, kMaxSendCount);
    m_nSendCount = 1;
    m_strSentCount.clear();
    UpdateData(false);
    return true;
}

void CQuensa_CmdTesterDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_EDIT_COMMAND, m_editCommand);
    ui::DDX_Text(dx, IDC_EDIT_COMMAND, m_strCommand);
    ui::DDX_Text(dx, IDC_SEND_COUNT, m_nSendCount);
    ui::DDX_Text(dx, IDC_SENT_COUNT, m_strSentCount);
}

void CQuensa_CmdTesterDlg::AppendReceivedData(const void* data, int length)
{
    m_received.append(data, length);
    ShowReceivedData();
}

void CQuensa_CmdTesterDlg::ShowReceivedData()
{
    ShowReceiveBuffer(m_received, m_ui.editReceived, IsDlgButtonChecked(IDC_HEX));
}

void CQuensa_CmdTesterDlg::OnCopy()
{
    m_editCommand->copy();
    UpdateData(true);
}

void CQuensa_CmdTesterDlg::OnCut()
{
    m_editCommand->cut();
    UpdateData(true);
}

void CQuensa_CmdTesterDlg::OnPaste()
{
    m_editCommand->paste();
    UpdateData(true);
}

void CQuensa_CmdTesterDlg::OnClean()
{
    m_strCommand.clear();
    UpdateData(false);
}

void CQuensa_CmdTesterDlg::OnMultiSend()
{
    UpdateData(true);
    if (m_nSendCount < 1)
        return;
    // The text stays as it is for the whole run, so its length is measured once.
    const bool pause = longerThanPauseLimit(m_strCommand);
    for (int i = 1; i <= m_nSendCount; ++i) {
        if (pause)
            platform::clock().sleep(kPauseMs);
        if (g_comm.WriteString(m_strCommand, static_cast<int>(m_strCommand.size())) == 0) {
            m_strSentCount.clear();
            UpdateData(false);
            return;
        }
        m_strSentCount = QString::number(i);
        UpdateData(false);
    }
}

void CQuensa_CmdTesterDlg::OnRead()
{
    if (ReadIntoReceiveBuffer(m_received))
        ShowReceivedData();
}

void CQuensa_CmdTesterDlg::OnClearReceived()
{
    m_ui.editReceived->clear();
    m_received.clear();
    UpdateData(false);
}

void CQuensa_CmdTesterDlg::OnDataTypeChange()
{
    ShowReceivedData();
}

// A cancelled choice leaves the editor as it was: emptying it first would lose the typed job
// with no undo.
void CQuensa_CmdTesterDlg::OnLoad()
{
    const auto path = ui::GetOpenFileName(this, QString(), kLoadFilter);
    if (!path) {
        ui::MessageBox(ui::LoadString(IDS_NO_LOAD_FILE));
        return;
    }
    m_strCommand.clear();
    UpdateData(false);
    UpdateData(true);
    QString text;
    if (!CommandTextFile::load(*path, text))
        return;
    m_strCommand = text;
    UpdateData(false);
}

void CQuensa_CmdTesterDlg::OnSave()
{
    const auto path = ui::GetSaveFileName(this, QStringLiteral("Quensa.txt"), kSaveFilter, false);
    if (!path) {
        ui::MessageBox(ui::LoadString(IDS_NO_SAVE_FILE));
        return;
    }
    UpdateData(true);
    CommandTextFile::save(*path, m_strCommand);
}

void CQuensa_CmdTesterDlg::OnPrintingSetting()
{
    runBuilder<CPrintingSetting>(*this);
}

void CQuensa_CmdTesterDlg::OnLabelSetting()
{
    runBuilder<CLabelSetting>(*this);
}

void CQuensa_CmdTesterDlg::OnCopies()
{
    runBuilder<CPrinterCopies>(*this);
}

void CQuensa_CmdTesterDlg::OnLineAndBox()
{
    runBuilder<CBlockDrawCommand>(*this);
}

void CQuensa_CmdTesterDlg::On1DBarcode()
{
    runBuilder<C1D_BarcodeCommand>(*this);
}

void CQuensa_CmdTesterDlg::On2DBarcode()
{
    runBuilder<C2D_BarcodeCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnBitmapText()
{
    runBuilder<CTextCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnVectorText()
{
    runBuilder<CVectorTextCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnRfidWrite()
{
    runBuilder<CQuensaRfidWriteCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnRfidRead()
{
    runBuilder<CQuensaRfidReadCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnRfidPassword()
{
    runBuilder<CQuensaRfidPasswordCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnRfidSecurity()
{
    runBuilder<CQuensaRfidSecurityCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnRfidKill()
{
    runBuilder<CQuensaRfidKillCommand>(*this);
}

void CQuensa_CmdTesterDlg::OnCheckPrinterStatus()
{
    if (m_openPrinterStatus)
        m_openPrinterStatus(this);
}

void CQuensa_CmdTesterDlg::OnCharacterSet()
{
    CCharacterSetCommand dlg(this);
    dlg.DoModal();
}

void CQuensa_CmdTesterDlg::OnPrintCodes()
{
    CTwobytesCodeDlg dlg(this);
    dlg.DoModal();
}

void CQuensa_CmdTesterDlg::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}

void CQuensa_CmdTesterDlg::OnCloseButton()
{
    OnOK();
}
