#include "app/editor/conditionsrules.h"

#include "app/model/codes.h"
#include "app/model/money.h"
#include "config/valueforms.h"

namespace fakvo {
namespace {

constexpr int kLongestPaymentTerm = 730;

// Which parts of the conditions line a type shows.
struct LineParts
{
    bool lines = false;
    bool discounts = false; // discount and cash discount
    bool cashDiscount = false;
    bool payment = false;
    bool term = false;
    bool ids = false;   // VAT id and reference
    bool idDots = true; // the cut ids end with ".."
    bool validity = false;
    bool shipping = false;
};

LineParts PartsOf(DocumentType type)
{
    switch (type) {
    case DocumentType::Sms:
    case DocumentType::EMail:
    case DocumentType::Receipt:
    case DocumentType::Unknown:
        return {};
    case DocumentType::Letter:
        return {.shipping = true};
    case DocumentType::Reminder1:
    case DocumentType::Reminder2:
    case DocumentType::Reminder3:
        return {.lines = true, .payment = true, .ids = true, .shipping = true};
    case DocumentType::DeliveryNote:
        return {.lines = true, .ids = true, .idDots = false, .shipping = true};
    case DocumentType::Offer:
    case DocumentType::CostEstimate:
        return {true, true, true, true, true, true, true, true, true};
    case DocumentType::ManualReminder:
        // Its cash-discount field holds the reminder level; no cash discount is ever taken.
        return {true, true, false, true, true, true, true, false, true};
    default:
        return {true, true, true, true, true, true, true, false, true};
    }
}

QString Percent(const QString& text)
{
    return FormatDecimal(ParseDecimal(QString(text).replace(u',', u'.')), 2);
}

} // namespace

QString ConditionsLine(const Conditions& c, DocumentType type, bool shown)
{
    const LineParts parts = PartsOf(type);
    if (!shown || !(parts.lines || parts.shipping))
        return {};
    QString line = QStringLiteral("Kond.:");
    if (parts.lines)
        line += QStringLiteral(" (Z:%1);").arg(c.linesPerRow);
    if (parts.discounts) {
        const QString discount = Percent(c.discount);
        if (ParseDecimal(discount) != 0.0)
            line += QStringLiteral(" Rab.: %1%;").arg(discount);
    }
    if (parts.cashDiscount) {
        const QString cash = Percent(c.cashDiscount);
        if (ParseDecimal(cash) != 0.0)
            line += QStringLiteral(" Sko.: %1%;").arg(cash);
    }
    if (parts.payment)
        line += QStringLiteral(" Bez.: ") + PaymentMethodName(c.paymentMethod).left(11) + u';';
    if (parts.term)
        line += QStringLiteral(" Ziel: %1;").arg(c.paymentTerm);
    if (parts.ids) {
        const QString end = parts.idDots ? QStringLiteral("..;") : QStringLiteral(";");
        if (!c.customerVatId.isEmpty())
            line += QStringLiteral(" UID: ") + c.customerVatId.left(5) + end;
        if (!c.reference.isEmpty())
            line += QStringLiteral(" Ref: ") + c.reference.left(5) + end;
    }
    if (parts.validity)
        line += QStringLiteral(" Gültig: %1;").arg(c.validity);
    if (parts.shipping)
        line += u' ' + ShippingMethodName(c.shippingMethod, false, false).left(6);
    return line;
}

QString ConditionsRefusal(DocumentType type)
{
    if (TypeTraits(type).conditionFields)
        return {};
    return QStringLiteral(
        "Bei diesem Dokumententyp sind keine Konditionen und Optionen einstellbar!");
}

Conditions ConditionsForDialog(Conditions conditions, DocumentType type, int keptPaymentMethod)
{
    conditions.paymentMethod = PaymentMethodFromStored(conditions.paymentMethod, keptPaymentMethod);
    if (type != DocumentType::ManualReminder && conditions.paymentTerm > kLongestPaymentTerm)
        conditions.paymentTerm = 0;
    return conditions;
}

Conditions ConditionsFromDialog(Conditions conditions)
{
    conditions.discount.replace(u',', u'.');
    conditions.cashDiscount.replace(u',', u'.');
    return conditions;
}

Conditions ConditionsForType(Conditions conditions, DocumentType type)
{
    if (type != DocumentType::ManualReminder &&
        ParseDecimal(QString(conditions.discount).replace(u',', u'.').trimmed()) < 0.0)
        conditions.discount = QStringLiteral("0");
    return conditions;
}

} // namespace fakvo
