#include "codec.h"

#include <array>

namespace fakvo {
namespace {

// Unicode code points of the bytes 0x80 to 0x9F; everything else maps to itself (Latin-1).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString FromCp1252(const QByteArray& bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? QChar(kHighControls[byte - 0x80])
                                               : QChar(static_cast<char16_t>(byte));
    }
    return text;
}

QByteArray ToCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane has no place in the code page: one '?' for the pair.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append(EncodeChar(c.unicode()));
    }
    return bytes;
}

} // namespace fakvo
