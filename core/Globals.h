#pragma once

#include "core/ModelTable.h"

#include <QString>
#include <cstdint>

// State the windows share (the link's g_comm lives with the link).
extern _VANTOPRT_INFO* g_curModelInfo;  // set by Connect only, never cleared
extern QString g_modelName;             // name from the last model query
extern QString g_language;              // "Dovra", "Ostrel" or "KEFT"; empty before Connect
extern std::int32_t g_menuMode;         // 1 in this configuration
extern QString g_astrQualitySpeeds[7];
extern QString g_astrQualityLabelCounts[6];
