#include "shell/CMain_OstrelMenuView.h"

#include "ui_CMain_OstrelMenuView.h"

#include "shell/MenuCommands.h"

CMain_OstrelMenuView::CMain_OstrelMenuView(QWidget* parent)
    : CFormView(parent), m_ui(std::make_unique<Ui::CMain_OstrelMenuView>())
{
    m_ui->setupUi(this);
    connect(m_ui->btnUserSettingManager, &QPushButton::clicked, this,
            &CMain_OstrelMenuView::OnUserSettingManager);
    connect(m_ui->btnCalibrationSettingManager, &QPushButton::clicked, this,
            [this] { ::OnCalibrationSettingManager(this); });
    connect(m_ui->btnPcxFileDownloader, &QPushButton::clicked, this,
            [this] { ::OnPcxFileDownloader(this); });
    connect(m_ui->btnFileTransferManager, &QPushButton::clicked, this,
            [this] { ::OnFileTransferManager(this); });
    connect(m_ui->btnRfidSetConfiguration, &QPushButton::clicked, this,
            [this] { ::OnRfidSetConfiguration(this); });
    connect(m_ui->btnRfidWriteRead, &QPushButton::clicked, this,
            [this] { ::OnRfidWriteRead(this); });
    connect(m_ui->btnCommandTester, &QPushButton::clicked, this,
            [this] { ::OnCommandTester(this); });
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

// The menu-mode-0 page set, without the wait cursor that page 1 raises around it.
void CMain_OstrelMenuView::OnUserSettingManager()
{
    RunUserSettingDialog(this);
}

