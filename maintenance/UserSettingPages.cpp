#include "maintenance/UserSettingPages.h"

#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "ui/Dialog.h"

std::unique_ptr<ui::Dialog> CreateUserSettingPage(UserSettingPage page)
{
    switch (page) {
    // Each page's own class replaces its empty stand-in here when it is built.
    case UserSettingPage::Basic:
        return std::make_unique<CUserSetting_ZII_BasicTab>();
    case UserSettingPage::Advanced:
        return std::make_unique<CUserSetting_ZII_AdvancedTab>();
    case UserSettingPage::Interface:
    case UserSettingPage::RealTimeClock:
    case UserSettingPage::Language:
    case UserSettingPage::Others:
    case UserSettingPage::Power:
    case UserSettingPage::SerialSetting:
    case UserSettingPage::PrintAndPage:
    case UserSettingPage::HardwareInfo:
    case UserSettingPage::PrinterInfo:
        break;
    }
    return std::make_unique<ui::Dialog>();
}
