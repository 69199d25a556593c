#pragma once
// Test helpers that let Debian's Python read and write dBASE files, so our tables are checked
// against a reader that is not ours. Debian's packages live with /usr/bin/python3 only.

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace fakvo::test {

// Runs a Python script with arguments; returns its standard output, or fails the test.
inline QByteArray RunPython(const QString& script, const QStringList& args = {})
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral("-c"), script} + args);
    if (!python.waitForFinished(60000)) {
        python.kill();
        python.waitForFinished();
        ADD_FAILURE() << "python did not finish";
        return {};
    }
    if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        ADD_FAILURE() << "python failed: " << python.readAllStandardError().toStdString();
        return {};
    }
    return python.readAllStandardOutput();
}

// Reads a table with dbfread: {"version", "count", "date": [y, m, d], "fields": [[name, type,
// length, decimals]...], "records": [{field: value}...] (live records), "deleted": n}.
inline QJsonObject ReadWithDbfread(const QString& path)
{
    static const QString script = QStringLiteral(R"(
import json, sys, dbfread
t = dbfread.DBF(sys.argv[1], encoding='cp1252', char_decode_errors='strict', load=True)
print(json.dumps({
    'version': t.header.dbversion,
    'count': t.header.numrecords,
    'date': [t.date.year, t.date.month, t.date.day] if t.date else None,
    'fields': [[f.name, f.type, f.length, f.decimal_count] for f in t.fields],
    'records': [dict(r) for r in t.records],
    'deleted': len(t.deleted),
}, default=str))
)");
    return QJsonDocument::fromJson(RunPython(script, {path})).object();
}

} // namespace fakvo::test
