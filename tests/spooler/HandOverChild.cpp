// The spooler hand-over in a process of its own, for the tests that end it the hard way.
//   HandOverChild <profile.ini> fatal <port>  switch the port's queues, then a write that
//                                             cannot go through takes the fatal path
//   HandOverChild <profile.ini> hold <port>   switch them and wait to be killed
//   HandOverChild <profile.ini> start         what start-up does with a journal left over
// Prints "switched" once the queues are switched.
#include "core/ModelTable.h"
#include "link/Comm.h"
#include "platform/Process.h"
#include "platform/Services.h"
#include "platform/linux/QtProfileStore.h"
#include "shell/CZentrovaDlg.h"
#include "shell/SpoolerJournal.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 64;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::QtProfileStore profile(QString::fromLocal8Bit(argv[1]));
    platform::ScopedService<platform::ProfileStore> useProfile(profile);
    const QByteArray mode(argv[2]);

    if (mode == "start") {
        SpoolerJournal::RestoreLeftOver();
        return 0;
    }
    if (argc < 4)
        return 64;
    BuildModelTable();
    platform::Process::addExitHook([] { ClearModelTable(); });  // as the application does
    CZentrovaDlg dlg;
    dlg.ReleasePortFromSpooler(QString::fromLocal8Bit(argv[3]));
    std::puts("switched");
    std::fflush(stdout);

    if (mode == "hold") {
        std::this_thread::sleep_for(std::chrono::seconds(60));
        return 3;
    }
    // The port was never opened: every try of the write fails.
    g_comm.SetPortName(QString::fromLocal8Bit(argv[3]));
    g_comm.m_nPortType = PORT_COM;
    g_comm.Write("~HS", 3);
    return 2;  // not reached: the write ends the program
}
