#pragma once

#include "SimModule.h"

#include <string>

// The printer's serial parameters (setting query 0B, ^SC), its built-in Bluetooth module
// (records US US 'i' x to read, 'p', 'x', 'l' to write; parameters 18 and 19) and a USB
// Bluetooth dongle (ESC FS 'O' n to read, ESC FS 'J' n to write).
class InterfaceModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

private:
    std::size_t consumeModule(std::string_view pending, bool silent, std::string& reply);
    std::size_t consumeDongle(std::string_view pending, bool silent, std::string& reply);

    std::string m_serial = "9600,8,N,1,X";
    // The built-in module.
    std::string m_name = "PRN-01";
    char m_encryption = '1';
    char m_connection = '2';  // '1' to '3'
    std::string m_pin = "1234";
    char m_ssp = '0';
    char m_role = '0';
    char m_pairing = 0;  // parameter 19
    char m_roleParam = 0;  // parameter 18
    std::string m_mac = "00:1B:35:A1:02:7C";
    // The dongle.
    std::string m_dongleName = "PRN-USB";
    std::string m_donglePin = "0000";
    char m_dongleEncryption = '0';
    char m_dongleConnection = '0';  // '0' to '2'
};
