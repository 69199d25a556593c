#pragma once
// The document journal: one header row per stored document (table "protadr" by default) and
// one row per product line ("protpr"). Numbers carry the year: invoices year * 100000 + running
// number, all other documents (year - 1200) * 100000 + running number.
//
// Several workstations may store into one journal at the same time. A document's number is the
// highest stored number plus one; the journal's unique index on DOCNR refuses a number another
// workstation stored a moment earlier, and the store then draws again. A new row's id is read
// back by its own number. Where header and lines share one database, a document's header and
// lines are stored in one transaction.

#include "storage/database.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace fakvo {

struct JournalSettings
{
    int startInvoiceNumber = 0;   // running part of a year's first invoice number
    int startDocNumber = 0;       // running part of a year's first other document number
    int defaultPaymentMethod = 0; // replaces the payment code 77
};

// One header row. As the save passes it: rowId 0 for a new entry, -1 for a new entry whose
// number is fixed in advance, above 0 for an existing row; number 0 when none is given; date
// below 1 for today; `amount` the amount due and `cashDiscount` the cash-discount amount (the
// store turns them into EBETRAG and SEBETRAG). As ReadEntry returns it: every column as stored,
// `amount` = EBETRAG, `cashDiscount` = SEBETRAG.
struct JournalEntry
{
    int rowId = 0;                      // ID
    int type = 0;                       // DOCTYPE
    long long number = 0;               // DOCNR
    int date = 0;                       // DOCDATUM, yyyymmdd
    QString name1, name2, name3;        // NAME1..NAME3
    QString street;                     // STRASSE
    int country = 0;                    // LAND, dialling code
    int profileIndex = 0;               // KONFIGNR
    QString postalCode;                 // PLZ
    QString town;                       // ORT
    QString vatId;                      // UID
    long long customerNumber = 0;       // KUNDENNR
    double discountPercent = 0;         // RABATT
    double cashDiscountPercent = 0;     // SKONTO
    int paymentMethod = 0;              // BEZAHLTU
    int paymentTerm = 0;                // ZAHLUNGZ
    double amount = 0;                  // see above
    double cashDiscount = 0;            // see above
    int paidOn = 0;                     // BEZAM, yyyymmdd
    QString remark;                     // AMERKUNG
    int shipping = 0;                   // VERSAND
    QString reference;                  // REFERENZ
    QString clerk;                      // BEARBEITER
    QString email, mobile, fax;         // EMAIL, HANDY, FAX
    int time = 0;                       // DOCZEIT, hhmmss
    int validity = 0;                   // GUELTIG
    QString phone;                      // TELEFON
    QString title, firstName, lastName; // TITEL, VORNAME, ZUNAME
    QString personalSalutation;         // PERSANREDE
    int selectionDate = 0;              // SELDATUM
    std::array<QString, 5> vars;        // VAR1..VAR5
    int linesPerRow = 0;                // NUM1
    int grossFlag = 0;                  // NUM2
    double vatTotal = 0;                // written as ZEICHEN1 for invoices

    // Read back only: the marks other operations set.
    QString vatTotalText;  // ZEICHEN1
    int delivered = 0;     // AUSGABE
    int cancelled = 0;     // STORNO
    int reminderLevel = 0; // MAHNUNG
    int reminderDate = 0;  // MAHNDAT
    int copySent = 0;      // KOPIEVER
};

// One product line as the editor hands it over: the seven texts of a row.
struct JournalLineTexts
{
    QString quantity; // number and unit, "2.5 Std."
    QString productNumber;
    QString description;
    QString vatRate;
    QString unitPrice;
    QString lineTotal;
    QString tiers;
};

// One line row as read back.
struct JournalLine
{
    int id = 0;
    int entryId = 0; // ADRID
    QString productNumber;
    QString description;
    double unitPrice = 0;
    double vatRate = 0;
    double quantity = 0;
    QString unit;
    QString tiers;
};

struct JournalRecord
{
    JournalEntry header;
    QList<JournalLine> lines;
};

// The overview's display period: from and to as yyyymmdd, on the document or the paid date.
struct DisplayPeriod
{
    int from = 0;
    int to = 0;
    bool byPaidDate = false;
};

// ---- Rules that need no database ----

// A year's first number: year * 100000 + STARTRECHNUNGSNUMMER for invoices (type 0),
// (year - 1200) * 100000 + STARTDOCNUMMER for every other type.
long long NumberRangeStart(int type, int year, const JournalSettings& settings);
// The number after `highest` (0: none stored); restarts at the range start in a new year.
long long NextNumberAfter(long long highest, int type, int year, const JournalSettings& settings);
// A number at or above (year - 10) * 100000 + STARTRECHNUNGSNUMMER is an invoice number.
bool IsInvoiceNumber(long long number, int year, int startInvoiceNumber);
// The message refusing to delete an invoice that is not the last one, or nothing.
std::optional<QString> InvoiceDeletionRefusal(int type, long long number,
                                              long long highestInvoiceNumber);
// The payment code as stored: codes above 7699 lose 7700 (not for letters, type 8), and 77
// becomes the default payment method.
int StoredPaymentMethod(int code, int type, int defaultPaymentMethod);
// "%02d.%02d.%04d %02d:%02d:%02d" of day, month, year, hour, minute, second.
QString JournalTimestamp(const QDateTime& time);

// A decimal number read from the start of a text, a comma counting as the decimal point; 0 when
// the text does not begin with one.
double ReadDecimal(const QString& text);

// The column values of one line: quantity and unit split from the quantity text, the
// description without line breaks when the document uses one text line per product row, unit
// price and VAT rate read as decimals.
struct LineValues
{
    double quantity = 0;
    QString unit;
    QString description;
    double unitPrice = 0;
    double vatRate = 0;
};
LineValues SplitLineTexts(const JournalLineTexts& line, int linesPerRow);

// ---- The journal on its database ----

struct StoreResult
{
    int rowId = 0;        // 0: nothing stored
    long long number = 0; // the DOCNR written; 0 when the stored number was kept
};

class Journal
{
public:
    Journal(Database& database, JournalSettings settings);

    // Stores a document whole: its header (inserted or updated as StoreHeader does) and,
    // replacing any lines an existing row had, its lines (with entry.linesPerRow 1 their
    // descriptions lose their line breaks). Header and lines go into one
    // transaction when both table sets reach the same database; then a failing line stores
    // nothing of the document. `rewrite` is the path that changes a loaded document: its
    // number changes only when a document that is not an invoice becomes an invoice.
    StoreResult StoreDocument(const JournalEntry& entry, const QList<JournalLineTexts>& lines,
                              bool rewrite = false);

    // The header alone. Returns the row id, 0 when nothing was stored.
    int StoreHeader(const JournalEntry& entry, bool rewrite = false);
    // The lines alone, on the line table's connection; a failing line is reported and the next
    // one still stored. False when any failed.
    bool StoreLines(int rowId, const QList<JournalLineTexts>& lines, int linesPerRow);

    // Deletes an entry (header and lines) or, with keepHeader, only its lines; both on the
    // header table's connection, in one transaction.
    bool DeleteDocument(int rowId, bool keepHeader);
    // The delete command: an invoice may only be deleted while it carries the highest invoice
    // number; otherwise "Nur die Rechnung mit der letzten Nummer kann gelöscht werden!" is shown
    // and nothing is deleted.
    bool DeleteDocumentChecked(int rowId, int type, long long number);

    // "UPDATE <table> SET <column>=<value> WHERE <keyColumn><comparison><keyValue>". Values are
    // given as they go into the statement: a number, or a text literal made by Quote. Column
    // names must be bare names; the comparison one of =, <, >, <=, >=, <> or
    // "= 0 OR <column> IS NULL OR <column> <op>". Anything else is refused (false, logged).
    bool SetHeaderColumn(const QString& keyColumn, const QString& keyValue, const QString& column,
                         const QString& value, const QString& comparison = QStringLiteral("="));
    // Sets MAHNUNG and MAHNDAT (and the timestamp) of the given rows.
    bool MarkReminders(const QList<int>& rowIds, int level, int date);

    // The highest stored number of the type's range (invoices: the highest of all; other
    // types: the highest below half of this year's first invoice number); 0 when none or on
    // error.
    long long HighestNumber(int type);
    long long NextNumber(int type);
    // The id of the row carrying `number`, 0 when there is none.
    int LastInsertedId(long long number);
    // The number drawn by the last store that drew one.
    long long LastAssignedNumber() const { return m_lastAssignedNumber; }

    // An entry by id, or by number when `number` is above 0, with its lines (at most 1001);
    // limited to the display period when one is given. Nothing when not found or on error.
    std::optional<JournalRecord> ReadEntry(int rowId, long long number,
                                           const std::optional<DisplayPeriod>& period = {});

    // The column lists of the two tables, read (and the tables upgraded) on first use.
    const ColumnList& HeaderColumns();
    const ColumnList& LineColumns();

    // How often a store draws a number again when another workstation took it first.
    static constexpr int kNumberAttempts = 50;

private:
    struct HeaderPlan;
    HeaderPlan PlanHeader(Connection& connection, const JournalEntry& entry, bool rewrite);
    QString HeaderStatement(const JournalEntry& entry, const HeaderPlan& plan) const;
    QString LineStatement(const QString& table, bool timestampColumn, int rowId,
                          const JournalLineTexts& line, int linesPerRow) const;
    StoreResult Store(const JournalEntry& entry, const QList<JournalLineTexts>* lines,
                      bool rewrite);
    bool InsertLines(Connection& connection, TableSet lineSet, int rowId,
                     const QList<JournalLineTexts>& lines, int linesPerRow, bool stopAtFailure);
    long long HighestNumberOn(Connection& connection, int type);
    int IdOfNumberOn(Connection& connection, long long number);
    int Year() const;

    Database& m_database;
    JournalSettings m_settings;
    ColumnList m_headerColumns;
    ColumnList m_lineColumns;
    long long m_lastAssignedNumber = 0;
    bool m_storing = false;
};

} // namespace fakvo
