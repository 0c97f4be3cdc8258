#include "maintenance/UserSettingPages.h"

#include "maintenance/CHardwareInfoSetting.h"
#include "maintenance/CPrinterPageSetting.h"
#include "maintenance/CSerialSetting.h"
#include "ui/Dialog.h"

std::unique_ptr<ui::Dialog> CreateUserSettingPage(UserSettingPage page)
{
    switch (page) {
    // Each page's own class replaces its empty stand-in here when it is built.
    case UserSettingPage::Interface:
    case UserSettingPage::Basic:
    case UserSettingPage::Advanced:
    case UserSettingPage::RealTimeClock:
    case UserSettingPage::Language:
    case UserSettingPage::Others:
    case UserSettingPage::Power:
    case UserSettingPage::PrinterInfo:
        break;
    case UserSettingPage::SerialSetting:
        return std::make_unique<CSerialSetting>();
    case UserSettingPage::PrintAndPage:
        return std::make_unique<CPrinterPageSetting>();
    case UserSettingPage::HardwareInfo:
        return std::make_unique<CHardwareInfoSetting>();
    }
    return std::make_unique<ui::Dialog>();
}
