#pragma once
// The rules behind storing and loading that need no database and no file: the values a
// document stores in its journal entry, its product rows as the journal takes them, a journal
// entry back as a document, and the line format of templates.

#include "app/model/document.h"
#include "config/configuration.h"
#include "storage/journal.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

// Documents that store product rows: the product list and the reminder list.
bool StoresProductRows(DocumentType type);

// The conditions as they are stored: a payment term above 730 days becomes 0 (not for the
// manual reminder, whose term holds a date), commas in discount and cash discount become points.
void NormaliseConditions(Conditions& conditions, DocumentType type);

struct Refusal
{
    QString text;
    enum class Field
    {
        None,
        ReceiptAmount,
        Message,
    } field = Field::None;
};

// What keeps a document from being stored before the journal is asked: a receipt without
// amount or text, a product document without rows.
std::optional<Refusal> ContentRefusal(const Document& document);

// A rewrite that would turn an invoice number into another type is refused.
std::optional<QString> RewriteRefusal(DocumentType type, long long loadedNumber, int year,
                                      int startInvoiceNumber);

// The amounts handed to the journal: the amount due and the cash discount (as their 2-decimal
// texts read back) and the VAT total.
struct StoredAmounts
{
    double amountDue = 0;
    double cashDiscount = 0;
    double vatTotal = 0;
};

// Computes the document's totals from its rows (rewriting the computed cells) and returns what
// is stored: the computed amounts for product documents, the typed amount for receipts, 0 for
// SMS, e-mails and letters.
StoredAmounts ComputeStoredAmounts(Document& document, const Configuration& config);

struct EntryValues
{
    int today = 0; // yyyymmdd
    int time = 0;  // hhmmss
    int profileIndex = 0;
    int keptPaymentMethod = 1;
    bool rewrite = false;
    long long loadedNumber = 0; // a rewrite: the number shown for the loaded entry
};

// The header row of a document, type by type. A rewrite keeps a recorded payment date and a
// remark set since; a new document is paid today when paid in cash.
JournalEntry JournalEntryFor(const Document& document, const StoredAmounts& amounts,
                             const EntryValues& values);

// The product rows as the journal takes them; reminders store their date column as yyyymmdd.
// No rows for documents without a product list.
QList<JournalLineTexts> JournalLinesFor(const Document& document, const Configuration& config);

// "%s an '%s' wurde gespeichert" with the type name and the recipient's name.
QString StoredLogText(const Document& document, const Configuration& config);

// The reminder level a stored SKONTO stands for: -1 gives 1, -2 gives 2, anything else 0.
int ReminderLevelFromCashDiscount(double cashDiscountPercent);

// A journal entry as the editor shows it, without its message text. Runs the amount
// computation for the line totals.
Document DocumentFromRecord(const JournalRecord& record, const Configuration& config,
                            int keptPaymentMethod);

// The lines of a document's template; none for types that keep no template (3 and 10).
std::optional<QStringList> TemplateLines(const Document& document);

// `current` with a template's lines applied; none when the lines are too few for the type
// (two for every type, eleven for product documents).
std::optional<Document> ApplyTemplateLines(const QStringList& lines, const Document& current,
                                           const Configuration& config);

} // namespace fakvo
