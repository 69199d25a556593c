#pragma once
// What the workstation's local dBASE tables (working settings, application log) share: the
// result of creating, opening or writing one, with the German message the user is shown.

#include "platform/dbasetable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace fakvo {

struct TableStatus
{
    bool ok = true;
    QString message; // empty when ok
};

// Creates the table with `blankRecords` blank records and closes it. An existing file is
// never replaced. Fails with "Datei '%s' konnte nicht erstellt werden!".
TableStatus CreateLocalTable(const QString& path, const QList<DbaseField>& fields,
                             int blankRecords);

// Opens the table and finds the named fields, their indices in `indices`. Fails (and leaves
// the table closed) with "Datei '%s' konnte nicht geöffnet werden!".
TableStatus OpenLocalTable(DbaseTable& table, const QString& path, const QStringList& fieldNames,
                           QList<int>& indices);

// The failure of a write to an open table: "Fehler:Auf Datei '%s' kann nicht geschrieben werden!".
TableStatus WriteFailed(const QString& path);

} // namespace fakvo
