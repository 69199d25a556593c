#include "app/document/storerules.h"

#include "app/model/codes.h"
#include "app/model/dates.h"
#include "app/model/money.h"
#include "app/model/totals.h"
#include "config/valueforms.h"
#include "texts/documenttext.h"

namespace fakvo {
namespace {

// Payment terms above this many days are taken as no term.
constexpr int kMostPaymentDays = 730;

// The payment values of documents without amounts as handed to the journal, which stores SMS
// as 2299 and e-mails as 1188 (it removes 7700 from values above 7699 except for letters).
constexpr int kSmsPaymentValue = 9999;
constexpr int kEMailPaymentValue = 8888;
constexpr int kCashPayment = 2; // "Bar"

// The shipping methods SMS and e-mails are stored with.
constexpr int kShippingSms = 4;
constexpr int kShippingEMail = 3;

// Template lines before the product rows: eight conditions and three empty lines.
constexpr int kTemplateHeaderLines = 11;
constexpr int kTemplateMinimumLines = 2;
constexpr int kTemplateCells = 7; // columns 1 to 7 of a row

const QString kCellLineBreak = QStringLiteral("\\n");

QString ToPoints(QString text)
{
    return text.replace(u',', u'.');
}

// A text of one template line: line breaks would start another line and become blanks.
QString OneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

// A product cell in a template row: line breaks as backslash and "n", and a tab, which would
// split the row, as a blank.
QString TemplateCell(QString text)
{
    text.replace(QStringLiteral("\r\n"), kCellLineBreak);
    text.replace(u'\n', kCellLineBreak);
    text.replace(u'\r', kCellLineBreak);
    text.replace(u'\t', u' ');
    return text;
}

QString CellFromTemplate(QString text)
{
    return text.replace(kCellLineBreak, QStringLiteral("\r\n"));
}

// The lines of a message (CR LF or LF between lines), without a last empty line after a final
// line break; none for an empty message.
QStringList MessageLines(const QString& message)
{
    return message.isEmpty() ? QStringList() : SplitTextLines(message);
}

int LinesPerRowOrDefault(int linesPerRow, const Configuration& config)
{
    return linesPerRow >= 1 && linesPerRow <= 3 ? linesPerRow : config.PRODUKTZEILEN;
}

} // namespace

bool StoresProductRows(DocumentType type)
{
    const DocumentTypeTraits& traits = TypeTraits(type);
    return traits.HasProductLines() || traits.IsReminderList();
}

void NormaliseConditions(Conditions& conditions, DocumentType type)
{
    if (type != DocumentType::ManualReminder && conditions.paymentTerm > kMostPaymentDays)
        conditions.paymentTerm = 0;
    conditions.discount = ToPoints(conditions.discount);
    conditions.cashDiscount = ToPoints(conditions.cashDiscount);
}

std::optional<Refusal> ContentRefusal(const Document& document)
{
    if (document.type == DocumentType::Receipt) {
        if (RoundTo(document.finalAmount, 2) == 0.0)
            return Refusal{QStringLiteral("Bitte geben Sie einen Quittungsbetrag ein!"),
                           Refusal::Field::ReceiptAmount};
        if (document.message.trimmed().isEmpty())
            return Refusal{QStringLiteral("Bitte geben Sie einen Quittungstext (Nachricht) ein!"),
                           Refusal::Field::Message};
    }
    if (StoresProductRows(document.type) && document.lines.isEmpty())
        return Refusal{QStringLiteral("Es wurden keine Produkte zum Speichern angelegt!")};
    return std::nullopt;
}

std::optional<QString> RewriteRefusal(DocumentType type, long long loadedNumber, int year,
                                      int startInvoiceNumber)
{
    if (type != DocumentType::Invoice && IsInvoiceNumber(loadedNumber, year, startInvoiceNumber))
        return QStringLiteral("Eine bestehende Rechnung kann nicht in einen anderen "
                              "Dokumenttypen umgewandelt werden.!");
    return std::nullopt;
}

StoredAmounts ComputeStoredAmounts(Document& document, const Configuration& config)
{
    StoredAmounts amounts;
    switch (TypeTraits(document.type).amounts) {
    case AmountKind::Computed:
    case AmountKind::ComputedWithReminderFee: {
        const TotalsRun run = ComputeTotals(document.lines, document.conditions, document.type,
                                            AmountSettingsFrom(config));
        // The amounts as the editor shows them, two decimals, read back.
        const std::array<QString, 6> texts = TotalsFieldTexts(run.totals, document.type);
        amounts.vatTotal = ParseDecimal(texts[3]);
        amounts.cashDiscount = ParseDecimal(texts[4]);
        amounts.amountDue = ParseDecimal(texts[5]);
        break;
    }
    case AmountKind::TypedAmount:
        amounts.amountDue = RoundTo(document.finalAmount, 2);
        break;
    case AmountKind::None:
        break;
    }
    return amounts;
}

JournalEntry JournalEntryFor(const Document& document, const StoredAmounts& amounts,
                             const EntryValues& values)
{
    const Recipient& r = document.recipient;
    const Conditions& c = document.conditions;
    const DocumentTypeTraits& traits = TypeTraits(document.type);
    const int paymentMethod = PaymentMethodFromStored(c.paymentMethod, values.keptPaymentMethod);

    JournalEntry e;
    e.rowId = values.rewrite ? document.id : 0;
    e.type = static_cast<int>(document.type);
    e.number = values.rewrite ? values.loadedNumber : 0;
    e.date = document.date;
    e.time = values.time;
    e.name1 = r.name;
    e.name2 = r.name2;
    e.name3 = r.attention;
    e.street = r.street;
    e.postalCode = r.postalCode;
    e.town = r.town;
    e.country = r.country;
    e.customerNumber = r.customerNumber;
    e.profileIndex = values.profileIndex;
    e.vatId = c.customerVatId;
    e.reference = c.reference;
    e.clerk = c.clerk;
    e.email = r.email;
    e.mobile = r.mobile;
    e.fax = r.fax;
    e.phone = r.phone;
    e.title = r.title;
    e.firstName = r.firstName;
    e.lastName = r.lastName;
    e.personalSalutation = r.personalSalutation;
    e.selectionDate = r.selectionDate;
    e.vars = r.freeFields;
    e.linesPerRow = c.linesPerRow;
    e.grossFlag = c.gross ? 1 : 0;
    e.vatTotal = amounts.vatTotal;
    // The remark of a stored document is set in its status; rewriting the document keeps it.
    e.remark = values.rewrite ? document.subject : QString();

    switch (traits.layout) {
    case EditorLayout::Sms:
        e.paymentMethod = kSmsPaymentValue;
        e.shipping = kShippingSms;
        break;
    case EditorLayout::EMail:
        e.paymentMethod = kEMailPaymentValue;
        e.shipping = kShippingEMail;
        e.remark = document.subject;
        break;
    case EditorLayout::Letter:
        e.paymentMethod = kLetterPaymentOffset + paymentMethod;
        e.shipping = c.shippingMethod;
        e.remark = document.subject;
        break;
    case EditorLayout::Receipt:
        e.paymentMethod = kCashPayment;
        e.shipping = c.shippingMethod;
        e.amount = amounts.amountDue;
        break;
    default:
        e.discountPercent = ParseDecimal(ToPoints(c.discount));
        e.cashDiscountPercent = document.type == DocumentType::ManualReminder
                                    ? -c.reminderLevel
                                    : ParseDecimal(ToPoints(c.cashDiscount));
        e.paymentMethod = c.paymentMethod;
        e.paymentTerm = c.paymentTerm;
        e.amount = amounts.amountDue;
        e.cashDiscount = amounts.cashDiscount;
        e.paidOn = paymentMethod == kCashPayment ? values.today : 0;
        e.shipping = c.shippingMethod;
        e.validity = traits.validityInDays ? c.validity : 0;
        break;
    }
    // A payment recorded since the document was stored stays recorded.
    if (values.rewrite && document.paidOn > 0)
        e.paidOn = document.paidOn;
    return e;
}

QList<JournalLineTexts> JournalLinesFor(const Document& document, const Configuration& config)
{
    QList<JournalLineTexts> rows;
    if (!StoresProductRows(document.type))
        return rows;
    const bool reminder = TypeTraits(document.type).IsReminderList();
    for (const ProductLine& line : document.lines) {
        const QString& quantity = line[ProductColumn::Quantity];
        rows.append({reminder ? QString::number(ParseDate(quantity, config)) : quantity,
                     line[ProductColumn::ProductNumber], line[ProductColumn::Text],
                     line[ProductColumn::VatRate], line[ProductColumn::UnitPrice],
                     line[ProductColumn::LineTotal], line[ProductColumn::PriceTiers]});
    }
    return rows;
}

QString StoredLogText(const Document& document, const Configuration& config)
{
    return QStringLiteral("%1 an '%2' wurde gespeichert")
        .arg(DocumentTypeName(document.type, false, config), document.recipient.DisplayName());
}

int ReminderLevelFromCashDiscount(double cashDiscountPercent)
{
    const double level = RoundTo(cashDiscountPercent, 2);
    if (level == -1.0)
        return 1;
    if (level == -2.0)
        return 2;
    return 0;
}

Document DocumentFromRecord(const JournalRecord& record, const Configuration& config,
                            int keptPaymentMethod)
{
    const JournalEntry& e = record.header;
    Document d;
    d.id = e.rowId;
    d.type = static_cast<DocumentType>(e.type);
    if (d.type == DocumentType::Invoice && e.cancelled != 0)
        d.type = DocumentType::CancelledInvoice;
    d.number = static_cast<int>(e.number);
    d.date = e.date;
    d.time = e.time;

    Recipient& r = d.recipient;
    r.name = e.name1;
    r.name2 = e.name2;
    r.attention = e.name3;
    r.street = e.street;
    r.postalCode = e.postalCode;
    r.town = e.town;
    r.country = e.country;
    r.customerNumber = static_cast<int>(e.customerNumber);
    r.phone = e.phone;
    r.mobile = e.mobile;
    r.fax = e.fax;
    r.email = e.email;
    r.title = e.title;
    r.firstName = e.firstName;
    r.lastName = e.lastName;
    r.personalSalutation = e.personalSalutation;
    r.selectionDate = e.selectionDate;
    r.freeFields = e.vars;

    Conditions& c = d.conditions;
    c.gross = e.grossFlag != 0;
    c.discount = FormatDecimal(e.discountPercent, 2);
    c.cashDiscount = FormatDecimal(e.cashDiscountPercent, 2);
    c.paymentMethod = PaymentMethodFromStored(e.paymentMethod, keptPaymentMethod);
    c.paymentTerm = e.paymentTerm;
    c.customerVatId = e.vatId;
    c.reference = e.reference;
    c.validity = e.validity;
    c.shippingMethod = e.shipping;
    c.clerk = e.clerk;
    c.linesPerRow = LinesPerRowOrDefault(e.linesPerRow, config);
    c.reminderLevel = ReminderLevelFromCashDiscount(e.cashDiscountPercent);

    d.finalAmount = e.amount;
    d.amountAfterCashDiscount = e.cashDiscount;
    d.subject = e.remark;
    d.vatTotalText = e.vatTotalText;
    d.paidOn = e.paidOn;
    d.cancelled = e.cancelled != 0;
    d.reminderStage = e.reminderLevel;
    d.lastReminderDate = e.reminderDate;
    d.output = e.delivered;
    d.copySent = e.copySent != 0;

    const bool reminder = TypeTraits(d.type).IsReminderList();
    const int priceDecimals = reminder ? 2 : config.EINZELPREISNACHKOMMASTELLEN;
    for (const JournalLine& stored : record.lines) {
        ProductLine line;
        if (reminder) {
            line[ProductColumn::Quantity] =
                FormatDate(static_cast<int>(stored.quantity), 0, config);
        } else {
            line[ProductColumn::Quantity] = FormatDecimal(stored.quantity, -4);
            if (!stored.unit.isEmpty())
                line[ProductColumn::Quantity] += u' ' + stored.unit;
        }
        line[ProductColumn::ProductNumber] = stored.productNumber;
        line[ProductColumn::Text] = stored.description;
        line[ProductColumn::VatRate] = FormatDecimal(stored.vatRate, -2);
        line[ProductColumn::UnitPrice] = FormatDecimal(stored.unitPrice, priceDecimals);
        line[ProductColumn::PriceTiers] = stored.tiers;
        // Hour quantities were converted before they were stored.
        line.hoursConverted = true;
        d.lines.append(line);
    }
    if (!d.lines.isEmpty())
        ComputeTotals(d.lines, d.conditions, d.type, AmountSettingsFrom(config));
    return d;
}

std::optional<QStringList> TemplateLines(const Document& document)
{
    const Conditions& c = document.conditions;
    QStringList lines;
    switch (TypeTraits(document.type).layout) {
    case EditorLayout::ProductList:
    case EditorLayout::ReminderList:
        if (document.type == DocumentType::CancelledInvoice)
            return std::nullopt;
        lines << OneLine(c.discount) << OneLine(c.cashDiscount) << QString::number(c.paymentMethod)
              << QString::number(c.paymentTerm) << QString::number(c.shippingMethod)
              << QString::number(c.validity) << OneLine(c.reference)
              << QString::number(c.linesPerRow) << QString() << QString() << QString();
        for (const ProductLine& line : document.lines) {
            QString row;
            for (int column = 1; column <= kTemplateCells; ++column)
                row += TemplateCell(line.cells[static_cast<size_t>(column)]) + u'\t';
            lines << row;
        }
        return lines;
    case EditorLayout::Sms:
        lines << OneLine(document.recipient.mobile) << QString();
        break;
    case EditorLayout::EMail:
        lines << OneLine(document.recipient.email) << OneLine(document.subject);
        break;
    case EditorLayout::Letter:
        lines << QString() << OneLine(document.subject);
        break;
    case EditorLayout::Receipt:
        lines << QString() << FormatDecimal(document.finalAmount, 2);
        break;
    case EditorLayout::None:
        return std::nullopt;
    }
    return lines + MessageLines(document.message);
}

std::optional<Document> ApplyTemplateLines(const QStringList& lines, const Document& current,
                                           const Configuration& config)
{
    if (lines.size() < kTemplateMinimumLines)
        return std::nullopt;
    Document d = current;
    const QString message = lines.mid(2).join(QStringLiteral("\r\n"));
    switch (TypeTraits(d.type).layout) {
    case EditorLayout::ProductList:
    case EditorLayout::ReminderList: {
        if (lines.size() < kTemplateHeaderLines)
            return std::nullopt;
        Conditions& c = d.conditions;
        c.discount = lines[0];
        c.cashDiscount = lines[1];
        c.paymentMethod = ParseInteger(lines[2]);
        c.paymentTerm = ParseInteger(lines[3]);
        c.shippingMethod = ParseInteger(lines[4]);
        c.validity = ParseInteger(lines[5]);
        c.reference = lines[6];
        c.linesPerRow = LinesPerRowOrDefault(ParseInteger(lines[7]), config);
        d.lines.clear();
        for (qsizetype i = kTemplateHeaderLines; i < lines.size(); ++i) {
            const QStringList pieces = lines[i].split(u'\t');
            if (pieces.size() != kTemplateCells && pieces.size() != kTemplateCells + 1)
                continue;
            ProductLine line;
            for (int column = 1; column <= 5; ++column)
                line.cells[static_cast<size_t>(column)] = CellFromTemplate(pieces[column - 1]);
            line[ProductColumn::PriceTiers] = pieces[6];
            d.lines.append(line);
        }
        ComputeTotals(d.lines, d.conditions, d.type, AmountSettingsFrom(config));
        break;
    }
    case EditorLayout::EMail:
    case EditorLayout::Letter:
        d.subject = lines[1];
        d.message = message;
        break;
    case EditorLayout::Receipt:
        d.finalAmount = ParseDecimal(ToPoints(lines[1]));
        d.message = message;
        break;
    case EditorLayout::Sms:
        d.message = message;
        break;
    case EditorLayout::None:
        break;
    }
    return d;
}

} // namespace fakvo
