#pragma once

// The setting pages on a fake serial printer "COM1:" held open by g_comm: nothing sleeps,
// message boxes go through the test hooks, the globals are put back afterwards.

#include "core/Globals.h"
#include "core/ModelTable.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QComboBox>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using ztest::check;
using ztest::choose;
using ztest::click;
using ztest::type;

class SettingPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_menuMode = 1;
        g_language = QStringLiteral("Ostrel");
        BuildModelTable();
        useModel("KX-21");
        printer = &io.addDevice(QStringLiteral("COM1:"));
        g_comm.SetPortName(QStringLiteral("COM1:"));
        ASSERT_TRUE(g_comm.Open());
        printer->calls.clear();
        clock.clearSleeps();
    }

    void TearDown() override
    {
        g_comm.Close();
        g_curModelInfo = nullptr;
        g_language.clear();
        g_menuMode = 1;
        ClearModelTable();
    }

    static void useModel(const char* name)
    {
        g_curModelInfo = nullptr;
        g_modelTable.Lookup(QString::fromLatin1(name), g_curModelInfo);
        ASSERT_NE(g_curModelInfo, nullptr) << name;
    }

    // The page as the tab strip makes it: a child window, initialised.
    template <class Page>
    Page& createPage(std::unique_ptr<Page>& page)
    {
        page = std::make_unique<Page>();
        page->Create(&host);
        return *page;
    }

    // One query answered: a chunk for the read. No answer: every read attempt gets nothing.
    void reply(const QByteArray& bytes) { printer->replies.push_back(bytes); }
    void noReply()
    {
        for (int attempt = 0; attempt < 3; ++attempt)
            printer->replies.push_back(QByteArray());
    }

    // The page's own waits, without the link's 1 ms pauses between read attempts.
    std::vector<int> pageWaits() const
    {
        std::vector<int> waits;
        for (int ms : clock.sleeps())
            if (ms != 1)
                waits.push_back(ms);
        return waits;
    }

    static QComboBox* combo(ui::Dialog& dialog, int id) { return dialog.item<QComboBox>(id); }
    static QString chosen(ui::Dialog& dialog, int id)
    {
        QComboBox* list = combo(dialog, id);
        return list->currentIndex() < 0 ? QStringLiteral("<none>") : list->currentText();
    }

    QStringList messageTexts() const { return ztest::messageTexts(hooks); }

    ztest::FakeDeviceIo io;
    ztest::TestClock clock;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Clock> clockScope{clock};
    ui::TestHooks hooks;
    QWidget host;
    ztest::FakeDevice* printer = nullptr;
};

// The bytes a page sends, written as hex digits.
inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}
