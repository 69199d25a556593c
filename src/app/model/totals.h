#pragma once
// The amount computation: line totals, discount, VAT per rate, final amount, cash discount and
// amount due of the document in the editor, the page estimate, and the two price conversions.

#include "app/model/document.h"
#include "config/configuration.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace fakvo {

inline constexpr int kMaxVatRates = 5;

struct DocumentTotals
{
    int rateCount = 0;                        // distinct VAT rates, in order of appearance
    std::array<double, kMaxVatRates> rates{}; // as typed in the lines
    std::array<double, kMaxVatRates> vatPerRate{};
    std::array<double, kMaxVatRates> discountPerRate{};
    double vatTotal = 0;
    double subtotal = 0;
    double discount = 0;
    double secondSubtotal = 0;
    double grossTotal = 0;
    double cashDiscount = 0;
    double amountDue = 0;
    double reminderFee = 0;

    bool operator==(const DocumentTotals&) const = default;
};

// What the computation takes from the configuration.
struct AmountSettings
{
    int unitPriceDecimals = 2;                        // EINZELPREISNACHKOMMASTELLEN
    QString hourMarker = QStringLiteral("h:m");       // STUNDENMINUTENUMWANDLUNGTXT
    double firstReminderFee = 0;                      // fee of MAHNUNG1TAGEUEBERZAHLZIEL
    double secondReminderFee = 0;                     // fee of MAHNUNG2TAGEUEBERZAHLZIEL
    std::array<int, 4> lineCapacities{30, 30, 24, 9}; // RECHPRODUKTLAENGEN
    bool slipFormA4 = false;                          // ERLAGSCHEINTYPE is A4
};

// The settings of the loaded configuration.
AmountSettings AmountSettingsFrom(const Configuration& config);

struct TotalsRun
{
    DocumentTotals totals;
    // Why a line got no VAT (a sixth rate, a gross rate of -100 %); empty when all is well.
    QStringList warnings;
};

// Computes the totals of `lines`. Rewrites the cells the computation owns: converted hour
// quantities, tier prices and line totals; replaces "," by "." in the discount texts.
TotalsRun ComputeTotals(QList<ProductLine>& lines, Conditions& conditions, DocumentType type,
                        const AmountSettings& settings);

// The six texts under the product list: subtotal, discount (the fee for reminders), second
// subtotal, VAT total, cash discount, amount due; each with two decimals, plain style.
std::array<QString, 6> TotalsFieldTexts(const DocumentTotals& totals, DocumentType type);

// Estimated printed pages for `rows` product rows of `linesPerRow` text lines (at most 31).
// `secondPageHoldsFirstCapacity` is field 10 of the working settings.
int EstimatePages(int rows, int linesPerRow, DocumentType type, int paymentMethod,
                  const AmountSettings& settings, bool secondPageHoldsFirstCapacity);

// "Produkteinträge: n" with "\nSeiten: p" when more than one page; empty for no rows.
QString PageEstimateText(int rows, int pages);

enum class PriceConversion
{
    AddVat,      // "Die Mehrwertsteuer für eine Bruttorechnung aufrechnen"
    SubtractVat, // "Die Mehrwertsteuer für eine Nettorechnung abziehen"
};

// Rewrites every unit price; returns the refusal message when the conversion does not fit
// the document (adding VAT to a net document, subtracting it from a gross one).
std::optional<QString> ConvertPrices(QList<ProductLine>& lines, bool grossDocument,
                                     PriceConversion conversion, int unitPriceDecimals);

} // namespace fakvo
