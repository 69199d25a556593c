#include "app/model/document.h"

#include "config/valueforms.h"

namespace fakvo {
namespace {

// Quantity texts longer than this keep their number only.
constexpr qsizetype kQuantityTextMaxLength = 59;

qsizetype SkipSpaces(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
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
    const qsizetype numberEnd = ReadDecimal(text, numberStart, quantity.number);
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
