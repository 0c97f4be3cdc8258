#include "workbench/TextCommands.h"

#include "workbench/OstrelCommands.h"

#include <iterator>

namespace ostrel {

namespace {

constexpr double kBestDistanceStart = 10000.0;

QString letter(bool on, char onLetter)
{
    return QString(QChar::fromLatin1(on ? onLetter : 'N'));
}

// The nearest cell over fonts firstFont..6, each multiplier 1..4; `accept` filters.
template <class Accept>
std::optional<FontChoice> nearestFont(double widthDots, double heightDots, int firstFont,
                                      Accept accept)
{
    std::optional<FontChoice> best;
    double bestDistance = kBestDistanceStart;
    for (int f = firstFont; f < int(std::size(kFontCells)); ++f) {
        for (int x = 1; x <= kMaxFontMulti; ++x) {
            for (int y = 1; y <= kMaxFontMulti; ++y) {
                if (!accept(f, x, y))
                    continue;
                const double dw = widthDots - double(kFontCells[f].width) * x;
                const double dh = heightDots - double(kFontCells[f].height) * y;
                const double d = dw * dw + dh * dh;
                if (d <= bestDistance) {
                    best = FontChoice{f, x, y};
                    bestDistance = d;
                }
            }
        }
    }
    return best;
}

}  // namespace

QString MakerName()
{
    return QStringLiteral("QUORVIN BRESSANT");
}

QString SampleLabelText()
{
    return MakerName() + QStringLiteral(" Label Printer");
}

QString BitmapTextLine(const BitmapText& t)
{
    return QStringLiteral("T%1,%2,").arg(TruncateToDots(t.x)).arg(TruncateToDots(t.y)) + t.font +
           QStringLiteral(",%1,%2,%3,%4,").arg(t.hMulti).arg(t.vMulti).arg(t.spacing).arg(t.rotation) +
           t.reverse + u',' + t.bold + QStringLiteral(",'") + t.text + u'\'';
}

QStringList BitmapFonts()
{
    QStringList fonts;
    for (char c : QByteArrayView("0123456789abcdef"))
        fonts << QString(QChar::fromLatin1(c));
    return fonts;
}

QString VectorTextLine(const VectorText& t)
{
    return QStringLiteral("V%1,%2,").arg(TruncateToDots(t.x)).arg(TruncateToDots(t.y)) + t.font +
           QStringLiteral(",%1,%2,%3,").arg(t.width).arg(t.height).arg(t.spacing) +
           letter(t.bold, 'B') + u',' + letter(t.reverse, 'R') + u',' + letter(t.italic, 'I') +
           QStringLiteral(",%1,").arg(t.rotation) + t.justification +
           QStringLiteral(",%1,'").arg(t.direction) + t.text + u'\'';
}

QString VectorJustification(int index)
{
    static const char kLetters[] = {'R', 'C', 'L'};
    if (index < 0 || index >= int(std::size(kLetters)))
        return QString();
    return QString(QChar::fromLatin1(kLetters[index]));
}

std::optional<FontChoice> FindMostSimilarFont(double widthMm, double heightMm)
{
    return nearestFont(widthMm * kDotsPerMm, heightMm * kDotsPerMm, 0,
                       [](int, int, int) { return true; });
}

std::optional<FontChoice> FindSimilarRoundFont(double widthMm, double heightMm)
{
    const std::optional<FontChoice> most = FindMostSimilarFont(widthMm, heightMm);
    if (!most)
        return std::nullopt;
    return nearestFont(widthMm * kDotsPerMm, heightMm * kDotsPerMm, most->font,
                       [&most](int f, int x, int y) {
                           return f > most->font && x < most->xMulti && y < most->yMulti;
                       });
}

QString FontComparisonJob(const std::optional<FontChoice>& mostSimilar,
                          const std::optional<FontChoice>& similarRound)
{
    auto line = [](float y, const FontChoice& c) {
        return BitmapTextLine({.x = 50,
                               .y = y,
                               .font = QString::number(c.font),
                               .hMulti = c.xMulti,
                               .vMulti = c.yMulti,
                               .text = QStringLiteral("TEST148")}) +
               u'\r';
    };
    QString job = QStringLiteral("SL600,0,C\r");
    if (mostSimilar)
        job += line(50, *mostSimilar);
    if (similarRound)
        job += line(350, *similarRound);
    job += QStringLiteral("P1\r");
    return job;
}

}  // namespace ostrel
