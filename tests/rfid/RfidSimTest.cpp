// The simulator's RFID encoder, alone and behind the real windows over loopback TCP.
#include "RfidModule.h"
#include "RfidTestHelpers.h"
#include "SimDispatcher.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "rfid/CRFIDRead.h"
#include "rfid/CRFIDSetting.h"
#include "rfid/CRFIDWriteRead.h"
#include "rfid/CRfidDataGrid.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "tests/workbench/TestCodePage.h"
#include "ui/TestHooks.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <random>

using ztest::click;

namespace {

class RfidModuleTest : public ::testing::Test {
protected:
    std::string send(const std::string& bytes) { return dispatcher.feed(bytes.data(), bytes.size(), state); }

    RfidModule tag;
    SimDispatcher dispatcher{{&tag}};
    SimPrinterState state;
};

TEST_F(RfidModuleTest, WritesAndReadsBack)
{
    EXPECT_EQ(send(">RFW,H,4,3,'A0B1C2'\r"), "");
    EXPECT_EQ(tag.epc[4], 0xA0);
    EXPECT_EQ(tag.epc[6], 0xC2);
    EXPECT_EQ(send(">RFR,H,3,5,S\r"), "00A0B1C200");
    EXPECT_EQ(send(">RFr,A,4,1,S\r"), "\xA0");
    EXPECT_EQ(send(">RFR,H,4,3,P\r"), "");  // printed, not answered
    // User memory, split over chunks.
    EXPECT_EQ(send(">RFW,U,0,2,"), "");
    EXPECT_EQ(send("'BEEF'\r"), "");
    EXPECT_EQ(tag.user[1], 0xEF);
    EXPECT_EQ(send(">RFR,U,0,2,S\r>RFr,u,1,1,S\r"), "BEEFEF");
    // Malformed or out of memory: refused, nothing answered.
    EXPECT_EQ(send(">RFW,H,4,1,'XY'\r>RFR,H,90,10,S\r>RFR,Q,0,1,S\r"), "");
    EXPECT_EQ(tag.epc[4], 0xA0);
    state.silent = true;
    EXPECT_EQ(send(">RFR,H,4,1,S\r"), "");
}

TEST_F(RfidModuleTest, LockedAreasRefuseWrites)
{
    send(">RFLP,L,'08,02,00'\r");  // EPC write lock
    EXPECT_TRUE(tag.locks[RfidModule::EpcMemory].locked);
    send(">RFW,H,4,1,'11'\r");
    EXPECT_EQ(tag.epc[4], 0x00);
    send(">RFW,U,0,1,'22'\r");  // user memory stays open
    EXPECT_EQ(tag.user[0], 0x22);
    send(">RFUL\r");
    send(">RFW,H,4,1,'11'\r");
    EXPECT_EQ(tag.epc[4], 0x11);
    send(">RFLK\r");
    EXPECT_TRUE(tag.locks[RfidModule::UserMemory].locked);
    send(">RFLP,U,'00,80,20'\r");  // unlock user memory through the payload
    EXPECT_FALSE(tag.locks[RfidModule::UserMemory].locked);
    send(">RFLP,L,'0C,03,00'\r");  // EPC permalocked
    EXPECT_TRUE(tag.locks[RfidModule::EpcMemory].permalocked);
    send(">RFUL\r");
    EXPECT_TRUE(tag.locks[RfidModule::EpcMemory].locked);
}

TEST_F(RfidModuleTest, PasswordsAndKill)
{
    send(">RFZ,'5A3C90E1,5A3C90E1,11223344,55667788'\r");
    EXPECT_EQ(tag.accessPassword, "11223344");
    EXPECT_EQ(tag.killPassword, "55667788");
    send(">RFZ,'5A3C90E1,5A3C90E1,AAAAAAAA,BBBBBBBB'\r");  // the current ones no longer match
    EXPECT_EQ(tag.accessPassword, "11223344");
    send(">RFKL\r");
    EXPECT_TRUE(tag.killed);
    EXPECT_EQ(send(">RFR,H,0,2,S\r"), "");
}

TEST_F(RfidModuleTest, EncoderSettingsAndQueries)
{
    EXPECT_EQ(send(">RFI,1\r>RFI,2\r>RFI,3\r>RFI,4\r>RFI,5\r"), "GEN2\r\n16\r\n600\r\n3\r\n2\r\n");
    send(">RFS,2,1,4,20\r>RFTP,450\r");
    EXPECT_EQ(send(">RFI,1\r>RFI,2\r>RFI,3\r>RFI,4\r>RFI,5\r"), "ISO-B\r\n20\r\n450\r\n1\r\n4\r\n");
    send(">RFS,0,5,31\r");  // no tag type: it stays
    EXPECT_EQ(send(">RFI,1\r>RFI,2\r"), "ISO-B\r\n31\r\n");
    EXPECT_EQ(send(">RFI,9\r>RFCP\r"), "");
}

TEST_F(RfidModuleTest, StrayPrefixesNeverStallTheStream)
{
    EXPECT_EQ(send(">RF"), "");
    EXPECT_EQ(send("I,1\r"), "GEN2\r\n");
    // A command that never ends is given up past its bound; what follows is still served.
    EXPECT_EQ(send(">RFW,H,0,1,'" + std::string(500, '0')), "");
    EXPECT_EQ(send("\r>RFI,4\r"), "3\r\n");
    EXPECT_EQ(send(">RFX\r>RFI,5\r"), "2\r\n");
}

TEST_F(RfidModuleTest, RandomBytesAfterEveryMnemonicNeverStall)
{
    std::mt19937 random(1102);
    const char* mnemonics[] = {">RFW,", ">RFR,", ">RFr,", ">RFZ,", ">RFLP,", ">RFS,", ">RFTP,", ">RFI,"};
    for (int length = 0; length <= 100; ++length) {
        for (const char* mnemonic : mnemonics) {
            std::string bytes = mnemonic;
            for (int i = 0; i < length; ++i)
                bytes += static_cast<char>(random() & 0xFF);
            send(bytes + "\r");
        }
    }
    // Whatever came before, a query is answered once its command is whole.
    send(std::string(RfidModule::kMaxCommand, 'x') + "\r");
    EXPECT_FALSE(send(">RFI,5\r").empty());
    EXPECT_EQ(tag.epc.size(), RfidModule::kMemoryBytes);
}

// ---- through the real windows ----------------------------------------------------------

class RfidSimWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = sim.startTcp({QStringLiteral("--model"), QStringLiteral("RN-5")});
        ASSERT_GT(port, 0);
        ASSERT_TRUE(sim.openLink());
    }
    void TearDown() override
    {
        g_comm.MarkTcpForClose();
        g_comm.Close();
        EXPECT_EQ(hooks.pendingScripts(), 0);
    }
    QStringList messageTexts() const { return ztest::messageTexts(hooks); }

    ztest::SimProcess sim;
    int port = 0;
    ztest::TestClock clock;
    TestCodePage codePage;
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::CodePage> codePageScope{codePage};
    ui::TestHooks hooks;
};

TEST_F(RfidSimWindowTest, WriteTwelveBytesThenReadThemBackFromThePopup)
{
    const QString digits = "3034257BF7194E4000001A85";
    CRFIDWriteRead write;
    write.OnInitDialog();
    click(write, 1272);
    click(write, 1084);
    auto* grid = write.findChild<CRfidDataGrid*>();
    for (int i = 0; i < 12; ++i) {
        QLineEdit* cell = grid->cell(4 + i);
        rfidtest::typeKeys(cell, digits.mid(2 * i, 2));
    }
    click(write, 1268);
    EXPECT_EQ(messageTexts(), QStringList{"Writing is success"});
    ASSERT_TRUE(sim.waitForLog("RFID wrote 12 bytes to EPC memory at block 4: " + digits.toLatin1()));

    QStringList shown;
    hooks.scriptDialog<CRFIDRead>([&](CRFIDRead& read) {
        click(read, 1264);
        auto* readGrid = read.findChild<CRfidDataGrid*>();
        for (int i = 0; i < CRfidDataGrid::kCells; ++i)
            shown << readGrid->cell(i)->text();
        click(read, ui::IDOK);
    });
    click(write, 1429);
    ASSERT_EQ(shown.size(), 64);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(shown[4 + i], digits.mid(2 * i, 2)) << i;
    EXPECT_EQ(shown[3], "-");
    EXPECT_EQ(shown[16], "-");
    EXPECT_EQ(messageTexts().last(), "Reading data is successful");
    EXPECT_TRUE(sim.waitForLog("RFID read EPC memory at block 4, 12 bytes: " + digits.toLatin1()));
}

TEST_F(RfidSimWindowTest, ConfigurationSurvivesAReopening)
{
    {
        CRFIDSetting dlg;
        dlg.OnInitDialog();
        click(dlg, 1002);
        EXPECT_EQ(dlg.GetDlgItemText(1256), "16");
        ztest::choose(dlg, 1255, "ISO-B");
        ztest::choose(dlg, 1259, "7");
        dlg.item<QLineEdit>(1237)->setText("480");
        click(dlg, 1003);
    }
    ASSERT_TRUE(sim.waitForLog("RFID transponder position set to \"480\""));
    CRFIDSetting again;
    again.OnInitDialog();
    click(again, 1002);
    EXPECT_EQ(again.GetDlgItemText(1255), "ISO-B");
    EXPECT_EQ(again.GetDlgItemText(1259), "7");
    EXPECT_EQ(again.GetDlgItemText(1237), "480");
    EXPECT_EQ(messageTexts(), QStringList({"Get RFID setting is successful",
                                           "Set RFID setting is successful",
                                           "Get RFID setting is successful"}));
}

}  // namespace
