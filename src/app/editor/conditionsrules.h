#pragma once
// The rules of the conditions: the summary line under the recipient block, what the
// conditions dialog opens with and takes back, and the conditions a type change adjusts.

#include "app/model/document.h"

#include <QString>

namespace fakvo {

// The conditions line ("Kond.: (Z:1); Rab.: 10.00%; ..."), built from the parts the type has;
// empty when `shown` (KONDITIONENANZ) is off and for SMS, e-mails and receipts.
QString ConditionsLine(const Conditions& conditions, DocumentType type, bool shown);

// The message of the conditions dialog for types without conditions; empty when it opens.
QString ConditionsRefusal(DocumentType type);

// The conditions as the dialog shows them: a payment value above 7699 loses 7700, 77 stands
// for `keptPaymentMethod` (the working settings' one), and a payment term above 730 becomes 0
// (not for the manual reminder, whose term field holds an invoice date).
Conditions ConditionsForDialog(Conditions conditions, DocumentType type, int keptPaymentMethod);

// The conditions the dialog gives back: commas become points in discount and cash discount.
Conditions ConditionsFromDialog(Conditions conditions);

// The conditions after a type change: unless the new type is the manual reminder, a negative
// discount becomes "0".
Conditions ConditionsForType(Conditions conditions, DocumentType type);

} // namespace fakvo
