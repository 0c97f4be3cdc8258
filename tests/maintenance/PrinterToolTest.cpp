// The printer tools on a fake serial printer and a fake TCP link.
#include "tests/workbench/WorkbenchFixture.h"

#include "maintenance/CPrinterTool_ZII_Dlg.h"

#include <QGroupBox>

namespace {

const QString kNotOnEthernet = QStringLiteral("Not supported on Ethernet connection.");

struct ToolCase {
    int id;
    const char* caption;
    QByteArray bytes;
    bool refusedOnEthernet;
};

const ToolCase kTools[] = {
    {1201, "Configuration", QByteArray::fromHex("7e57430d0a"), false},
    {1202, "Object list", "^XA^WD*:*.*^XZ\r\n", false},
    {1203, "Calibrate media", "~JC\r\n", false},
    {1204, "Factory reset", "^XA^JUF^XZ\r\n", false},
    {1205, "Enter diagnostics mode", "~JD\r\n", true},
    {1206, "Exit diagnostics mode", "~JE\r\n", true},
};

class PrinterToolTest : public WorkbenchTest {
protected:
    CPrinterTool_ZII_Dlg tools;
};

TEST_F(PrinterToolTest, EachButtonWritesItsCommandInOneWrite)
{
    EXPECT_EQ(tools.windowTitle(), "Printer Tools");
    for (const ToolCase& t : kTools) {
        SCOPED_TRACE(t.caption);
        EXPECT_EQ(text(tools, t.id), t.caption);
        printer->writes.clear();
        click(tools, t.id);
        ASSERT_EQ(printer->writes.size(), 1u);
        EXPECT_EQ(printer->writes[0], t.bytes);
    }
    // Twice is twice, with no question in between.
    printer->written.clear();
    click(tools, 1204);
    click(tools, 1204);
    EXPECT_EQ(printer->written, "^XA^JUF^XZ\r\n^XA^JUF^XZ\r\n");
    EXPECT_TRUE(hooks.messages().empty());
    EXPECT_TRUE(clock.sleeps().empty());

    // The two buttons nothing shows.
    for (int id : {1207, 1208}) {
        EXPECT_FALSE(tools.GetDlgItem(id)->isVisibleTo(&tools));
        EXPECT_FALSE(tools.GetDlgItem(id)->isEnabled());
    }
    QStringList groups;
    for (auto* g : tools.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_EQ(groups, (QStringList{"   Print", "   Action"}));
}

TEST_F(PrinterToolTest, OnlyTheDiagnosticsCommandsAreRefusedOnEthernet)
{
    useTcp();
    for (const ToolCase& t : kTools) {
        SCOPED_TRACE(t.caption);
        hooks.clearMessages();
        network.peer().received.clear();
        click(tools, t.id);
        if (t.refusedOnEthernet) {
            EXPECT_EQ(messageTexts(), QStringList{kNotOnEthernet});
            EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
            EXPECT_TRUE(network.peer().received.isEmpty());
        } else {
            EXPECT_TRUE(hooks.messages().empty());
            EXPECT_EQ(network.peer().received, t.bytes);
        }
    }
}

TEST_F(PrinterToolTest, CloseEndsWithOk)
{
    hooks.scriptDialog<CPrinterTool_ZII_Dlg>([](CPrinterTool_ZII_Dlg& d) { click(d, ui::IDOK); });
    EXPECT_EQ(tools.DoModal(), ui::IDOK);
}

}  // namespace
