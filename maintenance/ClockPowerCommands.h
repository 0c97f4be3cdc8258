#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

// The clock page's ^ST text and the power page's time conversions.
namespace clockpower {

// "^XA\r\n^STmm,dd,yyyy,hh,mm,ss,M\r\n^XZ\r\n" and the save trailer.
QString ClockSetText(const QDate& date, const QTime& time);

// Minutes from a reply to parameter query 14 (seconds, 16-bit little-endian), truncated.
// A reply of one byte is that many seconds.
unsigned PowerOffMinutes(const char* reply, int length);

inline constexpr unsigned kMinMinutes = 1;
inline constexpr unsigned kMaxMinutes = 90;
inline constexpr unsigned kMinSeconds = 10;
inline constexpr unsigned kMaxSeconds = 255;

}  // namespace clockpower
