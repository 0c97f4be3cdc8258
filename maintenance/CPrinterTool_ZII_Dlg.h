#pragma once

#include "ui/Dialog.h"

#include "ui_CPrinterTool_ZII_Dlg.h"

// The ZPL II printer tools: one button per maintenance command.
class CPrinterTool_ZII_Dlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPrinterTool_ZII_Dlg(QWidget* parent = nullptr);

    void OnConfiguration();
    void OnObjectList();
    void OnCalibrateMedia();
    void OnFactoryReset();
    void OnEnterDiagnostics();
    void OnExitDiagnostics();
    void OnFeedLabel();
    void OnResetPrinter();

private:
    static void Send(const char* command);
    // The diagnostics commands are refused on an Ethernet link.
    static void SendOffEthernet(const char* command);

    Ui::CPrinterTool_ZII_Dlg m_ui;
};
