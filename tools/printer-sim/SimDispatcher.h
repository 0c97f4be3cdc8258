#pragma once

#include "SimModule.h"

#include <memory>
#include <string>
#include <vector>

// Splits what one peer sends into commands and hands each to the module that takes it.
// Bytes no module takes are passed over one at a time, as a printer skips what it does
// not understand.
class SimDispatcher {
public:
    explicit SimDispatcher(std::vector<SimModule*> modules);

    struct Answer {
        std::string command;  // the command's own bytes
        std::string reply;
    };

    // The answers to the commands these bytes complete, in stream order.
    std::string feed(const char* data, std::size_t length, SimPrinterState& state);
    // The same, one entry for each command that was answered.
    std::vector<Answer> feedCommands(const char* data, std::size_t length, SimPrinterState& state);

private:
    std::vector<SimModule*> m_modules;
    std::string m_pending;  // bytes not yet taken by a module
};

// Every module of the simulator, in the order they are offered a command.
std::vector<std::unique_ptr<SimModule>> CreateSimModules();
