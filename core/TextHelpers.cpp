#include "core/TextHelpers.h"

#include "platform/Services.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwctype>
#include <string>

namespace {

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

bool IsWideSpace(QChar c)
{
    return c.isSpace() || std::iswspace(static_cast<wint_t>(c.unicode())) != 0;
}

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

// The pieces this trims are short; a text of any length is kept whole rather than cut short.
QString RightTrim(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && IsWideSpace(text.at(end - 1)))
        --end;
    return text.left(end);
}
