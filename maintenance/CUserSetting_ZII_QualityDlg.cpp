#include "maintenance/CUserSetting_ZII_QualityDlg.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/QualityCommands.h"
#include "workbench/CommandTextFile.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

#include <QComboBox>

namespace {

constexpr int IDC_SAMPLE_MODE = 1052;
constexpr int IDC_MANUAL_MODE = 1053;
constexpr int IDC_LABEL_COUNT = 1054;
constexpr int IDC_SPEED = 1507;
constexpr int IDC_DARKNESS = 1508;
constexpr int IDC_PRINT_SAMPLES = 1055;
constexpr int IDC_IDENTIFIER = 1057;
constexpr int IDC_CHOSEN_SPEED = 1056;
constexpr int IDC_CHOSEN_DARKNESS = 1058;
constexpr int IDC_SAVE_TO_FILE = 1059;
constexpr int IDC_SET_TO_PRINTER = 1514;
constexpr int IDC_CLOSE = 2;

constexpr int IDS_NO_SAVE_FILE = 301;
constexpr int kMaxDarkness = 30;
constexpr int kDefaultDarkness = 8;

// The number a list text starts with, as the C library reads it.
int leadingNumber(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::atoi(bytes.constData());
}

void send(const QString& text)
{
    g_comm.WriteString(text, int(text.size()));
}

}  // namespace

CUserSetting_ZII_QualityDlg::CUserSetting_ZII_QualityDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_SAMPLE_MODE, &CUserSetting_ZII_QualityDlg::OnModeChange);
    onCommand(IDC_MANUAL_MODE, &CUserSetting_ZII_QualityDlg::OnModeChange);
    onCommand(IDC_SET_TO_PRINTER, &CUserSetting_ZII_QualityDlg::OnSetToPrinter);
    onCommand(IDC_CLOSE, &CUserSetting_ZII_QualityDlg::OnCloseButton);
    onCommand(IDC_PRINT_SAMPLES, &CUserSetting_ZII_QualityDlg::OnPrintSampleLabels);
    onSelChange(IDC_IDENTIFIER, &CUserSetting_ZII_QualityDlg::OnIdentifierChange);
    onSelChange(IDC_SPEED, &CUserSetting_ZII_QualityDlg::OnSpeedDarknessChange);
    onSelChange(IDC_DARKNESS, &CUserSetting_ZII_QualityDlg::OnSpeedDarknessChange);
    onSelChange(IDC_LABEL_COUNT, &CUserSetting_ZII_QualityDlg::OnLabelCountChange);
}

CUserSetting_ZII_QualityDlg::~CUserSetting_ZII_QualityDlg() = default;

bool CUserSetting_ZII_QualityDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    FillQualityLists();
    return true;
}

void CUserSetting_ZII_QualityDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_LABEL_COUNT, m_cmbLabelCount);
    ui::DDX_Control(dx, IDC_SPEED, m_cmbSpeed);
    ui::DDX_Control(dx, IDC_DARKNESS, m_cmbDarkness);
    ui::DDX_Control(dx, IDC_IDENTIFIER, m_cmbIdentifier);
}

void CUserSetting_ZII_QualityDlg::FillQualityLists()
{
    m_cmbSpeed->clear();
    for (const QString& s : g_astrQualitySpeeds) {
        if (s.isEmpty())
            break;
        m_cmbSpeed->addItem(s);
    }
    m_cmbSpeed->setCurrentIndex(0);

    m_cmbLabelCount->clear();
    m_cmbLabelCount->addItem(QString::number(2 * speedCount()));
    for (int i = 1; i < int(std::size(g_astrQualityLabelCounts)); ++i) {
        if (g_astrQualityLabelCounts[i].isEmpty())
            break;
        m_cmbLabelCount->addItem(g_astrQualityLabelCounts[i]);
    }
    m_cmbLabelCount->setCurrentIndex(0);

    m_cmbDarkness->clear();
    for (int d = 0; d <= kMaxDarkness; ++d)
        m_cmbDarkness->addItem(QString::number(d));
    m_cmbDarkness->setCurrentIndex(kDefaultDarkness);
}

bool CUserSetting_ZII_QualityDlg::sampleMode() const
{
    return IsDlgButtonChecked(IDC_SAMPLE_MODE);
}

int CUserSetting_ZII_QualityDlg::labelCount() const
{
    return leadingNumber(m_cmbLabelCount->currentText());
}

void CUserSetting_ZII_QualityDlg::OnModeChange()
{
    UpdateData(true);
    for (int id : {IDC_SAVE_TO_FILE, IDC_PRINT_SAMPLES, IDC_SET_TO_PRINTER})
        EnableDlgItem(id, true);
    const bool manual = IsDlgButtonChecked(IDC_MANUAL_MODE);
    EnableDlgItem(IDC_LABEL_COUNT, !manual);
    EnableDlgItem(IDC_IDENTIFIER, !manual);
    EnableDlgItem(IDC_SPEED, manual);
    EnableDlgItem(IDC_DARKNESS, manual);
    if (manual) {
        m_cmbIdentifier->clear();
        OnSpeedDarknessChange();
    } else {
        FillLabelIdentifiers();
        OnIdentifierChange();
    }
    UpdateData(false);
}

void CUserSetting_ZII_QualityDlg::FillLabelIdentifiers()
{
    UpdateData(true);
    m_cmbIdentifier->clear();
    const int count = labelCount();
    const quality::DarknessGrid grid = quality::GridForIndex(m_cmbLabelCount->currentIndex());
    m_nDarknessStart = grid.start;
    m_nDarknessStep = grid.step;
    for (int j = 0; j < count; ++j)
        m_cmbIdentifier->addItem(quality::Identifier(j));
    m_cmbIdentifier->setCurrentIndex(count > 0 ? 0 : -1);
    UpdateData(false);
}

void CUserSetting_ZII_QualityDlg::IdentifierToSetting(QString& darkness, QString& speed)
{
    if (!sampleMode())
        return;
    UpdateData(true);
    const std::optional<quality::SamplePosition> position =
        quality::PositionOf(m_cmbIdentifier->currentIndex(), labelCount(), speedCount());
    if (!position)
        return;
    darkness = QString::number(m_nDarknessStart + position->step * m_nDarknessStep);
    speed = m_cmbSpeed->itemText(position->speedIndex);
}

void CUserSetting_ZII_QualityDlg::OnIdentifierChange()
{
    if (!sampleMode())
        return;
    QString darkness;
    QString speed;
    IdentifierToSetting(darkness, speed);
    SetDlgItemText(IDC_CHOSEN_DARKNESS, darkness);
    SetDlgItemText(IDC_CHOSEN_SPEED, speed + QStringLiteral(" inch/s"));
}

void CUserSetting_ZII_QualityDlg::OnSpeedDarknessChange()
{
    if (sampleMode())
        return;
    UpdateData(true);
    SetDlgItemText(IDC_CHOSEN_DARKNESS, m_cmbDarkness->currentText());
    SetDlgItemText(IDC_CHOSEN_SPEED, m_cmbSpeed->currentText() + QStringLiteral(" inch/s"));
}

void CUserSetting_ZII_QualityDlg::OnLabelCountChange()
{
    FillLabelIdentifiers();
    OnIdentifierChange();
}

void CUserSetting_ZII_QualityDlg::OnPrintSampleLabels()
{
    UpdateData(true);
    ui::WaitCursor wait;
    const int count = labelCount();
    if (!sampleMode()) {
        send(quality::SampleLabelText(leadingNumber(m_cmbDarkness->currentText()),
                                      m_cmbSpeed->currentText(), QString()));
        return;
    }
    const int speeds = speedCount();
    for (int k = 0; k < speeds; ++k) {
        for (int i = 0; i < count / speeds; ++i) {
            const int number = quality::IdentifierNumber(k, i, count, speeds);
            send(quality::SampleLabelText(m_nDarknessStart + i * m_nDarknessStep,
                                          m_cmbSpeed->itemText(k),
                                          m_cmbIdentifier->itemText(number)));
            platform::clock().sleep(10);
        }
    }
}

void CUserSetting_ZII_QualityDlg::OnSetToPrinter()
{
    ui::WaitCursor wait;
    QString darkness;
    QString speed;
    if (sampleMode()) {
        IdentifierToSetting(darkness, speed);
    } else {
        darkness = m_cmbDarkness->currentText();
        speed = m_cmbSpeed->currentText();
    }
    const QString text = quality::SettingText(leadingNumber(darkness), leadingNumber(speed));
    if (IsDlgButtonChecked(IDC_SAVE_TO_FILE) && !SaveSettingsToFile(text))
        return;
    send(text);
}

bool CUserSetting_ZII_QualityDlg::SaveSettingsToFile(const QString& text)
{
    const std::optional<QString> path =
        ui::GetSaveFileName(this, QString(), QStringLiteral("ZPL files(*.zpl)|*.zpl||"), false);
    if (!path) {
        ui::MessageBox(LoadResString(IDS_NO_SAVE_FILE));
        return false;
    }
    // The same FF FE and UTF-16LE file as the command tester's; it reports its own failures.
    return CommandTextFile::save(*path, text);
}

void CUserSetting_ZII_QualityDlg::OnCloseButton()
{
    OnCancel();
}
