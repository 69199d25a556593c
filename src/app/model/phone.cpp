#include "app/model/phone.h"

#include "config/configuration.h"

#include <algorithm>

namespace fakvo {
namespace {

bool IsSeparator(QChar c)
{
    return QStringView(u",. -/:();_~#'*+").contains(c);
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString DigitsOf(QStringView text)
{
    QString digits;
    for (QChar c : text)
        if (IsDigit(c))
            digits += c;
    return digits;
}

// Position of the first separator in text[from, to], or -1.
qsizetype FindSeparator(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i <= to && i < text.size(); ++i)
        if (IsSeparator(text[i]))
            return i;
    return -1;
}

// The number a text begins with, leading blanks ignored; 0 when there is none.
int LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    int value = 0;
    for (; i < text.size() && IsDigit(text[i]) && value < 100000; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return value;
}

} // namespace

QString CanonicalPhoneNumber(const QString& number, bool compact, const Configuration& config)
{
    QString text = number.trimmed();
    while (text.contains(QStringLiteral("++")))
        text.replace(QStringLiteral("++"), QStringLiteral("+"));

    // Prefix: "+" or "00" international, "0" the national trunk prefix, else none.
    qsizetype pos = 0;
    bool international = false;
    if (text.startsWith(u'+')) {
        international = true;
        pos = 1;
    } else if (text.startsWith(QStringLiteral("00"))) {
        international = true;
        pos = 2;
    } else if (text.startsWith(u'0')) {
        pos = 1;
    }
    const bool hasPrefix = pos > 0;

    int countryCode = config.EIGENERLAENDERCODE;
    if (international) {
        // The country code ends at a separator at position 2 or 3, else takes two characters.
        const QStringView rest = QStringView(text).mid(pos);
        const qsizetype separator = FindSeparator(rest, 0, rest.size() - 1);
        const qsizetype length =
            (separator == 2 || separator == 3) ? separator : std::min<qsizetype>(2, rest.size());
        countryCode = LeadingNumber(rest.left(length));
        pos += length;

        // "+43 (0)662 …": the bracketed 0 is the trunk prefix, dialled only within the country.
        qsizetype after = pos;
        while (after < text.size() && text[after] == u' ')
            ++after;
        if (QStringView(text).mid(after).startsWith(u"(0)"))
            pos = after + 3;
    }

    QString areaCode;
    if (hasPrefix) {
        QStringView rest = QStringView(text).mid(pos);
        if (!rest.isEmpty() && IsSeparator(rest[0])) {
            rest = rest.mid(1);
            ++pos;
        }
        // The area code ends at a separator at position 1 to 5, else takes four characters.
        const qsizetype separator = FindSeparator(rest, 1, 5);
        const qsizetype length = separator > 0 ? separator : std::min<qsizetype>(4, rest.size());
        QStringView area = rest.left(length);
        pos += length;
        if (area.startsWith(u'0'))
            area = area.mid(1);
        areaCode = DigitsOf(area);
    } else {
        areaCode = DigitsOf(config.EIGENETELEFONVORWAHL);
    }

    const QString subscriber = DigitsOf(QStringView(text).mid(pos));
    if (subscriber.isEmpty())
        return {};

    QString result = u'+' + QString::number(countryCode);
    if (compact)
        result += areaCode;
    else
        result += u'(' + areaCode + u')';
    return result + subscriber;
}

} // namespace fakvo
