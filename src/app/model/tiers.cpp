#include "app/model/tiers.h"

#include "config/valueforms.h"

#include <algorithm>

namespace fakvo {

QStringList TierEntries(const QString& tiers)
{
    QStringList entries;
    for (const QString& entry : tiers.split(u';')) {
        const QString trimmed = entry.trimmed();
        if (!trimmed.isEmpty())
            entries << trimmed;
    }
    return entries;
}

QString JoinTiers(const QStringList& entries)
{
    QStringList kept;
    for (const QString& entry : entries) {
        const QString trimmed = entry.trimmed();
        if (!trimmed.isEmpty())
            kept << trimmed;
    }
    std::stable_sort(kept.begin(), kept.end(), [](const QString& a, const QString& b) {
        return ParseInteger(a) < ParseInteger(b);
    });
    if (kept.size() == 1)
        return kept.first() + u';';
    return kept.join(u';');
}

} // namespace fakvo
