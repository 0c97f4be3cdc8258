#include "PictureModule.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cctype>

namespace {

const QString kDumpDirOption = QStringLiteral("dump-dir");

// Reads a field up to `stop` from `at`: the field's end, kNeedMore while it may still come,
// or kNotMine when it is longer than `limit` or meets CR or LF first.
std::size_t fieldEnd(std::string_view s, std::size_t at, char stop, std::size_t limit)
{
    for (std::size_t i = at; i < s.size(); ++i) {
        if (s[i] == stop)
            return i;
        if (i - at >= limit || s[i] == '\r' || s[i] == '\n')
            return SimModule::kNotMine;
    }
    return s.size() - at > limit ? SimModule::kNotMine : SimModule::kNeedMore;
}

bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// `literal` at `at`: its end, kNeedMore for a proper prefix, kNotMine otherwise.
std::size_t expect(std::string_view s, std::size_t at, std::string_view literal)
{
    const std::size_t n = MatchLiteral(s.substr(std::min(at, s.size())), literal);
    if (n == SimModule::kNotMine || n == SimModule::kNeedMore)
        return n;
    return at + n;
}

bool isStop(std::size_t n)
{
    return n == SimModule::kNotMine || n == SimModule::kNeedMore;
}

}  // namespace

void PictureModule::addOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(kDumpDirOption,
                                        QStringLiteral("Write each stored picture into DIR."),
                                        QStringLiteral("DIR")));
}

bool PictureModule::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    if (!parser.isSet(kDumpDirOption))
        return true;
    const QString dir = parser.value(kDumpDirOption);
    if (!QDir().mkpath(dir)) {
        error = "cannot create dump folder " + dir.toStdString();
        return false;
    }
    m_dumpDir = dir.toStdString();
    return true;
}

std::size_t PictureModule::consume(std::string_view pending, SimPrinterState&, std::string&)
{
    for (auto command : {&PictureModule::store, &PictureModule::recall, &PictureModule::print,
                         &PictureModule::remove, &PictureModule::information}) {
        const std::size_t n = (this->*command)(pending);
        if (n != kNotMine) {
            if (n != kNeedMore && command != &PictureModule::recall)
                m_recalled.reset();
            return n;
        }
    }
    return kNotMine;
}

// "IS" size ",'" name "'" and then exactly size bytes.
std::size_t PictureModule::store(std::string_view s)
{
    std::size_t at = expect(s, 0, "IS");
    if (isStop(at))
        return at;
    const std::size_t comma = fieldEnd(s, at, ',', kMaxNumberLength);
    if (isStop(comma))
        return comma;
    const std::string_view digits = s.substr(at, comma - at);
    if (!allDigits(digits))
        return kNotMine;
    const std::size_t size = std::stoull(std::string(digits));
    if (size > kMaxPictureBytes)
        return kNotMine;
    at = expect(s, comma + 1, "'");
    if (isStop(at))
        return at;
    const std::size_t quote = fieldEnd(s, at, '\'', kMaxNameLength);
    if (isStop(quote))
        return quote;
    const std::size_t dataStart = quote + 1;
    if (s.size() - dataStart < size)
        return kNeedMore;
    const std::string name(s.substr(at, quote - at));
    std::string bytes(s.substr(dataStart, size));
    SimLog("picture stored: '" + name + "' " + std::to_string(size) + " bytes");
    dump(name, bytes);
    m_pictures[name] = std::move(bytes);
    return dataStart + size;
}

// "IR" x "," y ",'" name "'" CR
std::size_t PictureModule::recall(std::string_view s)
{
    std::size_t at = expect(s, 0, "IR");
    if (isStop(at))
        return at;
    const std::size_t xEnd = fieldEnd(s, at, ',', kMaxNumberLength);
    if (isStop(xEnd))
        return xEnd;
    const std::size_t yEnd = fieldEnd(s, xEnd + 1, ',', kMaxNumberLength);
    if (isStop(yEnd))
        return yEnd;
    const std::string x(s.substr(at, xEnd - at));
    const std::string y(s.substr(xEnd + 1, yEnd - xEnd - 1));
    at = expect(s, yEnd + 1, "'");
    if (isStop(at))
        return at;
    const std::size_t quote = fieldEnd(s, at, '\'', kMaxNameLength);
    if (isStop(quote))
        return quote;
    const std::size_t end = expect(s, quote + 1, "\r");
    if (isStop(end))
        return end;
    const std::string name(s.substr(at, quote - at));
    const bool known = m_pictures.count(name) != 0;
    SimLog("picture recalled: '" + name + "' at " + x + "," + y + (known ? "" : " (not stored)"));
    m_recalled = name;
    return end;
}

// "P" count CR, taken only right after a recall: it prints the recalled picture.
std::size_t PictureModule::print(std::string_view s)
{
    if (!m_recalled)
        return kNotMine;
    const std::size_t at = expect(s, 0, "P");
    if (isStop(at))
        return at;
    const std::size_t end = fieldEnd(s, at, '\r', kMaxNumberLength);
    if (isStop(end))
        return end;
    const std::string_view count = s.substr(at, end - at);
    if (!allDigits(count))
        return kNotMine;
    SimLog("picture printed: '" + *m_recalled + "' " + std::string(count) + " label(s)");
    return end + 1;
}

// "ID'" name "'" CR LF, or "ID*" CR LF
std::size_t PictureModule::remove(std::string_view s)
{
    const std::size_t all = expect(s, 0, "ID*\r\n");
    if (all == kNeedMore)
        return all;
    if (all != kNotMine) {
        SimLog("all pictures deleted (" + std::to_string(m_pictures.size()) + ")");
        m_pictures.clear();
        return all;
    }
    const std::size_t at = expect(s, 0, "ID'");
    if (isStop(at))
        return at;
    const std::size_t quote = fieldEnd(s, at, '\'', kMaxNameLength);
    if (isStop(quote))
        return quote;
    const std::size_t end = expect(s, quote + 1, "\r\n");
    if (isStop(end))
        return end;
    const std::string name(s.substr(at, quote - at));
    const bool known = m_pictures.erase(name) != 0;
    SimLog("picture deleted: '" + name + "'" + (known ? "" : " (not stored)"));
    return end;
}

// "II" CR LF
std::size_t PictureModule::information(std::string_view s)
{
    const std::size_t n = MatchLiteral(s, "II\r\n");
    if (isStop(n))
        return n;
    std::string list = "picture memory: " + std::to_string(m_pictures.size()) + " picture(s)";
    for (const auto& [name, bytes] : m_pictures)
        list += " '" + name + "' " + std::to_string(bytes.size());
    SimLog(list);
    return n;
}

std::string PictureModule::DumpFileName(const std::string& name, const std::string& bytes)
{
    std::string safe;
    for (char c : name)
        safe += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    if (safe.empty())
        safe = "unnamed";
    auto startsWith = [&bytes](std::string_view magic) { return bytes.compare(0, magic.size(), magic) == 0; };
    const char* extension = startsWith("\x0a\x05") ? ".pcx"
                            : startsWith("BM")      ? ".bmp"
                            : startsWith("\xff\xd8") ? ".jpg"
                                                     : ".bin";
    return safe + extension;
}

void PictureModule::dump(const std::string& name, const std::string& bytes) const
{
    if (m_dumpDir.empty())
        return;
    const QString path = QDir(QString::fromStdString(m_dumpDir))
                             .filePath(QString::fromStdString(DumpFileName(name, bytes)));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        SimLog("cannot write " + path.toStdString());
        return;
    }
    SimLog("picture written to " + path.toStdString());
}
