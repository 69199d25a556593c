#pragma once
// The kinds of document, stored as DOCTYPE: names, short codes, editor captions and
// colours, number labels, and what each kind carries.

#include <QFlags>
#include <QString>

#include <cstdint>

namespace fakvo {

struct Configuration;

// The stored codes. Any other code is an unknown type (named like code 3).
enum class DocumentType : int
{
    Invoice = 0, // or fee note when HONORARNOTE is set
    Reminder1 = 1,
    Reminder2 = 2,
    Unknown = 3, // only the fallback for codes nobody creates
    Sms = 4,
    EMail = 5,
    Offer = 6,
    DeliveryNote = 7,
    Letter = 8,
    CostEstimate = 9,
    CancelledInvoice = 10,
    OrderConfirmation = 11,
    Reminder3 = 12, // hands a case to a collection agency
    Receipt = 13,
    ProformaInvoice = 14,
    ManualReminder = 15, // written by hand on a product list, with its own reminder level
};

// What the editor shows for a type.
enum class EditorLayout
{
    None, // not selectable
    ProductList,
    ReminderList, // open invoices instead of products
    Sms,
    EMail,
    Letter,
    Receipt,
};

enum class AmountKind
{
    None,
    Computed,                // product lines, VAT and totals
    ComputedWithReminderFee, // open invoices plus the reminder fee
    TypedAmount,             // one amount typed in (receipts)
};

// The fields the conditions dialog offers.
enum class ConditionField : unsigned
{
    GrossFlag = 1u << 0,
    Discount = 1u << 1,
    CashDiscount = 1u << 2,
    PaymentMethod = 1u << 3,
    PaymentTerm = 1u << 4, // for the manual reminder: the invoice date yyyymmdd
    CustomerVatId = 1u << 5,
    Reference = 1u << 6,
    Validity = 1u << 7,
    Shipping = 1u << 8,
    Clerk = 1u << 9,
    LinesPerRow = 1u << 10,
    ReminderLevel = 1u << 11, // the manual reminder, in place of the cash discount
};
Q_DECLARE_FLAGS(ConditionFields, ConditionField)
Q_DECLARE_OPERATORS_FOR_FLAGS(ConditionFields)

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The fixed features of a type, independent of configuration and reminder level.
struct DocumentTypeTraits
{
    const char16_t* longName;
    const char16_t* shortCode;   // one capital letter
    const char16_t* caption;     // editor caption; empty when the type cannot be selected
    const char16_t* numberLabel; // empty: the type shows no number label
    EditorLayout layout;
    Rgb captionText;
    Rgb captionBackground;
    AmountKind amounts;
    ConditionFields conditionFields; // empty: the conditions dialog is refused
    bool paymentSlipPossible;        // an invoice may carry the payment slip
    bool shippingPresetFromConfig;   // the shipping method starts from the configuration
    bool validityInDays;             // offers and cost estimates keep a validity

    bool HasProductLines() const { return layout == EditorLayout::ProductList; }
    bool IsReminderList() const { return layout == EditorLayout::ReminderList; }
    bool HasMessageText() const
    {
        return layout == EditorLayout::Sms || layout == EditorLayout::EMail ||
               layout == EditorLayout::Letter || layout == EditorLayout::Receipt;
    }
};

// The row of a code; codes outside 0 to 15 get the row of the unknown type.
const DocumentTypeTraits& TypeTraits(DocumentType type);

// The long name ("Rechnung", "Honorarnote" with HONORARNOTE, "Unbek. Dok. Type" for unknown
// codes), or the one-letter short code when `shortForm` is set.
QString DocumentTypeName(DocumentType type, bool shortForm, const Configuration& config);

// The editor caption; the manual reminder's caption follows its reminder level
// ("ERINNERUNG", "MAHNUNG", "2. MAHNUNG" for 0, 1, 2; other levels as 0).
QString DocumentCaption(DocumentType type, int reminderLevel, const Configuration& config);

// The number label followed by the number ("RechNr.:1042", "Angeb.Nr: 81000003"), or the
// empty text for types without a label. The manual reminder's label depends on its
// reminder level: "Mahnung Nr.:" at level 1 or 2, else "Dokument Nr.:".
QString DocumentNumberLabel(DocumentType type, int number, int reminderLevel,
                            const Configuration& config);

} // namespace fakvo
