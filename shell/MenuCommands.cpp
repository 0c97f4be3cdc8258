#include "shell/MenuCommands.h"

#include "link/Comm.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "shell/StringIds.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QWidget>

// Tools that are not built yet keep an empty handler; their buttons still follow the rule.

void OnCalibrationSettingManager(QWidget*)
{
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        ui::MessageBox(ui::LoadString(IDS_CALIBRATION_NOT_ON_ETHERNET));
        return;
    }
}

void OnPcxFileDownloader(QWidget* page)
{
    CPcxFileDownloaderDlg dlg(page->window());
    dlg.DoModal();
}

void OnFileTransferManager(QWidget* page)
{
    CFileTransferDlg dlg(page->window());
    dlg.DoModal();
}

void OnCommunicationTool(QWidget*) {}

void OnCommandTester(QWidget* page)
{
    CQuensa_CmdTesterDlg dlg(page->window());
    dlg.DoModal();
}

void OnRfidSetConfiguration(QWidget*) {}

void OnRfidWriteRead(QWidget*) {}
