#include "SimDispatcher.h"

#include "CalibrationModule.h"
#include "CharacterSetModule.h"
#include "ClockPowerModule.h"
#include "IdentityModule.h"
#include "InterfaceModule.h"
#include "MaintenanceModule.h"
#include "MemorySwitchModule.h"
#include "MenuModeZeroModule.h"
#include "PictureModule.h"
#include "PrinterInfoModule.h"
#include "RfidModule.h"
#include "SampleLabelModule.h"
#include "SettingsModule.h"
#include "StatusModule.h"

// One line per module; a tool's module goes before the identity module when its commands
// could begin like the probe or the model query.
std::vector<std::unique_ptr<SimModule>> CreateSimModules()
{
    std::vector<std::unique_ptr<SimModule>> modules;
    // The user-setting pages' own settings (setting query 0B, parameters 13-16, 18, 19)
    // go before the general settings module, which answers the rest of the family.
    modules.push_back(std::make_unique<InterfaceModule>());
    modules.push_back(std::make_unique<ClockPowerModule>());
    modules.push_back(std::make_unique<MemorySwitchModule>());
    modules.push_back(std::make_unique<PrinterInfoModule>());
    modules.push_back(std::make_unique<SampleLabelModule>());
    modules.push_back(std::make_unique<SettingsModule>());
    modules.push_back(std::make_unique<IdentityModule>());
    modules.push_back(std::make_unique<CalibrationModule>());
    modules.push_back(std::make_unique<StatusModule>());
    modules.push_back(std::make_unique<MaintenanceModule>());
    modules.push_back(std::make_unique<RfidModule>());
    modules.push_back(std::make_unique<MenuModeZeroModule>());
    modules.push_back(std::make_unique<CharacterSetModule>());
    modules.push_back(std::make_unique<PictureModule>());
    return modules;
}
