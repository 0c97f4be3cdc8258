#include "ui/TextLimit.h"

#include <QLineEdit>
#include <algorithm>

namespace ui {

TextLimit::TextLimit(QLineEdit* edit, int maxChars)
    : QValidator(edit), m_edit(edit), m_before(edit->text()), m_maxChars(maxChars)
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = text; });
}

void TextLimit::apply(QLineEdit* edit, int maxChars)
{
    if (!edit)
        return;
    if (auto* limit = qobject_cast<TextLimit*>(const_cast<QValidator*>(edit->validator()))) {
        limit->m_maxChars = maxChars;
        return;
    }
    edit->setValidator(new TextLimit(edit, maxChars));
}

QValidator::State TextLimit::validate(QString& input, int& pos) const
{
    // setText() clears the modified flag, so the program's own text passes whole.
    if (!m_edit->isModified() || input.size() <= m_maxChars)
        return Acceptable;
    // The operator's change ends at the cursor: keep as much of what it put in as fits, and
    // all that it took out.
    const qsizetype tail = std::clamp<qsizetype>(input.size() - pos, 0, m_before.size());
    const qsizetype head = input.size() - tail;
    const qsizetype beforeHead = m_before.size() - tail;
    qsizetype common = 0;
    while (common < head && common < beforeHead && input[common] == m_before[common])
        ++common;
    const qsizetype kept = std::clamp<qsizetype>(m_maxChars - common - tail, 0, head - common);
    if (kept == 0 && common == beforeHead)
        return Invalid;  // nothing was replaced and nothing more fits
    input = input.left(common + kept) + input.right(tail);
    pos = static_cast<int>(common + kept);
    return Acceptable;
}

}  // namespace ui
