#pragma once
// The rules of the recipient block: the customer number typed into the attention line, the
// postal code of a taken address, and the contact data shown after taking one.

#include "app/model/document.h"

#include <QString>

#include <optional>

namespace fakvo {

// The text looked up as a customer number: a text of exactly 13 characters (a scanned EAN-13
// code) loses its last character, the check digit.
QString CustomerLookupText(const QString& typed);

// The customer number of a typed attention line (after the EAN cut): the whole trimmed text
// as a number above 0; none for any other text, which is a name, not a number.
std::optional<int> CustomerNumberFromText(const QString& typed);

// An address as the editor takes it into the recipient block.
struct TakenAddress
{
    Recipient recipient; // the customer number already carries ODBCKUNDENNRADDITION
    QString vatId;       // the document's customer VAT id
    QString reference;   // the row's optional field, taken into the document's reference

    bool operator==(const TakenAddress&) const = default;
};

struct PostalAddress
{
    QString postalCode;
    int country = 0; // dialling code, 0 for none

    bool operator==(const PostalAddress&) const = default;
};

// The postal code and country of a taken address. With a country: a country other than
// Germany (49) gets the code's number with at least four digits ("%04d": "1234 AB" gives
// 1234, "999" gives 0999), Germany a code shorter than five digits padded to five ("1067"
// gives 01067). A letter prefix with "-" ("A-1010", "D-1067") is not part of the number. A
// code that does not start with a digit after such a prefix (British "SW1A 1AA") and an
// empty code are kept as they are, so no code is turned into zeros. Without a country: the
// sender's own country (`ownCountry`, EIGENERLAENDERCODE); for Germany the code is padded to
// five digits as above.
PostalAddress NormalisePostalAddress(const QString& postalCode, int country, int ownCountry);

// Takes an address into a document as the recipient block does: the recipient (keeping the
// document's phone when the address has none longer than three characters), the postal code
// and country by the rules above, the VAT id and the reference.
void ApplyTakenAddress(Document& document, const TakenAddress& taken, int ownCountry);

// The status line after taking an address: "Telefon: ", "Handy: ", "E-Mail: " and "Fax: ",
// each with its value, each only when the value is longer than three characters, separated
// by three blanks.
QString ContactStatusText(const Recipient& recipient);

// The index of a dialling code in the country list; -1 when no entry has it (0 included).
int CountryListIndex(int diallingCode);

// The dialling code of an address table's country value: a number as it stands; "A", "D" and
// "F" for Austria, Germany and France; a two-letter code or a name of the country list
// ("DE", "Deutschland"). 0 for an empty or unknown value.
int CountryFromAddressText(const QString& value);

} // namespace fakvo
