#pragma once

#include "SimModule.h"

// The language probe and the model query that Connect sends.
class IdentityModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;
};
