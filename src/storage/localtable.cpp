#include "localtable.h"

#include <QFile>
#include <QFileInfo>

namespace fakvo {
namespace {

TableStatus Failed(const QString& format, const QString& path)
{
    return {false, format.arg(QFileInfo(path).fileName())};
}

} // namespace

TableStatus CreateLocalTable(const QString& path, const QList<DbaseField>& fields, int blankRecords)
{
    DbaseTable table;
    bool ok = table.Create(path, fields);
    for (int i = 0; ok && i < blankRecords; ++i)
        ok = table.AppendBlank();
    ok = ok && table.Flush();
    table.Close();
    if (!ok) {
        // A half-made table of ours is removed so the next start creates it anew.
        if (table.LastError() != DbaseError::FileExists)
            QFile::remove(path);
        return Failed(QStringLiteral("Datei '%1' konnte nicht erstellt werden!"), path);
    }
    return {};
}

TableStatus OpenLocalTable(DbaseTable& table, const QString& path, const QStringList& fieldNames,
                           QList<int>& indices)
{
    indices.clear();
    if (table.Open(path)) {
        for (const QString& name : fieldNames)
            indices.append(table.FieldIndex(name));
        if (!indices.contains(-1) && table.RecordCount() >= 0)
            return {};
        table.Close();
    }
    indices.clear();
    return Failed(QStringLiteral("Datei '%1' konnte nicht geöffnet werden!"), path);
}

TableStatus WriteFailed(const QString& path)
{
    return Failed(QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!"), path);
}

} // namespace fakvo
