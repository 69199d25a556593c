#pragma once
// The address store: the user's own address table, whose columns the configuration maps to
// the logical fields of an `AddressRecord` (ODBCID, ODBCKUNDENNUMMER, ODBCNAME1 …). The store
// runs the address search and its special forms (all addresses, the customer-number lookup),
// gives the rows of the selection list, splits an attention line, and saves the recipient
// block of the editor as a new address through the record writer.
//
// Every operation reads the table fresh and keeps nothing. A configured column that the table
// lacks is shown and logged, and the outcome then asks the caller to end the application.

#include "app/model/document.h"
#include "storage/columnmapping.h"
#include "storage/database.h"
#include "storage/recordeditor.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace fakvo {

struct Configuration;

// One row of the address table, in the order in which its fields are read.
struct AddressRecord
{
    QString id;             // ODBCID
    QString customerNumber; // ODBCKUNDENNUMMER, shown as "KuNr"
    QString attention;      // ODBCNAME3; a single M, A or W reads as "Herr", "Fam.", "Frau"
    QString name;           // ODBCNAME1
    QString name2;          // ODBCNAME2
    QString title;          // ODBCTITEL
    std::array<QString, 5> salutationColumns; // ODBCANREDE1 … 5, inputs of the salutation rules
    QString firstName;                        // ODBCVORNAME
    QString lastName;                         // ODBCZUNAME
    std::array<QString, 5> freeFields;        // ODBCVAR1 … 5
    QString selectionDate;                    // ODBCDATUM
    QString street;                           // ODBCSTRASSE
    QString postalCode;                       // ODBCPLZ
    QString town;                             // ODBCORT
    QString country;                          // ODBCLAND, a dialling code or a country text
    QString vatId;                            // ODBCXUID
    QString email;                            // ODBCEMAIL
    QString mobile;                           // ODBCHANDY
    QString optional;                         // ODBCOPTIONAL, goes into the reference
    QString info;                             // ODBCINFO, shown in the list only
    QString phone;                            // ODBCTELEFON
    QString fax;                              // ODBCFAX
    QString personalSalutation;               // computed; ANREDELEER when no rule applies

    bool operator==(const AddressRecord&) const = default;
};

// Computes the personal salutation of a row (the salutation rules of the text subsystem).
// Without one, every row gets ANREDELEER.
using SalutationFunction = std::function<QString(const AddressRecord&)>;

// The mapping keys of an AddressRecord's fields, in reading order; the id first.
QStringList AddressMappings(const Configuration& config);

// The attention line of a one-character gender code: "M"/"m" "Herr", "A"/"a" "Fam.", "W"/"w"
// "Frau"; any other value unchanged.
QString AttentionFromCode(const QString& value);

// One column of a selection list.
struct SelectionColumn
{
    QString title;
    int width = 100;
    bool rightAligned = false;
};

// The eleven columns "KuNr" (right-aligned) … "Info"; widths from ODBCAUSWAHLPOS in order, a
// missing entry 100.
QList<SelectionColumn> AddressListColumns(const QList<int>& widths);
// The texts of a record's list row, in the order of the columns.
QStringList AddressListRow(const AddressRecord& record);

// The parts of an attention line.
struct AttentionParts
{
    QString salutation; // "Herr", "Frau", "Fam.", "Abt." or "Herrn"
    QString title;      // the text in parentheses
    QString firstName;  // every word but the last, joined by one blank
    QString lastName;   // the last word

    bool operator==(const AttentionParts&) const = default;
};
// Splits "Herrn (Dipl.-Ing.) Hans Peter Muster"; a line without salutation word is read as
// "Frau " followed by the line.
AttentionParts SplitAttentionLine(const QString& line);

// The search statement: "SELECT * FROM <table> where <column>" and, for a pattern search on any
// column but the customer-number column, " LIKE '%<text>%'" (single quotes in the text
// doubled), otherwise "=" and the text as typed; " ORDER BY <sort>" when a sort column is set
// and the statement holds no ORDER BY yet. "!!" anywhere in the text makes the search exact
// and is removed. An empty column is "SUCHBEGRIFF".
QString AddressSearchStatement(const QString& table, const QString& column, const QString& text,
                               const QString& customerColumn, const QString& sortColumn);

struct AddressSearch
{
    QList<AddressRecord> records; // in result order
    QString statement;            // the statement run (or refused)
    TableOutcome outcome;

    // "%d Einträge gefunden", for the status line.
    QString StatusText() const;
};

// The columns and values of a new address made from the recipient block: the first columns of
// ODBCID (empty value), ODBCNAME3, (ODBCTITEL, ODBCVORNAME, ODBCZUNAME when ODBCNAME3 maps to
// more than one column), ODBCNAME1, ODBCNAME2, ODBCSTRASSE, ODBCPLZ, ODBCORT, ODBCLAND (the
// dialling code), ODBCXUID, ODBCEMAIL, ODBCHANDY, each where mapped.
struct NewRecord
{
    QStringList names;
    QStringList values;
};
NewRecord NewAddressRecord(const Configuration& config, const Recipient& recipient,
                           const QString& vatId);

struct SavedRecord
{
    long long id = 0; // the new row's id; 0 when nothing was saved
    TableOutcome outcome;
};

// Keeps references to the database layer and the configuration, which must outlive it; a
// reloaded configuration takes effect at the next operation.
class AddressStore
{
public:
    AddressStore(Database& database, const Configuration& config,
                 SalutationFunction salutation = {});

    // The address search. The caller shows "Suche wurde gestartet..." before and StatusText()
    // after; the store logs "Suche nach(SQL): " with the statement. A statement the database
    // rejects is reported and gives no rows; a text that would add a second statement is
    // refused and nothing runs.
    AddressSearch SearchAddresses(const QString& column, const QString& text);
    // Every address: the id column compared with "0 OR <id>=<id>".
    AddressSearch SearchAllAddresses();
    // The customer-number lookup: the customer-number column compared with "=" and the number
    // as given (without the ODBCKUNDENNRADDITION offset).
    AddressSearch LookupCustomer(const QString& number);
    AddressSearch LookupCustomer(long long number);

    // "Speichere Adresse in Datenbank": asks "Soll dieser Empfängertextblock wirklich
    // gespeichert werden?" and on Yes inserts the recipient block as a new address. The caller
    // then looks the returned id up as a customer number.
    SavedRecord SaveRecipientAsAddress(const Recipient& recipient, const QString& vatId);

    // The record editor on the address table.
    RecordEditor Editor() const;
    // The first column of ODBCKUNDENNUMMER.
    QString CustomerColumn() const;

private:
    AddressRecord ReadAddressRow(const ResultSet& row, const ResolvedMappings& mappings) const;

    Database& m_database;
    const Configuration& m_config;
    SalutationFunction m_salutation;
};

} // namespace fakvo
