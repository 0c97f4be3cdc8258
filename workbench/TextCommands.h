#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The Ostrel text commands "T" (bitmap font) and "V" (vector font), and the bitmap-font
// search of the font finder. Positions are printer dots held as floats and truncated toward
// zero; the text goes in unchanged (quotes and commas in it are not escaped).
namespace ostrel {

// The maker's name as the sample texts carry it.
QString MakerName();
// "QUORVIN BRESSANT Label Printer": the text builders' default text.
QString SampleLabelText();

// One bitmap-font text line. Defaults are those of a plain line: font "3", 1 by 1, no
// spacing, no rotation, neither reverse nor bold.
struct BitmapText {
    float x = 0;
    float y = 0;
    QString font = QStringLiteral("3");  // "0"-"9", "a"-"f"
    int hMulti = 1;
    int vMulti = 1;
    int spacing = 0;
    int rotation = 0;                        // 0-3: 0, 90, 180, 270 degrees
    QString reverse = QStringLiteral("N");   // "N" or "R"
    QString bold = QStringLiteral("N");      // "N" or "B"
    QString text;
};
// "T" x "," y "," font "," h "," v "," spacing "," rotation "," reverse "," bold ",'" text "'"
QString BitmapTextLine(const BitmapText& t);

// The bitmap fonts offered for "T", in list order.
QStringList BitmapFonts();

// One vector-font text line.
struct VectorText {
    float x = 0;
    float y = 0;
    QString font = QStringLiteral("U");
    int width = 35;
    int height = 35;
    int spacing = 1;  // may be negative
    bool bold = false;
    bool reverse = false;
    bool italic = false;
    int rotation = 0;                              // 0-3
    QString justification = QStringLiteral("L");   // "R", "C" or "L"
    int direction = 0;                             // 0 left to right, 1 right to left
    QString text;
};
// "V" x "," y "," font "," width "," height "," spacing ",N|B,N|R,N|I," rotation ","
// justification "," direction ",'" text "'"
QString VectorTextLine(const VectorText& t);

// The justification letters in the order of the list "Right;Center;Left"; empty for an
// index outside it.
QString VectorJustification(int index);

// ---- font finder --------------------------------------------------------------------------

// The character cells of the bitmap fonts 0-6, in dots.
struct FontCell {
    int width;
    int height;
};
inline constexpr FontCell kFontCells[] = {{8, 13},  {10, 18}, {14, 22}, {17, 26},
                                          {20, 35}, {28, 44}, {40, 70}};
inline constexpr int kMaxFontMulti = 4;

struct FontChoice {
    int font = 3;
    int xMulti = 1;
    int yMulti = 1;
    bool operator==(const FontChoice&) const = default;
};

// The font and multipliers whose cell is nearest to the size (in mm, at 8 dots per mm):
// least squared distance in dots, of equal distances the one met last (fonts, then X, then
// Y multipliers counting up). Nothing when no cell lies within 10000 dots².
std::optional<FontChoice> FindMostSimilarFont(double widthMm, double heightMm);
// The nearest choice with a larger font and smaller multipliers than the most similar one;
// nothing when the most similar search finds nothing or no such choice lies within reach.
std::optional<FontChoice> FindSimilarRoundFont(double widthMm, double heightMm);

// The comparison label: both choices printed as "TEST148" one above the other; a choice
// that is missing leaves its line out. Every line ends with "\r".
QString FontComparisonJob(const std::optional<FontChoice>& mostSimilar,
                          const std::optional<FontChoice>& similarRound);

}  // namespace ostrel
