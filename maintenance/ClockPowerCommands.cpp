#include "maintenance/ClockPowerCommands.h"

#include "maintenance/SettingCommands.h"

namespace clockpower {

QString ClockSetText(const QDate& date, const QTime& time)
{
    return QString::asprintf("^XA\r\n^ST%02d,%02d,%04d,%02d,%02d,%02d,M\r\n^XZ\r\n",
                             date.month(), date.day(), date.year(), time.hour(),
                             time.minute(), time.second())
           + QLatin1String(setting::kSaveTrailer);
}

unsigned PowerOffMinutes(const char* reply, int length)
{
    if (!reply || length <= 0)
        return 0;
    const unsigned low = static_cast<unsigned char>(reply[0]);
    const unsigned high = length > 1 ? static_cast<unsigned char>(reply[1]) : 0;
    return (high * 256 + low) / 60;
}

}  // namespace clockpower
