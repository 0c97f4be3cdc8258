// Start-up and exit of the application, and the version texts of the window titles.
#include "test_main_dialog_fixture.h"

#include "shell/CPrefsStatic.h"
#include "shell/CZentrovaApp.h"
#include "shell/VersionStrings.h"

#include <QApplication>
#include <QPointer>

using namespace shelltest;

namespace {

// Parameter cases print as their names in test listings.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class AppTest : public ShellTest {};

TEST_F(AppTest, StartUpRunsTheMainDialogOverAFullTableAndExitEmptiesItAfterwards)
{
    ClearModelTable();
    g_menuMode = 0;
    QPointer<CZentrovaDlg> running;
    int rowsDuringDialog = -1;
    hooks.scriptDialog<CZentrovaDlg>([&](CZentrovaDlg& d) {
        running = &d;
        rowsDuringDialog = g_modelTable.GetCount();
        EXPECT_EQ(CZentrovaApp::m_pMainWnd, &d);
        EXPECT_EQ(g_menuMode, 1);
        EXPECT_EQ(d.windowTitle(), "Zentrova (Version 1.2.3)");
        EXPECT_EQ(d.m_wndCaption->text(), "Zentrova (Version 1.2.3)");
        EXPECT_EQ(d.m_arrPages.size(), 2u);
        d.item<QAbstractButton>(1004)->click();  // E X I T
    });

    CZentrovaApp app(*qApp);
    EXPECT_FALSE(app.InitInstance());

    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_EQ(rowsDuringDialog, 7);
    EXPECT_TRUE(running.isNull());  // the dialog has gone ...
    EXPECT_EQ(CZentrovaApp::m_pMainWnd, nullptr);
    EXPECT_EQ(g_modelTable.GetCount(), 7);  // ... and the table is still there
    EXPECT_EQ(QCoreApplication::organizationName(), "QUORVIN BRESSANT");

    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_TRUE(g_modelTable.IsEmpty());
}

struct VersionCase {
    const char* name;
    bool present;
    int fourth;
    const char* productVersion;
};

class ProductVersionTest : public ShellTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(ProductVersionTest, FormatsThreePartsOrFourWithP)
{
    version.m_resource = version123(GetParam().fourth);
    version.m_resource.present = GetParam().present;
    EXPECT_EQ(FormatProductVersion(), GetParam().productVersion);

    VersionStrings strings;
    EXPECT_EQ(ReadVersionStrings(strings), GetParam().present);
    EXPECT_EQ(strings.m_strProductVersion, GetParam().present ? GetParam().productVersion : "");
}

INSTANTIATE_TEST_SUITE_P(Versions, ProductVersionTest,
                         ::testing::Values(VersionCase{"ThreeParts", true, 0, "1.2.3"},
                                           VersionCase{"FourParts", true, 4, "1.2.3P04"},
                                           VersionCase{"FourthAboveNinetyNine", true, 123, "1.2.3P123"},
                                           VersionCase{"NoResource", false, 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, VersionStringsComeFromTheVersionInformation)
{
    VersionStrings strings;
    ASSERT_TRUE(ReadVersionStrings(strings));
    EXPECT_EQ(strings.m_strProductName, "Zentrova");
    EXPECT_EQ(strings.m_strCompanyName, "QUORVIN BRESSANT");
    EXPECT_EQ(strings.m_strLegalCopyright, "Copyright (C) 2026 QUORVIN BRESSANT");
    EXPECT_EQ(strings.m_strFileVersion, "1.2.3.0");

    version.m_resource.productName.clear();
    EXPECT_FALSE(ReadVersionStrings(strings));
}

TEST_F(AppTest, TheBuiltProgramNamesItselfWithItsProjectVersion)
{
    platform::ScopedService<platform::VersionInfo> built(platform::defaultService<platform::VersionInfo>());
    VersionStrings strings;
    ASSERT_TRUE(ReadVersionStrings(strings));
    EXPECT_EQ(strings.m_strProductName, "Zentrova");
    EXPECT_FALSE(strings.m_strProductVersion.isEmpty());
}

}  // namespace
