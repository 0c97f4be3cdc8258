#include "SimDispatcher.h"

#include "CalibrationModule.h"
#include "IdentityModule.h"
#include "MaintenanceModule.h"
#include "RfidModule.h"
#include "SettingsModule.h"
#include "StatusModule.h"

// One line per module; a tool's module goes before the identity module when its commands
// could begin like the probe or the model query.
std::vector<std::unique_ptr<SimModule>> CreateSimModules()
{
    std::vector<std::unique_ptr<SimModule>> modules;
    modules.push_back(std::make_unique<SettingsModule>());
    modules.push_back(std::make_unique<IdentityModule>());
    modules.push_back(std::make_unique<CalibrationModule>());
    modules.push_back(std::make_unique<StatusModule>());
    modules.push_back(std::make_unique<MaintenanceModule>());
    modules.push_back(std::make_unique<RfidModule>());
    return modules;
}
