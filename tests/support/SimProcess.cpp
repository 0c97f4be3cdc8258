#include "tests/support/SimProcess.h"

#include "link/Comm.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUuid>

namespace ztest {

SimProcess::SimProcess(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        start(arguments);
}

SimProcess::~SimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(kWaitMs))
            m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
    if (!m_logPath.isEmpty())
        QFile::remove(m_logPath);
}

void SimProcess::start(const QStringList& arguments)
{
    m_process.setProgram(QStringLiteral(PRINTER_SIM_PATH));
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
}

QString SimProcess::start(const QStringList& arguments, const QString& prefix)
{
    start(arguments);
    if (!m_process.waitForStarted(kWaitMs))
        return QString();
    return announced(prefix);
}

QString SimProcess::announced(const QString& prefix)
{
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        if (m_process.state() == QProcess::NotRunning && !m_process.canReadLine())
            break;
        m_process.waitForReadyRead(100);
    }
    return {};
}

int SimProcess::startTcp(const QStringList& extraArguments)
{
    m_logPath = QDir::temp().filePath(QStringLiteral("zentrova-sim-%1.log")
                                          .arg(QUuid::createUuid().toString(QUuid::Id128)));
    m_tcpPort = start(QStringList{"--port", "0", "--log", m_logPath} + extraArguments,
                      QStringLiteral("listening on 127.0.0.1:"))
                    .toInt();
    return m_tcpPort;
}

bool SimProcess::openLink() const
{
    g_comm.SetPortName(QStringLiteral("ETHERNET"));
    g_comm.SetNetworkAddress({QStringLiteral("127.0.0.1"), m_tcpPort});
    return g_comm.Open();
}

void SimProcess::closeLink()
{
    g_comm.MarkTcpForClose();
    g_comm.Close();
    g_comm.m_nPortType = PORT_COM;
}

QString SimProcess::startPty(const QStringList& extraArguments)
{
    m_logPath = QDir::temp().filePath(QStringLiteral("zentrova-sim-%1.log")
                                          .arg(QUuid::createUuid().toString(QUuid::Id128)));
    return start(QStringList{"--pty", "--log", m_logPath} + extraArguments,
                 QStringLiteral("pty: "));
}

QByteArray SimProcess::log() const
{
    QFile file(m_logPath);
    if (m_logPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool SimProcess::waitForLog(const QByteArray& text, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (log().contains(text))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

QByteArray SimProcess::receivedBytes(const QString& peer) const
{
    // Read by hand, not by pattern: a transfer of megabytes logs hundreds of thousands of lines,
    // and tests read them while they wait.
    const QByteArray header = peer.isEmpty() ? QByteArray(" received ") : " " + peer.toLatin1() + " received ";
    auto hexValue = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    const QByteArray all = log();
    QByteArray bytes;
    bool inReceived = false;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        const QByteArrayView line(all.constData() + start, end - start);
        start = end + 1;
        // A data line: two blanks, an offset of six or more hex digits, two blanks, pairs.
        qsizetype at = 2;
        const bool indented = line.startsWith("  ");
        while (indented && at < line.size() && hexValue(line[at]) >= 0)
            ++at;
        if (!indented || at < 8 || !line.sliced(at).startsWith("  ")) {
            inReceived = line.contains(header);
            continue;
        }
        if (!inReceived)
            continue;
        for (at += 2; at + 2 < line.size() && line[at + 2] == ' '; at += 3) {
            const int high = hexValue(line[at]);
            const int low = hexValue(line[at + 1]);
            if (high < 0 || low < 0)
                break;
            bytes += char(high * 16 + low);
        }
    }
    return bytes;
}

QByteArray SimProcess::waitForReceived(qsizetype count) const
{
    QElapsedTimer timer;
    timer.start();
    QByteArray bytes = receivedBytes();
    while (bytes.size() < count && timer.elapsed() < kWaitMs) {
        QThread::msleep(20);
        bytes = receivedBytes();
    }
    return bytes;
}

}  // namespace ztest
