#include "shell/CMain_OstrelMenuView.h"

#include "ui_CMain_OstrelMenuView.h"

#include "link/Comm.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include "shell/StringIds.h"

CMain_OstrelMenuView::CMain_OstrelMenuView(QWidget* parent)
    : CFormView(parent), m_ui(std::make_unique<Ui::CMain_OstrelMenuView>())
{
    m_ui->setupUi(this);
    connect(m_ui->btnUserSettingManager, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnUserSettingManager);
    connect(m_ui->btnCalibrationSettingManager, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnCalibrationSettingManager);
    connect(m_ui->btnPcxFileDownloader, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnPcxFileDownloader);
    connect(m_ui->btnFileTransferManager, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnFileTransferManager);
    connect(m_ui->btnRfidSetConfiguration, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnRfidSetConfiguration);
    connect(m_ui->btnRfidWriteRead, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnRfidWriteRead);
    connect(m_ui->btnCommandTester, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnCommandTester);
}

CMain_OstrelMenuView::~CMain_OstrelMenuView() = default;

void CMain_OstrelMenuView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
}

void CMain_OstrelMenuView::EnableMenuButtons(bool bConnected)
{
    for (QPushButton* b : {m_ui->btnUserSettingManager, m_ui->btnCalibrationSettingManager,
                           m_ui->btnPcxFileDownloader, m_ui->btnFileTransferManager,
                           m_ui->btnRfidSetConfiguration, m_ui->btnRfidWriteRead,
                           m_ui->btnCommandTester})
        b->setEnabled(bConnected);
}

// Tools that are not built yet keep an empty handler; their buttons still follow the rule.

void CMain_OstrelMenuView::OnUserSettingManager() {}

void CMain_OstrelMenuView::OnCalibrationSettingManager()
{
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        ui::MessageBox(ui::LoadString(IDS_CALIBRATION_NOT_ON_ETHERNET));
        return;
    }
}

void CMain_OstrelMenuView::OnPcxFileDownloader() {}

void CMain_OstrelMenuView::OnFileTransferManager() {}

void CMain_OstrelMenuView::OnRfidSetConfiguration() {}

void CMain_OstrelMenuView::OnRfidWriteRead() {}

void CMain_OstrelMenuView::OnCommandTester()
{
    CQuensa_CmdTesterDlg dlg(window());
    dlg.DoModal();
}
