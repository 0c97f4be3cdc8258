#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// The character-set test labels: byte strings written to the printer unconverted.
namespace ostrel {

// "CS" set "," table CR: selects the international character set and the code table.
QByteArray CharacterSetCommand(int charSet, int codeTable);

// How each test label's text command begins.
struct CharacterSetFont {
    bool vector = false;  // the vector font "U", else the bitmap font below
    QByteArray font;      // the bitmap font's list text
    int vMulti = 1;       // "V Multi" or "Height": written first
    int hMulti = 1;       // "H Multi" or "Width"
};
// "T" x "," y "," font "," v "," h ",10,0,N,N,'" or "V" x "," y ",U," v "," h ",+1,N,N,N,0,L,0,'"
QByteArray CharacterSetHeader(const CharacterSetFont& font, int x, int y);

// The codes 0x20-0x7F ascending, the quote and the backslash each preceded by a backslash
// (98 bytes); and the codes 0x80-0xFF, none escaped.
QByteArray CodesUnder80H();
QByteArray CodesOver80H();

// One label of `codes` under the set and table: "SW780" CR, the set command, the header at
// (x, y), the codes, "'" CR "P1" CR; then "SW830" CR as a second write.
std::vector<QByteArray> CodeLabelWrites(const CharacterSetFont& font, int x, int y, int charSet,
                                        int codeTable, QByteArrayView codes);
// Under and over 80H under every code table 0 .. tableCount-1 in turn: two writes per table.
std::vector<QByteArray> AllCodeTableWrites(const CharacterSetFont& font, int x, int y,
                                           int charSet, int tableCount);
// One row per international set 0-15 at x 30, y 50 + 70 i, each its own write of the set
// command, the header and the twelve national characters; then "P1" CR.
std::vector<QByteArray> InternationalWrites(const CharacterSetFont& font, int codeTable);

}  // namespace ostrel
