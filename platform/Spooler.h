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
};

template <>
Spooler& defaultService<Spooler>();

}  // namespace platform
