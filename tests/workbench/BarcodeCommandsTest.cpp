#include "workbench/BarcodeCommands.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

TEST(LinearBarcodeLine, Cases)
{
    struct Case {
        LinearBarcode b;
        const char* line;
    };
    const Case cases[] = {
        {{.x = 100, .y = 100, .data = "123456789"}, "B1100,100,0,2,7,100,0,1,'123456789'"},
        {{.x = 100, .y = 100, .quietZone = true, .data = "123456789"},
         "B1100,100,0,2,7,100,0,1,12,'123456789'"},
        {{.x = 100.9f, .y = -0.5f, .type = 9, .rotation = 3, .hri = 0, .data = "A'B,C"},
         "B1100,0,9,2,7,100,3,0,'A'B,C'"},
        {{.x = 1e12f, .y = 0, .narrow = -1, .wide = 0, .height = 0, .data = ""},
         "B12147483647,0,0,-1,0,0,0,1,''"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinearBarcodeLine(c.b), c.line);
    EXPECT_EQ(LinearBarcodeTypes().size(), 10);
    EXPECT_EQ(LinearBarcodeTypes().value(9), "UCC/EAN128");
}

TEST(TwoDBarcodeLine, EachSymbology)
{
    struct Case {
        TwoDBarcode b;
        QString line;
    };
    const Case cases[] = {
        {{.x = 100, .y = 100, .symbology = MaxiCode, .mode = 2, .data = MaxiCodeSample(2)},
         "B2100,100,M,3,'999,840,06810,7317,THIS IS A TEST OF QUORVIN BRESSANT LABEL PRINTER. "
         "MODE 3 ENCODING.'"},
        {{.x = 100, .y = 100, .symbology = Pdf417, .data = Pdf417Sample()},
         "B2100,100,P,30,5,0,0,1,1,3,10,0,'QUORVIN BRESSANT Label Printer, This is Test "
         "Printing.'"},
        {{.x = 100, .y = 100, .symbology = QrCode, .barHeight = 4, .data = QrCodeSample()},
         "B2100,100,Q,1,L,4,0,'ABCDEFGHIJKLMN1234567890'"},
        {{.x = 0.9f, .y = 1, .symbology = QrCode, .mode = 1, .barHeight = 4, .ecc = "H",
          .data = "a\r\nb"},
         "B20,1,Q,2,H,4,0,'a\r\nb'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwoDBarcodeLine(c.b), c.line);
}

TEST(TwoDBarcodeSamples, ModesAndLengths)
{
    EXPECT_EQ(MaxiCodeFirstSample().size(), 103);
    EXPECT_TRUE(MaxiCodeFirstSample().startsWith(MaxiCodeSample(0)));
    EXPECT_EQ(MaxiCodeSample(0),
              "999,840,06810,7317,THIS IS A TEST OF MODE 0 STRUCTURED CARRIER MESSAGE ENCODING.");
    EXPECT_TRUE(MaxiCodeSample(1).endsWith("MODE 2 ENCODING."));
    EXPECT_EQ(MaxiCodeSample(3), "THIS IS A 93 CHARACTER CODE SET A MESSAGE THAT FILLS A MODE "
                                 "4,UNAPPENDED,MAXICODE SYMBOL...");
    EXPECT_EQ(MaxiCodeSample(4), "");
    EXPECT_EQ(MaxiCodeSample(-1), "");
    const int digits[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(MaxiCodeModeDigit(i), digits[i]);
}

}  // namespace
