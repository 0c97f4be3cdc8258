#include "platform/linux/IconvCodePage.h"

#include <QList>
#include <QStringList>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif
// The double-byte pages go through glibc's own wide form: one conversion step, so that
// stepping over an unmappable character stays cheap.
constexpr const char* kUcs4 = "WCHAR_T";
static_assert(sizeof(wchar_t) == 4);

constexpr char kDefaultChar = '?';
constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252, bytes 0x80 to 0x9F; the five it leaves undefined keep their own code point.
constexpr char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// One conversion step of iconv; (size_t)-1 with errno on failure.
std::size_t convert(iconv_t cd, const char** in, std::size_t* inLeft, char** out,
                    std::size_t* outLeft)
{
    return ::iconv(cd, const_cast<char**>(in), inLeft, out, outLeft);
}

}  // namespace

IconvCodePage::IconvCodePage() : IconvCodePage(environmentCodePage()) {}

IconvCodePage::IconvCodePage(int codePage) : m_number(codePage)
{
    bool ready = false;
    if (codePage == 1252) {
        useWindows1252();
        ready = true;
    } else if (isDoubleByte(codePage)) {
        ready = setUpDoubleByte();
    } else {
        ready = setUpSingleByte();
    }
    if (!ready) {  // iconv lacks the page: keep to 1252 rather than fail every conversion
        m_number = 1252;
        m_singleByte = true;
        useWindows1252();
    }
}

IconvCodePage::~IconvCodePage()
{
    if (m_toBytes != iconv_t(-1))
        ::iconv_close(m_toBytes);
    if (m_toWide != iconv_t(-1))
        ::iconv_close(m_toWide);
}

int IconvCodePage::codePageForLocale(const QString& locale)
{
    // language[_territory][.codeset][@modifier]
    QString rest = locale.trimmed();
    QString modifier;
    if (qsizetype at = rest.indexOf(u'@'); at >= 0) {
        modifier = rest.mid(at + 1).toLower();
        rest.truncate(at);
    }
    if (qsizetype dot = rest.indexOf(u'.'); dot >= 0)
        rest.truncate(dot);
    const QStringList parts = rest.split(u'_');
    const QString language = parts.value(0).toLower();
    const QString territory = parts.value(1).toUpper();
    if (language.isEmpty() || language == u"c" || language == u"posix")
        return 1252;

    auto oneOf = [&](std::initializer_list<const char16_t*> names) {
        for (const char16_t* name : names) {
            if (language == QStringView(name))
                return true;
        }
        return false;
    };
    if (language == u"ja")
        return 932;
    if (language == u"zh")
        return (territory == u"TW" || territory == u"HK" || territory == u"MO") ? 950 : 936;
    if (language == u"ko")
        return 949;
    if (language == u"th")
        return 874;
    if (language == u"sr")
        return (modifier == u"latin" || territory == u"LATN") ? 1250 : 1251;
    if (oneOf({u"cs", u"hu", u"pl", u"ro", u"sk", u"sl", u"hr", u"sq", u"bs"}))
        return 1250;
    if (oneOf({u"ru", u"uk", u"be", u"bg", u"mk"}))
        return 1251;
    if (language == u"el")
        return 1253;
    if (oneOf({u"tr", u"az"}))
        return 1254;
    if (oneOf({u"he", u"iw"}))
        return 1255;
    if (oneOf({u"ar", u"fa", u"ur"}))
        return 1256;
    if (oneOf({u"et", u"lv", u"lt"}))
        return 1257;
    if (language == u"vi")
        return 1258;
    return 1252;
}

int IconvCodePage::environmentCodePage()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return codePageForLocale(value);
    }
    return 1252;
}

void IconvCodePage::useWindows1252()
{
    for (int b = 0; b < 256; ++b)
        m_decode[b] = (b >= 0x80 && b < 0xA0) ? k1252High[b - 0x80] : char16_t(b);
    m_encode.assign(0x10000, 0);
    for (int b = 1; b < 256; ++b)
        m_encode[m_decode[b]] = static_cast<unsigned char>(b);
}

bool IconvCodePage::setUpSingleByte()
{
    const QByteArray name = "CP" + QByteArray::number(m_number);
    iconv_t cd = ::iconv_open(kUtf16, name.constData());
    if (cd == iconv_t(-1))
        return false;
    std::array<bool, 256> defined{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const char* in = &byte;
        std::size_t inLeft = 1;
        char16_t unit[4] = {};
        char* out = reinterpret_cast<char*>(unit);
        std::size_t outLeft = sizeof unit;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        // Flush too: some pages hold a base letter back for a combining mark.
        defined[b] = convert(cd, &in, &inLeft, &out, &outLeft) != std::size_t(-1)
                     && ::iconv(cd, nullptr, nullptr, &out, &outLeft) != std::size_t(-1)
                     && outLeft == sizeof unit - 2;
        m_decode[b] = defined[b] ? unit[0] : char16_t(b);
    }
    ::iconv_close(cd);

    m_encode.assign(0x10000, 0);
    for (int b = 1; b < 256; ++b) {
        if (defined[b])
            m_encode[m_decode[b]] = static_cast<unsigned char>(b);
    }
    for (int b = 1; b < 256; ++b) {  // an undefined byte round-trips unless taken
        if (!defined[b] && m_encode[b] == 0)
            m_encode[b] = static_cast<unsigned char>(b);
    }
    return true;
}

bool IconvCodePage::setUpDoubleByte()
{
    const QByteArray name = "CP" + QByteArray::number(m_number);
    m_toBytes = ::iconv_open(name.constData(), kUcs4);
    m_toWide = ::iconv_open(kUcs4, name.constData());
    if (m_toBytes == iconv_t(-1) || m_toWide == iconv_t(-1))
        return false;
    m_singleByte = false;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const char* in = &byte;
        std::size_t inLeft = 1;
        char32_t unit[2];
        char* out = reinterpret_cast<char*>(unit);
        std::size_t outLeft = sizeof unit;
        ::iconv(m_toWide, nullptr, nullptr, nullptr, nullptr);
        if (convert(m_toWide, &in, &inLeft, &out, &outLeft) != std::size_t(-1))
            m_kinds[b] = ByteKind::Single;
        else
            m_kinds[b] = errno == EINVAL ? ByteKind::Lead : ByteKind::Undefined;
    }
    return true;
}

int IconvCodePage::number() const
{
    return m_number;
}

QByteArray IconvCodePage::fromWide(QStringView text) const
{
    if (!m_singleByte)
        return fromWideIconv(text);
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const char16_t* src = text.utf16();
    const char16_t* end = src + text.size();
    while (src < end) {
        char16_t c = *src++;
        if (QChar::isHighSurrogate(c) && src < end && QChar::isLowSurrogate(*src)) {
            ++src;  // one character beyond the page
            *dst++ = kDefaultChar;
            continue;
        }
        unsigned char b = m_encode[c];
        *dst++ = (b != 0 || c == 0) ? char(b) : kDefaultChar;
    }
    out.truncate(dst - out.data());
    return out;
}

QString IconvCodePage::toWide(QByteArrayView bytes) const
{
    if (!m_singleByte)
        return toWideIconv(bytes);
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (char b : bytes)
        *dst++ = m_decode[static_cast<unsigned char>(b)];
    return out;
}

QByteArray IconvCodePage::fromWideIconv(QStringView text) const
{
    // A surrogate pair becomes one character here, a lone half U+FFFD (not in any page).
    const QList<uint> wide = text.toUcs4();
    QByteArray out;
    out.resize(wide.size() * 2 + 16);
    const char* in = reinterpret_cast<const char*>(wide.constData());
    std::size_t inLeft = std::size_t(wide.size()) * 4;
    char* dst = out.data();
    std::size_t outLeft = std::size_t(out.size());
    auto grow = [&] {
        qsizetype used = dst - out.data();
        out.resize(out.size() * 2);
        dst = out.data() + used;
        outLeft = std::size_t(out.size() - used);
    };

    std::lock_guard guard(m_mutex);
    ::iconv(m_toBytes, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (convert(m_toBytes, &in, &inLeft, &dst, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // A character the page lacks: its default character, or the byte the page leaves
        // undefined for a code point below 0x100 (the way back of toWide).
        char32_t c;
        std::memcpy(&c, in, 4);
        if (outLeft == 0)
            grow();
        *dst++ = (c >= 0x80 && c < 0x100 && m_kinds[c] == ByteKind::Undefined) ? char(c) : kDefaultChar;
        --outLeft;
        in += 4;
        inLeft -= 4;
        ::iconv(m_toBytes, nullptr, nullptr, nullptr, nullptr);
    }
    while (::iconv(m_toBytes, nullptr, nullptr, &dst, &outLeft) == std::size_t(-1) && errno == E2BIG)
        grow();
    out.truncate(dst - out.data());
    return out;
}

QString IconvCodePage::toWideIconv(QByteArrayView bytes) const
{
    std::vector<char32_t> wide(std::size_t(bytes.size()) + 8);
    auto base = [&] { return reinterpret_cast<char*>(wide.data()); };
    const char* in = bytes.data();
    std::size_t inLeft = std::size_t(bytes.size());
    char* dst = base();
    std::size_t outLeft = wide.size() * 4;
    auto grow = [&] {
        std::size_t used = std::size_t(dst - base());
        wide.resize(wide.size() * 2);
        dst = base() + used;
        outLeft = wide.size() * 4 - used;
    };
    auto put = [&](char32_t c) {
        if (outLeft < 4)
            grow();
        std::memcpy(dst, &c, 4);
        dst += 4;
        outLeft -= 4;
    };

    std::lock_guard guard(m_mutex);
    ::iconv(m_toWide, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (convert(m_toWide, &in, &inLeft, &dst, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        const auto b = static_cast<unsigned char>(*in);
        // An undefined single byte keeps its value; a broken or cut-off pair is replaced.
        put(errno == EILSEQ && m_kinds[b] == ByteKind::Undefined ? char32_t(b) : kReplacement);
        ++in;
        --inLeft;
        ::iconv(m_toWide, nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUcs4(wide.data(), (dst - base()) / 4);
}

template <>
CodePage& defaultService<CodePage>()
{
    static CodePage* instance = new IconvCodePage;
    return *instance;
}

}  // namespace platform
