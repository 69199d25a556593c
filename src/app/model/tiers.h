#pragma once
// Price tiers of a product line: entries "quantity=unit price" separated by ";". The amount
// computation uses a tier text only when it splits into more than one entry, so a single tier
// is written with a trailing ";".

#include <QString>
#include <QStringList>

namespace fakvo {

// The non-empty entries of a tier text, trimmed.
QStringList TierEntries(const QString& tiers);

// The entries joined in rising order of their threshold (equal thresholds keep their order);
// a single entry gets its trailing ";" so it applies.
QString JoinTiers(const QStringList& entries);

} // namespace fakvo
