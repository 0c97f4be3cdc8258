// The IPv4 address control typed into key by key, as an operator does.
#include "ui/IpAddressCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class IpAddressTypingTest : public ::testing::Test {
protected:
    IpAddressTypingTest()
    {
        auto* layout = new QVBoxLayout(&m_window);
        ctl = new ui::IpAddressCtrl(&m_window);
        layout->addWidget(ctl);
        m_window.show();
        m_window.activateWindow();
        QApplication::setActiveWindow(&m_window);
    }

    // Each key goes to whichever field has the focus at that moment.
    void type(const QString& keys)
    {
        for (QChar c : keys) {
            QWidget* target = m_window.focusWidget();
            ASSERT_NE(target, nullptr);
            const int key = c == u'\b' ? int(Qt::Key_Backspace) : c.unicode();
            const QString text = c == u'\b' ? QStringLiteral("\b") : QString(c);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }

    std::string text() const
    {
        const auto o = ctl->octets();
        return QStringLiteral("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]).toStdString();
    }

    // The operator tabs into the first field, which selects what it holds.
    void enterFirstField()
    {
        ctl->field(0)->setFocus(Qt::TabFocusReason);
        ctl->field(0)->selectAll();
    }

    QWidget m_window;
    ui::IpAddressCtrl* ctl = nullptr;
};

TEST_F(IpAddressTypingTest, TypedAddressIsTheAddressHeldOverAnyOldOne)
{
    const char* const addresses[] = {"127.0.0.1", "192.168.1.100", "10.0.0.255", "1.2.3.4",
                                     "255.255.255.0"};
    for (const char* old : {"", "192.168.1.100", "10.20.30.40"}) {
        for (const char* address : addresses) {
            SCOPED_TRACE(std::string(old) + " -> " + address);
            const QStringList parts = QString::fromLatin1(old).split(u'.');
            if (parts.size() == 4)
                ctl->setOctets(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
            else
                ctl->clearAddress();
            enterFirstField();
            type(QString::fromLatin1(address));
            EXPECT_EQ(text(), address);
        }
    }
}

TEST_F(IpAddressTypingTest, DotsAndBackspaceMoveBetweenFieldsAsOperatorsExpect)
{
    ctl->setOctets(192, 168, 1, 100);
    enterFirstField();
    // A second dot after a filled field moves on; a dot in the last field does nothing.
    type(QStringLiteral("172..5.6.7"));
    EXPECT_EQ(text(), "172.168.5.67");
    EXPECT_EQ(m_window.focusWidget(), ctl->field(3));

    // Backspace empties the field, then goes back to the one before and edits its end.
    type(QStringLiteral("\b\b\b9"));
    EXPECT_EQ(text(), "172.168.59.0");
    EXPECT_EQ(m_window.focusWidget(), ctl->field(2));

    // A dot in an empty field stays there.
    ctl->clearAddress();
    enterFirstField();
    type(QStringLiteral(".8"));
    EXPECT_EQ(text(), "8.0.0.0");
}

}  // namespace
