#include "app/editor/cellrules.h"

#include "app/model/tiers.h"

#include "app/model/money.h"
#include "config/valueforms.h"

#include <algorithm>

namespace fakvo {
namespace {

double ReadNumber(const QString& text)
{
    return ParseDecimal(QString(text).replace(u',', u'.').trimmed());
}

QString Column(const ProductLine& line, int column)
{
    if (column < 0 || column >= kProductColumnCount)
        return {};
    return line.cells[static_cast<size_t>(column)];
}

QStringList EditorLines(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
}

// A tier text typed in one line ("10=9.50;50=8.90") or one entry per line.
QString NormalisedTiers(const QString& text)
{
    return JoinTiers(QString(text).replace(u'\n', u';').split(u';'));
}

// The unit price of a committed price text in the product layout.
QString UnitPriceText(const QString& text, const ProductLine& line, const CellRules& rules)
{
    const double quantity = ReadNumber(line[ProductColumn::Quantity]);
    if (const auto fromTotal = UnitPriceFromTotal(text, quantity, rules.unitPriceDecimals))
        return *fromTotal;
    return NumberCellText(text);
}

} // namespace

QString CellEditorText(const ProductLine& line, int column, bool reminderList)
{
    if (column != static_cast<int>(ProductColumn::UnitPrice) || reminderList)
        return Column(line, column);
    const QString price = line[ProductColumn::UnitPrice];
    QStringList lines{ReadNumber(price) == 0.0 ? QString() : price};
    lines << TierEntries(line[ProductColumn::PriceTiers]);
    return lines.join(u'\n');
}

QString NumberCellText(const QString& text)
{
    return FormatDecimal(ReadNumber(text), -4);
}

std::optional<QString> UnitPriceFromTotal(const QString& text, double quantity, int decimals)
{
    if (!text.contains(QChar(u'g'), Qt::CaseInsensitive))
        return std::nullopt;
    const double total = ReadNumber(QString(text).remove(QChar(u'g'), Qt::CaseInsensitive));
    const double price = quantity == 0.0 ? total : total / quantity;
    return FormatDecimal(price, decimals);
}

void CommitCellText(ProductLine& line, int column, const QString& text, const CellRules& rules)
{
    if (column <= 0 || column >= kProductColumnCount)
        return;
    QString& cell = line.cells[static_cast<size_t>(column)];
    if (column == static_cast<int>(ProductColumn::Quantity)) {
        cell = rules.reminderList ? text : QString(text).replace(u',', u'.');
        line.hoursConverted = false;
        return;
    }
    if (column < static_cast<int>(ProductColumn::VatRate)) {
        cell = text;
        return;
    }
    if (rules.reminderList) {
        cell = NumberCellText(EditorLines(text).first());
        return;
    }
    if (column == static_cast<int>(ProductColumn::PriceTiers)) {
        cell = NormalisedTiers(text);
        return;
    }
    if (column == static_cast<int>(ProductColumn::UnitPrice)) {
        const QStringList lines = EditorLines(text);
        cell = UnitPriceText(lines.first(), line, rules);
        line[ProductColumn::PriceTiers] = JoinTiers(lines.mid(1));
        return;
    }
    cell = NumberCellText(EditorLines(text).first());
}

QString RemoveHardLineBreaks(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    result.replace(u'\n', u' ');
    result.replace(QStringLiteral("  "), QStringLiteral(" "));
    return result;
}

void UseEditorLineBreaks(QList<ProductLine>& lines)
{
    for (ProductLine& line : lines)
        line[ProductColumn::Text].replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::optional<CellMoveResult> NextCell(CellPosition from, CellMove move, int rowCount,
                                       const MoveColumns& columns)
{
    constexpr int kFirst = static_cast<int>(ProductColumn::Quantity);
    constexpr int kLast = static_cast<int>(ProductColumn::UnitPrice);
    auto skipped = [&columns](int column) {
        if (columns.reminderList)
            return false;
        return (column == static_cast<int>(ProductColumn::ProductNumber) &&
                !columns.productNumbers) ||
               (column == static_cast<int>(ProductColumn::VatRate) && !columns.vatEditable);
    };

    CellPosition to{from.row, std::clamp(from.column, kFirst, kLast)};
    switch (move) {
    case CellMove::Forward:
        do {
            if (++to.column > kLast) {
                to.column = kFirst;
                ++to.row;
            }
        } while (skipped(to.column));
        break;
    case CellMove::Backward:
        do {
            if (--to.column < kFirst) {
                to.column = kLast;
                --to.row;
            }
        } while (skipped(to.column));
        break;
    case CellMove::Up:
        --to.row;
        break;
    case CellMove::Down:
        ++to.row;
        break;
    }
    if (to.row < 0)
        return std::nullopt;
    return CellMoveResult{to, to.row >= rowCount};
}

ProductLine EmptyRow(const QString& standardVatRate)
{
    ProductLine line;
    line[ProductColumn::VatRate] = standardVatRate;
    return line;
}

ProductLine LineFromPending(const PendingLine& pending, const QString& standardVatRate,
                            const CellRules& rules)
{
    auto points = [](QString text) { return text.replace(u',', u'.'); };
    ProductLine line;
    line[ProductColumn::Quantity] = points(pending.quantity);
    line[ProductColumn::ProductNumber] = pending.productNumber;
    line[ProductColumn::Text] = pending.text;
    const QString vat = points(pending.vatRate).trimmed();
    line[ProductColumn::VatRate] = vat.isEmpty() ? standardVatRate : vat;
    const QString tiers = points(pending.tiers);
    line[ProductColumn::PriceTiers] =
        tiers.trimmed().isEmpty() ? QString() : NormalisedTiers(tiers);

    const int decimals = rules.reminderList ? 2 : rules.unitPriceDecimals;
    const QString price = points(pending.unitPrice);
    if (const auto fromTotal =
            UnitPriceFromTotal(price, ReadNumber(line[ProductColumn::Quantity]), decimals))
        line[ProductColumn::UnitPrice] = *fromTotal;
    else
        line[ProductColumn::UnitPrice] = FormatDecimal(ReadNumber(price), decimals);
    return line;
}

} // namespace fakvo
