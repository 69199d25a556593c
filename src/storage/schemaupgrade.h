#pragma once
// Upgrades of journal and product tables made for earlier versions: the application looks at
// a table's column names when it first reads it and adds the columns it writes today with
// ALTER TABLE, telling the user first. A column counts as present when one of the table's
// column names contains the tested name (ignoring case).

#include "storage/database.h"

#include <QString>

#include <functional>

namespace fakvo {

// Checks 1 (PERSANREDE: SELDATUM, TELEFON, PERSANREDE, TITEL, VORNAME, ZUNAME) and 2 (VAR1:
// KOPIEVER, VAR1..VAR5) on the journal's header table. `columns` receives the table's columns
// and, after each ALTER TABLE, failed or not, the added column with its type text. A table
// whose columns cannot be read is left alone and `columns` stays empty, so the check runs
// again next time.
void UpgradeHeaderTable(Database& database, ColumnList& columns);
// Check 3 (MEINHEIT) on the journal's line table, likewise.
void UpgradeLineTable(Database& database, ColumnList& columns);

// Writes one configuration key through the configuration's safe change (and reloads it).
using ConfigValueWriter = std::function<void(const QString& key, const QString& value)>;

// Check 4, once at the end of start-up: a product table without a STAFFEL column gets one,
// the journal's line table too (both statements on the product connection), and the
// configuration gets ODBCPRSTAFFEL=STAFFEL. Nothing happens when no product table is
// configured. True when the product table lacked the column.
bool UpgradeProductTable(Database& database, const ConfigValueWriter& writeConfigValue);

} // namespace fakvo
