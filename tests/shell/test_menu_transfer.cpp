// The menu pages open the file transfer and the picture download.
#include "test_main_dialog_fixture.h"

#include "maintenance/CFileTransferDlg.h"
#include "maintenance/CPcxFileDownloaderDlg.h"

using namespace shelltest;

namespace {

struct TransferCase {
    const char* name;
    int menuMode;
    int button;
    bool picture;  // the picture download, else the file transfer
};

void PrintTo(const TransferCase& c, std::ostream* os)
{
    *os << c.name;
}

class MenuTransferTest : public ShellTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(MenuTransferTest, ButtonOpensItsWindow)
{
    g_menuMode = GetParam().menuMode;
    openDialog();
    g_language = QStringLiteral("Ostrel");
    dlg->EnableMenuPage(true);
    QString title;
    if (GetParam().picture)
        hooks.scriptDialog<CPcxFileDownloaderDlg>([&](CPcxFileDownloaderDlg& d) { title = d.windowTitle(); });
    else
        hooks.scriptDialog<CFileTransferDlg>([&](CFileTransferDlg& d) { title = d.windowTitle(); });

    pageButton(GetParam().menuMode, GetParam().button)->click();

    EXPECT_EQ(title, GetParam().picture ? "PCX File Downloader" : "File Transfer");
    EXPECT_EQ(hooks.pendingScripts(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, MenuTransferTest,
                         ::testing::Values(TransferCase{"Page1Picture", 1, 1007, true},
                                           TransferCase{"Page1File", 1, 1019, false},
                                           TransferCase{"Page0Picture", 0, 1007, true},
                                           TransferCase{"Page0File", 0, 1009, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
