#include "tests/support/SimProcess.h"

#include "link/Comm.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
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
    const QString header = peer.isEmpty() ? QStringLiteral(" received ") : QStringLiteral(" %1 received ").arg(peer);
    static const QRegularExpression dataLine(QStringLiteral("^  [0-9a-f]{6}  ((?:[0-9a-f]{2} )+)"));
    QByteArray bytes;
    bool inReceived = false;
    for (const QByteArray& raw : log().split('\n')) {
        const QString line = QString::fromLatin1(raw);
        const auto match = dataLine.match(line);
        if (!match.hasMatch()) {
            inReceived = line.contains(header);
            continue;
        }
        if (inReceived)
            bytes += QByteArray::fromHex(match.captured(1).toLatin1());
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
