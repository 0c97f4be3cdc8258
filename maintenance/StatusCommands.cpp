#include "maintenance/StatusCommands.h"

#include <algorithm>
#include <array>

namespace status {

namespace {

// Byte 0 of "^cp" and the one byte of "^cu": mask, caption.
struct Bit {
    unsigned mask;
    const char* caption;
};

constexpr std::array<Bit, 6> kMediaBits{{
    {0x80, "Paper Empty"},
    {0x40, "Cover Open"},
    {0x20, "Cutter jammed"},
    {0x10, "Thermal Head overheat"},
    {0x08, "Gap Detection Error"},
    {0x04, "Ribbon End Error"},
}};

constexpr std::array<Bit, 3> kJobBits{{
    {0x80, "On Building label"},
    {0x40, "On Printing label"},
    {0x20, "Issued label is paused"},
}};

constexpr std::array<Bit, 8> kCpsBits{{
    {0x01, "Cover Open"},
    {0x02, "Paper Empty"},
    {0x04, "Paper Jam"},
    {0x08, "TPH overheat"},
    {0x10, "Not defined"},
    {0x20, "Not defined"},
    {0x40, "Not defined"},
    {0x80, "Not defined"},
}};

// The "^ee" codes in box order. "Name Not Found" takes 09, the code after "Duplicate Name".
// An 'x' stands for any first character but '0', '1' and '5'.
struct Code {
    const char* code;
    const char* caption;
};

constexpr std::array<Code, 19> kEeCodes{{
    {"00", "No Error"},
    {"01", "Syntax Error"},
    {"02", "Exceeded Border"},
    {"03", "BarCode Error"},
    {"04", "Insufficient Mem"},
    {"05", "Memory Error"},
    {"06", "RS-232 Error"},
    {"07", "Empty"},
    {"08", "Duplicate Name"},
    {"09", "Name Not Found"},
    {"10", "Not in Data Entry"},
    {"11", "Print Head Up"},
    {"12", "Pause Mode"},
    {"50", "Printer Busy"},
    {"x0", "Undefined"},
    {"x1", "Cutter Jammed"},
    {"x2", "Auto Sense"},
    {"x3", "Illegal Interrupt"},
    {"x4", "Excessive Feeding"},
}};

template <std::size_t N>
void addCaptions(QStringList& out, const std::array<Bit, N>& bits)
{
    for (const Bit& b : bits)
        out << QString::fromLatin1(b.caption);
}

template <std::size_t N>
void addSetBits(std::vector<int>& out, int first, const std::array<Bit, N>& bits, unsigned byte)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (byte & bits[i].mask)
            out.push_back(first + static_cast<int>(i));
    }
}

unsigned byteAt(const char* reply, int i)
{
    return static_cast<unsigned char>(reply[i]);
}

bool codeMatches(const char* pattern, char first, char second)
{
    if (pattern[1] != second)
        return false;
    if (pattern[0] == 'x')
        return first != '0' && first != '1' && first != '5';
    return pattern[0] == first;
}

}  // namespace

StatusQuery QueryOf(Query query)
{
    switch (query) {
    case Query::Cp:
        return {QStringLiteral("^cp\r"), 50, 2, false};
    case Query::Cu:
        return {QStringLiteral("^cu\r"), 50, 1, false};
    case Query::Ee:
        return {QStringLiteral("^ee\r"), 30, 4, true};
    case Query::Cps:
        break;
    }
    return {QStringLiteral("CPS\r"), 50, 1, false};
}

QStringList BoxCaptions(Query query)
{
    QStringList captions;
    switch (query) {
    case Query::Cp:
        addCaptions(captions, kMediaBits);
        addCaptions(captions, kJobBits);
        captions << QStringLiteral("Status OK");
        break;
    case Query::Cu:
        addCaptions(captions, kMediaBits);
        captions << QStringLiteral("Status OK");
        break;
    case Query::Ee:
        for (const Code& c : kEeCodes)
            captions << QString::fromLatin1(c.caption);
        break;
    case Query::Cps:
        addCaptions(captions, kCpsBits);
        captions << QStringLiteral("Status OK");
        break;
    }
    return captions;
}

bool WholeReply(Query query, const char* reply, int length)
{
    const StatusQuery q = QueryOf(query);
    if (!reply || length < q.replyLength)
        return false;
    if (query == Query::Ee)
        return reply[2] == '\r' && reply[3] == '\n';
    return true;
}

std::vector<int> Conditions(Query query, const char* reply, int length)
{
    std::vector<int> ticked;
    if (!WholeReply(query, reply, length))
        return ticked;
    switch (query) {
    case Query::Cp:
        addSetBits(ticked, 0, kMediaBits, byteAt(reply, 0));
        addSetBits(ticked, static_cast<int>(kMediaBits.size()), kJobBits, byteAt(reply, 1));
        if (byteAt(reply, 0) == 0 && byteAt(reply, 1) == 0)
            ticked.push_back(static_cast<int>(kMediaBits.size() + kJobBits.size()));
        break;
    case Query::Cu:
        addSetBits(ticked, 0, kMediaBits, byteAt(reply, 0));
        if (byteAt(reply, 0) == 0)
            ticked.push_back(static_cast<int>(kMediaBits.size()));
        break;
    case Query::Ee:
        for (std::size_t i = 0; i < kEeCodes.size(); ++i) {
            if (codeMatches(kEeCodes[i].code, reply[0], reply[1])) {
                ticked.push_back(static_cast<int>(i));
                break;
            }
        }
        break;
    case Query::Cps:
        addSetBits(ticked, 0, kCpsBits, byteAt(reply, 0));
        if (byteAt(reply, 0) == 0)
            ticked.push_back(static_cast<int>(kCpsBits.size()));
        break;
    }
    return ticked;
}

}  // namespace status
