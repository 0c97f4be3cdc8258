#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A private CUPS scheduler for one test: /usr/sbin/cupsd in the foreground with its own
// cupsd.conf and cups-files.conf, every directory and log in a temporary folder, and
// one listener, a unix socket in that folder (no TCP port, so runs never clash and the
// machine's own scheduler is never touched).
//
// start() waits (at most 10 s) until the socket answers, then points this process's
// libcups at it (CUPS_SERVER and cupsSetServer). The destructor stops the scheduler
// (SIGTERM, a bounded wait, then SIGKILL), points libcups back at its default and
// removes the folder.
//
// What cupsd 2.4 accepts, and so what tests can rely on:
// - It runs as root here; "User root" is refused, so User stays the default (lp). That
//   user only runs filters and backends, and no job is ever printed.
// - Changing queues is an administrator's operation, as on a real system: the policy
//   requires @SYSTEM (SystemGroup root) and the client proves it with peer credentials
//   over the socket, so no password is involved.
// - Queues are raw (no PPD). A device URI is checked only for its scheme having a
//   backend, never for the device being present: serial:/dev/ttyS0?baud=115200 and
//   parallel:/dev/lp0 are accepted on a machine without those ports.
// - file: URIs other than file:///dev/null need "FileDevice Yes", which this
//   configuration sets, so a test may also use file:///<directory()>/<name>.
class CupsTestServer {
public:
    CupsTestServer();
    ~CupsTestServer();
    CupsTestServer(const CupsTestServer&) = delete;
    CupsTestServer& operator=(const CupsTestServer&) = delete;

    // False when the scheduler is not installed; tests skip then.
    static bool available();

    bool start(QString* error);
    QString socketPath() const;
    // A scratch folder for the test's own files.
    QString directory() const;

    // Adds (or modifies) an enabled raw queue printing to deviceUri.
    bool addQueue(const QString& name, const QString& deviceUri, QString* error = nullptr);
    // The queue's device URI as the scheduler holds it; empty when there is no such queue.
    QString deviceUri(const QString& name) const;

private:
    bool writeConfiguration(QString* error);
    bool waitUntilAnswering(QString* error);
    QString logTail() const;
    void stop();

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    bool m_pointed = false;
    bool m_hadServerEnv = false;
    QByteArray m_savedServerEnv;
};

}  // namespace testsupport
