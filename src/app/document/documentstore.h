#pragma once
// Storing and loading documents: F2 stores the editor's document as a new journal entry, F4
// rewrites the loaded entry (and is how an offer becomes an invoice), loading brings an entry
// back for the editor, serial documents store one document per selected address, and
// templates keep conditions, product rows or message texts in files of Vorlagen/.
//
// Nothing here needs a window: messages and questions go through FrageJaNein, log lines through
// Log, and the caller shows StoreOutcome::statusText in its status line.

#include "app/model/document.h"
#include "config/configuration.h"
#include "storage/database.h"
#include "storage/journal.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace fakvo {

struct StoreContext
{
    const Configuration* config = nullptr;
    DatabaseSettings database;        // DatabaseSettingsFrom(config, SqlLog, clock)
    int profileIndex = 0;             // KONFIGNR
    int keptPaymentMethod = 1;        // working settings record 4; the meaning of stored code 77
    std::function<QDateTime()> clock; // "now"; the database's clock, else the system clock,
                                      // when empty

    // The document loaded last (its DOCDATUM and DOCNR; 0 when none was loaded): a new receipt
    // or manual reminder refers to it.
    int lastLoadedDate = 0;
    int lastLoadedNumber = 0;
    // The overview's display period: an entry outside it is not loaded. None: no limit.
    std::optional<DisplayPeriod> period;
    // Writes the PDF backup copy of a stored document when PDFSICHERUNGSPFAD is set. Empty:
    // the copy is not made and the log says so.
    std::function<void(const Document&)> pdfBackup;
};

// The editor field a refusal puts the cursor into.
enum class StoreField
{
    None,
    ReceiptAmount,
    Message,
};

struct StoreOutcome
{
    bool stored = false;
    int rowId = 0;      // journal ID of the stored entry
    int number = 0;     // DOCNR
    QString refusal;    // the German message when refused (already shown via FrageJaNein)
    QString statusText; // text for the status line, e.g. the fax warning
    StoreField focus = StoreField::None; // where the cursor goes after a refusal
};

// F2: stores `document` as a new entry: today's date, the next number of its range, the
// type-specific values, its product rows or its text file, a log line. Runs the amount
// computation on the document first (so the stored amounts are never stale) and, for receipts
// and manual reminders, refers to the document loaded last (ReferToLoadedDocument). Updates
// document.id, number, date, time and the stored amounts.
StoreOutcome SaveNewDocument(Document& document, const StoreContext& context);

// F4 after the lock and the question (the caller asks "Wollen Sie wirklich dieses Dokument
// verändern?" and handles the lock): rewrites the loaded entry document.id; `loadedNumber` is
// the number shown for the loaded entry (0: document.number). An invoice number may not become
// another type; a document that is not an invoice becomes one with the next invoice number; every
// other number stays. The document keeps the date it shows. Afterwards `document` is the entry as
// read back from the journal.
StoreOutcome SaveChangedDocument(Document& document, int loadedNumber, const StoreContext& context);

// Reads entry `rowId` with its lines into a Document ready for the editor: a cancelled invoice
// as type 10, the reminder level from SKONTO, discount and cash discount with 2 decimals, lines
// with the unit-price decimals (VAT rate at most 2, quantity at most 4 decimals, reminders'
// dates as dates) and their totals computed, the message of SMS, e-mails, letters and receipts
// from their text file. No value when not found (in the period of the context).
std::optional<Document> LoadDocument(int rowId, const StoreContext& context);

// A new receipt or manual reminder refers to the document loaded last: the payment term
// becomes its date, the reference "Re.: " and its number, the cash discount minus the reminder
// level. Other types are left alone; without a loaded document (number 0) only the cash
// discount is set, so a typed reference is not overwritten by "Re.: 0".
void ReferToLoadedDocument(Document& document, int loadedDate, int loadedNumber);

// ---- Serial documents ----

// Storing a new document with `selectedAddresses` addresses selected: from two on, asks
// "Wollen Sie wirklich für alle %d selektierten Adressen dieses Dokument speichern?". True when
// one document per address is to be stored.
bool ConfirmSerialDocuments(int selectedAddresses);

// Fills the recipient block of `document` from selected address `index` as the editor takes
// an address; false when the address cannot be taken.
using TakeAddress = std::function<bool(Document& document, int index)>;

struct SerialOutcome
{
    QList<StoreOutcome> stored;   // one per stored document, in address order
    std::optional<Document> last; // the document stored last, for the editor to show
    QString refusal;              // why storing stopped early (already shown); empty if not
};

// Stores one new document per selected address: each a copy of `document` with the address
// taken in; an invoice without product rows first opens that customer's customer template and
// stops with "Die Vorlagendatei '%s' konnte nicht gefunden werden!" when it is missing. Stops
// at the first document not stored. After more than one: "Die Dokumente wurden generiert".
SerialOutcome SaveSerialDocuments(const Document& document, int addressCount,
                                  const TakeAddress& takeAddress, const StoreContext& context);

// ---- Templates ----

// Templates (.FV + short code) in their line format: CR LF line ends, Windows-1252, a line
// break inside a product cell written as backslash and "n". Replaces an existing file. False
// (after the message) for a name shorter than four characters, for types 3 and 10 (which keep
// no template) and when the file cannot be written.
bool SaveTemplate(const QString& path, const Document& document);

struct TemplateContent
{
    Document document;
    bool ok = false;
    QString failure; // the German message (already shown) when not ok
};

// Applies the template at `path` onto a copy of `current` as its type reads templates: product
// documents take conditions and rows (the totals are computed), letters, e-mails and receipts
// their subject (receipts: the amount) and message, SMS their message.
TemplateContent OpenTemplate(const QString& path, const Document& current,
                             const Configuration& config);

// ".FV" and the type's short code: ".FVR" for invoices, ".FVA" for offers.
QString TemplateExtension(DocumentType type);
// The file dialog's filter for a type's templates: "FVR Dateien (*.FVR)".
QString TemplateDialogFilter(DocumentType type);
// A customer's invoice template "VORLAGE%d.FVR"; the number as the editor shows it (with the
// configured offset already added).
QString CustomerTemplateName(int customerNumber, const Configuration& config);
// Vorlagen/ in the data folder (found whatever its case), ending in '/'.
QString TemplateFolder(const Configuration& config);
// Vorlagen/ below the PDF backup folder, ending in '/'; empty without a backup folder.
QString TemplateBackupFolder(const Configuration& config);
// The path of a customer's template in TemplateFolder.
QString CustomerTemplatePath(int customerNumber, const Configuration& config);
// Asks "Soll diese Vorlage '%s' wirklich gelöscht werden?" and deletes the file on Yes. True
// when it was deleted.
bool DeleteTemplate(const QString& path);

} // namespace fakvo
