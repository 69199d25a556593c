#pragma once
// The texts of a workstation's application log table, read after the program has written them.

#include "storage/logtable.h"

#include <QStringList>

namespace fakvo::test {

inline QStringList LogTableTexts(const QString& dataFolder, const QString& stem)
{
    LogTable table(dataFolder + LogTableName(stem), stem, QString());
    QStringList texts;
    if (!table.Open().ok)
        return texts;
    for (int n = 1; n <= table.RecordCount(); ++n) {
        if (const auto record = table.ReadLogRecord(n))
            texts << record->text;
    }
    table.CloseLogTable();
    return texts;
}

} // namespace fakvo::test
