#pragma once

#include "SimModule.h"

// The Ostrel character-set command "CS<set>,<table>" CR: keeps the international character
// set and the code table the printer renders single-byte codes with.
class CharacterSetModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    int charSet() const { return m_charSet; }
    int codeTable() const { return m_codeTable; }

private:
    int m_charSet = 0;
    int m_codeTable = 0;
};
