#include "app/model/document.h"

#include <charconv>

namespace fakvo {
namespace {

// Quantity texts longer than this keep their number only.
constexpr qsizetype kQuantityTextMaxLength = 59;

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype SkipSpaces(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

// Reads the decimal number at `i` (sign, digits, point, digits, exponent) into `value` and
// returns the position after it, or `i` itself when no number starts there. Independent of
// the process locale, so "2.5" is two and a half under any language setting.
qsizetype ReadNumber(QStringView text, qsizetype i, double& value)
{
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == u'.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return start;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    QByteArray number = text.mid(start, i - start).toLatin1();
    if (number.startsWith('+'))
        number.remove(0, 1);
    value = 0.0;
    // Out of range gives an error and leaves the value at 0.
    std::from_chars(number.constData(), number.constData() + number.size(), value);
    return i;
}

} // namespace

QString Recipient::DisplayName() const
{
    if (!name.isEmpty())
        return name;
    return name2.isEmpty() ? attention : name2;
}

Quantity SplitQuantity(const QString& input)
{
    QString text = input;
    text.replace(u',', u'.');

    Quantity quantity;
    const qsizetype numberStart = SkipSpaces(text, 0);
    const qsizetype numberEnd = ReadNumber(text, numberStart, quantity.number);
    if (text.size() > kQuantityTextMaxLength)
        return quantity;

    const qsizetype unitStart = SkipSpaces(text, numberEnd);
    qsizetype unitEnd = unitStart;
    while (unitEnd < text.size() && !text[unitEnd].isSpace())
        ++unitEnd;
    // The unit is taken from the typed text, not from the copy with points for commas.
    quantity.unit = input.mid(unitStart, std::min<qsizetype>(unitEnd - unitStart, kUnitMaxLength));
    return quantity;
}

} // namespace fakvo
