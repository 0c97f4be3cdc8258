#include "shell/CZentrovaApp.h"

#include "core/Globals.h"
#include "core/ModelTable.h"
#include "platform/Process.h"
#include "shell/CZentrovaDlg.h"
#include "shell/SpoolerJournal.h"
#include "shell/StringIds.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QApplication>

CZentrovaDlg* CZentrovaApp::m_pMainWnd = nullptr;

namespace {

// POSIX sockets need no start-up; the step keeps its failure path all the same.
bool InitSockets()
{
    return true;
}

}  // namespace

CZentrovaApp::CZentrovaApp(QApplication& application) : m_application(application) {}

CZentrovaApp::~CZentrovaApp() = default;

bool CZentrovaApp::InitInstance()
{
    if (!InitSockets()) {
        ui::MessageBox(ui::LoadString(IDS_SOCKETS_INIT_FAILED));
        return false;
    }

    // The profile lives under the company, then the program's own name.
    m_application.setOrganizationName(QStringLiteral("QUORVIN BRESSANT"));
    // Queues a run that ended without giving them back would print to nothing for good.
    SpoolerJournal::RestoreLeftOver();

    g_menuMode = 1;
    BuildModelTable();
    // A port error ends the program from inside the dialog; the records go with it as on EXIT.
    m_nClearTableHook = platform::Process::addExitHook([] { ClearModelTable(); });

    {
        CZentrovaDlg dlg;
        m_pMainWnd = &dlg;
        dlg.AddMenuPages();
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return false;
}

int CZentrovaApp::ExitInstance()
{
    platform::Process::removeExitHook(m_nClearTableHook);
    m_nClearTableHook = 0;
    ClearModelTable();
    return 0;
}
