#include "maintenance/CPrinterTool_ZII_Dlg.h"

#include "link/Comm.h"
#include "maintenance/PrinterToolCommands.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

namespace {

constexpr int IDC_CONFIGURATION = 1201;
constexpr int IDC_OBJECT_LIST = 1202;
constexpr int IDC_CALIBRATE_MEDIA = 1203;
constexpr int IDC_FACTORY_RESET = 1204;
constexpr int IDC_ENTER_DIAGNOSTICS = 1205;
constexpr int IDC_EXIT_DIAGNOSTICS = 1206;
constexpr int IDC_FEED_LABEL = 1207;
constexpr int IDC_RESET_PRINTER = 1208;

constexpr int IDS_NOT_ON_ETHERNET = 646;

}  // namespace

CPrinterTool_ZII_Dlg::CPrinterTool_ZII_Dlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_CONFIGURATION, &CPrinterTool_ZII_Dlg::OnConfiguration);
    onCommand(IDC_OBJECT_LIST, &CPrinterTool_ZII_Dlg::OnObjectList);
    onCommand(IDC_CALIBRATE_MEDIA, &CPrinterTool_ZII_Dlg::OnCalibrateMedia);
    onCommand(IDC_FACTORY_RESET, &CPrinterTool_ZII_Dlg::OnFactoryReset);
    onCommand(IDC_ENTER_DIAGNOSTICS, &CPrinterTool_ZII_Dlg::OnEnterDiagnostics);
    onCommand(IDC_EXIT_DIAGNOSTICS, &CPrinterTool_ZII_Dlg::OnExitDiagnostics);
    onCommand(IDC_FEED_LABEL, &CPrinterTool_ZII_Dlg::OnFeedLabel);
    onCommand(IDC_RESET_PRINTER, &CPrinterTool_ZII_Dlg::OnResetPrinter);
}

void CPrinterTool_ZII_Dlg::Send(const char* command)
{
    g_comm.WriteString(QString::fromLatin1(command), 0);
}

void CPrinterTool_ZII_Dlg::SendOffEthernet(const char* command)
{
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        ui::MessageBox(ui::LoadString(IDS_NOT_ON_ETHERNET));
        return;
    }
    Send(command);
}

void CPrinterTool_ZII_Dlg::OnConfiguration()
{
    Send(printertool::kConfigurationLabel);
}

void CPrinterTool_ZII_Dlg::OnObjectList()
{
    Send(printertool::kObjectList);
}

void CPrinterTool_ZII_Dlg::OnCalibrateMedia()
{
    Send(printertool::kCalibrateMedia);
}

void CPrinterTool_ZII_Dlg::OnFactoryReset()
{
    Send(printertool::kFactoryReset);
}

void CPrinterTool_ZII_Dlg::OnEnterDiagnostics()
{
    SendOffEthernet(printertool::kEnterDiagnostics);
}

void CPrinterTool_ZII_Dlg::OnExitDiagnostics()
{
    SendOffEthernet(printertool::kExitDiagnostics);
}

void CPrinterTool_ZII_Dlg::OnFeedLabel()
{
    Send(printertool::kFeedLabel);
}

void CPrinterTool_ZII_Dlg::OnResetPrinter()
{
    Send(printertool::kResetPrinter);
}
