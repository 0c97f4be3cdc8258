#include "maintenance/CStatusCmdPage.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

namespace {

constexpr int IDS_STATUS_READ_FAIL = 642;
constexpr int IDS_SERIAL_ONLY = 643;
constexpr int kLongestReply = 4;

}  // namespace

CStatusCmdPage::CStatusCmdPage(status::Query query, int firstBoxId, int buttonId, QWidget* parent)
    : ui::Dialog(parent), m_query(query), m_firstBoxId(firstBoxId), m_buttonId(buttonId)
{
}

void CStatusCmdPage::BindTestCommand()
{
    onCommand(m_buttonId, &CStatusCmdPage::OnTestCommand);
}

void CStatusCmdPage::OnTestCommand()
{
    const status::StatusQuery q = status::QueryOf(m_query);
    if (q.serialOnly && g_comm.m_nPortType != PORT_COM) {
        ui::MessageBox(ui::LoadString(IDS_SERIAL_ONLY));
        return;
    }
    g_comm.WriteString(q.text, 0);
    platform::clock().sleep(q.waitMs);
    char reply[kLongestReply] = {};
    const int length = g_comm.Read(reply, q.replyLength);
    if (!status::WholeReply(m_query, reply, length)) {
        ui::MessageBox(ui::LoadString(IDS_STATUS_READ_FAIL));
        // The rest of a late reply must not be taken for the next one.
        g_comm.Read(reply, q.replyLength);
        return;
    }
    ShowStatus(reply, length);
}

void CStatusCmdPage::ShowStatus(const char* reply, int length)
{
    const int boxes = static_cast<int>(status::BoxCaptions(m_query).size());
    for (int i = 0; i < boxes; ++i)
        CheckDlgButton(m_firstBoxId + i, false);
    for (int i : status::Conditions(m_query, reply, length))
        CheckDlgButton(m_firstBoxId + i, true);
}
