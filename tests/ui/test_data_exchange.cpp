#include "ExchangeDialog.h"

#include "ui/DataExchange.h"
#include "ui/IpAddressCtrl.h"
#include "ui/TestHooks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using uitest::ExchangeDialog;

namespace {

class DataExchangeTest : public ::testing::Test {
protected:
    // Exchanges one member with control Edit1 from the text given; returns the prompt shown.
    template <class T>
    QString save(const QString& text, T& value)
    {
        dialog.edit1->setText(text);
        dialog.exchange = [&value](ui::DataExchange& dx) { DDX_Text(dx, ExchangeDialog::Edit1, value); };
        hooks.clearMessages();
        const bool ok = dialog.UpdateData(true);
        EXPECT_EQ(ok, hooks.messages().empty()) << text.toStdString();
        return hooks.messages().empty() ? QString() : hooks.messages().front().text;
    }
    template <class T>
    QString shown(T value)
    {
        dialog.exchange = [&value](ui::DataExchange& dx) { DDX_Text(dx, ExchangeDialog::Edit1, value); };
        dialog.UpdateData(false);
        return dialog.edit1->text();
    }

    ui::TestHooks hooks;
    ExchangeDialog dialog;
};

struct IntCase {
    const char* text;
    bool parses;
    int value;
};

TEST_F(DataExchangeTest, IntegerTextsParseLikeTheClassLibrary)
{
    const IntCase cases[] = {
        {"42", true, 42},          {" \t-7 \t", true, -7},  {"+3", true, 3},
        {"007", true, 7},          {"-0", true, 0},         {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"", false, 0},            {"  ", false, 0},        {"4a", false, 0},
        {"4 2", false, 0},         {"0x10", false, 0},      {"1.5", false, 0},
        {"- 1", false, 0},         {"+-1", false, 0},       {"2147483648", false, 0},
        {"99999999999999999999", false, 0},                 {"\xd9\xa3", false, 0},
    };
    for (const IntCase& c : cases) {
        int value = -99;
        const QString prompt = save(QString::fromUtf8(c.text), value);
        if (c.parses) {
            EXPECT_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(prompt, "Enter an integer.") << c.text;
            EXPECT_EQ(value, -99) << c.text;
        }
    }
    ASSERT_FALSE(hooks.messages().empty());
    EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Exclamation);
    EXPECT_EQ(dialog.focusWidget(), dialog.edit1);
    EXPECT_EQ(shown(-15), "-15");
}

TEST_F(DataExchangeTest, UnsignedTextsRejectSignsAndOverflow)
{
    const struct {
        const char* text;
        bool parses;
        unsigned value;
    } cases[] = {
        {"4000000000", true, 4000000000u}, {" 12 ", true, 12}, {"+5", true, 5},
        {"-1", false, 0}, {"4294967296", false, 0}, {"", false, 0}, {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        unsigned value = 77;
        const QString prompt = save(QString::fromLatin1(c.text), value);
        if (c.parses) {
            EXPECT_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(prompt, "Enter a positive integer.") << c.text;
            EXPECT_EQ(value, 77u) << c.text;
        }
    }
}

TEST_F(DataExchangeTest, FloatTextsParseOnlyAsWholeDecimalNumbers)
{
    const struct {
        const char* text;
        bool parses;
        float value;
    } cases[] = {
        {"812.8", true, 812.8f}, {" .5\t", true, 0.5f}, {"5.", true, 5.0f},  {"1e3", true, 1000.0f},
        {"-2.5E-1", true, -0.25f}, {"+4", true, 4.0f}, {"0", true, 0.0f},
        {"", false, 0}, {"abc", false, 0}, {"1,5", false, 0}, {"1.5x", false, 0},
        {"inf", false, 0}, {"nan", false, 0}, {"0x1p3", false, 0}, {"1e", false, 0},
        {".", false, 0}, {"1e39", false, 0}, {"1e400", false, 0}, {"- 1", false, 0},
    };
    for (const auto& c : cases) {
        float value = 9.0f;
        const QString prompt = save(QString::fromLatin1(c.text), value);
        if (c.parses) {
            EXPECT_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(prompt, "Enter a number.") << c.text;
            EXPECT_EQ(value, 9.0f) << c.text;
        }
    }
}

TEST_F(DataExchangeTest, FloatsShowSixSignificantDigitsAndReadBackTheSame)
{
    const float inch = 25.4f;
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {4.0f, "4"},           {4.0f * inch * 8.0f, "812.8"},     {5.08f * 8.0f, "40.64"},
        {25.375f / inch, "0.999016"}, {152.4f * 8.0f, "1219.2"},  {12.7f * 8.0f, "101.6"},
        {inch, "25.4"},        {100.0f / inch, "3.93701"},        {inch * 8.0f, "203.2"},
        {0.0f, "0"},           {-0.2f, "-0.2"},                   {1234567.0f, "1.23457e+06"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shown(c.value), c.text) << c.text;
        float back = 0;
        save(dialog.edit1->text(), back);
        EXPECT_EQ(shown(back), c.text) << "read back " << c.text;
    }
    // inch to dots and back gives the value shown before
    float dots = 0;
    save(shown(4.0f * inch * 8.0f), dots);
    EXPECT_EQ(shown(dots / 8.0f / inch), "4");
}

TEST_F(DataExchangeTest, DoublesShowFifteenDigits)
{
    EXPECT_EQ(shown(0.1), "0.1");
    EXPECT_EQ(shown(1.0 / 3.0), "0.333333333333333");
    double value = 0;
    EXPECT_EQ(save(QString("x"), value), "Enter a number.");
    save(QString("  -1.25e2 "), value);
    EXPECT_EQ(value, -125.0);
}

TEST_F(DataExchangeTest, ExchangeStopsAtTheFaultyField)
{
    int first = 1, third = 3;
    float second = 2.0f;
    dialog.exchange = [&](ui::DataExchange& dx) {
        DDX_Text(dx, ExchangeDialog::Edit1, first);
        DDX_Text(dx, ExchangeDialog::Edit2, second);
        DDX_Text(dx, ExchangeDialog::Edit3, third);
    };
    dialog.edit1->setText("10");
    dialog.edit2->setText("2,5");
    dialog.edit3->setText("30");
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(first, 10);
    EXPECT_EQ(second, 2.0f);
    EXPECT_EQ(third, 3);
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "Enter a number.");
    EXPECT_EQ(dialog.focusWidget(), dialog.edit2);
}

TEST_F(DataExchangeTest, MultiLineTextHoldsCrLfAndShowsLineFeeds)
{
    QString value = "a\r\nb\rc\nd\r\n";
    dialog.exchange = [&](ui::DataExchange& dx) {
        DDX_Text(dx, ExchangeDialog::Text, value);
    };
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.text->toPlainText(), "a\nb\nc\nd\n");
    dialog.text->setPlainText("x\ny\n\nz");
    dialog.UpdateData(true);
    EXPECT_EQ(value, "x\r\ny\r\n\r\nz");
    EXPECT_EQ(dialog.GetDlgItemText(ExchangeDialog::Text), "x\r\ny\r\n\r\nz");

    // Every character comes back as it went in, no-break spaces included.
    value = QString::fromUtf8("T\u00a0x\r\n\u00e9");
    dialog.UpdateData(false);
    dialog.UpdateData(true);
    EXPECT_EQ(value, QString::fromUtf8("T\u00a0x\r\n\u00e9"));
}

TEST_F(DataExchangeTest, ComboIndexOutOfRangeClearsTheSelection)
{
    const struct {
        int loaded;
        int selected;
    } cases[] = {{1, 1}, {2, 2}, {3, -1}, {99, -1}, {-1, -1}, {-5, -1}, {0, 0}};
    for (const auto& c : cases) {
        int index = c.loaded;
        dialog.exchange = [&](ui::DataExchange& dx) { DDX_CBIndex(dx, ExchangeDialog::List, index); };
        dialog.UpdateData(false);
        EXPECT_EQ(dialog.list->currentIndex(), c.selected) << c.loaded;
        index = 42;
        dialog.UpdateData(true);
        EXPECT_EQ(index, c.selected) << c.loaded;
    }
}

TEST_F(DataExchangeTest, ComboStringSelectsByPrefixOrSetsTheEditText)
{
    QString value;
    dialog.exchange = [&](ui::DataExchange& dx) {
        DDX_CBString(dx, ExchangeDialog::List, value);
    };
    value = "pee";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.list->currentIndex(), 1);
    value = "Nothing";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.list->currentIndex(), 1);  // no match: selection kept
    dialog.UpdateData(true);
    EXPECT_EQ(value, "Peel Off");

    dialog.exchange = [&](ui::DataExchange& dx) { DDX_CBString(dx, ExchangeDialog::EditList, value); };
    value = "7.5";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.editList->currentText(), "7.5");
    value = "3";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.editList->currentIndex(), 1);
    EXPECT_EQ(dialog.editList->currentText(), "3.0");
}

TEST_F(DataExchangeTest, RadioGroupCheckBoxSliderAndAddress)
{
    int radio = 2, check = 1, position = 7;
    std::uint32_t address = 0xC0A80164;
    dialog.exchange = [&](ui::DataExchange& dx) {
        DDX_Radio(dx, ExchangeDialog::Radio0, radio);
        DDX_Check(dx, ExchangeDialog::Check, check);
        DDX_Slider(dx, ExchangeDialog::Slider, position);
        DDX_IPAddress(dx, ExchangeDialog::Address, address);
    };
    dialog.UpdateData(false);
    EXPECT_TRUE(dialog.IsDlgButtonChecked(ExchangeDialog::Radio2));
    EXPECT_TRUE(dialog.check->isChecked());
    EXPECT_EQ(dialog.slider->value(), 7);
    EXPECT_EQ(dialog.address->octets(), (std::array<std::uint8_t, 4>{192, 168, 1, 100}));

    dialog.address->field(3)->setText("7");
    dialog.address->field(1)->clear();  // an empty field reads as 0
    dialog.check->setTristate(true);
    dialog.check->setCheckState(Qt::PartiallyChecked);
    dialog.UpdateData(true);
    EXPECT_EQ(address, 0xC0000107u);
    EXPECT_EQ(check, 2);
    EXPECT_EQ(radio, 2);

    radio = -1;  // none: even an exclusive group ends with nothing checked
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.radios->checkedButton(), nullptr);
    EXPECT_TRUE(dialog.radios->exclusive());
    radio = 5;
    dialog.UpdateData(true);
    EXPECT_EQ(radio, -1);
}

TEST_F(DataExchangeTest, RangeChecksShowTheirRangeWhenSaving)
{
    const struct {
        std::function<void(ui::DataExchange&)> check;
        const char* prompt;
    } cases[] = {
        {[](ui::DataExchange& dx) { DDV_MinMaxInt(dx, ExchangeDialog::Edit1, 5, 0, 4); },
         "Enter an integer between 0 and 4."},
        {[](ui::DataExchange& dx) { DDV_MinMaxInt(dx, ExchangeDialog::Edit1, -1, 0, 4); },
         "Enter an integer between 0 and 4."},
        {[](ui::DataExchange& dx) { DDV_MinMaxUInt(dx, ExchangeDialog::Edit1, 101, 1, 100); },
         "Enter a positive integer between 1 and 100."},
        {[](ui::DataExchange& dx) { DDV_MinMaxFloat(dx, ExchangeDialog::Edit1, 1.5f, 0.0f, 1.25f); },
         "Enter a number between 0 and 1.25."},
        {[](ui::DataExchange& dx) { DDV_MaxChars(dx, ExchangeDialog::Edit1, "abcdef", 5); },
         "Enter no more than 5 characters."},
        {[](ui::DataExchange& dx) { DDV_MinMaxInt(dx, ExchangeDialog::Edit1, 4, 0, 4); }, nullptr},
        {[](ui::DataExchange& dx) { DDV_MaxChars(dx, ExchangeDialog::Edit1, "abcde", 5); }, nullptr},
    };
    for (const auto& c : cases) {
        hooks.clearMessages();
        dialog.exchange = c.check;
        EXPECT_EQ(dialog.UpdateData(true), c.prompt == nullptr);
        if (c.prompt) {
            ASSERT_EQ(hooks.messages().size(), 1u) << c.prompt;
            EXPECT_EQ(hooks.messages()[0].text, c.prompt);
        } else {
            EXPECT_TRUE(hooks.messages().empty());
        }
        // Loading never checks a range.
        EXPECT_TRUE(dialog.UpdateData(false));
    }
}

// Loading limits what the operator types or pastes, as the edit's text limit did; a longer
// text that the program shows stays whole, and the operator can only shorten it.
TEST_F(DataExchangeTest, MaxCharsLimitsTypingButNotTheProgramsText)
{
    dialog.exchange = [](ui::DataExchange& dx) { DDV_MaxChars(dx, ExchangeDialog::Edit1, "", 4); };
    dialog.UpdateData(false);
    const struct {
        const char* shown;
        int start;
        int selected;
        const char* typed;
        const char* result;
    } cases[] = {
        {"", 0, 0, "12345", "1234"},  // pasted: cut at the limit
        {"123", 3, 0, "45", "1234"},
        {"1234", 4, 0, "5", "1234"},
        {"1234", 0, 0, "0", "1234"},
        {"1234", 1, 2, "xyz", "1xy4"},
        {"123456", 6, 0, "7", "123456"},
        {"123456", 2, 2, "x", "1256"},
        {"123456", 0, 6, "abcdef", "abcd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " + " + c.typed);
        dialog.edit1->setText(QString::fromLatin1(c.shown));
        EXPECT_EQ(dialog.edit1->text(), QString::fromLatin1(c.shown));
        dialog.edit1->setSelection(c.start, c.selected);
        dialog.edit1->insert(QString::fromLatin1(c.typed));
        EXPECT_EQ(dialog.edit1->text(), QString::fromLatin1(c.result));
    }
    dialog.edit1->setText(QStringLiteral("123456"));
    dialog.edit1->backspace();
    EXPECT_EQ(dialog.edit1->text(), QStringLiteral("12345"));
}

TEST_F(DataExchangeTest, ExchangeWithAMissingOrWrongControlIsAProgrammingError)
{
    int value = 0;
    dialog.exchange = [&](ui::DataExchange& dx) { DDX_Text(dx, 4242, value); };
    EXPECT_THROW(dialog.UpdateData(false), std::logic_error);
    dialog.exchange = [&](ui::DataExchange& dx) { DDX_CBIndex(dx, ExchangeDialog::Edit1, value); };
    EXPECT_THROW(dialog.UpdateData(true), std::logic_error);
    QComboBox* combo = nullptr;
    dialog.exchange = [&](ui::DataExchange& dx) { DDX_Control(dx, ExchangeDialog::List, combo); };
    dialog.UpdateData(false);
    EXPECT_EQ(combo, dialog.list);
}

}  // namespace
