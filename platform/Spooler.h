#pragma once

#include "platform/Service.h"

#include <QString>
#include <vector>

namespace platform {

struct SpoolerPrinter {
    QString name;
    QString port;  // "COM1:", "LPT1:", "FILE:", or the queue's device as text
};

// The local print queues and their ports.
class Spooler {
public:
    virtual ~Spooler() = default;
    // No scheduler reachable: an empty list.
    virtual std::vector<SpoolerPrinter> localPrinters() = 0;
    virtual bool readPort(const QString& printer, QString* port) = 0;
    virtual bool writePort(const QString& printer, const QString& port) = 0;
    // A text for `port`, as last shown for `printer`, that gives the printer that very
    // device back when a later run of the program writes it (the spooler's own name for
    // the device). By default the text itself.
    virtual QString durablePort(const QString& printer, const QString& port)
    {
        (void)printer;
        return port;
    }
};

template <>
Spooler& defaultService<Spooler>();

}  // namespace platform
