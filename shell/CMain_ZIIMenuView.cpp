#include "shell/CMain_ZIIMenuView.h"

#include "ui_CMain_ZIIMenuView.h"

#include "shell/MenuCommands.h"
#include "ui/WaitCursor.h"
#include "core/Globals.h"
#include "maintenance/CPrinterTool_ZII_Dlg.h"
#include "maintenance/CUserSetting_ZII_QualityDlg.h"

CMain_ZIIMenuView::CMain_ZIIMenuView(QWidget* parent)
    : CFormView(parent), m_ui(std::make_unique<Ui::CMain_ZIIMenuView>())
{
    m_ui->setupUi(this);
    connect(m_ui->btnConfigurePrinterSetting, &QPushButton::clicked, this,
            &CMain_ZIIMenuView::OnConfigurePrinterSetting);
    connect(m_ui->btnConfigurePrintQuality, &QPushButton::clicked, this,
            &CMain_ZIIMenuView::OnConfigurePrintQuality);
    connect(m_ui->btnCalibrationSettingManager, &QPushButton::clicked, this,
            [this] { ::OnCalibrationSettingManager(this); });
    connect(m_ui->btnPcxFileDownloader, &QPushButton::clicked, this,
            [this] { ::OnPcxFileDownloader(this); });
    connect(m_ui->btnFileTransfer, &QPushButton::clicked, this,
            [this] { ::OnFileTransferManager(this); });
    connect(m_ui->btnPrinterTool, &QPushButton::clicked, this, &CMain_ZIIMenuView::OnPrinterTool);
    connect(m_ui->btnCommunicationTool, &QPushButton::clicked, this,
            [this] { ::OnCommunicationTool(this); });
    connect(m_ui->btnOstrelTestTool, &QPushButton::clicked, this,
            [this] { ::OnCommandTester(this); });
    connect(m_ui->btnRfidSetConfiguration, &QPushButton::clicked, this,
            [this] { ::OnRfidSetConfiguration(this); });
    connect(m_ui->btnRfidWriteRead, &QPushButton::clicked, this,
            [this] { ::OnRfidWriteRead(this); });
}

CMain_ZIIMenuView::~CMain_ZIIMenuView() = default;

void CMain_ZIIMenuView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
}

void CMain_ZIIMenuView::EnableMenuButtons(bool bConnected)
{
    const bool record = g_curModelInfo != nullptr;
    m_ui->btnConfigurePrinterSetting->setEnabled(bConnected && record);

    if (g_language == QLatin1String("Dovra") || g_language == QLatin1String("KEFT")) {
        for (QPushButton* b : {m_ui->btnConfigurePrintQuality, m_ui->btnCalibrationSettingManager,
                               m_ui->btnPcxFileDownloader, m_ui->btnPrinterTool,
                               m_ui->btnOstrelTestTool, m_ui->btnRfidSetConfiguration,
                               m_ui->btnRfidWriteRead})
            b->setEnabled(false);
    } else {
        const bool rfid = bConnected && record && g_curModelInfo->m_bRfid;
        m_ui->btnConfigurePrintQuality->setEnabled(bConnected && record);
        m_ui->btnPrinterTool->setEnabled(bConnected && record);
        m_ui->btnCalibrationSettingManager->setEnabled(bConnected);
        m_ui->btnPcxFileDownloader->setEnabled(bConnected);
        m_ui->btnOstrelTestTool->setEnabled(bConnected);
        m_ui->btnRfidSetConfiguration->setEnabled(rfid);
        m_ui->btnRfidWriteRead->setEnabled(rfid);
    }

    m_ui->btnFileTransfer->setEnabled(bConnected);
    m_ui->btnCommunicationTool->setEnabled(bConnected);
}

void CMain_ZIIMenuView::OnConfigurePrinterSetting()
{
    ui::WaitCursor wait;
    RunUserSettingDialog(this);
}

void CMain_ZIIMenuView::OnConfigurePrintQuality()
{
    CUserSetting_ZII_QualityDlg dlg(window());
    dlg.DoModal();
}

void CMain_ZIIMenuView::OnPrinterTool()
{
    CPrinterTool_ZII_Dlg dlg(window());
    dlg.DoModal();
}

