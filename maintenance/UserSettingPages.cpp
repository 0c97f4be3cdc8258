#include "maintenance/UserSettingPages.h"

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
    case UserSettingPage::SerialSetting:
    case UserSettingPage::PrintAndPage:
    case UserSettingPage::HardwareInfo:
    case UserSettingPage::PrinterInfo:
        break;
    }
    return std::make_unique<ui::Dialog>();
}
