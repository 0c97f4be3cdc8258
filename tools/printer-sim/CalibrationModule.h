#pragma once

#include "SimModule.h"

#include <array>

// The media sensor: answers the sensing request with its distribution of 32 counts, keeps
// the threshold and gap count a save stores, and logs manual calibrations and cancels.
class CalibrationModule : public SimModule {
public:
    using Counts = std::array<int, 32>;

    CalibrationModule();

    void addOptions(QCommandLineParser& parser) override;
    bool applyOptions(const QCommandLineParser& parser, std::string& error) override;
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    // The distributions a medium of that kind gives: "gap", "blackmark".
    static bool NamedDistribution(const std::string& name, Counts& counts);
    // 32 counts from 0 to 65535 separated by blanks, commas or line ends.
    static bool ParseCounts(const std::string& text, Counts& counts);

    Counts m_counts{};
    int m_threshold = 0;
    int m_gapCount = 0;

private:
    std::size_t sensing(std::string_view pending, SimPrinterState& state, std::string& reply);
    std::size_t save(std::string_view pending);
    std::size_t manual(std::string_view pending);
};
