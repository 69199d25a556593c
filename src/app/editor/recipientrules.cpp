#include "app/editor/recipientrules.h"

#include "app/model/codes.h"

#include <algorithm>

namespace fakvo {
namespace {

constexpr int kGermany = 49;
constexpr qsizetype kEanLength = 13;

// The number a postal code carries: its leading digits after an optional letter prefix with
// "-"; none when no digit comes first.
std::optional<QString> PostalDigits(const QString& code)
{
    QString rest = code.trimmed();
    const qsizetype dash = rest.indexOf(u'-');
    if (dash > 0) {
        bool lettersOnly = true;
        for (qsizetype i = 0; i < dash; ++i)
            lettersOnly = lettersOnly && rest[i].isLetter();
        if (lettersOnly)
            rest = rest.mid(dash + 1).trimmed();
    }
    qsizetype digits = 0;
    while (digits < rest.size() && rest[digits] >= u'0' && rest[digits] <= u'9')
        ++digits;
    if (digits == 0)
        return std::nullopt;
    return rest.left(digits);
}

QString Padded(const QString& digits, int width)
{
    // Leading zeros beyond the width are dropped, as printing the number would drop them.
    QString number = digits;
    while (number.size() > width && number.startsWith(u'0'))
        number.remove(0, 1);
    return number.rightJustified(width, u'0');
}

QString GermanCode(const QString& code)
{
    const auto digits = PostalDigits(code);
    if (!digits)
        return code;
    return digits->size() < 5 ? Padded(*digits, 5) : *digits;
}

} // namespace

QString CustomerLookupText(const QString& typed)
{
    return typed.size() == kEanLength ? typed.left(kEanLength - 1) : typed;
}

std::optional<int> CustomerNumberFromText(const QString& typed)
{
    bool ok = false;
    const int number = CustomerLookupText(typed).trimmed().toInt(&ok);
    if (!ok || number <= 0)
        return std::nullopt;
    return number;
}

PostalAddress NormalisePostalAddress(const QString& postalCode, int country, int ownCountry)
{
    if (country == 0) {
        if (ownCountry == kGermany)
            return {GermanCode(postalCode), kGermany};
        return {postalCode, ownCountry};
    }
    if (country == kGermany)
        return {GermanCode(postalCode), country};
    const auto digits = PostalDigits(postalCode);
    return {digits ? Padded(*digits, 4) : postalCode, country};
}

void ApplyTakenAddress(Document& document, const TakenAddress& taken, int ownCountry)
{
    Recipient recipient = taken.recipient;
    if (recipient.phone.size() <= 3)
        recipient.phone = document.recipient.phone;
    const PostalAddress postal =
        NormalisePostalAddress(recipient.postalCode, recipient.country, ownCountry);
    recipient.postalCode = postal.postalCode;
    recipient.country = postal.country;
    document.recipient = recipient;
    document.conditions.customerVatId = taken.vatId;
    document.conditions.reference = taken.reference;
}

QString ContactStatusText(const Recipient& recipient)
{
    QStringList parts;
    auto add = [&parts](const QString& label, const QString& value) {
        if (value.size() > 3)
            parts << label + value;
    };
    add(QStringLiteral("Telefon: "), recipient.phone);
    add(QStringLiteral("Handy: "), recipient.mobile);
    add(QStringLiteral("E-Mail: "), recipient.email);
    add(QStringLiteral("Fax: "), recipient.fax);
    return parts.join(QStringLiteral("   "));
}

int CountryListIndex(int diallingCode)
{
    if (diallingCode == 0)
        return -1;
    const QStringList countries = CountryList();
    for (qsizetype i = 0; i < countries.size(); ++i) {
        if (CountryCode(countries[i]) == diallingCode)
            return static_cast<int>(i);
    }
    return -1;
}

int CountryFromAddressText(const QString& value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return 0;
    bool number = false;
    const int code = text.toInt(&number);
    if (number)
        return std::max(0, code);
    QString letters = text.toUpper();
    if (letters == u"A")
        letters = QStringLiteral("AT");
    else if (letters == u"D")
        letters = QStringLiteral("DE");
    else if (letters == u"F")
        letters = QStringLiteral("FR");
    for (const QString& entry : CountryList()) {
        const qsizetype open = entry.indexOf(u'(');
        if (entry.endsWith(u')' + letters) ||
            entry.left(open).compare(text, Qt::CaseInsensitive) == 0)
            return CountryCode(entry);
    }
    return 0;
}

} // namespace fakvo
