#include "settingspages.h"

#include "config/password.h"
#include "config/valueforms.h"

namespace fakvo {
namespace {

SettingsField F(const char* key, const char* label, FieldKind kind = FieldKind::Text)
{
    SettingsField field;
    field.key = QString::fromLatin1(key);
    field.label = QString::fromUtf8(label);
    field.kind = kind;
    return field;
}

SettingsField WithChooser(SettingsField field, Chooser chooser, TableSet set = TableSet::Addresses)
{
    field.chooser = chooser;
    field.tableSet = set;
    return field;
}

SettingsField Flag(const char* key, const char* label)
{
    return F(key, label, FieldKind::Flag);
}
SettingsField Number(const char* key, const char* label)
{
    return F(key, label, FieldKind::Number);
}

SettingsField Choice(const char* key, const char* label, QStringList choices)
{
    SettingsField field = F(key, label, FieldKind::Choice);
    field.choices = std::move(choices);
    return field;
}

SettingsField Piece(const char* key, const char* label, int piece, const char* fixed = nullptr)
{
    SettingsField field = F(key, label, FieldKind::ListPiece);
    field.piece = piece;
    if (fixed != nullptr)
        field.fixedText = QString::fromLatin1(fixed);
    return field;
}

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

// The connection fields of one table set: data source, user, password, table, dialect, autos.
void AddConnectionFields(QList<SettingsField>& fields, const char* prefix, TableSet set)
{
    const QString p = QString::fromLatin1(prefix);
    auto key = [&](const char* suffix) { return (p + QLatin1StringView(suffix)).toLatin1(); };
    fields << WithChooser(F(key("DSN").constData(), "ODBC Datenquelle oder Datenbankdatei (!Pfad)"),
                          Chooser::DataSource, set)
           << F(key("UID").constData(), "User ID")
           << F(key("PWD").constData(), "Passwort", FieldKind::Password)
           << WithChooser(F(key("TABLE").constData(), "Tabelle"), Chooser::Tables, set)
           << Flag(key("TOP").constData(), "SQL Limit Kommando (z.B. für MS-Datenbanken)");
    fields << WithChooser(
        F(key("AUTO").constData(), "Auto-Felder"),
        set == TableSet::Products ? Chooser::ProductColumns : Chooser::AddressColumns, set);
}

QList<SettingsPage> BuildPages()
{
    QList<SettingsPage> pages;

    pages.append({QStringLiteral("Absender"),
                  {Number("EIGENERLAENDERCODE", "Eigener Ländercode (Vorwahl, z.B. 43)"),
                   Choice("WAEHRUNGIST", "Währung", Texts({"Euro", "Schweizer Franken (CHF)"})),
                   F("ABSTEXTZEILE", "Absenderzeile über der Empfängeradresse"),
                   WithChooser(F("LOGODATEI", "Logo-Datei (Briefkopf)"), Chooser::File),
                   F("LOGOFORMAT", "Logo Breite, Höhe (1/10 mm)"),
                   WithChooser(F("UNTERSCHRIFTDATEI", "Unterschrift-Datei"), Chooser::File),
                   F("UNTERSCHRIFTFORMAT", "Unterschrift Breite, Höhe (1/10 mm)"),
                   Flag("AUTOUPDATECHECK", "Beim Start nach neuer Version suchen"),
                   Flag("KONDITIONENANZ", "Konditionen im Hauptfenster anzeigen")}});

    pages.append(
        {QStringLiteral("Dokument"),
         {Number("STARTDOCNUMMER", "Start-Dokumentnummer ('8' ist fix; 03 = akt. Jahr; + LNR)"),
          F("UIDNR", "Eigene UID-Nummer", FieldKind::ItemText),
          F("STANDARDMWST", "Standard MWSt-Satz"),
          F("DOCBEARBEITER", "Bearbeiter (WindowsBenutzer = Anmeldename)"), F("FONT", "Schriftart"),
          F("PDFSICHERUNGSPFAD", "PDF-Sicherungsverzeichnis (STANDARD = PdfSich)"),
          F("STEUERNRBEZ", "Steuernummer Bezeichnung", FieldKind::ItemTextLeft),
          F("STEUERNRTEXT", "Steuernummer", FieldKind::ItemTextRight),
          Flag("KUNDENNUMMERAUFDOK", "Kundennummer drucken"),
          Flag("PRODUKTNUMMER", "Produktnummer drucken"),
          Flag("MWSTEDITIERBAR", "MWSt-Satz editierbar"),
          Flag("EINZELPREISE", "Einzelpreise drucken"),
          Flag("FIXEENDBETRAGSPOSITION", "Endbetrag an fixer Position"),
          Flag("GRAFIKBEARBEITER", "Bearbeitergrafik ausgeben"),
          Flag("FALTMARKE", "Faltmarken drucken"), Flag("OMRMARKE", "OMR-Marken drucken"),
          Number("FARBEFAELLIGAM", "Farbe des Fälligkeitsdatums"),
          Number("FARBEENDBETRAG", "Farbe des Endbetrags"),
          Choice("BARCODETYPE", "Barcode",
                 Texts({"kein Barcode", "Kundennummer (EAN-13)", "Dokumentnummer (EAN-13)"}))}});

    SettingsField slipForm = F("ERLAGSCHEINTYPE", "A3-Zahlscheinformular", FieldKind::CheckText);
    slipForm.choices = Texts({"A4", "A3"});
    pages.append(
        {QStringLiteral("Rechnung"),
         {Flag("HONORARNOTE", "Rechnung = Honorarnote"),
          Number("STARTRECHNUNGSNUMMER", "Start-Rechnungsnummer (laufende Nummer, max. 5 Stellen)"),
          F("RECHISTLIEFERSCHEIN", "Rechnung ist zugleich auch Lieferschein - Text",
            FieldKind::ItemText),
          slipForm, WithChooser(F("ENDEDATEI", "Endetext-Datei"), Chooser::File),
          WithChooser(F("SCHLUSSDATEI", "Schlusszeilen-Datei"), Chooser::File),
          F("ZAHLUNGTXT", "Zahlungstext"),
          F("NETTOTEXT", "Text nach den Zahlungstagen (z.B. netto)")}});

    pages.append(
        {QStringLiteral("Zahlschein"),
         {Flag("ERLAGKUNDENDATEN", "Kundennummer ins Kundendatenfeld des Zahlscheins"),
          Number("A4ERLAGSCHEINPOS", "A4 Höhenposition"),
          Number("A3ERLAGSCHEINPOS", "A3 Höhenposition"),
          Flag("ERLAG004AUFDRUCK", "004 Aufdrucken"),
          F("ERLAGBANKTXT", "Banktext (maximal 22 Zeichen pro Zeile)", FieldKind::TwoLines),
          F("ERLAGBLZ", "Bankleitzahl"), F("ERLAGKONTONR", "Kontonummer"),
          F("ERLAGEMPFTXT", "Empfängertext (maximal 22 Zeichen pro Zeile)", FieldKind::TwoLines)}});

    pages.append({QStringLiteral("Quittung"),
                  {F("QUITTUNGVORLAGE", "Quittungstext Vorlage", FieldKind::ReceiptTemplate)}});

    const char* days = "Tage nach dem Ablauf der gewährten Zahlungsfrist";
    const char* fee = "Mahngebühr (für autom. generierte Mahnungen)";
    pages.append(
        {QStringLiteral("Mahnung"),
         {Piece("MAHNUNG0TAGEUEBERZAHLZIEL", "", 0, "0"),
          Piece("MAHNUNG0TAGEUEBERZAHLZIEL", "", 1, "0.0"),
          WithChooser(Piece("MAHNUNG0TAGEUEBERZAHLZIEL", "ERINNERUNG: Erinnerungstext - Datei", 2),
                      Chooser::File),
          Piece("MAHNUNG1TAGEUEBERZAHLZIEL", (std::string("1. Mahnung: ") + days).c_str(), 0),
          Piece("MAHNUNG1TAGEUEBERZAHLZIEL", (std::string("1. Mahnung: ") + fee).c_str(), 1),
          WithChooser(Piece("MAHNUNG1TAGEUEBERZAHLZIEL", "1. Mahnung: Mahnungstext - Datei", 2),
                      Chooser::File),
          Piece("MAHNUNG2TAGEUEBERZAHLZIEL", (std::string("2. Mahnung: ") + days).c_str(), 0),
          Piece("MAHNUNG2TAGEUEBERZAHLZIEL", (std::string("2. Mahnung: ") + fee).c_str(), 1),
          WithChooser(Piece("MAHNUNG2TAGEUEBERZAHLZIEL", "2. Mahnung: Mahnungstext - Datei", 2),
                      Chooser::File),
          Piece(
              "MAHNUNG3TAGEUEBERZAHLZIEL",
              (std::string("3. Mahnstufe nur für Weiterleitung an Inkassonbüro: ") + days).c_str(),
              0),
          Piece("MAHNUNG3TAGEUEBERZAHLZIEL", "", 1, "0")}});

    pages.append(
        {QStringLiteral("E-Mail(Tapi/Fax)"),
         {F("SMTPSERVER", "SMTP-Server (Postausgang)"),
          Number("SMTPPORT", "SMTP-Port"),
          Choice("SMTPSICHERHEIT", "Verbindungssicherheit",
                 Texts({"keine", "STARTTLS", "SSL/TLS"})),
          F("SMTPBENUTZER", "SMTP-Benutzername"),
          F("SMTPPASSWORT", "SMTP-Passwort", FieldKind::Password),
          F("ABSENDEREMAIL", "Absender E-Mail-Adresse"),
          F("BCCEMAIL", "BCC E-Mail-Adresse"),
          F("PDFVERZEICHNIS", "PDF-Verzeichnis"),
          F("PDFDATEIPRAEFIX", "Präfix der PDF-Dateinamen"),
          F("EIGENETELEFONVORWAHL", "Eigene Telefonvorwahl"),
          WithChooser(F("EMAILTEXTRECH", "E-Mail-Text Rechnungen (Datei)"), Chooser::File),
          WithChooser(F("EMAILTEXTMAHN", "E-Mail-Text Mahnungen (Datei)"), Chooser::File),
          WithChooser(F("EMAILTEXTDOC", "E-Mail-Text andere Dokumente (Datei)"), Chooser::File),
          F("FAXSEQUENZ", "Fax-Steuersequenz"),
          F("POSTAROUSER", "Postaro Benutzer"),
          Flag("POSTAROVERSCHL", "Dateien an Postaro verschlüsseln"),
          Number(
              "KOPIEREDOKUMENTE",
              "Kopien versenden (1 Rechnungen, 2 Mahnungen, 4 andere, 8 Mahnungen mit Rechnung)"),
          F("KOPIEEMAIL", "Kopien an E-Mail-Adresse"),
          F("KOPIEPASSWORT", "Passwort der Kopien", FieldKind::Password),
          Number("MAHNSTUFE", "Mahnungen kopieren ab Mahnstufe"),
          Choice("MAPIINTERFACE", "E-Mail versenden über",
                 Texts({"eingebauten SMTP-Versand", "E-Mail-Programm des Systems",
                        "mailto:-Verweis"}))}});

    SettingsField smsService = F("SMSSERVICE", "SMS Serviceanbieter", FieldKind::Radio);
    smsService.choices = Texts({"keiner", "Postaro", "SMS-Gateway (Clickatell)"});
    smsService.hiddenChoices = {1};
    auto smsField = [](SettingsField field, QList<int> shownWith) {
        field.visibleWithKey = QStringLiteral("SMSSERVICE");
        field.visibleWithValues = std::move(shownWith);
        return field;
    };
    pages.append({QStringLiteral("SMS"),
                  {smsService, smsField(F("SMSABSENDER", "Absendernummer"), {1, 2}),
                   smsField(F("SMSABSENDEREMAIL", "Absender-E-Mail"), {2}),
                   smsField(F("SMSZIELEMAIL", "Onl-Service-E-Mail"), {2}),
                   smsField(F("SMSAPIID", "API - ID"), {2}), smsField(F("SMSUSER", "User"), {2}),
                   smsField(F("SMSPASSWORD", "Password", FieldKind::Password), {2})}});

    QList<SettingsField> addresses;
    AddConnectionFields(addresses, "ODBC", TableSet::Addresses);
    addresses << Number("ODBCKUNDENNRADDITION", "Kundennummer = ID + (Konstante)")
              << WithChooser(F("ODBCSORT", "Sortierfeld"), Chooser::AddressColumns)
              << WithChooser(F("ODBCID", "ID-Feld"), Chooser::AddressColumns);
    const std::pair<const char*, const char*> addressColumns[] = {
        {"ODBCKUNDENNUMMER", "Kundennummer"},
        {"ODBCNAME1", "Name"},
        {"ODBCNAME2", "Name 2"},
        {"ODBCNAME3", "z. Hd."},
        {"ODBCSTRASSE", "Straße"},
        {"ODBCPLZ", "PLZ"},
        {"ODBCORT", "Ort"},
        {"ODBCLAND", "Land"},
        {"ODBCTITEL", "Titel"},
        {"ODBCVORNAME", "Vorname"},
        {"ODBCZUNAME", "Zuname"},
        {"ODBCXUID", "UID-Nummer"},
        {"ODBCTELEFON", "Telefon"},
        {"ODBCFAX", "Fax"},
        {"ODBCEMAIL", "E-Mail"},
        {"ODBCHANDY", "Handy (SMS)"},
        {"ODBCOPTIONAL", "Optional"},
        {"ODBCINFO", "Info"},
        {"ODBCDATUM", "Datum"}};
    for (const auto& [key, label] : addressColumns)
        addresses << WithChooser(F(key, label), Chooser::AddressColumns);
    for (int i = 1; i <= 5; ++i) {
        addresses << F(QStringLiteral("VARBEZ%1").arg(i).toLatin1().constData(),
                       QStringLiteral("Variable %1 Bezeichnung").arg(i).toUtf8().constData())
                  << WithChooser(F(QStringLiteral("ODBCVAR%1").arg(i).toLatin1().constData(),
                                   QStringLiteral("Variable %1 Feld").arg(i).toUtf8().constData()),
                                 Chooser::AddressColumns);
    }
    addresses << Flag("STRASSENZUSATZZEILE", "Leerzeile nach der Straße")
              << Flag("FAKVOSQLLOGFILE", "SQL-Anweisungen protokollieren (SQL Logfile)")
              << Choice("ANREDEPOSITION", "Adressformatierung",
                        Texts({"Adressformatierung (A)", "Adressformatierung (B)"}));
    pages.append({QStringLiteral("Adressen"), addresses});

    QList<SettingsField> products;
    AddConnectionFields(products, "ODBCPR", TableSet::Products);
    const std::pair<const char*, const char*> productColumns[] = {{"ODBCPRID", "ID-Feld"},
                                                                  {"ODBCPRKURZBEZ", "ProduktNr."},
                                                                  {"ODBCPRBEZ", "Bezeichnung"},
                                                                  {"ODBCPRSTUECK", "Stück"},
                                                                  {"ODBCPRMWST", "MWSt"},
                                                                  {"ODBCPRPREIS", "Preis"},
                                                                  {"ODBCPRSTAFFEL", "Preisstaffel"},
                                                                  {"ODBCPRSORT", "Sortierfeld"}};
    for (const auto& [key, label] : productColumns)
        products << WithChooser(F(key, label), Chooser::ProductColumns, TableSet::Products);
    products << Flag("ODBCPRINKLMWST", "Dieser Preis beinhaltet die MwSt")
             << Flag("PRODUKTNREINDEUTIG", "Eindeutige Produktnummernsuche");
    pages.append({QStringLiteral("Produkte"), products});

    QList<SettingsField> journal;
    AddConnectionFields(journal, "ODBCPROTADR", TableSet::JournalHeaders);
    AddConnectionFields(journal, "ODBCPROTPR", TableSet::JournalLines);
    pages.append({QStringLiteral("Dok. Übersicht"), journal});
    return pages;
}

QString Join(const QStringList& pieces)
{
    return pieces.join(u',');
}

// The first `count` pieces of a list value, padded with empty pieces.
QStringList LeadingPieces(const QString& value, int count)
{
    QStringList pieces = ParseList(value).mid(0, count);
    while (pieces.size() < count)
        pieces << QString();
    return pieces;
}

} // namespace

const QList<SettingsPage>& SettingsPages()
{
    static const QList<SettingsPage> pages = BuildPages();
    return pages;
}

QString FieldDisplayValue(const SettingsField& field, const QString& fileValue)
{
    switch (field.kind) {
    case FieldKind::Password:
        return PasswordFromFileValue(fileValue);
    case FieldKind::ItemText:
    case FieldKind::ItemTextLeft:
    case FieldKind::ItemTextRight:
        return ParseList(fileValue).value(3);
    case FieldKind::TwoLines:
        return QString(fileValue).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    case FieldKind::ReceiptTemplate:
        return QString(fileValue)
            .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(u'\u00BF', u'=');
    case FieldKind::ListPiece:
        return ParseList(fileValue).value(field.piece);
    case FieldKind::CheckText:
        return fileValue.trimmed() == field.choices.value(1) ? QStringLiteral("1")
                                                             : QStringLiteral("0");
    case FieldKind::Text:
    case FieldKind::Number:
    case FieldKind::Flag:
    case FieldKind::Choice:
    case FieldKind::Radio:
        break;
    }
    return fileValue;
}

QString FieldFileValue(const SettingsField& field, const QString& entered,
                       const QString& currentFileValue)
{
    switch (field.kind) {
    case FieldKind::Text:
        return entered;
    case FieldKind::Number:
    case FieldKind::Choice:
    case FieldKind::Radio:
        return QString::number(ParseInteger(entered));
    case FieldKind::Flag:
        return ParseInteger(entered) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Password:
        return PasswordToFileValue(entered);
    case FieldKind::ItemText: {
        QStringList pieces = LeadingPieces(currentFileValue, 3);
        return Join(pieces << entered);
    }
    case FieldKind::ItemTextLeft:
    case FieldKind::ItemTextRight: {
        const QStringList position = ParseList(currentFileValue);
        return QStringLiteral("%1,%2,%3,%4")
            .arg(ParseInteger(position.value(0)))
            .arg(ParseInteger(position.value(1)))
            .arg(field.kind == FieldKind::ItemTextLeft ? QStringLiteral("left")
                                                       : QStringLiteral("right"),
                 entered);
    }
    case FieldKind::TwoLines: {
        const QStringList lines = entered.split(u'\n');
        return lines.value(0) + QStringLiteral("\\n") + lines.value(1);
    }
    case FieldKind::ReceiptTemplate: {
        QString result;
        for (const QString& line : entered.split(u'\n'))
            result += line.trimmed() + QStringLiteral("\\n");
        return result.replace(u'=', u'\u00BF');
    }
    case FieldKind::ListPiece: {
        QStringList pieces = ParseList(currentFileValue);
        while (pieces.size() <= field.piece)
            pieces << QString();
        pieces[field.piece] = field.fixedText.isEmpty() ? entered : field.fixedText;
        return Join(pieces);
    }
    case FieldKind::CheckText:
        return ParseInteger(entered) != 0 ? field.choices.value(1) : field.choices.value(0);
    }
    return entered;
}

} // namespace fakvo
