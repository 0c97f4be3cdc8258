#include "ExchangeDialog.h"

#include "ui/DataExchange.h"
#include "ui/TestHooks.h"

#include "platform/OperatorAction.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using uitest::ExchangeDialog;

namespace uitest {

// The operator action each handler of the dialogs below ran in, in order.
std::vector<std::pair<const char*, std::uint64_t>> g_actions;

void noteAction(const char* where)
{
    g_actions.emplace_back(where, platform::OperatorAction::current());
}

// A builder: "Insert" (id 1120) keeps the count and ends with the cancel result; its
// initialisation fills a list, as builders do at every opening.
class CountBuilder : public ui::Dialog {
    Q_OBJECT
public:
    CountBuilder()
    {
        auto* layout = new QVBoxLayout(this);
        for (auto [w, id] : {std::pair<QWidget*, int>{edit = new QLineEdit(this), 1000},
                             {list = new QComboBox(this), 1001},
                             {insert = new QPushButton(this), 1120},
                             {close = new QPushButton(this), 1004}}) {
            w->setProperty("ctlId", id);
            layout->addWidget(w);
        }
        list->setEnabled(false);
        onCommand(1120, &CountBuilder::OnInsertToLabel);
        onCommand(1004, &CountBuilder::OnOK);
    }
    bool OnInitDialog() override
    {
        noteAction("builder opens");
        list->addItem("only item");
        return Dialog::OnInitDialog();
    }
    void DoDataExchange(ui::DataExchange& dx) override { DDX_Text(dx, 1000, m_nCount); }
    void OnInsertToLabel()
    {
        noteAction("insert");
        UpdateData(true);
        m_bInserted = 1;
        EndDialog(ui::IDCANCEL);
    }

    int m_nCount = 1;
    int m_bInserted = 0;
    QLineEdit* edit;
    QComboBox* list;
    QPushButton* insert;
    QPushButton* close;
};

// The tester side of the hand-over: a button that runs the builder loop.
class LoopOwner : public ui::Dialog {
    Q_OBJECT
public:
    LoopOwner()
    {
        auto* layout = new QVBoxLayout(this);
        button = new QPushButton(this);
        button->setProperty("ctlId", 1077);
        layout->addWidget(button);
        onCommand(1077, &LoopOwner::OnBuilder);
    }
    void OnBuilder()
    {
        noteAction("builder button");
        CountBuilder builder;
        for (;;) {
            const int result = builder.DoModal();
            noteAction("builder closed");
            if (!builder.m_bInserted)
                break;
            appended << builder.m_nCount;
            builder.m_bInserted = 0;
            if (result == ui::IDOK)
                break;
        }
    }

    QList<int> appended;
    QPushButton* button;
};

// Ends itself while it initialises.
class EndsAtOnce : public ui::Dialog {
    Q_OBJECT
public:
    bool OnInitDialog() override
    {
        EndDialog(7);
        return true;
    }
};

}  // namespace uitest

namespace {

using uitest::CountBuilder;
using uitest::LoopOwner;

void press(QWidget* target, int key, const QString& text = QString())
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &event);
}

class DialogTest : public ::testing::Test {
protected:
    ui::TestHooks hooks;
};

TEST_F(DialogTest, OkStaysOpenOnAFailedExchangeAndClosesOnSuccess)
{
    ExchangeDialog dialog;
    int value = 5;
    dialog.exchange = [&](ui::DataExchange& dx) { DDX_Text(dx, ExchangeDialog::Edit1, value); };
    hooks.scriptDialog<ExchangeDialog>([&](ExchangeDialog& d) {
        EXPECT_EQ(d.edit1->text(), "5");  // OnInitDialog loaded the fields
        d.edit1->setText("five");
        d.ok->click();
        EXPECT_EQ(d.endResult(), -1);
        d.edit1->setText("6");
        d.ok->click();
    });
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(value, 6);
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "Enter an integer.");
}

TEST_F(DialogTest, KeysAndCancelEndWithoutOrAfterTheExchange)
{
    const struct {
        std::function<void(ExchangeDialog&)> action;
        int result;
        int value;
    } cases[] = {
        {[](ExchangeDialog& d) { press(&d, Qt::Key_Escape); }, ui::IDCANCEL, 5},
        {[](ExchangeDialog& d) { d.cancel->click(); }, ui::IDCANCEL, 5},
        {[](ExchangeDialog& d) { d.reject(); }, ui::IDCANCEL, 5},  // the close box
        {[](ExchangeDialog& d) { press(&d, Qt::Key_Return); }, ui::IDOK, 9},
        {[](ExchangeDialog& d) { press(d.edit1, Qt::Key_Enter); }, ui::IDOK, 9},
        {[](ExchangeDialog&) {}, ui::IDCANCEL, 5},  // the script left it open
    };
    for (const auto& c : cases) {
        ExchangeDialog dialog;
        int value = 5;
        dialog.exchange = [&](ui::DataExchange& dx) { DDX_Text(dx, ExchangeDialog::Edit1, value); };
        hooks.scriptDialog<ExchangeDialog>([&](ExchangeDialog& d) {
            d.edit1->setText("9");
            c.action(d);
        });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(value, c.value);
    }
    EXPECT_TRUE(hooks.messages().empty());
}

// A dialog with a button of its own and its own handler for IDCANCEL.
struct WithHandlers : ExchangeDialog {
    WithHandlers()
    {
        extra = new QPushButton(this);
        extra->setProperty("ctlId", 1500);
        layout()->addWidget(extra);
        onCommand(1500, &WithHandlers::OnExtra);
        onCommand(ui::IDCANCEL, &WithHandlers::OnOwnCancel);
    }
    void OnExtra() { ++extras; }
    void OnOwnCancel() { ++cancels; }
    QPushButton* extra;
    int extras = 0;
    int cancels = 0;
};

TEST_F(DialogTest, EnterPressesTheTemplatesDefaultButtonAndEscReachesTheOwnHandler)
{
    WithHandlers dialog;
    dialog.extra->setDefault(true);
    hooks.scriptDialog<WithHandlers>([](WithHandlers& d) {
        press(d.edit1, Qt::Key_Return);
        press(&d, Qt::Key_Escape);
        d.cancel->click();
        EXPECT_EQ(d.endResult(), -1);
        d.ok->click();
    });
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(dialog.extras, 1);
    EXPECT_EQ(dialog.cancels, 2);
}

TEST_F(DialogTest, BuilderLoopRunsNestedScriptsAndReopensFromTheTemplate)
{
    LoopOwner owner;
    hooks.scriptDialog<LoopOwner>([](LoopOwner& o) {
        o.button->click();
        o.EndDialog(ui::IDOK);
    });
    hooks.scriptDialog<CountBuilder>([](CountBuilder& b) {
        b.edit->setText("3");
        b.list->setEnabled(true);
        b.insert->click();
    });
    hooks.scriptDialog<CountBuilder>([](CountBuilder& b) {
        // Reopened: members kept, controls as the template made them.
        EXPECT_EQ(b.edit->text(), "3");
        EXPECT_EQ(b.list->count(), 1);
        EXPECT_FALSE(b.list->isEnabled());
        b.edit->setText("4");
        b.insert->click();
    });
    hooks.scriptDialog<CountBuilder>([](CountBuilder& b) { b.close->click(); });

    EXPECT_EQ(owner.DoModal(), ui::IDOK);
    EXPECT_EQ(owner.appended, (QList<int>{3, 4}));
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_EQ(hooks.modalDialogs(),
              (std::vector<QString>{"uitest::LoopOwner", "uitest::CountBuilder",
                                    "uitest::CountBuilder", "uitest::CountBuilder"}));
}

TEST_F(DialogTest, EveryPressIsAnOperatorActionAndAWindowOpensInThePressThatOpenedIt)
{
    uitest::g_actions.clear();
    LoopOwner owner;
    hooks.scriptDialog<LoopOwner>([](LoopOwner& o) {
        EXPECT_EQ(platform::OperatorAction::current(), 0u);  // between presses
        o.button->click();
        o.EndDialog(ui::IDOK);
    });
    hooks.scriptDialog<CountBuilder>([](CountBuilder& b) {
        b.insert->click();
        b.insert->click();  // a second press, still the window's script
    });
    hooks.scriptDialog<CountBuilder>([](CountBuilder& b) { b.close->click(); });
    owner.DoModal();
    EXPECT_EQ(platform::OperatorAction::current(), 0u);

    const auto& a = uitest::g_actions;
    ASSERT_EQ(a.size(), 7u);
    const std::uint64_t press = a[0].second;
    EXPECT_NE(press, 0u);
    // The builder's openings and what follows its closings belong to the press that
    // opened it; each press inside it is an action of its own.
    for (std::size_t i : {1u, 4u, 5u, 6u})
        EXPECT_EQ(a[i].second, press) << a[i].first;
    EXPECT_NE(a[2].second, press);
    EXPECT_NE(a[3].second, press);
    EXPECT_NE(a[2].second, a[3].second);
    EXPECT_NE(a[2].second, 0u);
    EXPECT_NE(a[3].second, 0u);
}

TEST_F(DialogTest, UnscriptedModalDialogThrowsInsteadOfBlocking)
{
    hooks.scriptDialog<LoopOwner>([](LoopOwner&) {});
    CountBuilder builder;
    EXPECT_THROW(builder.DoModal(), std::logic_error);
    EXPECT_EQ(hooks.pendingScripts(), 1);  // another class's script stays queued

    // A dialog that ends while it initialises needs no script and is never run.
    uitest::EndsAtOnce ends;
    EXPECT_EQ(ends.DoModal(), 7);
    EXPECT_TRUE(hooks.modalDialogs().empty());
}

TEST_F(DialogTest, ControlsAreFoundByIdButNotInsideChildPages)
{
    ExchangeDialog dialog;
    ExchangeDialog* page = new ExchangeDialog;
    page->Create(&dialog);
    EXPECT_EQ(dialog.GetDlgItem(ExchangeDialog::Edit2), dialog.edit2);  // inside a group box
    EXPECT_EQ(page->GetDlgItem(ExchangeDialog::Edit2), page->edit2);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_FALSE(page->isWindow());

    auto* late = new QLineEdit(&dialog);
    late->setProperty("ctlId", 4242);
    EXPECT_EQ(dialog.GetDlgItem(4242), late);
    dialog.SetDlgItemText(4242, "x");
    dialog.EnableDlgItem(4242, false);
    EXPECT_EQ(late->text(), "x");
    EXPECT_FALSE(late->isEnabled());
    delete late;
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    dialog.SetDlgItemText(4242, "ignored");  // a missing control is ignored, as by Windows
}

TEST_F(DialogTest, MessageMapHelpersFollowOperatorChanges)
{
    struct Counting : ExchangeDialog {
        int selections = 0, edits = 0, clicks = 0;
        void OnSel() { ++selections; }
        void OnEdit() { ++edits; }
        void OnClick() { ++clicks; }
    } dialog;
    dialog.onSelChange(ExchangeDialog::List, &Counting::OnSel);
    dialog.onEditChange(ExchangeDialog::Edit1, &Counting::OnEdit);
    dialog.onEditChange(ExchangeDialog::Text, &Counting::OnEdit);
    dialog.onCommand(ExchangeDialog::Radio1, &Counting::OnClick);
    dialog.onCommand(ExchangeDialog::Radio1, &Counting::OnClick);  // rebinding replaces

    emit dialog.list->activated(2);
    dialog.list->setCurrentIndex(1);  // a program's change is no notification
    press(dialog.edit1, Qt::Key_A, "a");
    dialog.edit1->setText("program");
    dialog.CheckDlgButton(ExchangeDialog::Radio1, true);
    static_cast<QAbstractButton*>(dialog.GetDlgItem(ExchangeDialog::Radio1))->click();

    EXPECT_EQ(dialog.selections, 1);
    EXPECT_EQ(dialog.edits, 1);
    EXPECT_EQ(dialog.clicks, 1);
    EXPECT_THROW(dialog.onSelChange(ExchangeDialog::Edit1, &Counting::OnSel), std::logic_error);
    EXPECT_THROW(dialog.onCommand(4242, &Counting::OnClick), std::logic_error);
}

}  // namespace

#include "test_dialog.moc"
