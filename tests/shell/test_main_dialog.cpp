// The main dialog: saved settings, the connection controls, Connect with the language probe
// and the model query, Disconnect, EXIT, the spooler hand-over and the movable banner.
#include "test_main_dialog_fixture.h"

#include "shell/CPrefsStatic.h"
#include "tests/support/FakeNetwork.h"
#include "ui/IpAddressCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

using namespace shelltest;

namespace {

// Parameter cases print as their names in test listings.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

enum : int {
    kSerial = 1000, kParallel = 1001, kUsb = 1002, kEthernet = 1435, kBluetooth = 1129,
    kConnect = 1003, kDisconnect = 1022, kExit = 1004,
    kLpt = 1028, kCom = 1021, kBaud = 1024, kDataBits = 1025, kParity = 1026, kStopBits = 1027,
    kIp = 1316, kTcpPort = 1436,
};

const int kPortControls[] = {kLpt, kCom, kBaud, kDataBits, kParity, kStopBits, kIp, kTcpPort};
const int kPage1Buttons[] = {1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073, 1076, 1077};

const QString kSection = QStringLiteral("CurrentSettings");

class MainDialogTest : public ShellTest {
protected:
    QComboBox* combo(int id) const { return control<QComboBox>(id); }
    ui::IpAddressCtrl* ip() const { return control<ui::IpAddressCtrl>(kIp); }
    QLineEdit* tcpPort() const { return control<QLineEdit>(kTcpPort); }

    std::set<int> enabledPortControls() const
    {
        std::set<int> ids;
        for (int id : kPortControls)
            if (control(id)->isEnabled())
                ids.insert(id);
        return ids;
    }

    std::set<int> enabledPage1Buttons() const
    {
        std::set<int> ids;
        for (int id : kPage1Buttons)
            if (pageButton(1, id)->isEnabled())
                ids.insert(id);
        return ids;
    }

    bool connected() const
    {
        return control(kDisconnect)->isEnabled() && !control(kConnect)->isEnabled();
    }

    void chooseEthernet(const QString& address, int port)
    {
        click(kEthernet);
        const QStringList parts = address.split(u'.');
        ip()->setOctets(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
        tcpPort()->setText(QString::number(port));
    }

    int saved(const QString& key) { return profile.getInt(kSection, key, -999); }
};

// ---- opening and saved settings -----------------------------------------------------------

TEST_F(MainDialogTest, FirstStartShowsTheDefaultsAndOnlyTheConnectionChoicesEnabled)
{
    openDialog();

    EXPECT_TRUE(control<QRadioButton>(kUsb)->isChecked());
    EXPECT_EQ(tcpPort()->text(), "9100");
    EXPECT_EQ(combo(kLpt)->currentText(), "LPT1:");
    EXPECT_EQ(combo(kCom)->currentText(), "COM1:");
    EXPECT_EQ(combo(kBaud)->currentText(), "115200");
    EXPECT_EQ(combo(kDataBits)->currentText(), "8");
    EXPECT_EQ(combo(kParity)->currentText(), "None");
    EXPECT_EQ(combo(kStopBits)->currentText(), "1");
    EXPECT_EQ(ip()->address(), 0xC0A80164u);  // 192.168.1.100

    for (int id : {kSerial, kParallel, kUsb, kEthernet, kBluetooth, kConnect})
        EXPECT_TRUE(control(id)->isEnabled()) << id;
    EXPECT_FALSE(control(kDisconnect)->isEnabled());
    EXPECT_TRUE(enabledPortControls().empty());
    EXPECT_TRUE(enabledPage1Buttons().empty());
    EXPECT_EQ(g_curModelInfo, nullptr);
    EXPECT_TRUE(g_language.isEmpty());
    EXPECT_FALSE(profile.contains(kSection, QStringLiteral("Interface")));
}

TEST_F(MainDialogTest, OpeningShowsTheSavedSettings)
{
    const std::pair<const char*, int> values[] = {
        {"Interface", 0}, {"ENet_IP1", 10}, {"ENet_IP2", 300}, {"ENet_IP3", -1},
        {"ENet_IP4", 7}, {"ENet_PortNum", 6101}, {"LPT_PortNum", 3}, {"COM_PortNum", 25},
        {"COM_Baudrate", 1}, {"COM_Databits", 0}, {"COM_Parity", 2}, {"COM_Stopbits", 9},
    };
    for (const auto& [key, value] : values)
        profile.setInt(kSection, QString::fromLatin1(key), value);

    openDialog();

    EXPECT_TRUE(control<QRadioButton>(kSerial)->isChecked());
    EXPECT_EQ(ip()->address(), (10u << 24) | (44u << 16) | (255u << 8) | 7u);  // octets mod 256
    EXPECT_EQ(tcpPort()->text(), "6101");
    EXPECT_EQ(combo(kLpt)->currentText(), "LPT4:");
    EXPECT_EQ(combo(kCom)->currentIndex(), -1);  // outside the list
    EXPECT_EQ(combo(kBaud)->currentText(), "19200");
    EXPECT_EQ(combo(kDataBits)->currentText(), "7");
    EXPECT_EQ(combo(kParity)->currentText(), "Even");
    EXPECT_EQ(combo(kStopBits)->currentIndex(), -1);
}

// ---- connection controls ------------------------------------------------------------------

struct InterfaceCase {
    const char* name;
    int radio;
    std::set<int> enabled;
};

class InterfaceControlsTest : public MainDialogTest,
                              public ::testing::WithParamInterface<InterfaceCase> {};

TEST_P(InterfaceControlsTest, ChoosingAnInterfaceEnablesOnlyItsPortControls)
{
    openDialog();
    click(GetParam().radio);
    EXPECT_EQ(enabledPortControls(), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, InterfaceControlsTest,
    ::testing::Values(InterfaceCase{"Serial", kSerial, {kCom, kBaud, kDataBits, kParity, kStopBits}},
                      InterfaceCase{"Parallel", kParallel, {kLpt}},
                      InterfaceCase{"Usb", kUsb, {}},
                      InterfaceCase{"Ethernet", kEthernet, {kIp, kTcpPort}},
                      InterfaceCase{"Bluetooth", kBluetooth, {kCom}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Connect over TCP ---------------------------------------------------------------------

TEST_F(MainDialogTest, ConnectOverTcpToThePrinterSimSelectsTheModelAndSavesTheSettings)
{
    PrinterSim sim;
    const QString port = sim.start({"--port", "0", "--language", "2", "--model", "kx-21"},
                                   QStringLiteral("listening on 127.0.0.1:"));
    ASSERT_FALSE(port.isEmpty());

    openDialog();
    chooseEthernet(QStringLiteral("127.0.0.1"), port.toInt());
    connect();

    EXPECT_EQ(messageTexts(), QStringList{kSuccess});
    EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Information);
    EXPECT_EQ(g_language, "Ostrel");
    EXPECT_EQ(g_modelName, "KX-21");
    EXPECT_EQ(g_curModelInfo, record(QStringLiteral("KX-21")));
    EXPECT_TRUE(connected());
    EXPECT_TRUE(enabledPortControls().empty());
    EXPECT_EQ(enabledPage1Buttons(), (std::set<int>{1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073}));

    EXPECT_EQ(saved("Interface"), 3);
    EXPECT_EQ(saved("ENet_IP1"), 127);
    EXPECT_EQ(saved("ENet_IP4"), 1);
    EXPECT_EQ(saved("ENet_PortNum"), port.toInt());
    EXPECT_EQ(saved("COM_Baudrate"), 4);

    click(kDisconnect);
    EXPECT_FALSE(g_comm.m_socket.m_bConnected);
    EXPECT_FALSE(connected());
    EXPECT_EQ(enabledPortControls(), (std::set<int>{kIp, kTcpPort}));
    EXPECT_TRUE(enabledPage1Buttons().empty());
    EXPECT_EQ(g_curModelInfo, record(QStringLiteral("KX-21")));  // Disconnect keeps them
    EXPECT_EQ(g_language, "Ostrel");

    // The next opening starts from what the successful Connect saved.
    openDialog();
    EXPECT_TRUE(control<QRadioButton>(kEthernet)->isChecked());
    EXPECT_EQ(ip()->address(), 0x7F000001u);
    EXPECT_EQ(tcpPort()->text(), port);
}

TEST_F(MainDialogTest, SilentPrinterShowsTheOpenFailureLeavesTheLinkOpenAndSavesNothing)
{
    PrinterSim sim;
    const QString port = sim.start({"--port", "0", "--silent"}, QStringLiteral("listening on 127.0.0.1:"));
    ASSERT_FALSE(port.isEmpty());
    // The link's own receive limit bounds both unanswered reads.
    platform::Network& network = platform::network();
    const platform::TcpTimeLimits limits = network.timeLimits();
    network.setTimeLimits({2000, 200, 2000});

    openDialog();
    chooseEthernet(QStringLiteral("127.0.0.1"), port.toInt());
    connect();
    network.setTimeLimits(limits);

    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, kCannotOpen);
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    EXPECT_EQ(g_language, "Dovra");
    EXPECT_TRUE(g_comm.m_socket.m_bConnected);
    EXPECT_FALSE(connected());
    EXPECT_FALSE(profile.contains(kSection, QStringLiteral("Interface")));
}

TEST_F(MainDialogTest, ConnectAfterASilentPrinterReachesTheSecondPrinterTyped)
{
    PrinterSim silent;
    const QString silentPort = silent.start({"--port", "0", "--silent"}, QStringLiteral("listening on 127.0.0.1:"));
    PrinterSim second;
    const int secondPort = second.startTcp({"--language", "2", "--model", "KX-21"});
    ASSERT_FALSE(silentPort.isEmpty());
    ASSERT_NE(secondPort, 0);
    platform::Network& network = platform::network();
    const platform::TcpTimeLimits limits = network.timeLimits();
    network.setTimeLimits({2000, 200, 2000});

    openDialog();
    chooseEthernet(QStringLiteral("127.0.0.1"), silentPort.toInt());
    connect();
    ASSERT_EQ(messageTexts(), QStringList{kCannotOpen});
    chooseEthernet(QStringLiteral("127.0.0.1"), secondPort);
    connect();
    network.setTimeLimits(limits);

    EXPECT_EQ(messageTexts(), (QStringList{kCannotOpen, kSuccess}));
    EXPECT_TRUE(second.waitForLog("^PI0"));
    EXPECT_EQ(g_language, "Ostrel");
    EXPECT_EQ(g_modelName, "KX-21");
    EXPECT_TRUE(connected());
    EXPECT_EQ(saved("ENet_PortNum"), secondPort);
}

// A printer that ignores the language probe and answers the model query a little late is
// found with the link's shipped limits, and stays "Dovra".
class ProbeIgnoredTest : public MainDialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProbeIgnoredTest, ConnectFindsThePrinterByItsModelAnswer)
{
    PrinterSim sim;
    const int port = sim.startTcp({"--model", "KX-21", "--unanswered", "\\x1b\\xafPEG", "--late",
                                   QStringLiteral("^PI0=%1").arg(GetParam())});
    ASSERT_NE(port, 0);

    openDialog();
    chooseEthernet(QStringLiteral("127.0.0.1"), port);
    connect();

    EXPECT_EQ(messageTexts(), QStringList{kSuccess}) << sim.log().toStdString();
    EXPECT_EQ(g_language, "Dovra");
    EXPECT_EQ(g_modelName, "KX-21");
    EXPECT_TRUE(connected());
}

INSTANTIATE_TEST_SUITE_P(AnswerAfterMs, ProbeIgnoredTest, ::testing::Values(0, 500, 1000));

struct ProbeCase {
    const char* name;
    QByteArray reply;
    const char* language;
};

class LanguageProbeTest : public MainDialogTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(LanguageProbeTest, OnlyAnExactAnswerChangesDovra)
{
    ztest::FakeNetwork network;
    platform::ScopedService<platform::Network> scope(network);
    network.peer().replies = {GetParam().reply, "KX-21\r\n"};

    openDialog();
    chooseEthernet(QStringLiteral("10.0.0.9"), 9100);
    connect();

    EXPECT_EQ(network.peer().sends.at(0), QByteArray("\x1b\xaf" "PEG", 5));
    EXPECT_EQ(network.peer().sends.at(1), QByteArray("^PI0\r\n"));
    EXPECT_EQ(network.peer().address, "10.0.0.9");
    EXPECT_EQ(g_language, GetParam().language);
    EXPECT_TRUE(connected());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LanguageProbeTest,
    ::testing::Values(ProbeCase{"One", "1", "Dovra"}, ProbeCase{"Two", "2", "Ostrel"},
                      ProbeCase{"Three", "3", "KEFT"}, ProbeCase{"TwoAndCarriageReturn", "2\r", "Dovra"},
                      ProbeCase{"Other", "22", "Dovra"}, ProbeCase{"None", "", "Dovra"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, ReplyNamingNoRowGivesTheGenericNameAndKeepsThePreviousRecord)
{
    ztest::FakeNetwork network;
    platform::ScopedService<platform::Network> scope(network);
    network.peer().replies = {"2", "rn-5\r\n", "2", "XQ-99\r\n"};

    openDialog();
    chooseEthernet(QStringLiteral("10.0.0.9"), 9100);
    connect();
    EXPECT_EQ(g_modelName, "RN-5");
    EXPECT_EQ(g_curModelInfo, record(QStringLiteral("RN-5")));
    click(kDisconnect);

    connect();
    EXPECT_EQ(g_modelName, "VANTO-LABEL");
    EXPECT_EQ(g_curModelInfo, record(QStringLiteral("RN-5")));
    EXPECT_EQ(messageTexts(), (QStringList{kSuccess, kSuccess}));
    EXPECT_TRUE(connected());
}

TEST_F(MainDialogTest, UnparsableTcpPortPromptsAndConnectGoesOnWithThePreviousNumber)
{
    ztest::FakeNetwork network;
    platform::ScopedService<platform::Network> scope(network);
    network.peer().replies = {"2", "KX-21\r\n"};
    profile.setInt(kSection, QStringLiteral("Interface"), 3);
    profile.setInt(kSection, QStringLiteral("ENet_PortNum"), 9200);

    openDialog();
    tcpPort()->clear();
    connect();

    ASSERT_FALSE(hooks.messages().empty());
    EXPECT_EQ(hooks.messages()[0].text, "Enter an integer.");
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    EXPECT_TRUE(messageTexts().contains(kSuccess));
    EXPECT_EQ(network.peer().port, 9200);
    EXPECT_EQ(saved("ENet_PortNum"), 9200);

    // The same failed exchange keeps EXIT from closing the window.
    click(kExit);
    EXPECT_EQ(dlg->endResult(), -1);
}

// ---- Connect through a serial line --------------------------------------------------------

TEST_F(MainDialogTest, ConnectThroughAPseudoTerminalHandsThePortOverFromTheSpooler)
{
    PrinterSim sim;
    const QString pty = sim.start({"--pty", "--language", "2", "--model", "kx-21"}, QStringLiteral("pty: "));
    ASSERT_FALSE(pty.isEmpty());
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM2"), pty);
    profile.setInt(kSection, QStringLiteral("Interface"), 0);
    profile.setInt(kSection, QStringLiteral("COM_PortNum"), 1);
    spooler.ports = {{"Label A", "COM2:"}, {"Label B", "COM2:"}, {"Other", "COM20:"}};
    // A serial line answers only while the link really waits.
    platform::ScopedService<platform::Clock> realClock(platform::defaultService<platform::Clock>());

    openDialog();
    connect();

    EXPECT_EQ(messageTexts(), QStringList{kSuccess});
    EXPECT_EQ(g_comm.m_nPortType, PORT_COM);
    EXPECT_EQ(g_comm.m_nBaudRate, 115200u);
    EXPECT_EQ(g_language, "Ostrel");
    EXPECT_EQ(g_curModelInfo, record(QStringLiteral("KX-21")));
    EXPECT_EQ(spooler.ports["Label A"], "FILE:");
    EXPECT_EQ(spooler.ports["Label B"], "FILE:");
    EXPECT_EQ(spooler.ports["Other"], "COM20:");
    EXPECT_EQ(saved("COM_PortNum"), 1);

    click(kDisconnect);
    EXPECT_EQ(g_comm.m_hPort, platform::kNoHandle);
    EXPECT_EQ(spooler.ports["Label A"], "COM2:");
    EXPECT_EQ(spooler.ports["Label B"], "COM2:");
    EXPECT_TRUE(dlg->m_mapSavedPrinterPorts.isEmpty());
    EXPECT_EQ(enabledPortControls(), (std::set<int>{kCom, kBaud, kDataBits, kParity, kStopBits}));
}

TEST_F(MainDialogTest, SerialFieldsComeFromTheListIndexesEvenWhenTheListsAreDisabled)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("/nonexistent/tty"));
    openDialog();
    click(kBluetooth);
    combo(kBaud)->setCurrentIndex(1);
    combo(kDataBits)->setCurrentIndex(0);
    combo(kParity)->setCurrentIndex(1);
    combo(kStopBits)->setCurrentIndex(1);
    connect();

    EXPECT_EQ(g_comm.m_strPortName, "COM1:");
    EXPECT_EQ(g_comm.m_nBaudRate, 19200u);
    EXPECT_EQ(g_comm.m_nDataBits, 7u);
    EXPECT_EQ(g_comm.m_nParity, 1u);
    EXPECT_EQ(g_comm.m_nStopBits, 1u);
    EXPECT_EQ(messageTexts(), QStringList{kCannotOpen});
    EXPECT_FALSE(connected());
}

struct MissingPortCase {
    const char* name;
    int interfaceIndex;
    const char* key;
};

class MissingPortTest : public MainDialogTest, public ::testing::WithParamInterface<MissingPortCase> {};

TEST_P(MissingPortTest, SavedIndexOutsideItsListReportsThatThereIsNoPortToOpen)
{
    profile.setInt(kSection, QStringLiteral("Interface"), GetParam().interfaceIndex);
    profile.setInt(kSection, QString::fromLatin1(GetParam().key), 40);
    spooler.ports = {{"Label", "COM1:"}, {"Lpt", "LPT1:"}};

    openDialog();
    connect();

    EXPECT_EQ(messageTexts(), QStringList{kCannotOpen});
    EXPECT_TRUE(spooler.writes.empty());
    EXPECT_FALSE(connected());
    EXPECT_FALSE(profile.contains(kSection, QStringLiteral("COM_Baudrate")));
}

INSTANTIATE_TEST_SUITE_P(Lists, MissingPortTest,
                         ::testing::Values(MissingPortCase{"Com", 0, "COM_PortNum"},
                                           MissingPortCase{"Bluetooth", 4, "COM_PortNum"},
                                           MissingPortCase{"Lpt", 1, "LPT_PortNum"},
                                           MissingPortCase{"NoInterface", 7, "LPT_PortNum"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- spooler hand-over --------------------------------------------------------------------

TEST_F(MainDialogTest, FailedOpenKeepsTheHandOverUntilExitGivesThePortsBack)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM3"), QStringLiteral("/nonexistent/tty"));
    profile.setInt(kSection, QStringLiteral("Interface"), 0);
    profile.setInt(kSection, QStringLiteral("COM_PortNum"), 2);
    spooler.ports = {{"Label A", "COM3:"}, {"Label B", "COM3:,COM4:"}, {"Other", "COM30:"}};

    openDialog();
    connect();
    EXPECT_EQ(messageTexts(), QStringList{kCannotOpen});
    EXPECT_EQ(spooler.ports["Label A"], "FILE:");
    EXPECT_EQ(spooler.ports["Label B"], "FILE:");
    EXPECT_EQ(spooler.ports["Other"], "COM30:");  // "COM3:" is not in "COM30:"

    click(kExit);
    EXPECT_EQ(dlg->endResult(), ui::IDOK);
    EXPECT_EQ(spooler.ports["Label A"], "COM3:");
    EXPECT_EQ(spooler.ports["Label B"], "COM3:,COM4:");
}

TEST_F(MainDialogTest, AfterOneFailureTheRestAreRememberedButLeftAlone)
{
    spooler.ports = {{"A", "LPT1:"}, {"B", "LPT1:"}, {"C", "LPT1:"}};
    spooler.failWrite = {"B"};
    openDialog();

    dlg->ReleasePortFromSpooler(QStringLiteral("LPT1:"));
    EXPECT_EQ(spooler.writes, (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(spooler.ports["A"], "FILE:");
    EXPECT_EQ(spooler.ports["C"], "LPT1:");
    EXPECT_EQ(dlg->m_mapSavedPrinterPorts.size(), 3);

    spooler.writes.clear();
    dlg->RestoreSpoolerPorts();
    EXPECT_EQ(spooler.writes, (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(spooler.ports["A"], "LPT1:");
    // B and C were not given back: they are kept for the next pass.
    EXPECT_EQ(dlg->m_mapSavedPrinterPorts.keys(), (QStringList{"B", "C"}));

    spooler.failWrite.clear();
    spooler.writes.clear();
    dlg->RestoreSpoolerPorts();
    EXPECT_EQ(spooler.writes, (std::vector<QString>{"B", "C"}));
    EXPECT_EQ(spooler.ports["C"], "LPT1:");
    EXPECT_TRUE(dlg->m_mapSavedPrinterPorts.isEmpty());
}

struct DisconnectCase {
    const char* name;
    std::int32_t portType;
    bool givesPortsBack;
};

class DisconnectTest : public MainDialogTest, public ::testing::WithParamInterface<DisconnectCase> {};

TEST_P(DisconnectTest, OnlySerialAndParallelLinksGiveTheSpoolerPortsBack)
{
    spooler.ports = {{"Label", "LPT2:"}};
    openDialog();
    dlg->ReleasePortFromSpooler(QStringLiteral("LPT2:"));
    g_comm.m_nPortType = GetParam().portType;

    dlg->OnDisconnect();

    EXPECT_EQ(spooler.ports["Label"], GetParam().givesPortsBack ? "LPT2:" : "FILE:");
    EXPECT_EQ(dlg->m_mapSavedPrinterPorts.isEmpty(), GetParam().givesPortsBack);
    EXPECT_FALSE(connected());
}

INSTANTIATE_TEST_SUITE_P(Links, DisconnectTest,
                         ::testing::Values(DisconnectCase{"Parallel", PORT_LPT, true},
                                           DisconnectCase{"Serial", PORT_COM, true},
                                           DisconnectCase{"Usb", PORT_USB, false},
                                           DisconnectCase{"Tcp", PORT_ETHERNET, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    const char* name;
    int key;
    int result;
};

class EnterEscTest : public MainDialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EnterEscTest, EndsTheDialogWithoutGivingThePortsBackUntilItIsDestroyed)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("/nonexistent/tty"));
    profile.setInt(kSection, QStringLiteral("Interface"), 0);
    spooler.ports = {{"Label", "COM1:"}};
    openDialog();
    connect();

    QKeyEvent press(QEvent::KeyPress, GetParam().key, Qt::NoModifier);
    QApplication::sendEvent(dlg.get(), &press);
    EXPECT_EQ(dlg->endResult(), GetParam().result);
    EXPECT_EQ(spooler.ports["Label"], "FILE:");

    dlg.reset();
    EXPECT_EQ(spooler.ports["Label"], "COM1:");
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterEscTest,
                         ::testing::Values(KeyCase{"Enter", Qt::Key_Return, ui::IDOK},
                                           KeyCase{"Esc", Qt::Key_Escape, ui::IDCANCEL}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the caption-less window --------------------------------------------------------------

struct DragCase {
    const char* name;
    bool onBanner;  // else on the dialog below it
    QPoint pressAt;
    bool moves;
};

class DragTest : public MainDialogTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragTest, DraggingTheBannerMovesTheWindow)
{
    openDialog();
    dlg->move(100, 100);
    dlg->show();
    const QPoint start = dlg->pos();
    QWidget* target = GetParam().onBanner ? static_cast<QWidget*>(dlg->m_wndCaption) : dlg.get();
    const QPointF local = GetParam().pressAt;
    const QPointF global = target->mapToGlobal(local);
    const QPointF delta(30, 20);

    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + delta, global + delta, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);

    EXPECT_EQ(dlg->pos(), GetParam().moves ? start + delta.toPoint() : start);
    dlg->hide();
}

INSTANTIATE_TEST_SUITE_P(Points, DragTest,
                         ::testing::Values(DragCase{"BannerLeft", true, {3, 3}, true},
                                           DragCase{"BannerRight", true, {600, 30}, true},
                                           DragCase{"BelowTheBanner", false, {8, 300}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, OnlyPointsOverTheBannerAnswerCaption)
{
    openDialog();
    const QSize banner = dlg->m_wndCaption->size();
    EXPECT_EQ(dlg->OnNcHitTest({0, 0}), CZentrovaDlg::HTCAPTION);
    EXPECT_EQ(dlg->OnNcHitTest({banner.width() - 1, banner.height() - 1}), CZentrovaDlg::HTCAPTION);
    EXPECT_EQ(dlg->OnNcHitTest({10, banner.height()}), CZentrovaDlg::HTCLIENT);
    EXPECT_EQ(dlg->OnNcHitTest({300, 300}), CZentrovaDlg::HTCLIENT);
}

}  // namespace
