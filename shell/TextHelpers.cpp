#include "shell/TextHelpers.h"

#include "platform/Services.h"
#include "shell/Globals.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QComboBox>
#include <algorithm>
#include <climits>
#include <cstring>
#include <cwctype>
#include <string>

namespace {

// What the C library's wide classification calls space, plus Unicode's own spaces.
bool isWideSpace(QChar c)
{
    return c.isSpace() || std::iswspace(static_cast<wint_t>(c.unicode())) != 0;
}

QString trimLeft(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isWideSpace(text.at(i)))
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
}

// The decimal number at the start of the text, as the C library reads it ("4.0" gives 4);
// out-of-range values saturate.
int leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isWideSpace(text.at(i)))
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

int toWide(char16_t* out, const char* ansi, int bufferChars, bool terminate)
{
    if (!out)
        return -1;
    std::fill_n(out, bufferChars + (terminate ? 1 : 0), u'\0');
    if (!ansi)
        return 0;
    const QString wide = platform::codePage().toWide(QByteArrayView(ansi, std::strlen(ansi)));
    if (wide.isEmpty())
        return 0;
    if (wide.size() > bufferChars)
        return -1;
    std::copy(wide.utf16(), wide.utf16() + wide.size(), out);
    if (terminate)
        out[wide.size()] = u'\0';
    return static_cast<int>(wide.size());
}

int toAnsi(char* out, const char16_t* wide, int size, bool terminate)
{
    if (!out || size < 0)
        return -1;
    std::fill_n(out, size + (terminate ? 1 : 0), '\0');
    if (!wide)
        return 0;
    const auto length = std::char_traits<char16_t>::length(wide);
    const QByteArray ansi = platform::codePage().fromWide(QStringView(wide, length));
    if (ansi.isEmpty())
        return 0;
    if (ansi.size() > size)
        return -1;
    std::copy(ansi.cbegin(), ansi.cend(), out);
    if (terminate)
        out[ansi.size()] = '\0';
    return static_cast<int>(ansi.size());
}

}  // namespace

int AnsiToWide(char16_t* out, const char* ansi)
{
    return toWide(out, ansi, kWideBufferChars, false);
}

int AnsiToWideZ(char16_t* out, const char* ansi)
{
    return toWide(out, ansi, kWideBufferChars, true);
}

int WideToAnsi(char* out, const char16_t* wide, int size)
{
    return toAnsi(out, wide, size, false);
}

int WideToAnsiZ(char* out, const char16_t* wide)
{
    return toAnsi(out, wide, kAnsiZBufferBytes, true);
}

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

// The pieces this trims are short; a text of any length is kept whole rather than cut short.
QString RightTrim(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isWideSpace(text.at(end - 1)))
        --end;
    return text.left(end);
}
