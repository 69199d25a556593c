#include "texts/placeholders.h"

#include "app/model/codes.h"
#include "app/model/dates.h"
#include "app/model/documenttype.h"
#include "app/model/money.h"
#include "config/configuration.h"

#include <cstdlib>

namespace fakvo {
namespace {

// The fixed part of the table; the five free-field names follow from VARBEZ1 … VARBEZ5.
constexpr std::array<QStringView, kPlaceholderCount - 5> kFixedNames = {
    u"!!NAME3",      u"!!NAME1",    u"!!NAME2",    u"!!STRASSE", u"!!ORT",      u"!!PLZ",
    u"!!LAND",       u"!!TITEL",    u"!!VORNAME",  u"!!ZUNAME",  u"!!TELEFON",  u"!!HANDY",
    u"!!EMAIL",      u"!!OPTIONAL", u"!!SELDATUM", u"!!UID",     u"!!KUNDENNR", u"!!DOKUNR",
    u"!!PERSANREDE", u"!!SELMONAT", u"!!DOKUTYPE",
};

using Values = std::array<std::optional<QString>, kPlaceholderCount>;

std::array<PlaceholderEntry, kPlaceholderCount> MakeTable(const Values& values,
                                                          const Configuration& config)
{
    const std::array<const QString*, 5> freeNames = {
        &config.VARBEZ1, &config.VARBEZ2, &config.VARBEZ3, &config.VARBEZ4, &config.VARBEZ5};
    std::array<PlaceholderEntry, kPlaceholderCount> table;
    for (size_t i = 0; i < table.size(); ++i) {
        table[i].name =
            i < kFixedNames.size() ? kFixedNames[i].toString() : *freeNames[i - kFixedNames.size()];
        table[i].value = values[i];
    }
    return table;
}

// Replaces every occurrence, left to right without overlap, and returns how many there were.
int ReplaceAll(QString& text, const QString& name, const QString& value)
{
    int count = 0;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, from)) {
        result += QStringView(text).mid(from, at - from);
        result += value;
        from = at + name.size();
        ++count;
    }
    if (count > 0) {
        result += QStringView(text).mid(from);
        text = result;
    }
    return count;
}

void CollapseBlanks(QString& text)
{
    for (int run = 6; run >= 2; --run)
        text.replace(QString(run, u' '), QStringLiteral(" "));
}

PlaceholderResult Fill(const QString& input,
                       const std::array<PlaceholderEntry, kPlaceholderCount>& table,
                       const Configuration& config, const QString& receiptAmount)
{
    PlaceholderResult result{input, 0};
    QString& text = result.text;
    text.replace(QStringLiteral("!!WAEHRUNG!!"),
                 config.WAEHRUNGIST == 1 ? QStringLiteral("CHF") : QStringLiteral("EURO"));
    text.replace(QStringLiteral("!!QUITTUNGSBETRAG!!"), receiptAmount);

    for (const PlaceholderEntry& entry : table) {
        // An empty name would match between every two characters.
        if (entry.name.trimmed().isEmpty() || !text.contains(entry.name))
            continue;
        if (!entry.value) {
            result.lastCount = 0;
            continue;
        }
        result.lastCount = ReplaceAll(text, entry.name, *entry.value);
        CollapseBlanks(text);
    }
    return result;
}

QString NameOfEntry(const QString& entry)
{
    return entry.left(entry.indexOf(u'('));
}

bool IsDigits(const QString& text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

} // namespace

std::array<PlaceholderEntry, kPlaceholderCount> PlaceholderTable(const Document& document,
                                                                 const Configuration& config)
{
    const Recipient& r = document.recipient;
    const int selectionMonth = static_cast<int>(std::llabs(r.selectionDate) / 100 % 100);
    Values values = {
        r.attention,
        r.name,
        r.name2,
        r.street,
        r.town,
        r.postalCode,
        CountryName(r.country),
        r.title,
        r.firstName,
        r.lastName,
        r.phone,
        r.mobile,
        r.email,
        document.conditions.reference,
        FormatDate(r.selectionDate, 0, config),
        document.conditions.customerVatId,
        QString::number(r.customerNumber),
        QString::number(document.number),
        r.personalSalutation.isEmpty() ? config.ANREDELEER : r.personalSalutation,
        MonthName(selectionMonth, config),
        DocumentTypeName(document.type, false, config),
    };
    for (size_t i = 0; i < r.freeFields.size(); ++i)
        values[kFixedNames.size() + i] = r.freeFields[i];
    return MakeTable(values, config);
}

std::array<PlaceholderEntry, kPlaceholderCount> PlaceholderTable(const AddressValues& row,
                                                                 const Configuration& config)
{
    Values values = {
        row.attention,
        row.name,
        row.name2,
        row.street,
        row.town,
        row.postalCode,
        CountryName(row.country),
        row.title,
        row.firstName,
        row.lastName,
        row.phone,
        row.mobile,
        row.email,
        row.optional,
        std::nullopt, // selection date
        row.vatId,
        QString::number(row.id + config.ODBCKUNDENNRADDITION),
        std::nullopt, // document number
        row.personalSalutation,
        std::nullopt, // selection month
        std::nullopt, // document type
    };
    for (size_t i = 0; i < row.freeFields.size(); ++i)
        values[kFixedNames.size() + i] = row.freeFields[i];
    return MakeTable(values, config);
}

PlaceholderResult FillPlaceholders(const QString& text, const Document& document,
                                   const Configuration& config, const QString& receiptAmount)
{
    return Fill(text, PlaceholderTable(document, config), config, receiptAmount);
}

PlaceholderResult FillPlaceholders(const QString& text, const std::optional<AddressValues>& row,
                                   const Configuration& config, const QString& receiptAmount)
{
    if (!row)
        return {text, 0};
    return Fill(text, PlaceholderTable(*row, config), config, receiptAmount);
}

QString ReceiptAmountText(double finalAmount, const Configuration& config)
{
    return FormatAmount(finalAmount, 2, config);
}

QString CountryName(int diallingCode)
{
    if (diallingCode <= 0)
        return {};
    for (const QString& entry : CountryList()) {
        if (CountryCode(entry) == diallingCode)
            return NameOfEntry(entry);
    }
    return {};
}

QString CountryName(const QString& countryValue)
{
    const QString value = countryValue.trimmed();
    if (IsDigits(value)) {
        bool ok = false;
        const int code = value.toInt(&ok);
        return ok ? CountryName(code) : QString();
    }
    QString code = value;
    if (value == u"A")
        code = QStringLiteral("AT");
    else if (value == u"D")
        code = QStringLiteral("DE");
    else if (value == u"F")
        code = QStringLiteral("FR");
    if (code.isEmpty())
        return {};
    for (const QString& entry : CountryList()) {
        if (entry.endsWith(u')' + code))
            return NameOfEntry(entry);
    }
    return {};
}

} // namespace fakvo
