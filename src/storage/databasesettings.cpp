#include "storage/databasesettings.h"

namespace fakvo {
namespace {

TableSetSettings MakeTableSet(const QString& dataSource, const QString& user,
                              const QString& password, const QString& table, int top,
                              const QStringList& autoColumns)
{
    TableSetSettings set;
    set.dataSource = dataSource.trimmed();
    set.user = user;
    set.password = password;
    set.table = table.trimmed();
    set.topDialect = top != 0;
    for (const QString& column : autoColumns) {
        if (!column.isEmpty())
            set.autoColumns << column;
    }
    return set;
}

} // namespace

DatabaseSettings DatabaseSettingsFrom(const Configuration& c, SqlLogFunction sqlLog,
                                      ClockFunction clock)
{
    DatabaseSettings settings;
    settings.addresses =
        MakeTableSet(c.ODBCDSN, c.ODBCUID, c.ODBCPWD, c.ODBCTABLE, c.ODBCTOP, c.ODBCAUTO);
    settings.products = MakeTableSet(c.ODBCPRDSN, c.ODBCPRUID, c.ODBCPRPWD, c.ODBCPRTABLE,
                                     c.ODBCPRTOP, c.ODBCPRAUTO);
    settings.journalHeaders = MakeTableSet(c.ODBCPROTADRDSN, c.ODBCPROTADRUID, c.ODBCPROTADRPWD,
                                           c.ODBCPROTADRTABLE, c.ODBCPROTADRTOP, c.ODBCPROTADRAUTO);
    settings.journalLines = MakeTableSet(c.ODBCPROTPRDSN, c.ODBCPROTPRUID, c.ODBCPROTPRPWD,
                                         c.ODBCPROTPRTABLE, c.ODBCPROTPRTOP, c.ODBCPROTPRAUTO);
    settings.serverMode = c.serverMode;
    if (c.serverMode)
        settings.clientFolder = ClientFolder(c.dataFolder, c.clientNumber);
    settings.dataFolder = c.dataFolder;
    settings.sqlLog = std::move(sqlLog);
    settings.clock = std::move(clock);
    return settings;
}

JournalSettings JournalSettingsFrom(const Configuration& c, int keptPaymentMethod)
{
    JournalSettings settings;
    settings.startInvoiceNumber = c.STARTRECHNUNGSNUMMER;
    settings.startDocNumber = c.STARTDOCNUMMER;
    settings.defaultPaymentMethod = keptPaymentMethod;
    return settings;
}

} // namespace fakvo
