#include "SimDispatcher.h"

#include "IdentityModule.h"
#include "PictureModule.h"

// One line per module; a tool's module goes before the identity module when its commands
// could begin like the probe or the model query.
std::vector<std::unique_ptr<SimModule>> CreateSimModules()
{
    std::vector<std::unique_ptr<SimModule>> modules;
    modules.push_back(std::make_unique<IdentityModule>());
    modules.push_back(std::make_unique<PictureModule>());
    return modules;
}
