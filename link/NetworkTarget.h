#pragma once

#include <QString>
#include <cstdint>

// A TCP printer as the main dialog hands it to the link.
struct NetworkTarget {
    QString m_strIpAddress;  // dotted decimal, "%d.%d.%d.%d"
    std::int32_t m_nPort = 0;
};
