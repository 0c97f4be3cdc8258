#include "ui/Dialog.h"

#include "ui/ControlText.h"
#include "ui/DataExchange.h"
#include "ui/DialogUnits.h"
#include "ui/IpAddressCtrl.h"
#include "ui/TabStrip.h"
#include "ui/TestHooks.h"

#include "platform/OperatorAction.h"

#include <QAbstractSlider>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTextEdit>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

namespace {

// The controls of `root` itself: every descendant with a "ctlId", except those inside a
// child page (another Dialog, or a widget marked with the property "ctlScope"), whose ids
// belong to that page.
template <class F>
void forEachOwnControl(const QWidget* root, F&& visit)
{
    for (QObject* child : root->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || qobject_cast<Dialog*>(w) || w->property("ctlScope").toBool())
            continue;
        bool ok = false;
        const int id = w->property("ctlId").toInt(&ok);
        if (ok)
            visit(id, w);
        forEachOwnControl(w, visit);
    }
}

// Checks or unchecks a button even when its exclusive group would refuse to uncheck it.
void setButtonChecked(QAbstractButton* button, bool checked)
{
    QButtonGroup* group = button->group();
    const bool exclusive = group ? group->exclusive() : button->autoExclusive();
    if (group)
        group->setExclusive(false);
    else
        button->setAutoExclusive(false);
    button->setChecked(checked);
    if (group)
        group->setExclusive(exclusive);
    else
        button->setAutoExclusive(exclusive);
}

// Runs a handler as one operator action.
void dispatch(const std::function<void()>& handler)
{
    const platform::OperatorAction::Scope action;
    handler();
}

// Hidden by a call, not merely not shown yet.
bool explicitlyHidden(const QWidget* w)
{
    return w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}

}  // namespace

// The controls as the template made them. The class library created the window afresh
// from its template at every DoModal; a Qt dialog keeps its widgets, so a dialog run
// again (a builder reopened by the tester) gets its template state back before
// OnInitDialog instead.
class Dialog::TemplateState {
public:
    explicit TemplateState(const Dialog& dialog)
    {
        forEachOwnControl(&dialog, [this](int, QWidget* w) { capture(w); });
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->isDefault() && button->window() == &dialog) {
                m_default = button;
                break;
            }
        }
    }

    void restore() const
    {
        for (const Control& c : m_controls) {
            if (QWidget* w = c.widget)
                restore(c, w);
        }
    }

    QPushButton* defaultButton() const { return m_default; }

private:
    struct Control {
        QPointer<QWidget> widget;
        bool enabled = true;
        bool hidden = false;
        QString text;
        int check = 0;
        QStringList items;
        QVariantList data;
        int index = -1;
        int value = 0;
        std::uint32_t address = 0;
    };

    void capture(QWidget* w)
    {
        Control c;
        c.widget = w;
        c.enabled = !w->testAttribute(Qt::WA_Disabled);
        c.hidden = explicitlyHidden(w);
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) {
                c.items << combo->itemText(i);
                c.data << combo->itemData(i);
            }
            c.index = combo->currentIndex();
            c.text = combo->currentText();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            c.text = button->text();
            auto* box = qobject_cast<QCheckBox*>(button);
            c.check = box ? box->checkState() : (button->isChecked() ? Qt::Checked : Qt::Unchecked);
        } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
            c.value = slider->value();
        } else if (auto* ip = qobject_cast<IpAddressCtrl*>(w)) {
            c.address = ip->address();
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                   qobject_cast<QTextEdit*>(w) || qobject_cast<QLabel*>(w)) {
            c.text = controlText(w);
        }
        m_controls.push_back(std::move(c));
    }

    static void restore(const Control& c, QWidget* w)
    {
        const QSignalBlocker blocker(w);
        w->setEnabled(c.enabled);
        if (c.hidden != explicitlyHidden(w))
            w->setHidden(c.hidden);
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            combo->clear();
            for (qsizetype i = 0; i < c.items.size(); ++i)
                combo->addItem(c.items[i], c.data[i]);
            combo->setCurrentIndex(c.index);
            if (combo->isEditable())
                combo->setEditText(c.text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            button->setText(c.text);
            if (auto* box = qobject_cast<QCheckBox*>(button))
                box->setCheckState(static_cast<Qt::CheckState>(c.check));
            else if (button->isCheckable())
                setButtonChecked(button, c.check == Qt::Checked);
        } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
            slider->setValue(c.value);
        } else if (auto* ip = qobject_cast<IpAddressCtrl*>(w)) {
            ip->setAddress(c.address);
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                   qobject_cast<QTextEdit*>(w) || qobject_cast<QLabel*>(w)) {
            setControlText(w, c.text);
        }
    }

    std::vector<Control> m_controls;
    QPointer<QPushButton> m_default;
};

Dialog::Dialog(QWidget* parent) : QDialog(parent)
{
    setFont(DialogUnits::font());
}

Dialog::~Dialog() = default;

void Dialog::applyTemplateGeometry()
{
    // An edit is as wide as the widest value its range or its data allows.
    forEachOwnControl(this, [](int, QWidget* w) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        const QString widest = w->property("widestText").toString();
        if (!edit || widest.isEmpty())
            return;
        const int needed = DialogUnits::editWidthFor(*edit, widest);
        if (edit->minimumWidth() < needed)
            edit->setMinimumWidth(needed);
        if (edit->maximumWidth() < needed)
            edit->setMaximumWidth(needed);
    });
    // A window takes its template's size; a child page is sized by the window it sits in.
    const QSize units = property("templateSize").toSize();
    if (units.isValid() && isWindow())
        setFixedSize(DialogUnits::toPixels(units));
}

void Dialog::prepareRun()
{
    applyTemplateGeometry();
    if (m_template)
        m_template->restore();
    else
        m_template = std::make_unique<TemplateState>(*this);
    // The class library sends IDOK and IDCANCEL to OnOK and OnCancel unless a handler
    // of the dialog's own takes them.
    for (int id : {IDOK, IDCANCEL}) {
        if (item<QAbstractButton>(id))
            connectButton(id);
    }
}

int Dialog::DoModal()
{
    if (m_running)
        throw std::logic_error("DoModal of a dialog that is already running");
    prepareRun();
    m_endResult = -1;
    m_running = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{m_running};

    {
        // The opening belongs to the action that opened the window (or is one of its own).
        const platform::OperatorAction::Scope action;
        OnInitDialog();
    }
    // A dialog that ended during its initialisation is never shown.
    if (m_endResult == -1) {
        // Each press inside the window is an action of its own.
        const platform::OperatorAction::Pause outer;
        if (TestHooks* hooks = TestHooks::active())
            hooks->runScript(*this);
        else
            exec();
    }
    return m_endResult == -1 ? IDCANCEL : m_endResult;
}

bool Dialog::Create(QWidget* parent)
{
    setParent(parent, Qt::Widget);
    prepareRun();
    m_endResult = -1;
    const platform::OperatorAction::Scope action;
    return OnInitDialog();
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(*this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const DataExchangeFailure&) {
        return false;
    }
    return true;
}

void Dialog::EndDialog(int result)
{
    m_endResult = result;
    done(result);
}

void Dialog::indexControls() const
{
    m_controls.clear();
    forEachOwnControl(this, [this](int id, QWidget* w) {
        if (!m_controls.contains(id))
            m_controls.insert(id, w);
    });
    m_indexed = true;
}

QWidget* Dialog::GetDlgItem(int id) const
{
    if (!m_indexed)
        indexControls();
    QWidget* w = m_controls.value(id);
    if (!w) {
        // Controls made or removed since the index was built.
        indexControls();
        w = m_controls.value(id);
    }
    return w;
}

void Dialog::EnableDlgItem(int id, bool enable)
{
    if (QWidget* w = GetDlgItem(id))
        w->setEnabled(enable);
}

void Dialog::ShowDlgItem(int id, bool show)
{
    if (QWidget* w = GetDlgItem(id))
        w->setVisible(show);
}

void Dialog::SetDlgItemText(int id, const QString& text)
{
    if (QWidget* w = GetDlgItem(id))
        setControlText(w, text);
}

QString Dialog::GetDlgItemText(int id) const
{
    QWidget* w = GetDlgItem(id);
    return w ? controlText(w) : QString();
}

bool Dialog::IsDlgButtonChecked(int id) const
{
    auto* button = item<QAbstractButton>(id);
    return button && button->isChecked();
}

void Dialog::CheckDlgButton(int id, bool checked)
{
    if (auto* button = item<QAbstractButton>(id))
        setButtonChecked(button, checked);
}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::accept()
{
    onButton(IDOK);
}

void Dialog::reject()
{
    onButton(IDCANCEL);
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    // A child page leaves its keys to the window it sits in.
    if (!isWindow()) {
        event->ignore();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && mods == Qt::NoModifier) {
        // Enter presses the focused push button, else the template's default button,
        // else it is IDOK; never a button Qt picked as default on its own.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused && focused->isVisibleTo(this)) {
            if (focused->isEnabled())
                focused->click();
            return;
        }
        if (QPushButton* def = m_template ? m_template->defaultButton() : nullptr;
            def && def->isVisibleTo(this)) {
            if (def->isEnabled())
                def->click();
            return;
        }
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Dialog::onButton(int id)
{
    const platform::OperatorAction::Scope action;
    if (const auto handler = m_commands.constFind(id); handler != m_commands.constEnd())
        (*handler)();
    else if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

void Dialog::connectButton(int id)
{
    if (m_buttonLinks.contains(id))
        return;
    auto* button = item<QAbstractButton>(id);
    if (!button)
        throw std::logic_error("command bound to a control that is not a button: " +
                               std::to_string(id));
    m_buttonLinks.insert(id, connect(button, &QAbstractButton::clicked, this,
                                     [this, id] { onButton(id); }));
}

void Dialog::bindClicked(int id, std::function<void()> handler)
{
    connectButton(id);
    m_commands.insert(id, std::move(handler));
}

void Dialog::bindActivated(int id, std::function<void()> handler)
{
    QWidget* w = GetDlgItem(id);
    QMetaObject::Connection link;
    if (auto* combo = qobject_cast<QComboBox*>(w))
        link = connect(combo, &QComboBox::activated, this, [handler] { dispatch(handler); });
    else if (auto* tabs = qobject_cast<TabStrip*>(w))
        link = connect(tabs, &TabStrip::selectionChanged, this, [handler] { dispatch(handler); });
    else
        throw std::logic_error("selection change bound to a control without a selection: " +
                               std::to_string(id));
    disconnect(m_selLinks.value(id));
    m_selLinks.insert(id, link);
}

void Dialog::bindEdited(int id, std::function<void()> handler)
{
    QWidget* w = GetDlgItem(id);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    QMetaObject::Connection link;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        link = connect(edit, &QLineEdit::textEdited, this, [handler] { dispatch(handler); });
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        link = connect(edit, &QPlainTextEdit::textChanged, this, [handler] { dispatch(handler); });
    else if (auto* edit = qobject_cast<QTextEdit*>(w))
        link = connect(edit, &QTextEdit::textChanged, this, [handler] { dispatch(handler); });
    else
        throw std::logic_error("edit change bound to a control that is not an edit: " +
                               std::to_string(id));
    disconnect(m_editLinks.value(id));
    m_editLinks.insert(id, link);
}

}  // namespace ui
