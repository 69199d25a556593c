#pragma once
// The database and journal settings of the loaded configuration: the four table sets
// (addresses, products, journal headers, journal lines) and the numbering starts.

#include "config/configuration.h"
#include "storage/database.h"
#include "storage/journal.h"

namespace fakvo {

DatabaseSettings DatabaseSettingsFrom(const Configuration& config, SqlLogFunction sqlLog = {},
                                      ClockFunction clock = {});

// `keptPaymentMethod`: the payment method of the working settings, which stored code 77 means.
JournalSettings JournalSettingsFrom(const Configuration& config, int keptPaymentMethod);

} // namespace fakvo
