#pragma once
// "Markierte Adressen als CSV-Datei Speichern...": the addresses marked in the selection list,
// each as the recipient block shows it once taken, written to a CSV file with ";" in the
// Windows code page. The file is written whole under a temporary name and renamed, so an
// existing export is never left half overwritten.

#include "app/model/document.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace fakvo {

// One marked address after it was taken into the recipient block: the block and the
// reference the address brought (ODBCOPTIONAL).
struct ExportedAddress
{
    Recipient recipient;
    QString reference;
};

// "NAME1;NAME2;NAME3;STRASSE;LAND;LNR;PLZ;ORT;OPTION;TELEFON;HANDY;EMAIL;TITEL;VORNAME;ZUNAME;
// PERSANREDE;KUNDENNR;VAR1;VAR2;VAR3;VAR4;VAR5"
QString AddressExportHeader();

// A value as a CSV field: as it is, unless it holds a ';', a double quote or a line break;
// then in double quotes with its double quotes doubled, so no value shifts the columns after
// it.
QString CsvField(const QString& value);

// The file's text: the header and one line of 22 fields per address, each line ended by CR LF.
// The country column holds the country's name from the country list (empty for the own
// country `ownCountryCode` and for none), LNR its dialling code.
QString AddressExportText(const QList<ExportedAddress>& addresses, int ownCountryCode);

// The proposed file: "Adressen.csv" in the saved-queries folder (Sql) of the data folder.
QString ProposedExportFile(const QString& dataFolder);

struct ExportResult
{
    bool written = false;
    QString message; // the refusal or failure shown; on success the status-line text
};

// Writes the export to `path` in Windows-1252. Refuses, with its message shown, an empty
// selection ("Es wurden keine Adressen selektiert!") and a file name of fewer than 4
// characters ("Bitte geben Sie mehr als 3 Zeichen ein!"). On success the message is
// "Die markierten Adressdaten wurden exportiert." for the status line.
ExportResult ExportAddresses(const QString& path, const QList<ExportedAddress>& addresses,
                             int ownCountryCode);

} // namespace fakvo
