#include "app/model/totals.h"

#include "app/model/money.h"
#include "config/valueforms.h"

#include <cmath>

namespace fakvo {
namespace {

bool IsReminderList(DocumentType type)
{
    return type == DocumentType::Reminder1 || type == DocumentType::Reminder2 ||
           type == DocumentType::Reminder3;
}

double ReadNumber(const QString& text)
{
    return ParseDecimal(QString(text).replace(u',', u'.'));
}

// Hours and minutes written as h.mm to decimal hours: 1.30 is 1.50, 2.05 is 2.08, and
// minutes of 60 or more carry into the hours (1.75 is 2.25). Fractions of a hundredth are
// cut off, as the integer arithmetic of the rule does.
QString HoursFromHoursAndMinutes(double quantity)
{
    const QString text = FormatDecimal(std::fabs(quantity), 2);
    const qsizetype point = text.indexOf(u'.');
    long long hours = text.left(point).toLongLong();
    int minutes = text.mid(point + 1).toInt();
    hours += minutes / 60;
    minutes %= 60;
    const QString sign =
        quantity < 0 && (hours != 0 || minutes != 0) ? QStringLiteral("-") : QString();
    return sign + QString::number(hours) + u'.' +
           QStringLiteral("%1").arg(minutes * 10 / 6, 2, 10, QLatin1Char('0'));
}

// The unit price a tier text gives for `quantity`; `price` when no tier applies. A tier text
// counts only when it splits into more than one entry (a single tier ends with ";").
double TierPrice(const QString& tiers, double quantity, double price)
{
    const QStringList entries = tiers.split(u';');
    if (entries.size() <= 1)
        return price;
    for (const QString& raw : entries) {
        const QString entry = raw.trimmed();
        if (entry.isEmpty())
            continue;
        const qsizetype equals = entry.indexOf(u'=', 1);
        if (quantity >= ParseInteger(entry) && equals >= 1)
            price = ReadNumber(entry.mid(equals + 1));
    }
    return price;
}

} // namespace

AmountSettings AmountSettingsFrom(const Configuration& config)
{
    AmountSettings settings;
    settings.unitPriceDecimals = config.EINZELPREISNACHKOMMASTELLEN;
    settings.hourMarker = config.STUNDENMINUTENUMWANDLUNGTXT;
    settings.firstReminderFee = config.MAHNUNG1TAGEUEBERZAHLZIEL.fee;
    settings.secondReminderFee = config.MAHNUNG2TAGEUEBERZAHLZIEL.fee;
    for (int i = 0; i < 4; ++i)
        settings.lineCapacities[i] = config.RECHPRODUKTLAENGEN.value(i);
    settings.slipFormA4 = config.ERLAGSCHEINTYPE == 1;
    return settings;
}

TotalsRun ComputeTotals(QList<ProductLine>& lines, Conditions& conditions, DocumentType type,
                        const AmountSettings& settings)
{
    TotalsRun run;
    DocumentTotals& t = run.totals;
    const bool reminder = IsReminderList(type);
    const int decimals = settings.unitPriceDecimals;
    conditions.discount.replace(u',', u'.');
    conditions.cashDiscount.replace(u',', u'.');
    const double discountPercent = ParseDecimal(conditions.discount);

    for (qsizetype row = 0; row < lines.size(); ++row) {
        ProductLine& line = lines[row];
        QString& quantityCell = line[ProductColumn::Quantity];
        double quantity = ReadNumber(quantityCell);
        if (!reminder && !settings.hourMarker.isEmpty() &&
            quantityCell.contains(settings.hourMarker) && !line.hoursConverted) {
            const QString hours = HoursFromHoursAndMinutes(quantity);
            quantity = ParseDecimal(hours);
            quantityCell = hours + u' ' + settings.hourMarker;
            line.hoursConverted = true;
        }

        double price = RoundTo(ReadNumber(line[ProductColumn::UnitPrice]), decimals);
        const QString& tiers = line[ProductColumn::PriceTiers];
        if (!tiers.trimmed().isEmpty()) {
            const double tierPrice = RoundTo(TierPrice(tiers, quantity, price), decimals);
            if (tierPrice != price) {
                price = tierPrice;
                line[ProductColumn::UnitPrice] = FormatDecimal(price, decimals);
            }
        }

        if (reminder) {
            // A reminder row carries an open invoice: its date in the quantity cell and its
            // amount in the price cell. It has no VAT and no discount of its own.
            line[ProductColumn::LineTotal] = FormatDecimal(price, 2);
            t.subtotal += price;
            continue;
        }

        const double rate = ReadNumber(line[ProductColumn::VatRate]);
        const double lineTotal = RoundTo(price * quantity, 2);
        line[ProductColumn::LineTotal] = FormatDecimal(lineTotal, 2);
        t.subtotal += lineTotal;

        int group = 0;
        while (group < t.rateCount && t.rates[group] != rate)
            ++group;
        if (group == t.rateCount) {
            if (t.rateCount == kMaxVatRates) {
                run.warnings
                    << QStringLiteral(
                           "Zeile %1: Mehr als %2 verschiedene MWSt-Sätze - die Zeile wird "
                           "ohne MWSt und Rabatt gerechnet!")
                           .arg(row + 1)
                           .arg(kMaxVatRates);
                continue;
            }
            t.rates[t.rateCount++] = rate;
        }
        if (conditions.gross && rate == -100.0) {
            run.warnings
                << QStringLiteral(
                       "Zeile %1: Ein MWSt-Satz von -100 % ist in einer Bruttorechnung nicht "
                       "möglich - die Zeile wird ohne MWSt gerechnet!")
                       .arg(row + 1);
            continue;
        }
        const double lineDiscount = RoundTo(lineTotal * discountPercent / 100.0, 2);
        const double base = lineTotal - lineDiscount;
        t.vatPerRate[group] +=
            conditions.gross ? base * rate / (100.0 + rate) : base * rate / 100.0;
        t.discountPerRate[group] += lineDiscount;
    }

    double discountSum = 0;
    for (int i = 0; i < t.rateCount; ++i) {
        t.vatPerRate[i] = RoundTo(t.vatPerRate[i], 2);
        t.vatTotal += t.vatPerRate[i];
        discountSum += t.discountPerRate[i];
    }
    t.discount = RoundTo(discountSum, 2);
    t.secondSubtotal = t.subtotal - t.discount;
    t.vatTotal = RoundTo(t.vatTotal, 2);
    if (type == DocumentType::Reminder1)
        t.reminderFee = settings.firstReminderFee;
    else if (type == DocumentType::Reminder2 || type == DocumentType::Reminder3)
        t.reminderFee = settings.secondReminderFee;

    t.grossTotal = conditions.gross ? t.secondSubtotal : t.secondSubtotal + t.vatTotal;
    const double cashPercent = type == DocumentType::ManualReminder || reminder
                                   ? 0.0
                                   : ParseDecimal(conditions.cashDiscount);
    t.cashDiscount = t.grossTotal < 0 ? 0.0 : RoundTo(t.grossTotal * cashPercent / 100.0, 2);
    t.amountDue = reminder ? t.reminderFee + t.subtotal : t.grossTotal - t.cashDiscount;
    return run;
}

std::array<QString, 6> TotalsFieldTexts(const DocumentTotals& t, DocumentType type)
{
    const double second = IsReminderList(type) ? t.reminderFee : t.discount;
    return {FormatDecimal(t.subtotal, 2),       FormatDecimal(second, 2),
            FormatDecimal(t.secondSubtotal, 2), FormatDecimal(t.vatTotal, 2),
            FormatDecimal(t.cashDiscount, 2),   FormatDecimal(t.amountDue, 2)};
}

int EstimatePages(int rows, int linesPerRow, DocumentType type, int paymentMethod,
                  const AmountSettings& settings, bool secondPageHoldsFirstCapacity)
{
    constexpr int kMostPages = 31;
    const int less = IsReminderList(type) ? 3 : 0;
    const int later = settings.lineCapacities[0] - less;
    const int first = settings.lineCapacities[2] - less;
    const int slipFirst = settings.lineCapacities[3] - less;
    const long long needed = static_cast<long long>(rows) * linesPerRow;
    const bool withSlip =
        type == DocumentType::Invoice && paymentMethod == 0 && settings.slipFormA4;

    long long capacity = withSlip ? slipFirst : first;
    for (int page = 1; page < kMostPages; ++page) {
        if (capacity >= needed)
            return page;
        const bool secondSlipPage = withSlip && page == 1 && secondPageHoldsFirstCapacity;
        capacity += secondSlipPage ? first : later;
    }
    return kMostPages;
}

QString PageEstimateText(int rows, int pages)
{
    if (rows <= 0)
        return {};
    QString text = QStringLiteral("Produkteinträge: %1").arg(rows);
    if (pages > 1)
        text += QStringLiteral("\nSeiten: %1").arg(pages);
    return text;
}

std::optional<QString> ConvertPrices(QList<ProductLine>& lines, bool grossDocument,
                                     PriceConversion conversion, int unitPriceDecimals)
{
    if (conversion == PriceConversion::AddVat && !grossDocument)
        return QStringLiteral(
            "Das Aufrechen der MwSt. auf die Einzelproduktpreise ist nur für eine Bruttorechnung "
            "sinnvol!\n\nBitte ändern Sie den Rechnungstyp über den Konditionen-Dialog.");
    if (conversion == PriceConversion::SubtractVat && grossDocument)
        return QStringLiteral(
            "Das Abziehen der MwSt. auf die Einzelproduktpreise ist nur für eine Nettorechnung "
            "sinnvol!\n\nBitte ändern Sie den Rechnungstyp über den Konditionen-Dialog.");
    for (ProductLine& line : lines) {
        const double rate = RoundTo(ReadNumber(line[ProductColumn::VatRate]), 2);
        const double price = RoundTo(ReadNumber(line[ProductColumn::UnitPrice]), unitPriceDecimals);
        if (conversion == PriceConversion::SubtractVat && rate == -100.0)
            continue; // no price contains -100 % VAT; leave the line as it is
        const double converted = conversion == PriceConversion::AddVat
                                     ? price + rate * price / 100.0
                                     : price - rate * price / (100.0 + rate);
        line[ProductColumn::UnitPrice] =
            FormatDecimal(RoundTo(converted, unitPriceDecimals), unitPriceDecimals);
    }
    return std::nullopt;
}

} // namespace fakvo
