#include "ui/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

FindReplaceDialog::FindReplaceDialog()
    : m_findEdit(new QLineEdit(this)),
      m_replaceEdit(new QLineEdit(this)),
      m_replaceLabel(new QLabel(tr("Re&place with:"), this)),
      m_findNext(new QPushButton(tr("&Find Next"), this)),
      m_replace(new QPushButton(tr("&Replace"), this)),
      m_replaceAll(new QPushButton(tr("Replace &All"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_wholeWord(new QCheckBox(tr("Match &whole word only"), this)),
      m_matchCase(new QCheckBox(tr("Match &case"), this)),
      m_direction(new QGroupBox(tr("Direction"), this)),
      m_down(new QRadioButton(tr("&Down"), m_direction))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* up = new QRadioButton(tr("&Up"), m_direction);
    auto* directionLayout = new QHBoxLayout(m_direction);
    directionLayout->addWidget(up);
    directionLayout->addWidget(m_down);

    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(m_findEdit);
    m_replaceLabel->setBuddy(m_replaceEdit);
    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replaceEdit, 1, 1);
    fields->addWidget(m_wholeWord, 2, 0, 1, 2);
    fields->addWidget(m_matchCase, 3, 0, 1, 2);
    fields->addWidget(m_direction, 4, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_findNext, m_replace, m_replaceAll, m_cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    m_findNext->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_findEdit, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    connect(m_findNext, &QPushButton::clicked, this, [this] { report(Report::FindNext); });
    connect(m_replace, &QPushButton::clicked, this, [this] { report(Report::Replace); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { report(Report::ReplaceAll); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    updateButtons();
}

bool FindReplaceDialog::Create(bool findDialogOnly, const QString& findWhat,
                               const QString& replaceWith, unsigned flags, QWidget* parent)
{
    if (m_created)
        return false;
    m_created = true;
    setParent(parent, Qt::Dialog);
    setWindowTitle(findDialogOnly ? tr("Find") : tr("Replace"));
    m_findEdit->setText(findWhat);
    m_replaceEdit->setText(replaceWith);
    m_replaceEdit->setVisible(!findDialogOnly);
    m_replaceLabel->setVisible(!findDialogOnly);
    m_replace->setVisible(!findDialogOnly);
    m_replaceAll->setVisible(!findDialogOnly);
    // The replace form searches forward only, as the class library's does.
    m_direction->setVisible(findDialogOnly && !(flags & FR_HIDEUPDOWN));
    m_down->setChecked(flags & FR_DOWN);
    m_matchCase->setChecked(flags & FR_MATCHCASE);
    m_matchCase->setVisible(!(flags & FR_HIDEMATCHCASE));
    m_wholeWord->setChecked(flags & FR_WHOLEWORD);
    m_wholeWord->setVisible(!(flags & FR_HIDEWHOLEWORD));
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    return true;
}

QString FindReplaceDialog::GetFindString() const
{
    return m_findEdit->text();
}

QString FindReplaceDialog::GetReplaceString() const
{
    return m_replaceEdit->text();
}

bool FindReplaceDialog::MatchCase() const
{
    return m_matchCase->isChecked();
}

bool FindReplaceDialog::MatchWholeWord() const
{
    return m_wholeWord->isChecked();
}

bool FindReplaceDialog::SearchDown() const
{
    return m_direction->isHidden() || m_down->isChecked();
}

void FindReplaceDialog::done(int result)
{
    if (m_report == Report::Terminating)
        return;
    report(Report::Terminating);
    QDialog::done(result);
    deleteLater();
}

void FindReplaceDialog::report(Report which)
{
    // The buttons stay disabled while there is nothing to find; a report never asks for it.
    if (which != Report::Terminating && m_findEdit->text().isEmpty())
        return;
    m_report = which;
    emit findReplace(this);
    if (which != Report::Terminating)
        m_report = Report::None;
}

void FindReplaceDialog::updateButtons()
{
    const bool any = !m_findEdit->text().isEmpty();
    for (QPushButton* b : {m_findNext, m_replace, m_replaceAll})
        b->setEnabled(any);
}

}  // namespace ui
