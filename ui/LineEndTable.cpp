#include "ui/LineEndTable.h"

#include <algorithm>
#include <cstring>

namespace ui {

namespace {

bool isBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

QStringView written(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf:
        return u"\r\n";
    case LineEnd::Lf:
        return u"\n";
    case LineEnd::Cr:
        return u"\r";
    case LineEnd::LineSeparator:
        return u"\u2028";
    case LineEnd::ParagraphSeparator:
        return u"\u2029";
    case LineEnd::Piece:
        break;
    }
    return {};
}

}  // namespace

void LineEndTable::change(qsizetype position, qsizetype removed, qsizetype added)
{
    auto before = [](const Entry& e, qsizetype p) { return e.position < p; };
    auto first = std::lower_bound(m_entries.begin(), m_entries.end(), position, before);
    auto last = std::lower_bound(first, m_entries.end(), position + removed, before);
    first = m_entries.erase(first, last);
    const qsizetype moved = added - removed;
    if (moved != 0)
        for (; first != m_entries.end(); ++first)
            first->position += moved;
}

void LineEndTable::replaceAt(const std::vector<qsizetype>& positions, qsizetype length,
                             qsizetype added)
{
    // One pass over both, however many replacements.
    std::vector<Entry> kept;
    kept.reserve(m_entries.size());
    auto next = positions.begin();
    qsizetype moved = 0;
    for (Entry e : m_entries) {
        for (; next != positions.end() && *next + length <= e.position; ++next)
            moved += added - length;
        if (next != positions.end() && *next <= e.position)
            continue;  // replaced
        e.position += moved;
        kept.push_back(e);
    }
    m_entries = std::move(kept);
}

void LineEndTable::insert(const std::vector<Entry>& entries)
{
    if (entries.empty())
        return;
    auto at = std::lower_bound(m_entries.begin(), m_entries.end(), entries.front().position,
                               [](const Entry& e, qsizetype p) { return e.position < p; });
    m_entries.insert(at, entries.begin(), entries.end());
}

QString LineEndTable::text(QStringView shown, qsizetype from) const
{
    // Walks the breaks once to measure and once to write; runs between them are copied whole.
    auto walk = [&](auto&& run, auto&& lineEnd) {
        auto entry = std::lower_bound(m_entries.begin(), m_entries.end(), from,
                                      [](const Entry& e, qsizetype p) { return e.position < p; });
        qsizetype start = 0;
        for (qsizetype i = 0; i < shown.size(); ++i) {
            if (!isBreak(shown[i]))
                continue;
            run(shown.sliced(start, i - start));
            const qsizetype position = from + i;
            while (entry != m_entries.end() && entry->position < position)
                ++entry;
            lineEnd(entry != m_entries.end() && entry->position == position ? entry->end
                                                                            : LineEnd::CrLf);
            start = i + 1;
        }
        run(shown.sliced(start));
    };
    qsizetype length = 0;
    walk([&](QStringView run) { length += run.size(); },
         [&](LineEnd end) { length += written(end).size(); });
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    auto put = [&out](QStringView run) {
        if (!run.isEmpty())
            std::memcpy(static_cast<void*>(out), run.data(), run.size() * sizeof(QChar));
        out += run.size();
    };
    walk(put, [&](LineEnd end) { put(written(end)); });
    return text;
}

}  // namespace ui
