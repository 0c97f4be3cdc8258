#pragma once

#include "core/Globals.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

// A setting page created on a parent widget, the link on a fake serial printer "COM1:"
// (or another port), the waits on the test clock, message boxes recorded, a model record
// of our own made current.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedRecord = g_curModelInfo;
        m_savedLanguage = g_language;
        g_curModelInfo = &record;
        g_language = QStringLiteral("Ostrel");
        openPort(QStringLiteral("COM1:"));
    }

    void TearDown() override
    {
        if (g_comm.m_nPortType == PORT_ETHERNET)
            g_comm.MarkTcpForClose();
        g_comm.Close();
        g_curModelInfo = m_savedRecord;
        g_language = m_savedLanguage;
    }

    // "COM1:", "LPT1:" or a USB path: the fake device of that name, held open by g_comm.
    void openPort(const QString& name)
    {
        g_comm.Close();
        printer = &io.addDevice(name);
        g_comm.SetPortName(name);
        ASSERT_TRUE(g_comm.Open()) << name.toStdString();
        printer->calls.clear();
        printer->written.clear();
        printer->writes.clear();
        clock.clearSleeps();
    }

    template <class Page>
    std::unique_ptr<Page> createPage()
    {
        auto page = std::make_unique<Page>();
        page->Create(&host);
        return page;
    }

    void reply(const QByteArray& bytes) { printer->replies.push_back(bytes); }
    // The link tries a read three times before it reports nothing.
    void noReply()
    {
        for (int i = 0; i < 3; ++i)
            printer->replies.push_back(QByteArray());
    }
    // The page's own waits (the link's 1 ms read pauses left out).
    std::vector<int> waits() const
    {
        std::vector<int> w;
        for (int ms : clock.sleeps())
            if (ms != 1)
                w.push_back(ms);
        return w;
    }
    QByteArray sent() const { return printer->written; }
    void clearSent()
    {
        printer->written.clear();
        printer->writes.clear();
        clock.clearSleeps();
    }

    static void click(ui::Dialog& page, int id)
    {
        auto* button = page.item<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    static void check(ui::Dialog& page, int id, bool on = true)
    {
        auto* button = page.item<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        if (button->isChecked() != on)
            button->click();
    }
    static QString choice(const ui::Dialog& page, int id)
    {
        auto* list = page.item<QComboBox>(id);
        return list && list->currentIndex() >= 0 ? list->currentText() : QString();
    }
    // Chooses the entry as the operator does (the selection-change handler runs).
    static void choose(ui::Dialog& page, int id, const QString& text)
    {
        auto* list = page.item<QComboBox>(id);
        ASSERT_NE(list, nullptr) << id;
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    static void type(ui::Dialog& page, int id, const QString& text)
    {
        auto* edit = page.item<QLineEdit>(id);
        ASSERT_NE(edit, nullptr) << id;
        edit->setText(text);
    }
    static bool enabled(const ui::Dialog& page, int id) { return page.GetDlgItem(id)->isEnabled(); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const ui::RecordedMessage& m : hooks.messages())
            texts << m.text;
        return texts;
    }

    _VANTOPRT_INFO record;
    ztest::FakeDeviceIo io;
    ztest::TestClock clock;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Clock> clockScope{clock};
    ui::TestHooks hooks;
    ztest::FakeDevice* printer = nullptr;
    QWidget host;

private:
    _VANTOPRT_INFO* m_savedRecord = nullptr;
    QString m_savedLanguage;
};

inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}
