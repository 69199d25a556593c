#include "app/model/documenttype.h"

#include "config/configuration.h"

#include <array>

namespace fakvo {
namespace {

using F = ConditionField;

constexpr ConditionFields kAllConditions =
    F::GrossFlag | F::Discount | F::CashDiscount | F::PaymentMethod | F::PaymentTerm |
    F::CustomerVatId | F::Reference | F::Validity | F::Shipping | F::Clerk | F::LinesPerRow;
constexpr ConditionFields kInvoiceConditions = kAllConditions & ~ConditionFields(F::Validity);
constexpr ConditionFields kManualReminderConditions =
    (kInvoiceConditions & ~ConditionFields(F::CashDiscount)) | F::ReminderLevel;
constexpr ConditionFields kReminderConditions =
    F::PaymentMethod | F::CustomerVatId | F::Reference | F::Shipping | F::Clerk | F::LinesPerRow;
constexpr ConditionFields kDeliveryNoteConditions =
    F::CustomerVatId | F::Reference | F::Shipping | F::Clerk | F::LinesPerRow;
constexpr ConditionFields kReceiptConditions = F::Shipping | F::Reference | F::Clerk;
constexpr ConditionFields kNoConditions = {};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kTeal{0, 128, 128};

using L = EditorLayout;
using A = AmountKind;

// clang-format off
constexpr std::array<DocumentTypeTraits, 16> kTraits = {{
    // long name, short, caption, number label, layout, text, background, amounts, conditions,
    // payment slip, shipping preset, validity
    {u"Rechnung", u"R", u"Rechnung", u"RechNr.:", L::ProductList, {0, 0, 128}, kWhite,
     A::Computed, kInvoiceConditions, true, false, false},
    {u"Mahnung", u"M", u"Mahnung", u"", L::ReminderList, kRed, kWhite,
     A::ComputedWithReminderFee, kReminderConditions, false, false, false},
    {u"Mahnung", u"M", u"2. Mahnung", u"", L::ReminderList, kRed, kWhite,
     A::ComputedWithReminderFee, kReminderConditions, false, false, false},
    {u"Unbek. Dok. Type", u"Y", u"", u"", L::None, kBlack, kWhite,
     A::None, kNoConditions, false, false, false},
    {u"SMS", u"S", u"SMS", u"", L::Sms, {0, 255, 255}, kWhite,
     A::None, kNoConditions, false, false, false},
    {u"E-Mail", u"E", u"E-Mail", u"", L::EMail, {255, 0, 255}, kWhite,
     A::None, kNoConditions, false, false, false},
    {u"Angebot", u"A", u"Angebot", u"Angeb.Nr: ", L::ProductList, {128, 128, 0}, kWhite,
     A::Computed, kAllConditions, false, true, true},
    {u"Lieferschein", u"L", u"Lieferschein", u"LS Nr.: ", L::ProductList, kTeal, kWhite,
     A::Computed, kDeliveryNoteConditions, false, false, false},
    {u"Brief", u"B", u"Brief", u"", L::Letter, {255, 255, 0}, kBlack,
     A::None, F::Shipping, false, false, false},
    {u"Kostenvoranschlag", u"K", u"Kost.Voranschl.", u"KV Nr.: ", L::ProductList, {128, 0, 0},
     kWhite, A::Computed, kAllConditions, false, false, true},
    {u"StornoRechn.", u"N", u"Storno Rechn.", u"", L::ProductList, kRed, kWhite,
     A::Computed, kAllConditions, false, false, false},
    {u"Auftragsbestätigung", u"U", u"Auftragsbest.", u"", L::ProductList, kTeal, kWhite,
     A::Computed, kInvoiceConditions, false, true, false},
    {u"Mahnung", u"M", u"3. Mahnung", u"", L::ReminderList, kRed, kWhite,
     A::ComputedWithReminderFee, kAllConditions, false, false, false},
    {u"Quittung", u"Q", u"Quittung", u"", L::Receipt, {0, 0, 255}, kWhite,
     A::TypedAmount, kReceiptConditions, false, false, false},
    {u"Proforma-Rechnung", u"P", u"Proforma-Rechnung", u"Prof.RNr.:", L::ProductList, kBlack,
     kWhite, A::Computed, kInvoiceConditions, false, false, false},
    {u"Mahnung", u"M", u"ERINNERUNG", u"Dokument Nr.:", L::ProductList, {255, 55, 0}, kWhite,
     A::Computed, kManualReminderConditions, false, false, false},
}};
// clang-format on

QString Text(const char16_t* text)
{
    return QString::fromUtf16(text);
}

bool FeeNotes(const Configuration& config)
{
    return config.HONORARNOTE != 0;
}

} // namespace

const DocumentTypeTraits& TypeTraits(DocumentType type)
{
    const int code = static_cast<int>(type);
    if (code < 0 || code >= static_cast<int>(kTraits.size()))
        return kTraits[static_cast<int>(DocumentType::Unknown)];
    return kTraits[code];
}

QString DocumentTypeName(DocumentType type, bool shortForm, const Configuration& config)
{
    const DocumentTypeTraits& traits = TypeTraits(type);
    if (shortForm)
        return Text(traits.shortCode);
    if (type == DocumentType::Invoice && FeeNotes(config))
        return QStringLiteral("Honorarnote");
    return Text(traits.longName);
}

QString DocumentCaption(DocumentType type, int reminderLevel, const Configuration& config)
{
    if (type == DocumentType::Invoice && FeeNotes(config))
        return QStringLiteral("Honorarnote");
    if (type == DocumentType::ManualReminder) {
        if (reminderLevel == 1)
            return QStringLiteral("MAHNUNG");
        if (reminderLevel == 2)
            return QStringLiteral("2. MAHNUNG");
    }
    return Text(TypeTraits(type).caption);
}

QString DocumentNumberLabel(DocumentType type, int number, int reminderLevel,
                            const Configuration& config)
{
    QString label = Text(TypeTraits(type).numberLabel);
    if (FeeNotes(config) && type == DocumentType::Invoice)
        label = QStringLiteral("Hon.NoteNr:");
    else if (FeeNotes(config) && type == DocumentType::ProformaInvoice)
        label = QStringLiteral("Prof.Hon.Nr:");
    else if (type == DocumentType::ManualReminder && (reminderLevel == 1 || reminderLevel == 2))
        label = QStringLiteral("Mahnung Nr.:");
    if (label.isEmpty())
        return {};
    return label + QString::number(number);
}

} // namespace fakvo
