#include "workbench/BarcodeCommands.h"

#include "workbench/OstrelCommands.h"
#include "workbench/TextCommands.h"

namespace ostrel {

namespace {

QString dataPart(const QString& data)
{
    return QStringLiteral(",'") + data + u'\'';
}

QString position(const char* mnemonic, float x, float y)
{
    return QString::fromLatin1(mnemonic) +
           QStringLiteral("%1,%2,").arg(TruncateToDots(x)).arg(TruncateToDots(y));
}

const QString kMaxiCodeHead = QStringLiteral("999,840,06810,7317,");

}  // namespace

QString LinearBarcodeLine(const LinearBarcode& b)
{
    QString line = position("B1", b.x, b.y) + QStringLiteral("%1,%2,%3,%4,%5,%6")
                                                  .arg(b.type)
                                                  .arg(b.narrow)
                                                  .arg(b.wide)
                                                  .arg(b.height)
                                                  .arg(b.rotation)
                                                  .arg(b.hri);
    if (b.quietZone)
        line += QStringLiteral(",%1").arg(b.quietZoneWidth);
    return line + dataPart(b.data);
}

QStringList LinearBarcodeTypes()
{
    return {QStringLiteral("Code39"), QStringLiteral("Code128"), QStringLiteral("I2of5"),
            QStringLiteral("Codabar"), QStringLiteral("Code93"), QStringLiteral("UPC-A"),
            QStringLiteral("UPC-E"), QStringLiteral("EAN13"), QStringLiteral("EAN8"),
            QStringLiteral("UCC/EAN128")};
}

int MaxiCodeModeDigit(int modeIndex)
{
    return modeIndex == 0 ? 0 : modeIndex + 1;
}

QString TwoDBarcodeLine(const TwoDBarcode& b)
{
    QString line = position("B2", b.x, b.y);
    switch (b.symbology) {
    case MaxiCode:
        line += QStringLiteral("M,%1").arg(MaxiCodeModeDigit(b.mode));
        break;
    case Pdf417:
        line += QStringLiteral("P,%1,%2,%3,%4,%5,%6,%7,%8,%9")
                    .arg(b.maxRow)
                    .arg(b.maxCol)
                    .arg(b.ecl)
                    .arg(b.compress)
                    .arg(b.hri)
                    .arg(b.origin)
                    .arg(b.moduleWidth)
                    .arg(b.barHeight)
                    .arg(b.rotation);
        break;
    case QrCode:
        line += QStringLiteral("Q,%1,").arg(b.mode + 1) + b.ecc +
                QStringLiteral(",%1,%2").arg(b.barHeight).arg(b.rotation);
        break;
    default:
        break;
    }
    return line + dataPart(b.data);
}

QString MaxiCodeSample(int modeIndex)
{
    switch (modeIndex) {
    case 0:
        return kMaxiCodeHead +
               QStringLiteral("THIS IS A TEST OF MODE 0 STRUCTURED CARRIER MESSAGE ENCODING.");
    case 1:
    case 2:
        return kMaxiCodeHead + QStringLiteral("THIS IS A TEST OF %1 LABEL PRINTER. MODE %2 ENCODING.")
                                   .arg(MakerName())
                                   .arg(MaxiCodeModeDigit(modeIndex));
    case 3:
        return QStringLiteral("THIS IS A 93 CHARACTER CODE SET A MESSAGE THAT FILLS A MODE "
                              "4,UNAPPENDED,MAXICODE SYMBOL...");
    default:
        return QString();
    }
}

QString MaxiCodeFirstSample()
{
    return MaxiCodeSample(0) + QStringLiteral(" THIS IS AN 84 CHAR MSG");
}

QString Pdf417Sample()
{
    return MakerName() + QStringLiteral(" Label Printer, This is Test Printing.");
}

QString QrCodeSample()
{
    return QStringLiteral("ABCDEFGHIJKLMN1234567890");
}

}  // namespace ostrel
