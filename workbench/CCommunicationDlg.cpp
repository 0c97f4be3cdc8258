#include "workbench/CCommunicationDlg.h"
#include "workbench/CommunicationDlgIds.h"

#include "link/Comm.h"
#include "ui/ControlText.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/RawTextEdit.h"
#include "ui/StringTable.h"
#include "ui/WaitCursor.h"
#include "workbench/CZII_TwobytesCodeDlg.h"
#include "workbench/CommandTextFile.h"
#include "workbench/ReceiveView.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <vector>

using namespace comm_dlg;

namespace {

constexpr int IDS_NO_LOAD_FILE = 300;
constexpr int IDS_NO_SAVE_FILE = 301;

const QString kLoadFilter =
    QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||");
const QString kSaveFilter = QStringLiteral("All files(*.*)|*.*|Text files(*.txt)|*.txt||");

void selectAllAndShow(QPlainTextEdit* edit)
{
    edit->selectAll();
    edit->ensureCursorVisible();
}

}  // namespace

CCommunicationDlg::CCommunicationDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    m_ui.editSend->installEventFilter(this);
    m_ui.editReceived->installEventFilter(this);

    onCommand(IDC_SEND, &CCommunicationDlg::OnSend);
    onCommand(IDC_READ, &CCommunicationDlg::OnRead);
    onCommand(IDC_CLEAR, &CCommunicationDlg::OnClearReceived);
    onCommand(IDC_HEX, &CCommunicationDlg::OnDataTypeChange);
    onCommand(IDC_ASCII, &CCommunicationDlg::OnDataTypeChange);
    onCommand(IDC_FILE_OPEN, &CCommunicationDlg::OnFileOpen);
    onCommand(IDC_SAVE_TO_FILE, &CCommunicationDlg::OnSaveToFile);
    onCommand(IDC_CLEAR_DATA, &CCommunicationDlg::OnClearData);
    onCommand(IDC_COPY, &CCommunicationDlg::OnCopy);
    onCommand(IDC_CUT, &CCommunicationDlg::OnCut);
    onCommand(IDC_PASTE, &CCommunicationDlg::OnPaste);
    onCommand(IDC_REPLACE, &CCommunicationDlg::OnReplace);
    onCommand(IDC_PRINT_CODES, &CCommunicationDlg::OnPrintCodes);
    onCommand(IDC_CLOSE, &CCommunicationDlg::OnOK);
}

CCommunicationDlg::~CCommunicationDlg()
{
    // The replace dialog is a child of this window and goes with it; it must not report
    // to a window half destroyed.
    if (m_pFindDialog)
        m_pFindDialog->disconnect(this);
}

bool CCommunicationDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CheckDlgButton(IDC_ASCII, true);
    return true;
}

bool CCommunicationDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateMessage(watched, event))
        return true;
    return ui::Dialog::eventFilter(watched, event);
}

bool CCommunicationDlg::PreTranslateMessage(QObject* target, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    const bool inSend = target == m_ui.editSend;
    const bool inReceived = target == m_ui.editReceived;
    const bool ours = key->key() == Qt::Key_A ? (inSend || inReceived)
                      : (key->key() == Qt::Key_F || key->key() == Qt::Key_H) && inSend;
    if (!ours)
        return false;
    // Claim the key before the edit's own shortcuts see it; act on the key press.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->key() == Qt::Key_A)
        selectAllAndShow(inSend ? m_ui.editSend : m_ui.editReceived);
    else
        OnReplace();
    return true;
}

void CCommunicationDlg::AppendReceivedData(const void* data, int length)
{
    m_received.append(data, length);
    ShowReceivedData();
}

void CCommunicationDlg::ShowReceivedData()
{
    ShowReceiveBuffer(m_received, m_ui.editReceived, IsDlgButtonChecked(IDC_HEX));
}

void CCommunicationDlg::OnSend()
{
    const ui::WaitCursor wait;
    const QString text = GetDlgItemText(IDC_SEND_EDIT);
    g_comm.WriteString(text, static_cast<int>(text.size()));
}

void CCommunicationDlg::OnRead()
{
    if (ReadIntoReceiveBuffer(m_received))
        ShowReceivedData();
}

void CCommunicationDlg::OnClearReceived()
{
    m_ui.editReceived->clear();
    m_received.clear();
}

void CCommunicationDlg::OnDataTypeChange()
{
    ShowReceivedData();
}

// A cancelled choice leaves the send edit as it was: emptying it first would lose the typed
// job with no undo.
void CCommunicationDlg::OnFileOpen()
{
    const auto path = ui::GetOpenFileName(this, QString(), kLoadFilter);
    if (!path) {
        ui::MessageBox(ui::LoadString(IDS_NO_LOAD_FILE));
        return;
    }
    m_ui.editSend->clear();
    bool read = false;
    {
        ui::RawTextEdit::Writer writer(sendEdit());
        read = CommandTextFile::read(*path, [&writer](QStringView piece) { writer.append(piece); });
    }
    if (!read)  // nothing half loaded
        m_ui.editSend->clear();
}

void CCommunicationDlg::OnSaveToFile()
{
    const auto path = ui::GetSaveFileName(this, QString(), kSaveFilter, false);
    if (!path) {
        ui::MessageBox(ui::LoadString(IDS_NO_SAVE_FILE));
        return;
    }
    CommandTextFile::save(*path, GetDlgItemText(IDC_SEND_EDIT));
}

void CCommunicationDlg::OnClearData()
{
    m_ui.editSend->clear();
}

void CCommunicationDlg::OnCopy()
{
    m_ui.editSend->copy();
}

void CCommunicationDlg::OnCut()
{
    m_ui.editSend->cut();
}

void CCommunicationDlg::OnPaste()
{
    m_ui.editSend->paste();
}

void CCommunicationDlg::OnReplace()
{
    if (m_pFindDialog)
        return;
    auto* dialog = new ui::FindReplaceDialog;
    connect(dialog, &ui::FindReplaceDialog::findReplace, this, &CCommunicationDlg::OnFindReplace);
    m_pFindDialog = dialog;
    dialog->Create(false, QString(), QString(),
                   ui::FindReplaceDialog::FR_HIDEUPDOWN | ui::FindReplaceDialog::FR_HIDEMATCHCASE |
                       ui::FindReplaceDialog::FR_HIDEWHOLEWORD,
                   this);
}

void CCommunicationDlg::OnFindReplace(ui::FindReplaceDialog* dialog)
{
    if (dialog->IsTerminating()) {
        m_pFindDialog = nullptr;
        return;
    }
    // The search runs on the exact text, line ends as they are.
    const QString text = sendEdit()->text();
    const QString find = dialog->GetFindString();
    if (find.isEmpty())
        return;
    const QString replacement = dialog->GetReplaceString();
    if (dialog->FindNext())
        findNext(text, find);
    else if (dialog->ReplaceCurrent())
        replaceCurrent(text, find, replacement);
    else if (dialog->ReplaceAll())
        replaceAll(text, find, replacement);
}

void CCommunicationDlg::findNext(const QString& text, const QString& find)
{
    const qsizetype from = sendEdit()->exactSelection().second;
    const qsizetype p = text.indexOf(find, from, Qt::CaseSensitive);
    if (p >= 0)
        selectInSendEdit(p, find.size());
}

void CCommunicationDlg::replaceCurrent(const QString& text, const QString& find,
                                       const QString& replacement)
{
    const auto [start, oldEnd] = sendEdit()->exactSelection();
    qsizetype shift = 0;
    if (oldEnd > start) {
        // The shift is what this replacement moved the rest by: a selection that is not
        // the find text (the operator may select anything) has a length of its own.
        shift = replacement.size() - (oldEnd - start);
        sendEdit()->replaceExact(start, oldEnd, replacement);
    }
    const qsizetype p = text.indexOf(find, oldEnd, Qt::CaseSensitive);
    if (p >= 0)
        selectInSendEdit(p + shift, find.size());
}

void CCommunicationDlg::replaceAll(const QString& text, const QString& find,
                                   const QString& replacement)
{
    std::vector<qsizetype> found;
    for (qsizetype p = text.indexOf(find, 0, Qt::CaseSensitive); p >= 0;
         p = text.indexOf(find, p + find.size(), Qt::CaseSensitive))
        found.push_back(p);
    sendEdit()->replaceAll(found, find.size(), replacement);
}

void CCommunicationDlg::selectInSendEdit(qsizetype start, qsizetype length)
{
    m_ui.editSend->setFocus();
    sendEdit()->selectExact(start, start + length);
    m_ui.editSend->ensureCursorVisible();
}

void CCommunicationDlg::OnPrintCodes()
{
    CZII_TwobytesCodeDlg dlg(this);
    dlg.DoModal();
}
