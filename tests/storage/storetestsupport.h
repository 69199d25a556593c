#pragma once
// The sample address and product tables of a new data folder on one backend: the journal
// database made from the shipped schema and the shipped standard.cfg mapping them, pointed at
// that database (on PostgreSQL through the cluster's DSN).

#include "config/configuration.h"
#include "journaltestsupport.h"
#include "storage/database.h"

#include <QString>

#include <memory>
#include <ostream>

// Failure output shows texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace fakvo::test {

class SampleStores
{
public:
    explicit SampleStores(Backend backend);

    bool Ok() const { return m_ok; }
    const QString& Failure() const { return m_failure; }

    // The database layer over the current configuration; call again after changing it.
    Database& Rebuild();

    TestJournalDatabase db;
    Captured captured;
    Configuration config;
    std::unique_ptr<Database> database;

private:
    bool m_ok = false;
    QString m_failure;
};

} // namespace fakvo::test
