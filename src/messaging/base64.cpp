#include "base64.h"

#include <array>

namespace fakvo {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kFill = '=';

constexpr std::array<signed char, 256> DecodeTable()
{
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    return table;
}

constexpr std::array<signed char, 256> kDecode = DecodeTable();

} // namespace

QByteArray CBase64::Encode(const QByteArray& bytes) const
{
    QByteArray out((bytes.size() + 2) / 3 * 4, Qt::Uninitialized);
    char* to = out.data();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned value = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        *to++ = kAlphabet[(value >> 18) & 63];
        *to++ = kAlphabet[(value >> 12) & 63];
        *to++ = kAlphabet[(value >> 6) & 63];
        *to++ = kAlphabet[value & 63];
    }
    const qsizetype rest = bytes.size() - i;
    if (rest > 0) {
        const unsigned value = (data[i] << 16) | (rest == 2 ? data[i + 1] << 8 : 0);
        *to++ = kAlphabet[(value >> 18) & 63];
        *to++ = kAlphabet[(value >> 12) & 63];
        *to++ = rest == 2 ? kAlphabet[(value >> 6) & 63] : kFill;
        *to++ = kFill;
    }
    return out;
}

QByteArray CBase64::Decode(const QByteArray& text) const
{
    QByteArray out;
    out.reserve(text.size() / 4 * 3);
    unsigned value = 0;
    int bits = 0;
    for (char ch : text) {
        if (ch == kFill)
            break;
        const signed char digit = kDecode[static_cast<unsigned char>(ch)];
        if (digit < 0)
            continue;
        value = (value << 6) | static_cast<unsigned>(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xFF);
        }
    }
    return out;
}

} // namespace fakvo
