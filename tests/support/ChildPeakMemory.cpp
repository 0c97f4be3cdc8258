#include "tests/support/ChildPeakMemory.h"

#include <QFile>
#include <QList>
#include <QThreadPool>
#include <cerrno>
#include <chrono>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ztest {

namespace {

// What the process has resident now, from /proc/self/statm; 0 when it cannot be read.
double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

// Gives the heap's free pages back and starts the peak afresh from what is resident now, so
// that only what the work takes counts: pages the caller freed but kept would otherwise be
// reused unseen.
bool restartPeak()
{
    malloc_trim(0);
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

}  // namespace

ChildPeakMemory::Result ChildPeakMemory::run(const std::function<bool()>& work)
{
    Result result;
    int report[2];
    if (pipe(report) != 0)
        return result;
    // The child gets only the thread that forks it. The shared pool's threads (a window's
    // painting hands work to them) are ended first, so that the child starts its own instead
    // of waiting for ones it does not have.
    QThreadPool::globalInstance()->waitForDone();
    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return result;
    }
    if (child == 0) {
        close(report[0]);
        const bool restarted = restartPeak();
        double sent[3] = {residentMiB(), 0, 0};
        const auto start = std::chrono::steady_clock::now();
        const bool ok = work();
        sent[1] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        sent[2] = residentMiB();
        const bool reported = write(report[1], sent, sizeof sent) == ssize_t(sizeof sent);
        _exit(ok && reported && restarted ? 0 : 1);
    }
    close(report[1]);
    double received[3] = {0, 0, 0};
    ssize_t got = 0;
    do
        got = read(report[0], received, sizeof received);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    int status = 0;
    rusage usage{};
    pid_t waited = 0;
    do
        waited = wait4(child, &status, 0, &usage);
    while (waited < 0 && errno == EINTR);
    if (waited != child)
        return result;
    result.ran = got == ssize_t(sizeof received) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.startMiB = received[0];
    result.seconds = received[1];
    result.endMiB = received[2];
    result.peakMiB = usage.ru_maxrss / 1024.0;
    return result;
}

}  // namespace ztest
