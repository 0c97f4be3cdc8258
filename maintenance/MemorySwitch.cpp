#include "maintenance/MemorySwitch.h"

#include "core/Globals.h"
#include "link/Comm.h"

namespace memswitch {

namespace {

QByteArray command(char prefix, const char* mnemonic)
{
    QByteArray bytes(1, prefix);
    bytes += mnemonic;
    return bytes;
}

char digit(int number)
{
    return static_cast<char>('0' + number);
}

}  // namespace

char PagePrefix()
{
    return g_menuMode == 0 ? kMenuModeZeroPrefix : kPrefix;
}

char ReplyPortDigit(std::int32_t portType)
{
    switch (portType) {
    case PORT_COM:
        return '1';
    case PORT_USB:
        return '3';
    default:  // parallel and TCP
        return '2';
    }
}

QByteArray Read(int number, std::int32_t portType, char prefix)
{
    QByteArray bytes = command(prefix, "MBR");
    bytes += digit(number);
    bytes += ',';
    bytes += ReplyPortDigit(portType);
    return bytes;
}

QByteArray Write(int number, std::uint8_t value, char prefix, bool carriageReturn)
{
    QByteArray bytes = command(prefix, "MBS");
    bytes += digit(number);
    bytes += ',';
    bytes += static_cast<char>(value);
    if (carriageReturn)
        bytes += '\r';
    return bytes;
}

QByteArray Commit(int number, char prefix)
{
    QByteArray bytes = command(prefix, "MBA");
    bytes += static_cast<char>(number);
    bytes += '\r';
    return bytes;
}

}  // namespace memswitch
