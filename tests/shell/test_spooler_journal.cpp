// The spooler hand-over survives every way the program can end: written down before a
// queue is switched, given back on the fatal write path, recovered at the next start.
#include "test_main_dialog_fixture.h"

#include "shell/SpoolerJournal.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace shelltest;

namespace {

const QString kJournal = QStringLiteral("SpoolerHandOver");

class SpoolerJournalTest : public ShellTest {
protected:
    QJsonObject journal() { return QJsonDocument::fromJson(profile.getString(kJournal, "Queues").toUtf8()).object(); }

    // A journal as a run that is gone left it.
    void leaveJournal(const QJsonObject& queues, qint64 owner)
    {
        profile.setString(kJournal, "Owner", QString::number(owner));
        profile.setString(kJournal, "Queues", QString::fromUtf8(QJsonDocument(queues).toJson()));
    }
};

TEST_F(SpoolerJournalTest, OriginalPortsAreWrittenDownBeforeTheSwitchAndClearedWhenGivenBack)
{
    spooler.ports = {{"LabelA", "COM3:"}, {"LabelB", "COM3:"}, {"Other", "COM4:"}};
    openDialog();
    dlg->ReleasePortFromSpooler("COM3:");
    EXPECT_EQ(spooler.ports["LabelA"], "FILE:");
    EXPECT_EQ(journal(), (QJsonObject{{"LabelA", "COM3:"}, {"LabelB", "COM3:"}}));
    EXPECT_EQ(profile.getString(kJournal, "Owner"), QString::number(ztest::FakeProcess::kId));

    // A pass that stops at a failure keeps what it did not give back.
    spooler.failWrite = {"LabelB"};
    dlg->RestoreSpoolerPorts();
    EXPECT_EQ(journal(), (QJsonObject{{"LabelB", "COM3:"}}));
    spooler.failWrite.clear();
    dlg->RestoreSpoolerPorts();
    EXPECT_TRUE(journal().isEmpty());
    EXPECT_EQ(spooler.ports["LabelB"], "COM3:");
}

TEST_F(SpoolerJournalTest, FatalWriteGivesTheQueuesBackBeforeTheProgramEnds)
{
    spooler.ports = {{"LabelA", "COM3:"}, {"LabelB", "COM3:"}};
    openDialog();
    dlg->ReleasePortFromSpooler("COM3:");
    g_comm.SetPortName("COM3:");
    g_comm.m_nPortType = PORT_COM;  // never opened: no write can go through

    try {
        g_comm.Write("~HS", 3);
        ADD_FAILURE() << "the program did not end";
    } catch (const ztest::ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(spooler.ports["LabelA"], "COM3:");
    EXPECT_EQ(spooler.ports["LabelB"], "COM3:");
    EXPECT_TRUE(journal().isEmpty());
}

TEST_F(SpoolerJournalTest, StartAfterALostRunGivesBackOnlyQueuesStillPrintingToNothing)
{
    spooler.ports = {{"Parked", "FILE:"}, {"Moved", "LPT1:"}, {"Refuses", "FILE:"}};
    spooler.failWrite = {"Refuses"};
    leaveJournal({{"Parked", "serial:/dev/ttyS2?baud=9600"}, {"Moved", "COM3:"},
                  {"Refuses", "COM3:"}, {"Deleted", "COM3:"}},
                 777);

    // While the run that wrote it still runs, the queues are its own.
    process.running = {777};
    SpoolerJournal::RestoreLeftOver();
    EXPECT_EQ(spooler.ports["Parked"], "FILE:");
    EXPECT_TRUE(spooler.writes.empty());

    process.running.clear();
    SpoolerJournal::RestoreLeftOver();
    EXPECT_EQ(spooler.ports["Parked"], "serial:/dev/ttyS2?baud=9600");
    EXPECT_EQ(spooler.ports["Moved"], "LPT1:");
    // What could not be given back now is tried again at the next start.
    EXPECT_EQ(journal(), (QJsonObject{{"Refuses", "COM3:"}, {"Deleted", "COM3:"}}));

    spooler.failWrite.clear();
    spooler.ports["Deleted"] = "FILE:";
    SpoolerJournal::RestoreLeftOver();
    EXPECT_EQ(spooler.ports["Refuses"], "COM3:");
    EXPECT_EQ(spooler.ports["Deleted"], "COM3:");
    EXPECT_TRUE(journal().isEmpty());
}

}  // namespace
