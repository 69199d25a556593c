#include "worksettings.h"

#include "support/logfiles.h"

#include <QFile>
#include <QFileInfo>

namespace fakvo {
namespace {

const QString kValueField = QStringLiteral("WERT");

QList<DbaseField> SettingsFields()
{
    return {{kValueField, DbaseType::Character, kWorkSettingLength, 0}};
}

} // namespace

QString SettingsTableName(const QString& stem, int profileNumber)
{
    return SafeFileNamePart(stem) + QString::number(profileNumber);
}

QString WorkSettingReadBack(int n, const QString& stored, int productLines)
{
    const QString value = stored.trimmed();
    const long long number = DbaseTable::NumberFromText(value);
    switch (n) {
    case WorkSetting::SearchColumn:
        return value.isEmpty() ? QStringLiteral("SUCHBEGRIFF") : value;
    case WorkSetting::PeriodFrom:
        return number == 0 ? QStringLiteral("20000101") : value;
    case WorkSetting::PeriodTo:
        return number == 0 ? QStringLiteral("20400101") : value;
    case WorkSetting::PrintSet:
        return value.isEmpty() ? QStringLiteral("AUTODRUCK:1") : value;
    case WorkSetting::HelpTips:
        return value.isEmpty() ? QStringLiteral("1") : value;
    case WorkSetting::ProductLines:
        return number == 0 ? QString::number(productLines) : value;
    default:
        return value;
    }
}

WorkSettings::WorkSettings(QString path, int productLines)
    : path_(std::move(path)), productLines_(productLines)
{
    for (int n = 1; n <= kWorkSettingCount; ++n)
        values_[n] = WorkSettingReadBack(n, QString(), productLines_);
}

TableStatus WorkSettings::Load()
{
    if (!QFile::exists(path_)) {
        TableStatus created = CreateLocalTable(path_, SettingsFields(), kWorkSettingsRecords);
        if (!created.ok)
            return created;
        AppendTextLog(QFileInfo(path_).fileName());
    }
    DbaseTable table;
    QList<int> fields;
    TableStatus opened = OpenLocalTable(table, path_, {kValueField}, fields);
    if (!opened.ok)
        return opened;
    // A record the table lacks reads as blank.
    for (int n = 1; n <= kWorkSettingCount; ++n) {
        const QString stored = table.Go(n) ? table.FieldText(fields.at(0)) : QString();
        stored_[n] = !stored.trimmed().isEmpty();
        values_[n] = WorkSettingReadBack(n, stored, productLines_);
    }
    table.Close();
    return {};
}

QString WorkSettings::Text(int n) const
{
    return n >= 1 && n <= kWorkSettingCount ? values_[n] : QString();
}

bool WorkSettings::IsStored(int n) const
{
    return n >= 1 && n <= kWorkSettingCount && stored_[n];
}

long long WorkSettings::ReadSetting(int n) const
{
    return DbaseTable::NumberFromText(Text(n));
}

TableStatus WorkSettings::WriteSetting(int n, const QString& text)
{
    if (n < 1 || n > kWorkSettingsRecords)
        return WriteFailed(path_);
    DbaseTable table;
    QList<int> fields;
    TableStatus opened = OpenLocalTable(table, path_, {kValueField}, fields);
    if (!opened.ok)
        return opened;
    // A table shorter than its 200 records (made by another tool, or cut) is filled up with
    // blank records, so the value is not lost.
    bool ok = true;
    for (int count = table.RecordCount(); ok && count < n; ++count)
        ok = table.AppendBlank();
    ok = ok && table.Go(n) && table.AssignText(fields.at(0), text) && table.Flush();
    if (ok && n <= kWorkSettingCount) {
        stored_[n] = !text.trimmed().isEmpty();
        values_[n] = WorkSettingReadBack(n, table.FieldText(fields.at(0)), productLines_);
    }
    table.Close();
    return ok ? TableStatus{} : WriteFailed(path_);
}

TableStatus WorkSettings::WriteSettingNumber(int n, long long value)
{
    return WriteSetting(n, QString::number(value));
}

} // namespace fakvo
