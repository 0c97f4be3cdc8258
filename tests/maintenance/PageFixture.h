#pragma once

#include "SettingPageFixture.h"

#include <memory>

// The setting-page fixture with a model record of the test's own made current (its family,
// flags and name set per test), any fake port, and helpers that act as the operator does.
class PageTest : public SettingPageTest {
protected:
    void SetUp() override
    {
        SettingPageTest::SetUp();
        g_curModelInfo = &record;
        clearSent();
    }

    void TearDown() override
    {
        if (g_comm.m_nPortType == PORT_ETHERNET)
            g_comm.MarkTcpForClose();
        SettingPageTest::TearDown();
    }

    // "COM1:", "LPT1:" ...: the fake device of that name, held open by g_comm.
    void openPort(const QString& name)
    {
        g_comm.Close();
        printer = &io.addDevice(name);
        g_comm.SetPortName(name);
        ASSERT_TRUE(g_comm.Open()) << name.toStdString();
        printer->calls.clear();
        clearSent();
    }

    template <class Page>
    std::unique_ptr<Page> makePage()
    {
        std::unique_ptr<Page> page;
        createPage(page);
        return page;
    }

    QByteArray sent() const { return printer->written; }
    void clearSent()
    {
        printer->written.clear();
        printer->writes.clear();
        clock.clearSleeps();
    }

    static QString choice(ui::Dialog& page, int id)
    {
        auto* list = combo(page, id);
        return list && list->currentIndex() >= 0 ? list->currentText() : QString();
    }
    // Chooses the entry as the operator does: the selection-change handler runs.
    static void pick(ui::Dialog& page, int id, const QString& text)
    {
        choose(page, id, text);
        emit combo(page, id)->activated(combo(page, id)->currentIndex());
    }
    static bool enabled(const ui::Dialog& page, int id) { return page.GetDlgItem(id)->isEnabled(); }

    _VANTOPRT_INFO record;
};
