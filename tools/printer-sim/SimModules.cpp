#include "SimDispatcher.h"

#include "ClockPowerModule.h"
#include "IdentityModule.h"
#include "InterfaceModule.h"
#include "MemorySwitchModule.h"
#include "PrinterInfoModule.h"
#include "SampleLabelModule.h"

// One line per module; a tool's module goes before the identity module when its commands
// could begin like the probe or the model query.
std::vector<std::unique_ptr<SimModule>> CreateSimModules()
{
    std::vector<std::unique_ptr<SimModule>> modules;
    modules.push_back(std::make_unique<IdentityModule>());
    // The user-setting pages: these claim setting query 0B and parameters 13-16, 18, 19
    // only, so they go before the general settings module.
    modules.push_back(std::make_unique<InterfaceModule>());
    modules.push_back(std::make_unique<ClockPowerModule>());
    modules.push_back(std::make_unique<MemorySwitchModule>());
    modules.push_back(std::make_unique<PrinterInfoModule>());
    modules.push_back(std::make_unique<SampleLabelModule>());
    return modules;
}
