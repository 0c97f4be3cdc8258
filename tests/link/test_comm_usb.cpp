// Finding a USB printer of a listed model, the per-operation open and the hold.
#include "LinkFixture.h"

#include "core/ModelTable.h"
#include "tests/support/FakeUsbPrinters.h"

#include <stdexcept>

namespace {

const QString kClassId = QStringLiteral("{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");

// The interface path of a printer of `model` (a row of the table).
QString pathOf(const QString& model, const QString& instance)
{
    _VANTOPRT_INFO* info = nullptr;
    if (!g_modelTable.Lookup(model, info))
        throw std::logic_error("no model row");
    return QStringLiteral("\\\\?\\usb#vid_%1&pid_%2#%3#").arg(info->m_strVid.toLower(), info->m_strPid.toLower(), instance)
           + kClassId;
}

QString transferPath(const QString& path)
{
    return path + QStringLiteral("\\USB0/4");
}

class CommUsbTest : public LinkTest {
protected:
    void SetUp() override
    {
        BuildModelTable();
        comm.SetPortName(QStringLiteral("USB"));
    }
    void TearDown() override { ClearModelTable(); }

    // A present printer: the interface and the device behind both of its paths.
    ztest::FakeDevice& addPrinter(const QString& path)
    {
        usb.addInterface(path);
        ztest::FakeDevice& device = io.addDevice(path);
        io.addAlias(transferPath(path), path);
        return device;
    }

    ztest::FakeUsbPrinters usb;
    platform::ScopedService<platform::UsbPrinters> usbScope{usb};
};

TEST_F(CommUsbTest, EachWriteFindsOpensWritesAndClosesThePrinter)
{
    const QString path = pathOf(QStringLiteral("KX-21"), QStringLiteral("A1"));
    ztest::FakeDevice& printer = addPrinter(path);
    ASSERT_TRUE(comm.Open());  // as Connect proves the printer is there
    comm.Close();
    EXPECT_EQ(comm.m_nPortType, PORT_USB);
    printer.calls.clear();

    EXPECT_EQ(comm.Write("~HS", 3), 1);
    EXPECT_EQ(printer.written, QByteArray("~HS"));
    EXPECT_EQ(printer.calls, (QStringList{"open(Shared)", "close()", "open(Exclusive)", "write(3)", "close()"}));
    EXPECT_EQ(io.openRequests().mid(2), (QStringList{path, transferPath(path)}));
    EXPECT_EQ(QString::fromLatin1(comm.m_szUsbPath), transferPath(path));
    EXPECT_EQ(comm.m_hPort, platform::kNoHandle);

    printer.calls.clear();
    printer.replies = {"R"};
    char reply[8];
    EXPECT_EQ(comm.Read(reply, sizeof reply), 1);
    EXPECT_EQ(printer.calls, (QStringList{"open(Shared)", "close()", "open(Exclusive)", "read(8)", "close()"}));
    EXPECT_EQ(usb.enumerations(), 3);
}

TEST_F(CommUsbTest, FirstInterfaceOfAListedModelIsChosen)
{
    const QString kx22 = pathOf(QStringLiteral("KX-22"), QStringLiteral("B2"));
    const QString pv7 = pathOf(QStringLiteral("PV-7"), QStringLiteral("C3"));
    const QString unlisted = QStringLiteral("\\\\?\\usb#vid_1234&pid_5678#D4#") + kClassId;
    const QString upper = kx22.toUpper();
    const QString tooLong = pathOf(QStringLiteral("KX-24"), QString(240, u'x'));
    const QString emptyIds = QStringLiteral("\\\\?\\usb#vid_&pid_");  // the key of a row without ids

    const struct {
        const char* what;
        std::vector<QString> interfaces;  // empty text: an interface the system fails to report
        QString refused;                  // cannot be opened
        QString expected;                 // empty: none found
    } cases[] = {
        {"one listed", {kx22}, {}, kx22},
        {"unlisted first", {unlisted, pv7}, {}, pv7},
        {"two listed", {pv7, kx22}, {}, pv7},
        {"case ignored", {upper}, {}, upper},
        {"unreported interface skipped", {QString(), kx22}, {}, kx22},
        {"probe open refused", {pv7, kx22}, pv7, kx22},
        {"only unlisted", {unlisted}, {}, {}},
        {"row without ids", {emptyIds}, {}, {}},
        {"path too long to hold", {tooLong}, {}, {}},
        {"path too short", {QStringLiteral("\\\\?\\usb#vid_0a21")}, {}, {}},
        {"no printer", {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        usb.clear();
        for (const QString& path : c.interfaces) {
            if (path.isEmpty())
                usb.addUnreadableInterface();
            else
                addPrinter(path).refuseOpen = path == c.refused;
        }

        const bool found = comm.Open();
        EXPECT_EQ(found, !c.expected.isEmpty());
        if (found) {
            EXPECT_EQ(io.openRequests().last(), transferPath(c.expected));
            EXPECT_TRUE(io.isOpen(c.expected));
            EXPECT_EQ(io.openHandleCount(), 1);  // the probe is closed
        } else {
            EXPECT_EQ(comm.m_hPort, platform::kInvalidHandle);
            EXPECT_EQ(io.openHandleCount(), 0);
        }
        comm.Close();
        EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
    }
}

// A device set that fails to report every interface and never reports its end (it gives
// up by itself far beyond any real set, so the test ends either way).
class EndlessInterfaces : public platform::UsbPrinters {
public:
    static constexpr int kGiveUp = 1000000;
    int asked = 0;

    std::unique_ptr<platform::UsbInterfaceSet> presentInterfaces() override
    {
        struct Set : platform::UsbInterfaceSet {
            explicit Set(int& asked) : asked(asked) {}
            platform::UsbEnumResult interfacePath(int, QString*) override
            {
                return ++asked < kGiveUp ? platform::UsbEnumResult::Failed : platform::UsbEnumResult::NoMoreItems;
            }
            int& asked;
        };
        return std::make_unique<Set>(asked);
    }
    QString deviceNode(const QString&) override { return QString(); }
};

TEST_F(CommUsbTest, WalkOfASetThatNeverEndsGivesUp)
{
    EndlessInterfaces endless;
    platform::ScopedService<platform::UsbPrinters> scope(endless);
    EXPECT_FALSE(comm.Open());
    EXPECT_EQ(comm.m_hPort, platform::kInvalidHandle);
    EXPECT_LT(endless.asked, EndlessInterfaces::kGiveUp);
}

TEST_F(CommUsbTest, PrinterHeldByAnotherProgramIsNotOpened)
{
    const QString path = pathOf(QStringLiteral("KX-30"), QStringLiteral("E5"));
    addPrinter(path);
    const platform::Handle other = io.open(path, platform::ShareMode::Shared);

    EXPECT_FALSE(comm.Open());
    EXPECT_EQ(comm.m_hPort, platform::kInvalidHandle);
    io.close(other);
}

TEST_F(CommUsbTest, WithoutPrinterReadIsSilentAndWriteEndsTheProgram)
{
    EXPECT_FALSE(comm.Open());
    EXPECT_EQ(comm.m_hPort, platform::kInvalidHandle);

    char reply[4];
    EXPECT_EQ(comm.Read(reply, sizeof reply), 0);
    EXPECT_TRUE(alerts.alerts().empty());
    expectFatal([&] { comm.WriteString(QStringLiteral("~HS"), 3); });
}

TEST_F(CommUsbTest, HoldKeepsOneHandleForTheWholeTransfer)
{
    const QString path = pathOf(QStringLiteral("PV-9"), QStringLiteral("F6"));
    ztest::FakeDevice& printer = addPrinter(path);

    comm.m_bUsbHold = true;
    ASSERT_TRUE(comm.Open());
    const platform::Handle held = comm.m_hPort;
    EXPECT_EQ(comm.Write("IS", 2), 1);
    EXPECT_EQ(comm.WriteString(QStringLiteral("PCX"), 3), 1);
    EXPECT_EQ(comm.m_hPort, held);
    EXPECT_EQ(printer.calls, (QStringList{"open(Shared)", "close()", "open(Exclusive)", "write(2)", "write(3)"}));

    comm.m_bUsbHold = false;
    comm.Close();
    EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
    EXPECT_FALSE(io.isOpen(path));
    EXPECT_EQ(printer.written, QByteArray("ISPCX"));
}

}  // namespace
