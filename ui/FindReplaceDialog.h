#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// The class library's modeless find-and-replace dialog. Create() shows it beside its owner;
// every button press is reported through findReplace() (the registered message), and the
// report's flags say which button it was. Closing it (Cancel, Esc, the close box) sends one
// last report with IsTerminating() set, after which the dialog deletes itself.
class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum Flag : unsigned {
        FR_DOWN = 0x1,
        FR_WHOLEWORD = 0x2,
        FR_MATCHCASE = 0x4,
        FR_HIDEUPDOWN = 0x4000,
        FR_HIDEMATCHCASE = 0x8000,
        FR_HIDEWHOLEWORD = 0x10000,
    };

    FindReplaceDialog();

    // The find form, or with `findDialogOnly` false the replace form; `flags` as above.
    bool Create(bool findDialogOnly, const QString& findWhat, const QString& replaceWith,
                unsigned flags, QWidget* parent);

    // What the report in hand carries.
    QString GetFindString() const;
    QString GetReplaceString() const;
    bool FindNext() const { return m_report == Report::FindNext; }
    bool ReplaceCurrent() const { return m_report == Report::Replace; }
    bool ReplaceAll() const { return m_report == Report::ReplaceAll; }
    bool IsTerminating() const { return m_report == Report::Terminating; }
    bool MatchCase() const;
    bool MatchWholeWord() const;
    bool SearchDown() const;

    // The controls, for tests that drive the dialog as the operator would.
    QLineEdit* findEdit() const { return m_findEdit; }
    QLineEdit* replaceEdit() const { return m_replaceEdit; }
    QPushButton* findNextButton() const { return m_findNext; }
    QPushButton* replaceButton() const { return m_replace; }
    QPushButton* replaceAllButton() const { return m_replaceAll; }
    QPushButton* cancelButton() const { return m_cancel; }

    void done(int result) override;

signals:
    void findReplace(ui::FindReplaceDialog* dialog);

private:
    enum class Report { None, FindNext, Replace, ReplaceAll, Terminating };
    void report(Report which);
    void updateButtons();

    QLineEdit* m_findEdit;
    QLineEdit* m_replaceEdit;
    QLabel* m_replaceLabel;
    QPushButton* m_findNext;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
    QPushButton* m_cancel;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QGroupBox* m_direction;
    QRadioButton* m_down;
    Report m_report = Report::None;
    bool m_created = false;
};

}  // namespace ui
