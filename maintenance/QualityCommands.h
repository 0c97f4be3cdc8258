#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The print-quality window's sample labels and its setting text (also the "*.zpl" file's).
namespace quality {

// Darkness of the first label of each speed and the step from one label to the next,
// by the label-count list's index (12, 18, 24, 30, 36 labels).
struct DarknessGrid {
    int start;
    int step;
};
DarknessGrid GridForIndex(int labelCountIndex);

// The j-th identifier: "AA" .. "AZ", "BA" ...
QString Identifier(int j);

// Speed index and step of the sample label with that identifier number, within a series of
// `count` labels over `speeds` speeds; nullopt when no label has it.
struct SamplePosition {
    int speedIndex;
    int step;
};
std::optional<SamplePosition> PositionOf(int identifierNumber, int count, int speeds);
inline int IdentifierNumber(int speedIndex, int step, int count, int speeds)
{
    return speedIndex * count / speeds + step;
}

// One sample label (every line ended by CR LF); an empty identifier for manual mode.
QString SampleLabelText(int darkness, const QString& speed, const QString& identifier);
// "~SDdd", "^XA", "^PRs,s", "^XZ" and the save trailer.
QString SettingText(int darkness, int speed);

}  // namespace quality
