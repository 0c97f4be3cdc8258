#pragma once

#include "SimModule.h"

#include <string>

// The printer's status: answers "^cp", "^cu", "^ee" and "CPS" from the conditions it is
// given on the command line.
class StatusModule : public SimModule {
public:
    void addOptions(QCommandLineParser& parser) override;
    bool applyOptions(const QCommandLineParser& parser, std::string& error) override;
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    // Sets the conditions from a comma-separated list of names; false names the first
    // unknown one in `error`.
    bool SetConditions(const std::string& list, std::string& error);
    // The names SetConditions knows.
    static std::string ConditionNames();

    unsigned m_media = 0;    // byte 0 of "^cp", the byte of "^cu"
    unsigned m_job = 0;      // byte 1 of "^cp"
    unsigned m_cps = 0;      // the byte of "CPS"
    std::string m_errorCode = "00";  // the two characters of "^ee"
};
