#include "PageFixture.h"

#include "maintenance/CUserSetting_ZII_SerialTab.h"

#include <random>

namespace {

constexpr int kSerialBox = 1100, kBluetoothBox = 1101, kDongleBox = 1134;
constexpr int kBaud = 1067, kDataBits = 1068, kParity = 1069, kStopBits = 1070, kProtocol = 1071;
constexpr int kName = 1130, kEncryption = 1074, kConnection = 1072, kRole = 1075, kSsp = 1073;
constexpr int kPin = 1131, kMac = 1132, kMacCaption = 1135;
constexpr int kDefault = 1152, kGet = 1002, kSet = 1003;

const QString kSetOk = QStringLiteral("Set serial communication status is successful");
const QString kTurnOffOn = QStringLiteral("Please, turn off the printer and turn on the printer");
const QString kSetFailed = QStringLiteral("Set serial communication status is failed");

class InterfacePageTest : public PageTest {
protected:
    std::unique_ptr<CUserSetting_ZII_SerialTab> page()
    {
        return makePage<CUserSetting_ZII_SerialTab>();
    }
    QStringList serialChoices(ui::Dialog& p)
    {
        return {choice(p, kBaud), choice(p, kDataBits), choice(p, kParity), choice(p, kStopBits),
                choice(p, kProtocol)};
    }
};

TEST_F(InterfacePageTest, OpensWithEverythingDisabledButGetDefaultAndTheBoxes)
{
    record.m_bUsbDongle = 0;
    auto p = page();
    for (int id : {kBaud, kDataBits, kParity, kStopBits, kProtocol, kName, kEncryption,
                   kConnection, kRole, kSsp, kPin, kMac, kSet})
        EXPECT_FALSE(enabled(*p, id)) << id;
    for (int id : {kSerialBox, kBluetoothBox, kGet, kDefault})
        EXPECT_TRUE(enabled(*p, id)) << id;
    EXPECT_FALSE(enabled(*p, kDongleBox));
    EXPECT_EQ(p->item<QComboBox>(kBaud)->count(), 7);
    EXPECT_EQ(serialChoices(*p), QStringList(5, QString()));
    click(*p, kGet);  // no box checked: nothing happens
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_FALSE(enabled(*p, kSet));

    record.m_nMenuViewId = 201;
    record.m_bUsbDongle = 1;
    auto p201 = page();
    EXPECT_FALSE(enabled(*p201, kSerialBox));
    EXPECT_TRUE(enabled(*p201, kDongleBox));
}

TEST_F(InterfacePageTest, GetReadsTheSerialParametersFromQuery0B)
{
    auto p = page();
    check(*p, kSerialBox);
    reply("ZZ 19200,7,E,2,R");
    click(*p, kGet);
    EXPECT_EQ(sent(), hex("1b1c3f0b"));
    EXPECT_EQ(pageWaits(), (std::vector<int>{30, 30, 30}));
    EXPECT_EQ(serialChoices(*p), (QStringList{"19200", "7", "Even", "2", "Hardware"}));
    EXPECT_TRUE(enabled(*p, kBaud));
    EXPECT_TRUE(enabled(*p, kSet));
    EXPECT_FALSE(enabled(*p, kName));

    // No digit, numbers outside the lists and no reply at all change nothing.
    for (const QByteArray& bad : {QByteArray("N,E,X"), QByteArray("4800,9,Q,3,Z")}) {
        reply(bad);
        click(*p, kGet);
        EXPECT_EQ(serialChoices(*p), (QStringList{"19200", "7", "Even", "2", "Hardware"}));
    }
    noReply();
    click(*p, kGet);
    EXPECT_EQ(serialChoices(*p), (QStringList{"19200", "7", "Even", "2", "Hardware"}));
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(InterfacePageTest, SetSendsTheScTextAndShowsBothMessages)
{
    auto p = page();
    check(*p, kSerialBox);
    reply("9600,8,N,1,X");
    click(*p, kGet);
    EXPECT_EQ(serialChoices(*p), (QStringList{"9600", "8", "None", "1", "Software"}));
    pick(*p, kParity, QStringLiteral("Odd"));
    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("^XA^SC9600,8,O,1,X,N^JUS^XZ\r\n"));
    EXPECT_EQ(messageTexts(), (QStringList{kSetOk, kTurnOffOn}));
    EXPECT_EQ(hooks.messages()[1].icon, platform::AlertIcon::Information);
}

TEST_F(InterfacePageTest, SetWithASerialListUnchosenSendsNothingAndSaysSo)
{
    auto p = page();
    check(*p, kBluetoothBox);
    click(*p, kDefault);  // enables Set, the serial lists stay unchosen
    check(*p, kBluetoothBox, false);
    check(*p, kSerialBox);
    clearSent();
    click(*p, kSet);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(messageTexts(), QStringList{kSetFailed});
}

TEST_F(InterfacePageTest, DefaultSettingChoosesTheDefaultsAndAsksOnlyTheModelName)
{
    auto p = page();
    check(*p, kSerialBox);
    type(*p, kMac, QStringLiteral("00:11"));
    click(*p, kDefault);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(serialChoices(*p), (QStringList{"115200", "8", "None", "1", "Hardware"}));
    EXPECT_TRUE(p->GetDlgItemText(kMac).isEmpty());

    check(*p, kBluetoothBox);
    reply("KX-21\r\n");
    click(*p, kDefault);
    EXPECT_EQ(sent(), QByteArray("^PI0\r\n"));
    EXPECT_EQ(p->m_strDeviceName, QStringLiteral("KX-21"));  // its line end would break the record
    EXPECT_EQ(choice(*p, kEncryption), QStringLiteral("Enable"));
    EXPECT_EQ(choice(*p, kConnection), QStringLiteral("Mode 2"));
    EXPECT_EQ(choice(*p, kSsp), QStringLiteral("Disable"));
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("9173"));
}

TEST_F(InterfacePageTest, DongleReadAndWrite)
{
    record.m_bUsbDongle = 1;
    auto p = page();
    check(*p, kBluetoothBox);
    check(*p, kDongleBox);
    EXPECT_FALSE(p->GetDlgItem(kMac)->isVisibleTo(&host));
    EXPECT_FALSE(p->GetDlgItem(kMacCaption)->isVisibleTo(&host));
    for (const char* r : {"PRN-01", "1", "5678", "2"})
        reply(r);
    click(*p, kGet);
    EXPECT_EQ(sent(), hex("1b1c4f01" "1b1c4f03" "1b1c4f02" "1b1c4f04"));
    EXPECT_EQ(p->GetDlgItemText(kName), QStringLiteral("PRN-01"));
    EXPECT_EQ(choice(*p, kEncryption), QStringLiteral("Enable"));
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("5678"));
    EXPECT_EQ(choice(*p, kConnection), QStringLiteral("Mode 3"));
    EXPECT_EQ(choice(*p, kSsp), QStringLiteral("Disable"));
    EXPECT_EQ(choice(*p, kRole), QStringLiteral("Classic"));
    EXPECT_FALSE(enabled(*p, kSsp));
    EXPECT_FALSE(enabled(*p, kRole));
    EXPECT_EQ(pageWaits(), (std::vector<int>{30, 70, 70, 70, 70, 30}));

    type(*p, kName, QStringLiteral("PRINTER-9"));
    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1b\x1cJ\x01\x09PRINTER-9" "\x1b\x1cJ\x03" "1"
                                 "\x1b\x1cJ\x02" "5678" "\x1b\x1cJ\x04" "2"));
    EXPECT_TRUE(pageWaits().empty());
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(InterfacePageTest, Family101ModuleReadAndWrite)
{
    auto p = page();
    check(*p, kBluetoothBox);
    for (const char* r : {"7BdPRN-01", "1", "1234", "3", "1", "00:1B:35"})
        reply(r);
    click(*p, kGet);
    EXPECT_EQ(sent(), hex("1f1f6964" "1f1f6973" "1f1f696b" "1f1f6963" "1f1f694c" "1f1f696d"));
    EXPECT_EQ(p->GetDlgItemText(kName), QStringLiteral("PRN-01"));
    EXPECT_EQ(choice(*p, kConnection), QStringLiteral("Mode 3"));
    EXPECT_EQ(choice(*p, kRole), QStringLiteral("BLE"));
    EXPECT_TRUE(enabled(*p, kRole));
    EXPECT_EQ(p->GetDlgItemText(kMac), QStringLiteral("00:1B:35"));
    EXPECT_EQ(choice(*p, kSsp), QString());  // the module does not tell it

    // Without an SSP choice the 'x' record is left out; the module still gets its pauses.
    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1f\x1fp13" "1234\rPRN-01\r0" "\x1f\x1fl1"));
    EXPECT_EQ(pageWaits(), (std::vector<int>{3000, 2500}));

    pick(*p, kSsp, QStringLiteral("Just Works"));
    EXPECT_FALSE(enabled(*p, kPin));
    clearSent();
    click(*p, kSet);
    EXPECT_TRUE(sent().contains(QByteArray("\x1f\x1fx1\r")));

    // An unknown role byte chooses Classic and disables the role list.
    for (int i = 0; i < 4; ++i)
        noReply();
    reply("9");
    noReply();
    click(*p, kGet);
    EXPECT_EQ(choice(*p, kRole), QStringLiteral("Classic"));
    EXPECT_FALSE(enabled(*p, kRole));
}

TEST_F(InterfacePageTest, Family201ModuleUsesParametersForRoleAndPairing)
{
    record.m_nMenuViewId = 201;
    auto p = page();
    check(*p, kBluetoothBox);
    for (const char* r : {"PRN-2", "0", "0000", "2"})
        reply(r);
    reply(QByteArray("\x00", 1));
    reply(QByteArray("\x01", 1));
    reply("AA:BB");
    click(*p, kGet);
    EXPECT_EQ(sent(), hex("1f1f6964" "1f1f6973" "1f1f696b" "1f1f6963" "1b191a18" "1b191a19" "1f1f696d"));
    auto* ssp = p->item<QComboBox>(kSsp);
    ASSERT_EQ(ssp->count(), 2);
    EXPECT_EQ(ssp->itemText(0), QStringLiteral("PIN Code Mode"));
    EXPECT_EQ(choice(*p, kSsp), QStringLiteral("SSP Mode"));
    EXPECT_FALSE(enabled(*p, kPin));
    EXPECT_EQ(choice(*p, kRole), QStringLiteral("Classic"));
    EXPECT_EQ(choice(*p, kEncryption), QStringLiteral("Disable"));
    pick(*p, kSsp, QStringLiteral("PIN Code Mode"));
    EXPECT_TRUE(enabled(*p, kPin));
    pick(*p, kRole, QStringLiteral("BLE"));

    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1f\x1fp02" "0000\rPRN-2\r") + hex("1b19191900" "1b19191801" "1b19191900"));
    EXPECT_TRUE(pageWaits().empty());
}

// Types as the operator does: each key goes through the edit's own limit.
void typeKeys(ui::Dialog& p, int id, const QString& keys)
{
    for (QChar key : keys)
        p.item<QLineEdit>(id)->insert(QString(key));
}

TEST_F(InterfacePageTest, PinTakesFourCharactersAsTyped)
{
    auto p = page();
    check(*p, kBluetoothBox);
    click(*p, kDefault);
    p->item<QLineEdit>(kPin)->clear();
    typeKeys(*p, kPin, QStringLiteral("123456"));
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("1234"));
    p->item<QLineEdit>(kPin)->clear();
    p->item<QLineEdit>(kPin)->insert(QStringLiteral("98765"));  // pasted
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("9876"));
}

TEST_F(InterfacePageTest, ALongerPinFromTheModuleIsShownAndOnlyItsRecordLeftOut)
{
    auto p = page();
    check(*p, kBluetoothBox);
    for (const char* r : {"PRN", "1", "123456", "1", "0", "M"})
        reply(r);
    click(*p, kGet);
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("123456"));
    // Typing cannot make it longer; deleting still works.
    typeKeys(*p, kPin, QStringLiteral("7"));
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("123456"));
    pick(*p, kSsp, QStringLiteral("Just Works"));
    clearSent();
    click(*p, kSet);
    // The 'p' record has no room for the PIN; the SSP and role records still go.
    EXPECT_EQ(sent(), QByteArray("\x1f\x1fx1\r" "\x1f\x1fl0"));
    EXPECT_EQ(pageWaits(), (std::vector<int>{3000, 2500}));
    ASSERT_FALSE(messageTexts().isEmpty());
    EXPECT_EQ(messageTexts(), QStringList(messageTexts().size(), "Enter no more than 4 characters."));
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("123456"));
}

TEST_F(InterfacePageTest, ALongerPinFromTheDongleIsSentAsText)
{
    record.m_bUsbDongle = 1;
    auto p = page();
    check(*p, kBluetoothBox);
    check(*p, kDongleBox);
    for (const char* r : {"PRN-01", "1", "123456", "2"})
        reply(r);
    click(*p, kGet);
    EXPECT_EQ(p->GetDlgItemText(kPin), QStringLiteral("123456"));
    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1b\x1cJ\x01\x06PRN-01" "\x1b\x1cJ\x03" "1"
                                 "\x1b\x1cJ\x02" "123456" "\x1b\x1cJ\x04" "2"));
    // Each of the Set's three data exchanges names the limit.
    EXPECT_EQ(messageTexts(), QStringList(3, "Enter no more than 4 characters."));
}

// Lists the module read leaves unchosen: the records that would carry them stay unsent;
// the role record sends Classic for anything but "BLE".
TEST_F(InterfacePageTest, ModuleSetLeavesOutTheRecordsOfListsNeverChosen)
{
    auto p = page();
    check(*p, kBluetoothBox);
    for (int i = 0; i < 6; ++i)
        noReply();
    click(*p, kGet);
    ASSERT_EQ(choice(*p, kEncryption), QString());
    ASSERT_EQ(choice(*p, kRole), QString());
    clearSent();
    click(*p, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1f\x1fl0"));

    printer->replies.clear();
    record.m_bUsbDongle = 1;
    auto dongle = page();
    check(*dongle, kBluetoothBox);
    check(*dongle, kDongleBox);
    for (int i = 0; i < 4; ++i)
        noReply();
    click(*dongle, kGet);
    clearSent();
    click(*dongle, kSet);
    EXPECT_EQ(sent(), QByteArray("\x1b\x1cJ\x01\x00" "\x1b\x1cJ\x02", 9));
}

// Random replies to every query of the page: the fields change only as a valid reply says.
TEST_F(InterfacePageTest, RandomRepliesNeverLeaveTheLists)
{
    std::mt19937 random(1400);
    for (int family : {101, 201}) {
        record.m_nMenuViewId = family;
        auto p = page();
        check(*p, kSerialBox, family == 101);
        check(*p, kBluetoothBox);
        for (int length = 0; length <= 300; length += 7) {
            for (int q = 0; q < 8; ++q) {
                QByteArray bytes(length, Qt::Uninitialized);
                for (char& b : bytes)
                    b = static_cast<char>(random() % 3 == 0 ? "0123,NEOXDR7Bd"[random() % 14] : random());
                reply(bytes);
            }
            click(*p, kGet);
            for (int id : {kBaud, kDataBits, kParity, kStopBits, kProtocol, kEncryption, kConnection, kRole, kSsp}) {
                auto* list = p->item<QComboBox>(id);
                EXPECT_LT(list->currentIndex(), list->count()) << id;
                EXPECT_GE(list->currentIndex(), -1) << id;
            }
            EXPECT_LE(p->m_strDeviceName.size(), 64);
            printer->replies.clear();
        }
    }
}

}  // namespace
