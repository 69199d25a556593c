#pragma once
// The document in the editor or the journal: its recipient block, conditions and product
// lines. Field comments name the journal column that holds the field.

#include "app/model/documenttype.h"

#include <QList>
#include <QString>

#include <array>

namespace fakvo {

struct Recipient
{
    QString name;                      // NAME1, company or person
    QString name2;                     // NAME2, continuation of a long company name
    QString attention;                 // NAME3, contact person ("z. Hd.")
    QString street;                    // STRASSE
    QString postalCode;                // PLZ
    QString town;                      // ORT
    int country = 0;                   // LAND, dialling code; 0 for none
    int customerNumber = 0;            // KUNDENNR, 0 for a typed address
    QString phone;                     // TELEFON
    QString mobile;                    // HANDY
    QString fax;                       // FAX
    QString email;                     // EMAIL
    QString title;                     // TITEL
    QString firstName;                 // VORNAME
    QString lastName;                  // ZUNAME
    QString personalSalutation;        // PERSANREDE
    int selectionDate = 0;             // SELDATUM, yyyymmdd
    std::array<QString, 5> freeFields; // VAR1 … VAR5, up to 30 characters each

    // The one name a message uses: the first non-empty of name, name 2 and attention line.
    QString DisplayName() const;

    bool operator==(const Recipient&) const = default;
};

struct Conditions
{
    bool gross = false;     // NUM2: unit prices include VAT
    QString discount;       // RABATT, percent as typed
    QString cashDiscount;   // SKONTO, percent as typed
    int paymentMethod = 1;  // BEZAHLTU, PaymentMethod code
    int paymentTerm = 0;    // ZAHLUNGZ, days; the manual reminder: the invoice date
    QString customerVatId;  // UID
    QString reference;      // REFERENZ
    int validity = 0;       // GUELTIG, days (offers and cost estimates)
    int shippingMethod = 0; // VERSAND, ShippingMethod code
    QString clerk;          // BEARBEITER
    int linesPerRow = 1;    // NUM1, text lines per product row: 1, 2 or 3
    int reminderLevel = 0;  // the manual reminder's level 0, 1 or 2

    bool operator==(const Conditions&) const = default;
};

// The eight text columns of a product row.
enum class ProductColumn
{
    Marker = 0,
    Quantity = 1,      // number and optional unit ("2 Std."); reminders: the invoice date
    ProductNumber = 2, // KURZBEZ
    Text = 3,          // BEZEICH, may contain line breaks
    VatRate = 4,       // MWST, percent
    UnitPrice = 5,     // PREIS
    LineTotal = 6,     // computed, never typed
    PriceTiers = 7,    // STAFFEL, "quantity=price;" entries
};
inline constexpr int kProductColumnCount = 8;

// The stored form of a quantity text: MENGE and MEINHEIT.
struct Quantity
{
    double number = 0.0;
    QString unit; // up to kUnitMaxLength characters

    bool operator==(const Quantity&) const = default;
};
inline constexpr int kUnitMaxLength = 20;

// Splits a quantity text into its leading decimal number (a decimal comma reads as a point)
// and the word after it, up to the next blank ("2,5 Std." gives 2.5 and "Std."). A text
// longer than 59 characters keeps no unit. A text that does not start with a number keeps
// its first word as the unit, so nothing typed is silently dropped ("pauschal" gives 0 and
// "pauschal").
Quantity SplitQuantity(const QString& text);

struct ProductLine
{
    std::array<QString, kProductColumnCount> cells;
    // The quantity cell holds hours already converted from hours and minutes; set by the
    // computation, cleared when the user types a new quantity, so a value is converted once.
    bool hoursConverted = false;

    QString& operator[](ProductColumn column) { return cells[static_cast<size_t>(column)]; }
    const QString& operator[](ProductColumn column) const
    {
        return cells[static_cast<size_t>(column)];
    }

    bool operator==(const ProductLine&) const = default;
};

struct Document
{
    int id = 0;                                // ID; 0 for a document never stored
    DocumentType type = DocumentType::Invoice; // DOCTYPE
    int number = 0;                            // DOCNR
    int date = 0;                              // DOCDATUM, yyyymmdd; 0: today
    int time = 0;                              // DOCZEIT, hhmmss
    Recipient recipient;
    Conditions conditions;
    QList<ProductLine> lines;
    double finalAmount = 0.0;             // EBETRAG, before any cash discount
    double amountAfterCashDiscount = 0.0; // SEBETRAG, 0 without cash discount
    QString subject;                      // AMERKUNG, subject of e-mails and letters, or remark
    QString message;                      // the document text file (SMS, e-mail, letter, receipt)
    int profileNumber = 0;                // KONFIGNR, 0 for the first profile
    QString vatTotalText;                 // ZEICHEN1, invoices only
    int paidOn = 0;                       // BEZAM, yyyymmdd; 0 while unpaid
    bool cancelled = false;               // STORNO
    int reminderStage = 0;                // MAHNUNG, 0 to 3
    int lastReminderDate = 0;             // MAHNDAT, yyyymmdd
    int output = 0;                       // AUSGABE, 0 or the shipping method used + 1
    bool copySent = false;                // KOPIEVER
    QString savedAt;                      // ADR_TIMESTAMP, see FormatSaveStamp

    bool operator==(const Document&) const = default;
};

} // namespace fakvo
