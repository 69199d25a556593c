#pragma once
// The fixed code tables of the journal: payment methods (BEZAHLTU), shipping methods
// (VERSAND) and the countries with their dialling codes (LAND).

#include <QString>
#include <QStringList>

namespace fakvo {

// Payment methods 0 "Geldinst. mit Zahlschein" to 11 "PayPal".
inline constexpr int kPaymentMethodCount = 12;
// The payment method of a document whose stored value is 77: the working settings' one.
inline constexpr int kPaymentFromWorkingSettings = 77;
// Letters store 7700 plus the payment method chosen in their conditions.
inline constexpr int kLetterPaymentOffset = 7700;
// Documents without amounts store a marker instead of a payment method.
inline constexpr int kSmsPaymentMarker = 2299;
inline constexpr int kEMailPaymentMarker = 1188;
// A new document's payment method when the working settings hold none.
inline constexpr int kDefaultPaymentMethod = 1;

// The payment name; empty for codes outside the table.
QString PaymentMethodName(int code);

// The entries of the conditions dialog's payment list, in code order (code 7 is spelled
// "PayBox" there).
QStringList PaymentMethodChoices();

// The payment method a stored BEZAHLTU value brings back into the conditions: a value above
// 7699 loses 7700, and 77 stands for `keptMethod`, the working settings' payment method.
int PaymentMethodFromStored(int stored, int keptMethod);

// Shipping methods 0 "Persönlich" to 8 "PostaroFE".
inline constexpr int kShippingMethodCount = 9;

// The shipping name as a journal row shows it: " OK" is appended when the document has been
// printed or sent, "+Ko" when a copy has been e-mailed. A code outside the table has the
// empty name; the suffixes are still appended.
QString ShippingMethodName(int code, bool printedOrSent, bool copySent);

// The entries of the conditions dialog's shipping list, in code order ("Postaro
// (Schwarz/Weiß)" for code 2 and so on).
QStringList ShippingMethodChoices();

// True for the shipping methods that hand the document to the letter-dispatch service
// (2 black and white, 6 colour, 7 registered, 8 colour and registered).
bool IsLetterServiceShipping(int code);

// The 50 entries of the country list, "Albanien(355)AL" … "Weltzone(9999)WE".
QStringList CountryList();

// The dialling code of a country-list entry: the number after its first "("; 0 when the
// entry starts with "#" or holds no "(" followed by a number.
int CountryCode(const QString& entry);

} // namespace fakvo
