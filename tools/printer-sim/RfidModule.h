#pragma once

#include "SimModule.h"

#include <array>
#include <string>
#include <vector>

// The RFID encoder and the one tag at it: EPC and user memory, the access and kill
// passwords, the lock state of each area, and the encoder's settings. Takes the ">RF"
// commands, each ended by a carriage return.
class RfidModule : public SimModule {
public:
    static constexpr std::size_t kMemoryBytes = 96;
    static constexpr std::size_t kMaxCommand = 400;

    // Areas in the lock payload's order, highest bits first.
    enum Area { KillPassword, AccessPassword, EpcMemory, TidMemory, UserMemory, kAreas };

    struct AreaLock {
        bool locked = false;
        bool permalocked = false;
    };

    RfidModule();

    void addOptions(QCommandLineParser& parser) override;
    bool applyOptions(const QCommandLineParser& parser, std::string& error) override;
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    // The tag, for tests.
    std::vector<unsigned char> epc;
    std::vector<unsigned char> user;
    std::string accessPassword = "5A3C90E1";
    std::string killPassword = "5A3C90E1";
    std::array<AreaLock, kAreas> locks{};
    bool killed = false;

    // The encoder's settings.
    std::string tagType = "GEN2";
    int power = 16;
    std::string position = "600";
    int retry = 3;
    int labels = 2;

private:
    void handle(const std::string& mnemonic, const std::string& args, SimPrinterState& state,
                std::string& reply);
    void write(char kind, const std::vector<std::string>& fields);
    void read(char kind, const std::vector<std::string>& fields, bool metal,
              const SimPrinterState& state, std::string& reply);
    void changePasswords(const std::vector<std::string>& fields);
    void applyLockPayload(const std::vector<std::string>& fields);
    void setAll(bool locked);
    void setEncoder(const std::vector<std::string>& fields);
    void answerQuery(const std::vector<std::string>& fields, const SimPrinterState& state,
                     std::string& reply);
};
