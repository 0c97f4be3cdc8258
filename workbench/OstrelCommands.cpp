#include "workbench/OstrelCommands.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace ostrel {

namespace {

const char* const kSpeedNames[] = {"2.5 ips'", "3.0 ips'", "4.0 ips'", "5.0 ips'", "6.0 ips'"};

QString speedName(int speed)
{
    if (speed < 0 || speed >= int(std::size(kSpeedNames)))
        return QString();
    return QString::fromLatin1(kSpeedNames[speed]);
}

QString directionCommand(int direction)
{
    return direction == 0 ? QStringLiteral("SOT") : QStringLiteral("SOB");
}

QString mediaSuffix(int media)
{
    switch (media) {
    case 0:
        return QStringLiteral(",24,G");
    case 1:
        return QStringLiteral(",0,C");
    case 2:
        return QStringLiteral(",24,B");
    default:
        return QString();
    }
}

}  // namespace

int TruncateToDots(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return std::numeric_limits<int>::max();
    if (value <= -2147483648.0f)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

int LabelDots(float value, int unit)
{
    double product = value;
    if (unit == UnitInch)
        product = double(value) * double(kMmPerInch) * kDotsPerMm;
    else if (unit == UnitMm)
        product = double(value) * kDotsPerMm;
    return TruncateToDots(static_cast<float>(product));
}

float ConvertLabelValue(float value, int fromUnit, int toUnit)
{
    auto known = [](int unit) { return unit >= UnitInch && unit <= UnitDots; };
    if (!known(fromUnit) || !known(toUnit))
        return value;
    const double v = value;
    const double mmPerInch = kMmPerInch;
    switch (fromUnit * 3 + toUnit) {
    case UnitInch * 3 + UnitMm:
        return static_cast<float>(v * mmPerInch);
    case UnitInch * 3 + UnitDots:
        return static_cast<float>(v * mmPerInch * kDotsPerMm);
    case UnitMm * 3 + UnitInch:
        return static_cast<float>(v / mmPerInch);
    case UnitMm * 3 + UnitDots:
        return static_cast<float>(v * kDotsPerMm);
    case UnitDots * 3 + UnitInch:
        return static_cast<float>(v * 0.125 / mmPerInch);
    case UnitDots * 3 + UnitMm:
        return static_cast<float>(v * 0.125);
    default:
        return value;
    }
}

std::optional<float> ConvertUnitValue(float value, int conversion)
{
    static const int kUnits[6][2] = {
        {UnitInch, UnitMm}, {UnitInch, UnitDots}, {UnitDots, UnitInch},
        {UnitDots, UnitMm}, {UnitMm, UnitInch},   {UnitMm, UnitDots},
    };
    if (conversion < 0 || conversion >= 6)
        return std::nullopt;
    return ConvertLabelValue(value, kUnits[conversion][0], kUnits[conversion][1]);
}

QStringList PrintingSettingLines(const PrintingSettingValues& values)
{
    QStringList lines;
    if (values.applySpeed)
        lines << QStringLiteral("SS%1").arg(values.speed);
    if (values.applyDensity)
        lines << QStringLiteral("SD%1").arg(values.density);
    if (values.applyDirection)
        lines << directionCommand(values.direction);
    return lines;
}

QString PrintingSettingTestLabel(const PrintingSettingValues& values)
{
    const QString rule = QString(29, u'=') + u'\'';
    QString job;
    job += QStringLiteral("T100,100,3,1,1,0,0,N,N,'Printer Setting Test'\r");
    job += QStringLiteral("T100,150,3,1,1,0,0,N,N,'") + rule + u'\r';
    if (values.applySpeed) {
        job += QStringLiteral("T100,200,3,1,1,0,0,N,N,'Printing Speed     : ") +
               speedName(values.speed) + u'\r';
        job += QStringLiteral("SS%1\r").arg(values.speed);
    }
    if (values.applyDensity) {
        job += QStringLiteral("T100,250,3,1,1,0,0,N,N,'Density(0~20)      : %1'\r")
                   .arg(values.density);
        job += QStringLiteral("SD%1\r").arg(values.density);
    }
    if (values.applyDirection) {
        const QString command = directionCommand(values.direction);
        job += QStringLiteral("T100,300,3,1,1,0,0,N,N,'Printing Direction : ") + command +
               QStringLiteral("'\r");
        job += command + u'\r';
    }
    job += QStringLiteral("T100,350,3,1,1,0,0,N,N,'") + rule + u'\r';
    job += QStringLiteral("BD150,500,495,750,B,15\r");
    job += QStringLiteral("BD200,550,300,700,S,30\r");
    job += QStringLiteral("BD430,550,330,700,S,30\r");
    job += QStringLiteral("\r");
    job += QStringLiteral("P1\r");
    return job;
}

QStringList LabelSettingLines(const LabelSettingValues& values)
{
    QStringList lines;
    if (values.applyWidth)
        lines << QStringLiteral("SW%1").arg(LabelDots(values.width, values.unit));
    if (values.applyLength)
        lines << QStringLiteral("SL%1").arg(LabelDots(values.length, values.unit)) +
                     mediaSuffix(values.media);
    if (values.applyMargin)
        lines << QStringLiteral("SM%1,%2")
                     .arg(LabelDots(values.xMargin, values.unit))
                     .arg(LabelDots(values.yMargin, values.unit));
    return lines;
}

QString CopiesLine(int first, int second)
{
    return QStringLiteral("P%1,%2").arg(first).arg(second);
}

QStringList BlockDrawTypes()
{
    return {QStringLiteral("O"), QStringLiteral("E"), QStringLiteral("D"), QStringLiteral("S"),
            QStringLiteral("B")};
}

QString BlockDrawLine(float startX, float startY, float endX, float endY, const QString& type,
                      int option)
{
    QString line = QStringLiteral("BD%1,%2,%3,%4,")
                       .arg(TruncateToDots(startX))
                       .arg(TruncateToDots(startY))
                       .arg(TruncateToDots(endX))
                       .arg(TruncateToDots(endY)) +
                   type;
    if (type == u"S" || type == u"B")
        line += QStringLiteral(",%1").arg(option);
    return line;
}

QString TestPrintJob(const QString& line)
{
    return line + QStringLiteral("\rP1\r");
}

}  // namespace ostrel
