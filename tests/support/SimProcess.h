#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace ztest {

// tools/printer-sim in a child process for the test's scope; stopped when the object goes.
// Every wait is bounded.
class SimProcess {
public:
    static constexpr int kWaitMs = 5000;

    // Starts the simulator with these arguments (nothing is started when `arguments` is
    // empty: call start() later).
    explicit SimProcess(const QStringList& arguments = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    void start(const QStringList& arguments);
    // Starts it and returns what it announces after `prefix` ("listening on 127.0.0.1:",
    // "pty: "); empty when it does not start within the wait.
    QString start(const QStringList& arguments, const QString& prefix);

    QProcess& process() { return m_process; }

    // The first stdout line that starts with `prefix`, without it; empty when none came.
    QString announced(const QString& prefix);
    int tcpPort() { return announced(QStringLiteral("listening on 127.0.0.1:")).toInt(); }
    QString ptyPath() { return announced(QStringLiteral("pty: ")); }

    // Starts on loopback TCP (a free port) with its log in a file of its own, and returns the
    // port; 0 when it did not start.
    int startTcp(const QStringList& extraArguments = {});
    // The same on a pseudo-terminal; returns its path, empty when it did not start.
    QString startPty(const QStringList& extraArguments = {});
    // Points g_comm at the port startTcp announced, on loopback, and opens it; false when it
    // does not open.
    bool openLink() const;
    // Ends that link (or any TCP link of g_comm) and leaves g_comm on its serial default.
    static void closeLink();
    // What the simulator logged so far (startTcp/startPty only).
    QByteArray log() const;
    // Waits until the log holds `text`; false when it did not within the wait.
    bool waitForLog(const QByteArray& text, int timeoutMs = kWaitMs) const;
    // The bytes of every "received" chunk in the log, in order; of one peer ("tcp#2",
    // "pty") when it is named.
    QByteArray receivedBytes(const QString& peer = QString()) const;
    // Waits until the log holds at least `count` received bytes; what it holds by then.
    QByteArray waitForReceived(qsizetype count) const;

private:
    QProcess m_process;
    QString m_logPath;
    int m_tcpPort = 0;
};

}  // namespace ztest
