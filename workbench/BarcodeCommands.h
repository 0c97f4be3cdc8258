#pragma once

#include <QString>
#include <QStringList>

// The Ostrel barcode commands "B1" (linear) and "B2" (MaxiCode, PDF417, QR Code) and the
// sample data of the 2D builder. Positions are dots held as floats, truncated toward zero;
// the data goes in unchanged (quotes, commas and line breaks in it are not escaped).
namespace ostrel {

struct LinearBarcode {
    float x = 0;
    float y = 0;
    int type = 0;  // index of LinearBarcodeTypes()
    int narrow = 2;
    int wide = 7;
    int height = 100;
    int rotation = 0;  // 0-3
    int hri = 1;       // 0 off, 1 on
    bool quietZone = false;
    int quietZoneWidth = 12;
    QString data;
};
// "B1" x "," y "," type "," narrow "," wide "," height "," rotation "," hri
// ["," quiet zone] ",'" data "'"
QString LinearBarcodeLine(const LinearBarcode& b);
QStringList LinearBarcodeTypes();

enum Symbology { MaxiCode = 0, Pdf417 = 1, QrCode = 2 };

struct TwoDBarcode {
    float x = 0;
    float y = 0;
    int symbology = MaxiCode;
    int mode = 0;  // MaxiCode: index of "Mode 0", "Mode 2", "Mode 3", "Mode 4"; QR: model - 1
    // PDF417
    int maxRow = 30;
    int maxCol = 5;
    int ecl = 0;       // 0-8
    int compress = 0;  // 0 text, 1 numeric, 2 binary
    int hri = 1;
    int origin = 1;  // 0 upper left, 1 center
    int moduleWidth = 3;
    int barHeight = 10;  // PDF417 bar height, QR cell size
    int rotation = 0;    // PDF417 and QR
    QString ecc = QStringLiteral("L");  // QR: "L", "M", "Q" or "H"
    QString data;
};
// "B2" x "," y "," then "M," mode digit | "P," row,col,ecl,compress,hri,origin,module,
// height,rotation | "Q," model,ecc,cell size,rotation; then ",'" data "'"
QString TwoDBarcodeLine(const TwoDBarcode& b);

// The mode digit MaxiCode takes for a mode list index: 0, 2, 3, 4.
int MaxiCodeModeDigit(int modeIndex);
// The sample data of a MaxiCode mode (list index); empty outside the list.
QString MaxiCodeSample(int modeIndex);
// The longer mode-0 sample a new 2D builder starts with.
QString MaxiCodeFirstSample();
QString Pdf417Sample();
QString QrCodeSample();

}  // namespace ostrel
