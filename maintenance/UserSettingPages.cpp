#include "maintenance/UserSettingPages.h"

#include "maintenance/CHardwareInfoSetting.h"
#include "maintenance/CPrinterPageSetting.h"
#include "maintenance/CSerialSetting.h"
#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "ui/Dialog.h"

std::unique_ptr<ui::Dialog> CreateUserSettingPage(UserSettingPage page)
{
    switch (page) {
    case UserSettingPage::Basic:
        return std::make_unique<CUserSetting_ZII_BasicTab>();
    case UserSettingPage::Advanced:
        return std::make_unique<CUserSetting_ZII_AdvancedTab>();
    case UserSettingPage::Interface:
    case UserSettingPage::RealTimeClock:
    case UserSettingPage::Language:
    case UserSettingPage::Others:
    case UserSettingPage::Power:
    case UserSettingPage::PrinterInfo:
        break;  // each page's own class replaces its empty stand-in here when it is built
    case UserSettingPage::SerialSetting:
        return std::make_unique<CSerialSetting>();
    case UserSettingPage::PrintAndPage:
        return std::make_unique<CPrinterPageSetting>();
    case UserSettingPage::HardwareInfo:
        return std::make_unique<CHardwareInfoSetting>();
    }
    return std::make_unique<ui::Dialog>();
}
