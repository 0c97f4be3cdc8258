#pragma once

#include "SimModule.h"

#include <string>

// Logs each label printed: the field data (^FD) gathered until its ^PQ.
class SampleLabelModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

private:
    std::string m_fields;
};
