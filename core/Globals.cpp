#include "core/Globals.h"

// Constructed in this order before main() and destroyed in reverse after it.
QString g_modelName;
ModelTable g_modelTable;
QString g_language;
QString g_astrQualitySpeeds[7] = {
    QStringLiteral("2.0"), QStringLiteral("3.0"), QStringLiteral("4.0"), QStringLiteral("5.0"),
    QStringLiteral("6.0"), QStringLiteral("7.0"), QString(),
};
QString g_astrQualityLabelCounts[6] = {
    QStringLiteral("12"), QStringLiteral("18"), QStringLiteral("24"),
    QStringLiteral("30"), QStringLiteral("36"), QString(),
};

_VANTOPRT_INFO* g_curModelInfo = nullptr;
std::int32_t g_menuMode = 1;
