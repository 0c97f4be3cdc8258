#include "maintenance/CUserSetting_ZII_AdvancedTab.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/FieldBoxes.h"
#include "maintenance/SettingCommands.h"
#include "maintenance/ZplSettingTexts.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <algorithm>
#include <cstring>

namespace {

constexpr int IDC_CHECK_MEDIA_FEED = 1050;
constexpr int IDC_CHECK_MEDIA_HANDLING = 1051;
constexpr int IDC_CHECK_BACKFEED = 1052;
constexpr int IDC_CHECK_MIRROR_FIELD = 1053;
constexpr int IDC_MIRROR = 1515;
constexpr int IDC_MEDIA_HANDLING = 1516;
constexpr int IDC_MEDIA_FEED = 1517;
constexpr int IDC_BACKFEED = 1028;
constexpr int IDC_EMULATION = 1029;
constexpr int IDC_GET = 1086;
constexpr int IDC_SET = 1514;

constexpr FieldBox kFields[] = {
    {IDC_CHECK_MEDIA_HANDLING, IDC_MEDIA_HANDLING},
    {IDC_CHECK_MEDIA_FEED, IDC_MEDIA_FEED},
    {IDC_CHECK_BACKFEED, IDC_BACKFEED},
    {IDC_CHECK_MIRROR_FIELD, IDC_MIRROR},
};

constexpr int kReplySize = 256;

}  // namespace

CUserSetting_ZII_AdvancedTab::CUserSetting_ZII_AdvancedTab(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    for (const FieldBox& f : kFields)
        onCommand(f.box, &CUserSetting_ZII_AdvancedTab::OnCheckField);
    onCommand(IDC_GET, &CUserSetting_ZII_AdvancedTab::OnGetFromPrinter);
    onCommand(IDC_SET, &CUserSetting_ZII_AdvancedTab::OnSetToPrinter);
}

bool CUserSetting_ZII_AdvancedTab::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    FillAdvancedLists();
    return true;
}

void CUserSetting_ZII_AdvancedTab::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_MEDIA_HANDLING, m_cboMediaHandling);
    ui::DDX_Control(dx, IDC_MEDIA_FEED, m_cboMediaFeed);
    ui::DDX_Control(dx, IDC_BACKFEED, m_cboBackfeed);
    ui::DDX_Control(dx, IDC_EMULATION, m_cboEmulation);
}

void CUserSetting_ZII_AdvancedTab::FillAdvancedLists()
{
    FillComboFromResource(254, m_cboMediaHandling);
    m_cboMediaHandling->setCurrentIndex(0);
    FillComboFromResource(255, m_cboMediaFeed);
    m_cboMediaFeed->setCurrentIndex(m_cboMediaFeed->count() - 1);
    FillComboFromResource(256, m_cboBackfeed);
    m_cboBackfeed->setCurrentIndex(1);
    FillComboFromResource(279, m_cboEmulation);
    if (!g_curModelInfo || g_curModelInfo->m_nMenuViewId != 201) {
        const int keft = m_cboEmulation->findText(QStringLiteral("KEFT"));
        if (keft >= 0)
            m_cboEmulation->removeItem(keft);
    }
    m_cboEmulation->setCurrentIndex(0);
}

void CUserSetting_ZII_AdvancedTab::OnCheckField()
{
    FollowFieldBoxes(*this, kFields);
}

void CUserSetting_ZII_AdvancedTab::OnGetFromPrinter()
{
    ui::WaitCursor wait;
    platform::Clock& clock = platform::clock();
    char reply[kReplySize] = {};
    // Only the bytes this read brought count, never what an earlier reply left behind.
    auto read = [&]() { return setting::ReadReply(reply, kReplySize); };

    g_comm.Write(setting::SettingQuery(setting::QueryMediaHandling));
    clock.sleep(50);
    if (const int n = read(); n > 0) {
        if (const auto position = zplsetting::MediaHandlingReply(reply, n))
            m_cboMediaHandling->setCurrentIndex(*position);
    }

    g_comm.Write(setting::SettingQuery(setting::QueryMediaFeed));
    clock.sleep(50);
    if (const int n = read(); n > 0) {
        if (const auto position = zplsetting::MediaFeedReply(reply, n))
            m_cboMediaFeed->setCurrentIndex(*position);
    }

    if (g_comm.Write(setting::LanguageProbe()) > 0) {
        clock.sleep(100);
        if (const int n = read(); n > 0) {
            const QString language = setting::ProbeReplyLanguage(reply, n);
            if (!language.isEmpty()) {
                // A list without "KEFT" is left with no entry chosen for it.
                const int position = reply[0] - setting::kEmulationDovra;
                m_cboEmulation->setCurrentIndex(position < m_cboEmulation->count() ? position : -1);
                g_language = language;
            }
        }
    }

    CheckDlgButton(IDC_CHECK_MEDIA_HANDLING, true);
    CheckDlgButton(IDC_CHECK_MEDIA_FEED, true);
    for (int id : {IDC_CHECK_MEDIA_HANDLING, IDC_CHECK_MEDIA_FEED, IDC_MEDIA_HANDLING,
                   IDC_MEDIA_FEED, IDC_EMULATION, IDC_SET})
        EnableDlgItem(id, true);
}

void CUserSetting_ZII_AdvancedTab::OnSetToPrinter()
{
    UpdateData(true);
    zplsetting::AdvancedSettings settings;
    settings.mediaHandling = IsDlgButtonChecked(IDC_CHECK_MEDIA_HANDLING);
    settings.mediaHandlingPosition = m_cboMediaHandling->currentIndex();
    settings.mediaFeed = IsDlgButtonChecked(IDC_CHECK_MEDIA_FEED);
    settings.mediaFeedPosition = m_cboMediaFeed->currentIndex();
    settings.mirrorBox = IsDlgButtonChecked(IDC_CHECK_MIRROR_FIELD);
    settings.mirror = IsDlgButtonChecked(IDC_MIRROR);
    const QString text = zplsetting::AdvancedSettingText(settings, g_language);
    g_comm.WriteString(text, int(text.size()));

    // No emulation chosen (a KEFT printer on a list without it): the printer keeps its
    // language rather than getting a switch with no language in it.
    const int position = m_cboEmulation->currentIndex();
    if (position < 0 || position > 2)
        return;
    const char emulation = static_cast<char>(setting::kEmulationDovra + position);
    g_language = setting::EmulationLanguage(emulation);
    g_comm.Write(setting::EmulationSwitch(emulation));
}
