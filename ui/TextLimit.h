#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace ui {

// An edit's text limit as the operator meets it: typing and pasting stop at the limit, while
// a longer text that the program puts in stays whole (QLineEdit::setMaxLength would cut it).
class TextLimit : public QValidator {
    Q_OBJECT
public:
    // The edit's limit, made on first use and owned by the edit.
    static void apply(QLineEdit* edit, int maxChars);

    State validate(QString& input, int& pos) const override;

private:
    TextLimit(QLineEdit* edit, int maxChars);

    QLineEdit* m_edit;
    QString m_before;  // the text before the change being validated
    int m_maxChars;
};

}  // namespace ui
