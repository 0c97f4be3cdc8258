#pragma once

#include "platform/CodePage.h"

#include <array>
#include <iconv.h>
#include <mutex>
#include <vector>

namespace platform {

// The ANSI code page of the locale, as Wine chooses it. Single-byte pages convert through
// tables built once (1252 from its own table, the others from iconv); double-byte pages
// through iconv over the whole buffer, stepping over a bad character only where iconv stops.
class IconvCodePage : public CodePage {
public:
    IconvCodePage();  // from LC_ALL, LC_CTYPE, LANG
    explicit IconvCodePage(int codePage);
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    // "ja_JP.UTF-8" -> 932, "ru_RU" -> 1251, "C" -> 1252, ...
    static int codePageForLocale(const QString& locale);
    static int environmentCodePage();

    int number() const override;
    QByteArray fromWide(QStringView text) const override;
    QString toWide(QByteArrayView bytes) const override;

private:
    enum class ByteKind : unsigned char { Single, Lead, Undefined };

    bool setUpSingleByte();
    bool setUpDoubleByte();
    void useWindows1252();
    QByteArray fromWideIconv(QStringView text) const;
    QString toWideIconv(QByteArrayView bytes) const;

    int m_number = 1252;
    bool m_singleByte = true;
    std::array<char16_t, 256> m_decode{};  // single-byte pages
    std::vector<unsigned char> m_encode;   // 65536 entries; 0 unmapped (except U+0000)
    std::array<ByteKind, 256> m_kinds{};   // double-byte pages

    mutable std::mutex m_mutex;
    iconv_t m_toBytes = iconv_t(-1);
    iconv_t m_toWide = iconv_t(-1);
};

}  // namespace platform
