#pragma once

#include "platform/Spooler.h"

#include <QString>
#include <map>
#include <vector>

namespace platform {

// The print queues of the CUPS scheduler that cupsServer() names (CUPS_SERVER,
// cupsSetServer, client.conf, else the local socket).
//
// A queue's device URI is shown as a port text: "COMn:" or "LPTn:" when it names the
// device that port maps to (a serial:, parallel: or file: URI), "FILE:" for
// file:///dev/null, otherwise the URI itself. Ports map to devices as the link opens
// them (LinuxDeviceIo::portDevicePath): /dev/ttyS(n-1) or /dev/lp(n-1) unless the
// profile section "Ports" names another device ("COM5" = "/dev/ttyUSB0").
//
// Several URIs can show the same text, so every text shown is remembered with the exact
// URI behind it, per queue; writing that text back restores that URI. A text never
// shown maps "FILE:" to file:///dev/null, "COMn:"/"LPTn:" to serial:/parallel: URIs of
// the mapped device, and a URI to itself.
//
// Every call opens its own connection with a short connect time-out and a bounded wait
// for the reply, and never asks for a password: with no scheduler, or a silent one,
// the list is empty and reads and writes fail.
class CupsSpooler final : public Spooler {
public:
    explicit CupsSpooler(int connectMsec = 1500, double replySeconds = 5.0);

    std::vector<SpoolerPrinter> localPrinters() override;
    bool readPort(const QString& printer, QString* port) override;
    bool writePort(const QString& printer, const QString& port) override;
    // The exact device URI behind a text shown for the printer.
    QString durablePort(const QString& printer, const QString& port) override;

    // The port text a device URI is shown as.
    static QString portForDeviceUri(const QString& uri);
    // The device URI for a port text that was never shown; empty when it names none.
    static QString deviceUriForPort(const QString& port);

private:
    QString remember(const QString& printer, const QString& uri);

    int m_connectMsec;
    double m_replySeconds;
    std::map<QString, std::map<QString, QString>> m_shownUris;  // printer -> text -> URI
};

}  // namespace platform
