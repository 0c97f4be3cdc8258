#pragma once

#include <QString>

// The spooler hand-over written down in the profile before a print queue is switched to
// "FILE:": the queue's name and the exact port it printed to. Whatever ends the program
// (the fatal write path, a crash, a kill), the next start finds the queues it did not give
// back and gives them their ports again.
class SpoolerJournal {
public:
    // Before the queue is switched. A queue already written keeps its first port.
    static void Record(const QString& printer, const QString& port);
    // After the queue got its port back; the last one clears the journal.
    static void Forget(const QString& printer);
    // At start-up: a journal left by a run that is no longer running gives back every
    // queue still printing to "FILE:"; a queue changed since is left as it is.
    static void RestoreLeftOver();
};
