#include "storetestsupport.h"

#include "config/configfile.h"
#include "storage/databasesettings.h"

namespace fakvo::test {

SampleStores::SampleStores(Backend backend) : db(backend)
{
    if (!db.Ok()) {
        m_failure = db.Failure();
        return;
    }
    if (!LoadConfiguration(config, QStringLiteral(FAKVO_STARTDAT "/standard.cfg"))) {
        m_failure = QStringLiteral("standard.cfg does not load");
        return;
    }
    config.dataFolder = db.Folder();
    if (backend == Backend::PostgreSql) {
        config.ODBCDSN = config.ODBCPRDSN = db.DataSource();
        config.ODBCUID = config.ODBCPRUID = db.User();
    }
    Rebuild();
    captured.Clear();
    m_ok = true;
}

Database& SampleStores::Rebuild()
{
    database = std::make_unique<Database>(DatabaseSettingsFrom(config, captured.SqlLog()));
    return *database;
}

} // namespace fakvo::test
