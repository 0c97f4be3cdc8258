#pragma once

// What the application-shell tests share: service doubles, the globals reset, the main
// dialog opened without its event loop, and the stand-in printer as a child process.

#include "link/Comm.h"
#include "platform/Services.h"
#include "core/Globals.h"
#include "core/ModelTable.h"
#include "shell/CZentrovaDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"
#include "ui/WaitCursor.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QStringList>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace shelltest {

class FixedVersionInfo : public platform::VersionInfo {
public:
    platform::VersionResource resource() const override { return m_resource; }
    platform::VersionResource m_resource;
};

inline platform::VersionResource version123(int fourth = 0)
{
    platform::VersionResource r;
    r.present = true;
    r.companyName = QStringLiteral("QUORVIN BRESSANT");
    r.legalCopyright = QStringLiteral("Copyright (C) 2026 QUORVIN BRESSANT");
    r.fileVersion = QStringLiteral("1.2.3.0");
    r.productName = QStringLiteral("Zentrova");
    r.productMajor = 1;
    r.productMinor = 2;
    r.productThird = 3;
    r.productFourth = fourth;
    return r;
}

// Print queues in memory; a queue named in failWrite refuses to change its port.
class FakeSpooler : public platform::Spooler {
public:
    std::vector<platform::SpoolerPrinter> localPrinters() override
    {
        std::vector<platform::SpoolerPrinter> list;
        for (const auto& [name, port] : ports)
            list.push_back({name, port});
        return list;
    }
    bool readPort(const QString& printer, QString* port) override
    {
        auto it = ports.find(printer);
        if (it == ports.end())
            return false;
        *port = it->second;
        return true;
    }
    bool writePort(const QString& printer, const QString& port) override
    {
        writes.push_back(printer);
        if (failWrite.count(printer) || !ports.count(printer))
            return false;
        ports[printer] = port;
        return true;
    }

    std::map<QString, QString> ports;
    std::set<QString> failWrite;
    std::vector<QString> writes;
};

using PrinterSim = ztest::SimProcess;

class ShellTest : public ::testing::Test {
protected:
    ShellTest()
        : m_profileScope(profile), m_clockScope(clock), m_spoolerScope(spooler),
          m_versionScope(version), m_processScope(process)
    {
        version.m_resource = version123();
    }

    void SetUp() override
    {
        g_curModelInfo = nullptr;
        g_modelName.clear();
        g_language.clear();
        g_menuMode = 1;
        BuildModelTable();
        resetLink();
    }

    void TearDown() override
    {
        dlg.reset();
        resetLink();
        g_curModelInfo = nullptr;
        ClearModelTable();
    }

    static void resetLink()
    {
        g_comm.MarkTcpForClose();
        g_comm.Close();
        g_comm.m_nPortType = PORT_COM;
        g_comm.m_bUsbHold = false;
    }

    CZentrovaDlg& openDialog()
    {
        dlg = std::make_unique<CZentrovaDlg>();
        dlg->AddMenuPages();
        dlg->OnInitDialog();
        return *dlg;
    }

    // A control of the main dialog itself.
    template <class T = QWidget>
    T* control(int id) const
    {
        return dlg->item<T>(id);
    }

    void click(int id) const
    {
        auto* button = control<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }

    // A button of the menu page with the index.
    QAbstractButton* pageButton(int page, int id) const
    {
        for (auto* b : dlg->m_arrPages.at(page)->m_pWnd->findChildren<QAbstractButton*>()) {
            if (b->property("ctlId").toInt() == id)
                return b;
        }
        return nullptr;
    }

    // Connect, and the wait cursor is down again whatever happened.
    void connect()
    {
        click(1003);
        EXPECT_EQ(ui::WaitCursor::depth(), 0);
    }

    QStringList messageTexts() const { return ztest::messageTexts(hooks); }

    static _VANTOPRT_INFO* record(const QString& name)
    {
        _VANTOPRT_INFO* info = nullptr;
        g_modelTable.Lookup(name, info);
        return info;
    }

    ztest::MemoryProfileStore profile;
    ztest::TestClock clock;
    FakeSpooler spooler;
    FixedVersionInfo version;
    ztest::FakeProcess process;
    ui::TestHooks hooks;
    std::unique_ptr<CZentrovaDlg> dlg;

private:
    platform::ScopedService<platform::ProfileStore> m_profileScope;
    platform::ScopedService<platform::Clock> m_clockScope;
    platform::ScopedService<platform::Spooler> m_spoolerScope;
    platform::ScopedService<platform::VersionInfo> m_versionScope;
    platform::ScopedService<platform::Process> m_processScope;
};

inline const QString kCannotOpen = QStringLiteral("Cannot open port! Please check printer and cable.");
inline const QString kSuccess = QStringLiteral("Success open port.");
inline const QString kConnectFailed = QStringLiteral(
    "Error : Failed to connect. Please, \ncheck IP port configuration in printer control pannel");

}  // namespace shelltest
