#include "valueforms.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fakvo {
namespace {

qsizetype SkipBlanks(QStringView text, qsizetype i)
{
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    return i;
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

int ParseInteger(QStringView text)
{
    qsizetype i = SkipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        // Saturate instead of overflowing; such values are nonsense but must not crash.
        if (value > std::numeric_limits<int>::max())
            value = std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -value : value);
}

qsizetype ReadDecimal(QStringView text, qsizetype start, double& value)
{
    qsizetype i = start;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
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
    // from_chars ignores the process locale, so "2.5" is two and a half under any language.
    // Out of range leaves the value at 0.
    value = 0.0;
    std::from_chars(number.constData(), number.constData() + number.size(), value);
    return i;
}

double ParseDecimal(QStringView text)
{
    double value = 0.0;
    ReadDecimal(text, SkipBlanks(text, 0), value);
    return value;
}

int ParseTruncatedInteger(QStringView text)
{
    const double value = std::trunc(ParseDecimal(text));
    if (!(value > std::numeric_limits<int>::min()) || !(value < std::numeric_limits<int>::max()))
        return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringList ParseList(const QString& text)
{
    QStringList pieces = text.split(u',');
    for (QString& piece : pieces)
        piece = TrimBlanks(piece);
    return pieces;
}

Alignment ParseAlignment(QStringView word)
{
    if (word == u"right" || word == u"RIGHT")
        return Alignment::Right;
    if (word == u"center" || word == u"CENTER")
        return Alignment::Center;
    return Alignment::Left;
}

QString AlignmentWord(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return QStringLiteral("right");
    case Alignment::Center:
        return QStringLiteral("center");
    case Alignment::Left:
        break;
    }
    return QStringLiteral("left");
}

} // namespace fakvo
