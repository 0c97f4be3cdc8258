#pragma once

#include "SimModule.h"

#include <cstdint>

// The printer's basic and advanced settings, their locks, parameter 23 (the orientation as a
// number) and the emulation switch: answers the setting queries of these settings from its
// state and applies the ZPL II commands that change them.
class SettingsModule : public SimModule {
public:
    struct Settings {
        int labelWidth = 812;
        int labelHeight = 1218;
        char orientation = 'T';  // 'T' top to bottom, 'B' bottom to top
        int printSpeed = 4;
        int darkness = 20;       // 0 to 30
        char printMode = 'T';    // 'T' transfer, 'D' direct
        char mediaType = 'W';    // 'W' web sensing, 'C' continuous, 'M' mark sensing
        int tearOff = 0;
        int printOffset = 0;
        char mediaHandling = 'T';  // 'T' tear off, 'P' peel off, 'C' cutter
        char mediaFeed = 'N';      // 'F', 'C', 'L', 'N'
        bool mirror = false;
        std::uint8_t locks = 0;    // bit (item - 1) set: that setting is locked
        int saves = 0;             // ^JUS received
    };

    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    const Settings& settings() const { return m_settings; }

private:
    std::size_t consumeEscape(std::string_view pending, SimPrinterState& state, std::string& reply);
    std::size_t consumeZpl(std::string_view pending);
    void answer(std::uint8_t item, const SimPrinterState& state, std::string& reply) const;
    bool locked(int lockItem, const char* command) const;

    Settings m_settings;
};
