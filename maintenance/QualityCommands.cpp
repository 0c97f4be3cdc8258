#include "maintenance/QualityCommands.h"

#include "maintenance/SettingCommands.h"

namespace quality {

DarknessGrid GridForIndex(int labelCountIndex)
{
    static constexpr DarknessGrid kGrids[] = {{8, 9}, {9, 5}, {7, 4}, {8, 3}, {7, 2}};
    if (labelCountIndex < 0 || labelCountIndex >= int(std::size(kGrids)))
        labelCountIndex = 0;
    return kGrids[labelCountIndex];
}

QString Identifier(int j)
{
    return QString(QChar(u'A' + j / 26)) + QChar(u'A' + j % 26);
}

std::optional<SamplePosition> PositionOf(int identifierNumber, int count, int speeds)
{
    if (speeds <= 0)
        return std::nullopt;
    const int perSpeed = count / speeds;
    for (int k = 0; k < speeds; ++k) {
        for (int i = 0; i < perSpeed; ++i) {
            if (IdentifierNumber(k, i, count, speeds) == identifierNumber)
                return SamplePosition{k, i};
        }
    }
    return std::nullopt;
}

QString SampleLabelText(int darkness, const QString& speed, const QString& identifier)
{
    const int speedInteger = speed.section(u'.', 0, 0).toInt();
    QString text;
    text += QString::asprintf("~SD%02d\r\n", darkness);
    text += QStringLiteral("^XA\r\n^LH0,0\r\n");
    text += QString::asprintf("^PR%d\r\n", speedInteger);
    text += QStringLiteral("^FO36,36^BY3^BCN,120,Y,N,N^FDABCDEFG^FS\r\n"
                           "^FO500,36,^BY3^BCR,120,Y,N,N^FDABCDEFGHI^FS\r\n"
                           "^FO36,240^A0N,60,60^FDIdentifier:^FS\r\n");
    text += QStringLiteral("^FO330,240^A0N,90,90^FD") + identifier + QStringLiteral("^FS\r\n");
    text += QStringLiteral("^FO36,345^A0N,60,60^FDDarkness:^FS\r\n");
    text += QString::asprintf("^FO330,345^A0N,90,90^FD%d^FS\r\n", darkness);
    text += QStringLiteral("^FO36,450^A0N,60,60^FDSpeed:^FS\r\n");
    text += QStringLiteral("^FO330,450^A0N,90,90^FD") + speed + QStringLiteral("^FS\r\n");
    text += QStringLiteral("^PQ1,0,1,Y\r\n^XZ\r\n");
    return text;
}

QString SettingText(int darkness, int speed)
{
    return QString::asprintf("~SD%02d\r\n^XA\r\n^PR%d,%d\r\n^XZ\r\n", darkness, speed, speed)
           + QLatin1String(setting::kSaveTrailer);
}

}  // namespace quality
