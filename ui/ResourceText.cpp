#include "ui/ResourceText.h"

#include "core/TextHelpers.h"
#include "platform/Services.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QComboBox>
#include <algorithm>
#include <climits>

QString g_strResourceCache;

namespace {

QString trimLeft(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsWideSpace(text.at(i)))
        ++i;
    return text.mid(i);
}

// Fills the list with the non-empty pieces of `text` between separators, in their order.
void fillCombo(QComboBox* combo, const QString& text, const QString& separators)
{
    if (!combo)
        return;
    combo->clear();
    combo->clearEditText();
    int position = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !separators.contains(text.at(i)))
            continue;
        const QString piece = trimLeft(RightTrim(text.mid(start, i - start)));
        if (!piece.isEmpty())
            combo->insertItem(position++, piece);
        start = i + 1;
    }
    // Qt chooses the first item put into an empty list; the filled list shows no choice.
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

// The decimal number at the start of the text, as the C library reads it ("4.0" gives 4);
// out-of-range values saturate.
int leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsWideSpace(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    long long magnitude = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text.at(i).unicode() - u'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

void FillComboFromResource(int resourceId, QComboBox* combo)
{
    if (!combo)
        return;
    fillCombo(combo, LoadResString(resourceId), QStringLiteral(";"));
}

void FillComboFromList(QComboBox* combo, QString list, const QString& separators)
{
    fillCombo(combo, list, separators);
}

void SelectComboByValue(QComboBox* combo, int value)
{
    if (!combo)
        return;
    for (int i = 0; i < combo->count(); ++i) {
        if (leadingInteger(combo->itemText(i)) == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

QString LoadResString(int resourceId)
{
    g_strResourceCache = ui::LoadString(resourceId);
    return g_strResourceCache;
}

QString ShowUsbSerialNumberMessage()
{
    const QString text = LoadResString(276);
    ui::MessageBox(text, platform::AlertIcon::Information);
    return text;
}
