#include "app/model/codes.h"

#include "config/valueforms.h"

#include <array>

namespace fakvo {
namespace {

constexpr std::array<QStringView, kPaymentMethodCount> kPaymentMethods = {
    u"Geldinst. mit Zahlschein",
    u"Geldinst. ohne Zahlschein",
    u"Bar",
    u"Scheck",
    u"Bankomat Maestro",
    u"Quick Maestro",
    u"Kreditkarte",
    u"Paybox",
    u"Bankeinzug",
    u"Belastungsanzeige",
    u"Vorkasse",
    u"PayPal",
};
constexpr int kPayboxCode = 7;

struct ShippingEntry
{
    QStringView name;
    QStringView choice;
};
constexpr std::array<ShippingEntry, kShippingMethodCount> kShippingMethods = {{
    {u"Persönlich", u"Persönlich"},
    {u"Post", u"Post"},
    {u"Postaro", u"Postaro (Schwarz/Weiß)"},
    {u"E-Mail", u"E-Mail"},
    {u"SMS", u"SMS"},
    {u"Fax", u"Fax"},
    {u"PostaroFA", u"Postaro (Farbe)"},
    {u"PostaroEIN", u"Postaro (Einschreiben)"},
    {u"PostaroFE", u"Postaro (Farbe & Einschreiben)"},
}};

constexpr std::array<QStringView, 50> kCountries = {
    u"Albanien(355)AL",
    u"Andorra(376)AN",
    u"Armenien(374)AM",
    u"Aserbaidschan(994)AZ",
    u"Austria(43)AT",
    u"Belgien(32)BE",
    u"Bosnien-Herzegowina(387)BA",
    u"Bulgarien(359)BG",
    u"Dänemark(45)DK",
    u"Deutschland(49)DE",
    u"Estland(372)EE",
    u"Finnland(358)FI",
    u"Frankreich(33)FR",
    u"Georgien(995)GE",
    u"Gibraltar(350)GI",
    u"Griechenland(30)GR",
    u"Großbritanien(44)GB",
    u"Irland(353)IE",
    u"Island(354)IS",
    u"Italien(39)IT",
    u"Jugoslavien(381)YU",
    u"Kroatien(385)HR",
    u"Lettland(371)LV",
    u"Lichtenstein(423)FL",
    u"Litauen(370)LT",
    u"Luxemburg(352)LU",
    u"Malta(356)MT",
    u"Mazedonien(389)MK",
    u"Moldavien(373)MD",
    u"Monaco(377)MC",
    u"Niederlande(31)NL",
    u"Norwegen(47)NO",
    u"Polen(48)PL",
    u"Portugal(351)PT",
    u"Rumänien(40)RO",
    u"Russland(7)RU",
    u"San Marino(378)SM",
    u"Schweden(46)SE",
    u"Schweiz(41)CH",
    u"Slowakei(421)SK",
    u"Slowenien(386)SI",
    u"Spanien(34)ES",
    u"Tschechien(420)CZ",
    u"Türkei(90)TR",
    u"Ukraine(380)UA",
    u"Ungarn(36)HU",
    u"Vatikan(396)VA",
    u"Weißrussland(375)BY",
    u"Zypern(357)CY",
    u"Weltzone(9999)WE",
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString PaymentMethodName(int code)
{
    if (code < 0 || code >= kPaymentMethodCount)
        return {};
    return kPaymentMethods[code].toString();
}

QStringList PaymentMethodChoices()
{
    QStringList choices;
    for (int code = 0; code < kPaymentMethodCount; ++code)
        choices << (code == kPayboxCode ? QStringLiteral("PayBox") : PaymentMethodName(code));
    return choices;
}

int PaymentMethodFromStored(int stored, int keptMethod)
{
    if (stored > kLetterPaymentOffset - 1)
        stored -= kLetterPaymentOffset;
    return stored == kPaymentFromWorkingSettings ? keptMethod : stored;
}

QString ShippingMethodName(int code, bool printedOrSent, bool copySent)
{
    QString name;
    if (code >= 0 && code < kShippingMethodCount)
        name = kShippingMethods[code].name.toString();
    if (printedOrSent)
        name += QStringLiteral(" OK");
    if (copySent)
        name += QStringLiteral("+Ko");
    return name;
}

QStringList ShippingMethodChoices()
{
    QStringList choices;
    for (const ShippingEntry& entry : kShippingMethods)
        choices << entry.choice.toString();
    return choices;
}

bool IsLetterServiceShipping(int code)
{
    return code == 2 || (code >= 6 && code <= 8);
}

QStringList CountryList()
{
    QStringList list;
    for (QStringView entry : kCountries)
        list << entry.toString();
    return list;
}

int CountryCode(const QString& entry)
{
    if (entry.startsWith(u'#'))
        return 0;
    const qsizetype open = entry.indexOf(u'(');
    if (open < 0)
        return 0;
    // The number must follow the parenthesis directly; a sign or a blank makes it no code.
    if (open + 1 >= entry.size() || !IsDigit(entry[open + 1]))
        return 0;
    return ParseInteger(QStringView(entry).mid(open + 1));
}

} // namespace fakvo
