#include "app/model/money.h"

#include "config/configuration.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace fakvo {
namespace {

// More decimals than this carry no information for a double (its smallest subnormal has
// 324 zeros after the point before the first digit); asking for more is capped.
constexpr int kMaxDecimals = 340;

constexpr int kSignificant = 17;

// A positive finite value rounded to 17 significant digits: digits[0].digits[1..16] × 10^exponent.
struct SignificantDigits
{
    std::array<char, kSignificant> digits;
    int exponent;
};

// The first `count` significant digits of the scientific form written with `precision`
// digits after the point, and its decimal exponent.
int ScientificDigits(double magnitude, int precision, char* digits, int count)
{
    // A double's exact decimal expansion has at most 767 significant digits.
    std::array<char, 800> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, precision);
    const char* p = buffer.data();
    int n = 0;
    for (; p < result.ptr && *p != 'e' && n < count; ++p)
        if (*p != '.')
            digits[n++] = *p;
    while (p < result.ptr && *p != 'e')
        ++p;
    // The exponent: "e", a sign, at least two digits; the buffer is not terminated after it.
    if (p + 2 >= result.ptr)
        return 0;
    const bool negative = p[1] == '-';
    int exponent = 0;
    std::from_chars(p + 2, result.ptr, exponent);
    return negative ? -exponent : exponent;
}

SignificantDigits RoundToSignificant(double magnitude)
{
    // The first 18 digits of the exact value decide. Written with 18 digits the value is
    // rounded at the 19th, which changes the 18th digit only by one: when it shows a 5, the
    // exact digit may be a 4, so the exact expansion is written out in that case.
    std::array<char, kSignificant + 1> first;
    int exponent = ScientificDigits(magnitude, kSignificant, first.data(), kSignificant + 1);
    if (first[kSignificant] == '5')
        exponent = ScientificDigits(magnitude, 780, first.data(), kSignificant + 1);

    SignificantDigits result;
    std::copy_n(first.begin(), kSignificant, result.digits.begin());
    result.exponent = exponent;
    if (first[kSignificant] >= '5') {
        int i = kSignificant - 1;
        for (; i >= 0 && result.digits[i] == '9'; --i)
            result.digits[i] = '0';
        if (i >= 0) {
            ++result.digits[i];
        } else {
            // 99999999999999999 became 100000000000000000: one more integer digit.
            result.digits[0] = '1';
            ++result.exponent;
        }
    }
    return result;
}

// The digits of the magnitude × 10^decimals rounded half away from zero to an integer,
// without leading zeros ("0" for zero).
std::string ScaledIntegerDigits(double magnitude, int decimals)
{
    if (magnitude == 0.0)
        return "0";
    const SignificantDigits sig = RoundToSignificant(magnitude);
    // How many of the 17 digits lie at or above the last decimal asked for.
    const int kept = sig.exponent + decimals + 1;
    if (kept < 0)
        return "0";
    if (kept == 0)
        return sig.digits[0] >= '5' ? "1" : "0";
    if (kept >= kSignificant) {
        std::string digits(sig.digits.begin(), sig.digits.end());
        digits.append(static_cast<size_t>(kept - kSignificant), '0');
        return digits;
    }
    std::string digits(sig.digits.begin(), sig.digits.begin() + kept);
    if (sig.digits[kept] >= '5') {
        int i = kept - 1;
        for (; i >= 0 && digits[i] == '9'; --i)
            digits[i] = '0';
        if (i >= 0)
            ++digits[i];
        else
            digits.insert(digits.begin(), '1');
    }
    const size_t firstNonZero = digits.find_first_not_of('0');
    return firstNonZero == std::string::npos ? std::string("0") : digits.substr(firstNonZero);
}

// The %.Nf text of the rounding rule, as bytes.
std::string DecimalText(double value, int decimals)
{
    const bool atMost = decimals < 0;
    decimals = atMost ? (decimals < -kMaxDecimals ? kMaxDecimals : -decimals)
                      : std::min(decimals, kMaxDecimals);
    if (!std::isfinite(value))
        value = 0.0;

    std::string digits = ScaledIntegerDigits(std::fabs(value), decimals);
    const bool negative = value < 0 && digits != "0";
    if (digits.size() <= static_cast<size_t>(decimals))
        digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
    if (atMost && decimals > 0) {
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.')
            digits.pop_back();
    }
    if (negative)
        digits.insert(digits.begin(), '-');
    return digits;
}

} // namespace

QString FormatDecimal(double value, int decimals)
{
    const std::string digits = DecimalText(value, decimals);
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

double RoundTo(double value, int decimals)
{
    const std::string text = DecimalText(value, decimals);
    double result = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

QString FormatAmount(double value, int decimals, const Configuration& config)
{
    QString text = FormatDecimal(value, decimals);
    if (config.WAEHRUNGSFORMAT == 0)
        return text;

    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    qsizetype point = text.indexOf(u'.');
    if (point < 0)
        point = text.size();
    else
        text[point] = u',';
    // Two separators at most: a larger integer part keeps its leading digits together.
    if (point > 3)
        text.insert(point - 3, u'.');
    if (point > 6)
        text.insert(point - 6, u'.');
    if (negative)
        text.prepend(u'-');
    return text;
}

} // namespace fakvo
