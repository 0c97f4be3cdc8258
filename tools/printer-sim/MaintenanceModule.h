#pragma once

#include "SimModule.h"

// The printer tools' maintenance commands: configuration label, object list, media
// calibration, factory reset, diagnostics mode, feed and reset. Each is logged.
class MaintenanceModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    bool m_diagnostics = false;
};
