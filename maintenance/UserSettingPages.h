#pragma once

#include <memory>

namespace ui {
class Dialog;
}

// The pages the user-setting window can hold, in the order of their tab titles.
enum class UserSettingPage {
    // menu mode 1
    Interface,      // CUserSetting_ZII_SerialTab
    Basic,          // CUserSetting_ZII_BasicTab
    Advanced,       // CUserSetting_ZII_AdvancedTab
    RealTimeClock,  // CUserSetting_ZII_TimeTab
    Language,       // CLanguageSetting (both menu modes)
    Others,         // CPrinterInfo
    Power,          // UserSetting_ZII_PowerTab
    // menu mode 0
    SerialSetting,  // CSerialSetting
    PrintAndPage,   // CPrinterPageSetting
    HardwareInfo,   // CHardwareInfoSetting
    PrinterInfo,    // CPrinterInfo
};

// A new page object of that kind, not yet created as a window.
std::unique_ptr<ui::Dialog> CreateUserSettingPage(UserSettingPage page);
