#include "storage/addressexport.h"

#include "app/model/codes.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/prompt.h"
#include "support/log.h"

#include <QDir>
#include <QFileInfo>

namespace fakvo {

namespace {

QString CountryName(int code, int ownCountryCode)
{
    if (code == ownCountryCode)
        return QString();
    for (const QString& entry : CountryList())
        if (CountryCode(entry) == code)
            return entry.section(QLatin1Char('('), 0, 0);
    return QString();
}

ExportResult Refuse(const QString& message)
{
    Log(0, message);
    FrageJaNein(message);
    return {false, message};
}

} // namespace

QString AddressExportHeader()
{
    return QStringLiteral("NAME1;NAME2;NAME3;STRASSE;LAND;LNR;PLZ;ORT;OPTION;TELEFON;HANDY;EMAIL;"
                          "TITEL;VORNAME;ZUNAME;PERSANREDE;KUNDENNR;VAR1;VAR2;VAR3;VAR4;VAR5");
}

QString CsvField(const QString& value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString AddressExportText(const QList<ExportedAddress>& addresses, int ownCountryCode)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = AddressExportHeader() + lineEnd;
    for (const ExportedAddress& address : addresses) {
        const Recipient& r = address.recipient;
        QStringList fields{r.name,
                           r.name2,
                           r.attention,
                           r.street,
                           CountryName(r.country, ownCountryCode),
                           QString::number(r.country),
                           r.postalCode,
                           r.town,
                           address.reference,
                           r.phone,
                           r.mobile,
                           r.email,
                           r.title,
                           r.firstName,
                           r.lastName,
                           r.personalSalutation,
                           QString::number(r.customerNumber)};
        for (const QString& free : r.freeFields)
            fields << free;
        for (QString& field : fields)
            field = CsvField(field);
        text += fields.join(QLatin1Char(';')) + lineEnd;
    }
    return text;
}

QString ProposedExportFile(const QString& dataFolder)
{
    return QDir(FindFolderAnyCase(dataFolder, QStringLiteral("Sql")))
        .filePath(QStringLiteral("Adressen.csv"));
}

ExportResult ExportAddresses(const QString& path, const QList<ExportedAddress>& addresses,
                             int ownCountryCode)
{
    if (addresses.isEmpty())
        return Refuse(QStringLiteral("Es wurden keine Adressen selektiert!"));
    if (QFileInfo(path).fileName().size() < 4)
        return Refuse(QStringLiteral("Bitte geben Sie mehr als 3 Zeichen ein!"));
    if (!WriteFileAtomically(path, ToCp1252(AddressExportText(addresses, ownCountryCode))))
        return Refuse(QStringLiteral("Die Datei '%1' konnte nicht geschrieben werden!").arg(path));
    return {true, QStringLiteral("Die markierten Adressdaten wurden exportiert.")};
}

} // namespace fakvo
