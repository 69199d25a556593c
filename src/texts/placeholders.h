#pragma once
// Text variables ("Textvariablen") in letters, e-mails, SMS and receipts: the table of the
// 26 variables with their values for a document or for an address row, and the replacement
// that fills a text from either source.

#include "app/model/document.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace fakvo {

struct Configuration;

// The values of one row of the user's address table, each already read through its column
// mapping (several columns joined by one blank, trimmed) as the address store reads them.
struct AddressValues
{
    long long id = 0;   // ODBCID, the row's record identifier
    QString attention;  // ODBCNAME3
    QString name;       // ODBCNAME1
    QString name2;      // ODBCNAME2
    QString street;     // ODBCSTRASSE
    QString town;       // ODBCORT
    QString postalCode; // ODBCPLZ
    QString country;    // ODBCLAND: a dialling code, "A"/"D"/"F" or a two-letter code
    QString title;      // ODBCTITEL
    QString firstName;  // ODBCVORNAME
    QString lastName;   // ODBCZUNAME
    QString phone;      // ODBCTELEFON
    QString mobile;     // ODBCHANDY
    QString email;      // ODBCEMAIL
    QString optional;   // ODBCOPTIONAL
    QString vatId;      // ODBCXUID
    std::array<QString, 5> freeFields;        // ODBCVAR1 … ODBCVAR5
    std::array<QString, 5> salutationColumns; // ODBCANREDE1 … ODBCANREDE5
    // The salutation computed for the row (ComputePersonalSalutation); "!!PERSANREDE".
    QString personalSalutation;

    bool operator==(const AddressValues&) const = default;
};

inline constexpr int kPlaceholderCount = 26;

// One variable of the table: its name and its value for the source, or no value when the
// source does not replace it (an address row has no document number, for example).
struct PlaceholderEntry
{
    QString name;
    std::optional<QString> value;

    bool operator==(const PlaceholderEntry&) const = default;
};

// The table in its replacement order: "!!NAME3", "!!NAME1", "!!NAME2", "!!STRASSE", "!!ORT",
// "!!PLZ", "!!LAND", "!!TITEL", "!!VORNAME", "!!ZUNAME", "!!TELEFON", "!!HANDY", "!!EMAIL",
// "!!OPTIONAL", "!!SELDATUM", "!!UID", "!!KUNDENNR", "!!DOKUNR", "!!PERSANREDE",
// "!!SELMONAT", "!!DOKUTYPE", then the five names of VARBEZ1 … VARBEZ5 (free fields 1 to 5).
std::array<PlaceholderEntry, kPlaceholderCount> PlaceholderTable(const Document& document,
                                                                 const Configuration& config);
std::array<PlaceholderEntry, kPlaceholderCount> PlaceholderTable(const AddressValues& row,
                                                                 const Configuration& config);

struct PlaceholderResult
{
    QString text;
    // The number of occurrences replaced for the last table variable found in the text; 0
    // when that variable is one the source does not replace, or none was found. The personal
    // salutation rules apply a rule only when this is at least 1.
    int lastCount = 0;
};

// Fills `text` from the source. First "!!WAEHRUNG!!" ("CHF" when WAEHRUNGIST is 1, else
// "EURO") and "!!QUITTUNGSBETRAG!!" (`receiptAmount`, see ReceiptAmountText; empty outside
// printing a receipt); then every table variable in table order, matched as plain text
// ("!!NAME10" is "!!NAME1" followed by 0). After each variable that replaced something,
// runs of blanks are reduced to one (6, 5, 4, 3, then 2 blanks), so an empty value leaves no
// double blank; a text without variables keeps its blanks. Variables the source does not
// replace stay in the text. A free-field name that is empty or blank is never replaced.
PlaceholderResult FillPlaceholders(const QString& text, const Document& document,
                                   const Configuration& config,
                                   const QString& receiptAmount = QString());
// The same from an address row; with no row read nothing is replaced at all.
PlaceholderResult FillPlaceholders(const QString& text, const std::optional<AddressValues>& row,
                                   const Configuration& config,
                                   const QString& receiptAmount = QString());

// The value of "!!QUITTUNGSBETRAG!!" while a receipt is printed: its final amount with two
// decimals in the configured amount style (50 gives "50.00", or "50,00" grouped).
QString ReceiptAmountText(double finalAmount, const Configuration& config);

// The country name of a country-list entry, the text before "(": by dialling code ("49"),
// by "A", "D" or "F" for Austria, Germany and France, or by the code after ")" ("DE").
// Empty when no entry matches.
QString CountryName(const QString& countryValue);
QString CountryName(int diallingCode);

} // namespace fakvo
