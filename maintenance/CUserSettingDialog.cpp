#include "maintenance/CUserSettingDialog.h"

#include "core/Globals.h"
#include "maintenance/CExtendTabCtrl.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

namespace {

constexpr int IDC_TAB = 1063;
constexpr int IDC_CLOSE = 1004;

}  // namespace

CUserSettingDialog::CUserSettingDialog(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_CLOSE, &CUserSettingDialog::OnCloseButton);
}

CUserSettingDialog::~CUserSettingDialog() = default;

std::vector<UserSettingPage> CUserSettingDialog::PageSet()
{
    using P = UserSettingPage;
    if (g_menuMode == 0)
        return {P::SerialSetting, P::Language, P::PrintAndPage, P::HardwareInfo, P::PrinterInfo};
    std::vector<P> pages{P::Interface, P::Basic, P::Advanced};
    // The window opens only with a current record; without one no optional page is added.
    const _VANTOPRT_INFO* record = g_curModelInfo;
    if (g_language == QLatin1String("Ostrel")) {
        if (record && record->m_bRtc)
            pages.push_back(P::RealTimeClock);
        pages.push_back(P::Language);
    }
    pages.push_back(P::Others);
    if (record && record->m_nMenuViewId == 201)
        pages.push_back(P::Power);
    return pages;
}

int CUserSettingDialog::PageTitleId(UserSettingPage page)
{
    switch (page) {
    case UserSettingPage::Interface:
    case UserSettingPage::SerialSetting:
        return 240;
    case UserSettingPage::Language:
        return 241;
    case UserSettingPage::PrintAndPage:
        return 242;
    case UserSettingPage::HardwareInfo:
        return 243;
    case UserSettingPage::PrinterInfo:
        return 244;
    case UserSettingPage::Basic:
        return 245;
    case UserSettingPage::Advanced:
        return 246;
    case UserSettingPage::RealTimeClock:
        return 247;
    case UserSettingPage::Others:
        return 271;
    case UserSettingPage::Power:
        return 278;
    }
    return 0;
}

bool CUserSettingDialog::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    // Titles and pages come from one evaluation of the rule, so tab i shows page i.
    const std::vector<UserSettingPage> pages = PageSet();
    for (int i = 0; i < int(pages.size()); ++i)
        m_tabCtrl->insertItem(i, LoadResString(PageTitleId(pages[i])));
    m_tabCtrl->CreatePages(pages);
    ui::WaitCursor::ShowArrowForInput();
    return true;
}

void CUserSettingDialog::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_TAB, m_tabCtrl);
}

void CUserSettingDialog::OnCloseButton()
{
    emit closeButtonPressed();
    OnOK();
}
