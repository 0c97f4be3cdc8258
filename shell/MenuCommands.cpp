#include "shell/MenuCommands.h"

#include "link/Comm.h"
#include "maintenance/CCalibrationTabDialog.h"
#include "maintenance/CCheckPrinterStatusTabDlg.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CUserSettingDialog.h"
#include "rfid/CRFIDSetting.h"
#include "rfid/CRFIDWriteRead.h"
#include "shell/CZentrovaApp.h"
#include "shell/CZentrovaDlg.h"
#include "shell/StringIds.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QWidget>

void RunUserSettingDialog(QWidget* page)
{
    CUserSettingDialog dlg(page->window());
    // "Close" re-runs the rule of the menu page the menu mode shows, which reads the
    // language name the Advanced page may have changed; the close box does not.
    QObject::connect(&dlg, &CUserSettingDialog::closeButtonPressed, page, [] {
        if (CZentrovaDlg* main = CZentrovaApp::m_pMainWnd)
            main->EnableMenuPage(true);
    });
    dlg.DoModal();
}

void OnCalibrationSettingManager(QWidget* page)
{
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        ui::MessageBox(ui::LoadString(IDS_CALIBRATION_NOT_ON_ETHERNET));
        return;
    }
    CCalibrationTabDialog dlg(page->window());
    dlg.DoModal();
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

void OnCommunicationTool(QWidget* page)
{
    CCommunicationDlg dlg(page->window());
    dlg.DoModal();
}

void OnCommandTester(QWidget* page)
{
    CQuensa_CmdTesterDlg dlg(page->window());
    dlg.m_openPrinterStatus = [](QWidget* parent) {
        CCheckPrinterStatusTabDlg status(parent);
        status.DoModal();
    };
    dlg.DoModal();
}

void OnRfidSetConfiguration(QWidget* page)
{
    CRFIDSetting dlg(page->window());
    dlg.DoModal();
}

void OnRfidWriteRead(QWidget* page)
{
    CRFIDWriteRead dlg(page->window());
    dlg.DoModal();
}
