#include "maintenance/UserSettingPages.h"

#include "maintenance/CHardwareInfoSetting.h"
#include "maintenance/CLanguageSetting.h"
#include "maintenance/CPrinterInfo.h"
#include "maintenance/CPrinterPageSetting.h"
#include "maintenance/CSerialSetting.h"
#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "maintenance/CUserSetting_ZII_SerialTab.h"
#include "maintenance/CUserSetting_ZII_TimeTab.h"
#include "maintenance/UserSetting_ZII_PowerTab.h"
#include "ui/Dialog.h"

std::unique_ptr<ui::Dialog> CreateUserSettingPage(UserSettingPage page)
{
    switch (page) {
    case UserSettingPage::Interface:
        return std::make_unique<CUserSetting_ZII_SerialTab>();
    case UserSettingPage::Basic:
        return std::make_unique<CUserSetting_ZII_BasicTab>();
    case UserSettingPage::Advanced:
        return std::make_unique<CUserSetting_ZII_AdvancedTab>();
    case UserSettingPage::RealTimeClock:
        return std::make_unique<CUserSetting_ZII_TimeTab>();
    case UserSettingPage::Language:
        return std::make_unique<CLanguageSetting>();
    case UserSettingPage::Others:
    case UserSettingPage::PrinterInfo:
        return std::make_unique<CPrinterInfo>();
    case UserSettingPage::Power:
        return std::make_unique<UserSetting_ZII_PowerTab>();
    case UserSettingPage::SerialSetting:
        return std::make_unique<CSerialSetting>();
    case UserSettingPage::PrintAndPage:
        return std::make_unique<CPrinterPageSetting>();
    case UserSettingPage::HardwareInfo:
        return std::make_unique<CHardwareInfoSetting>();
    }
    return std::make_unique<ui::Dialog>();
}
