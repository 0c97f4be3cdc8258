#pragma once

#include <QByteArray>
#include <QString>

namespace ztest {

// A pseudo-terminal pair standing in for a serial line: the code under test opens the
// slave by its path (map a COM port to it in the profile, section "Ports"), the test
// plays the printer on the master. The pair keeps a slave descriptor of its own, so the
// line stays up while the code under test closes and re-opens it. Every wait is bounded.
// Throws std::runtime_error when no pseudo-terminal can be had.
class PtyPair {
public:
    // raw: no echo, no line editing, no CR/LF mapping, until the slave's user changes it.
    explicit PtyPair(bool raw = true);
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const QString& slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Reads from the master until `count` bytes have come or `timeoutMs` has passed.
    QByteArray readMaster(int count, int timeoutMs);
    // Everything that arrives until the line has been quiet for `quietMs`.
    QByteArray drainMaster(int quietMs);
    bool writeMaster(const QByteArray& bytes);
    // Waits until bytes written on the master can be read on the slave side (the line
    // discipline passes them on asynchronously); false when none came in time.
    bool waitSlaveReadable(int timeoutMs);
    // Hangs the line up: from now on the slave side's writes fail.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};

}  // namespace ztest
