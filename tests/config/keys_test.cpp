// The key table: every key with its default and one loaded value, and the values that are
// transformed while a file is loaded.

#include "config/configfile.h"
#include "config/password.h"
#include "support/log.h"

#include "common/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

using namespace fakvo;
using namespace Qt::Literals::StringLiterals;
using fakvo::test::WriteBytes;

namespace {

// Every key with its default as the file writes it, and for the keys whose form gives no
// mechanical sample (or whose load rule changes it) a sample value and what it loads as.
// "<data>" stands for the data folder.
struct KeyRow
{
    const char* key;
    const char* defaultText;
    const char* sample = nullptr;
    const char* loaded = nullptr;
};

const KeyRow kKeyRows[] = {
    // Company, currency, numbering and document defaults
    {"EIGENERLAENDERCODE", "43", "0", "43"},
    {"WAEHRUNGIST", "0"},
    {"WAEHRUNGSFORMAT", "1"},
    {"EINZELPREISNACHKOMMASTELLEN", "2"},
    {"STANDARDMWST", ""},
    {"MWSTEDITIERBAR", "1"},
    {"KONDITIONENANZ", "1"},
    {"PRODUKTZEILEN", "3"},
    {"STARTRECHNUNGSNUMMER", "0", "123456", "23456"},
    {"STARTDOCNUMMER", "0"},
    {"HONORARNOTE", "0"},
    {"DOCBEARBEITER", ""},
    {"DATUMFORMAT", "0"},
    {"STUNDENMINUTENUMWANDLUNGTXT", "h:m"},
    {"MAXDOKUSANZEIGEN", "20000"},
    {"ALTERNATIVSTATUSFARBEN", "0"},
    {"BEEPON", "0"},
    {"AUTOUPDATECHECK", "0"},
    {"UPDATEURL", "", "https://neu.faktavo.at/x/", "https://neu.faktavo.at/x/"},
    {"VARBEZ1", "!!VAR1"},
    {"VARBEZ2", "!!VAR2"},
    {"VARBEZ3", "!!VAR3"},
    {"VARBEZ4", "!!VAR4"},
    {"VARBEZ5", "!!VAR5"},
    // Address database
    {"ODBCDSN", ""},
    {"ODBCUID", ""},
    {"ODBCPWD", ""},
    {"ODBCTABLE", ""},
    {"ODBCTOP", "0"},
    {"ODBCID", ""},
    {"ODBCKUNDENNUMMER", ""},
    {"ODBCKUNDENNRADDITION", "0", "100, 2000", "2000"},
    {"ODBCAUTO", ""},
    {"ODBCSORT", ""},
    {"ODBCAUSWAHLPOS", ""},
    {"STRASSENZUSATZZEILE", "0"},
    {"ANREDEPOSITION", "0"},
    {"FAKVOSQLLOGFILE", "0"},
    {"ODBCNAME1", ""},
    {"ODBCNAME2", ""},
    {"ODBCNAME3", ""},
    {"ODBCSTRASSE", ""},
    {"ODBCPLZ", ""},
    {"ODBCORT", ""},
    {"ODBCLAND", ""},
    {"ODBCTITEL", ""},
    {"ODBCVORNAME", ""},
    {"ODBCZUNAME", ""},
    {"ODBCANREDE1", ""},
    {"ODBCANREDE2", ""},
    {"ODBCANREDE3", ""},
    {"ODBCANREDE4", ""},
    {"ODBCANREDE5", ""},
    {"ODBCXUID", ""},
    {"ODBCTELEFON", ""},
    {"ODBCFAX", ""},
    {"ODBCEMAIL", ""},
    {"ODBCHANDY", ""},
    {"ODBCOPTIONAL", ""},
    {"ODBCINFO", ""},
    {"ODBCDATUM", ""},
    {"ODBCVAR1", ""},
    {"ODBCVAR2", ""},
    {"ODBCVAR3", ""},
    {"ODBCVAR4", ""},
    {"ODBCVAR5", ""},
    // Product database
    {"ODBCPRDSN", ""},
    {"ODBCPRUID", ""},
    {"ODBCPRPWD", ""},
    {"ODBCPRTABLE", ""},
    {"ODBCPRTOP", "0"},
    {"ODBCPRID", ""},
    {"ODBCPRKURZBEZ", ""},
    {"ODBCPRBEZ", ""},
    {"ODBCPRSTUECK", ""},
    {"ODBCPRMWST", ""},
    {"ODBCPRPREIS", ""},
    {"ODBCPRSTAFFEL", ""},
    {"ODBCPRSORT", ""},
    {"ODBCPRAUTO", ""},
    {"ODBCPRAUSWAHLPOS", ""},
    {"ODBCPRINKLMWST", "0"},
    {"ODBCPRKORRPREIS", "0"},
    {"PRODUKTNREINDEUTIG", "0"},
    // Document journal (LIMIT dialect by default here)
    {"ODBCPROTADRDSN", "!Fakvo.db"},
    {"ODBCPROTADRUID", ""},
    {"ODBCPROTADRPWD", ""},
    {"ODBCPROTADRTABLE", "protadr"},
    {"ODBCPROTADRTOP", "0"},
    {"ODBCPROTADRAUTO", "ID"},
    {"ODBCPROTADRAUSWAHLPOS", "", "50, 60", "50,60,0"},
    {"ODBCPROTPRDSN", "!Fakvo.db"},
    {"ODBCPROTPRUID", ""},
    {"ODBCPROTPRPWD", ""},
    {"ODBCPROTPRTABLE", "protpr"},
    {"ODBCPROTPRTOP", "0"},
    {"ODBCPROTPRAUTO", "ID"},
    // Page layout
    {"FONT", "Arial", "Helvetica Neue", "Arial"},
    {"STANDARDFONTGROESSE", "11"},
    {"A4RECHNUNGSFORMAT", "150,50,1750,2450,0,", "200,100,1700,2400,0,Arial,11",
     "200,100,1700,2400,0,Arial"},
    {"A3RECHNUNGSFORMAT", "150,50,1750,2450,0,"},
    {"ADRETTIKETTFORMAT", "100,100,1030,730,0"},
    {"ABSTEXTZEILE", ""},
    {"ABSENDERUNTERSTRICHEN", "0"},
    {"FENSTERLEFTKORR", "0"},
    {"LOGODATEI", ""},
    {"LOGOFORMAT", "1750,353"},
    {"LOGOLEFTKORR", "410"},
    {"LOGOAUFDRUCKER", "1"},
    {"SEITENUEBER1LOGOUNTERDRUECKEN", "0"},
    {"ENDETEXTMITLOGO", "0"},
    {"UNTERSCHRIFTDATEI", ""},
    {"UNTERSCHRIFTFORMAT", "0,0"},
    {"GRAFIKBEARBEITER", "0"},
    {"GRAFIKPOSBEARBEITER", "810,410,220,280"},
    {"MARKEBMP", "Marke.bmp"},
    {"FALTMARKE", "0"},
    {"OMRMARKE", "0"},
    {"SEITENNUMMERN", "1"},
    {"SEITENNUMMERNRECHTS", "1"},
    {"TITEL", "1240,900,center,26,Rechnung"},
    {"DATUM", "1240,800,right"},
    {"DOCDATUMTXT", "1050,740,left,"},
    {"RECHNRTXT", "0,950,left,"},
    {"RECHNRNR", "300,950,left,"},
    {"KUNDENNRTXT", "1050,500,left,"},
    {"KUNDENNRNR", "1340,500,left,"},
    {"UIDTXT", "1050,400,left,"},
    {"UIDNR", "1340,400,left,"},
    {"UIDKUTXT", "1050,450,left,Kunden UID:"},
    {"UIDKUNR", "1340,450,right"},
    {"STEUERNRBEZ", "1050,700,left,"},
    {"STEUERNRTEXT", "1340,700,left,"},
    {"FAELLIGTXT", "0,0,left,"},
    {"FAELLIGDAT", "0,0,left,"},
    {"REFERENZTXT", "0,0,left,"},
    {"REFERENZNR", "0,0,left,"},
    {"BEARBEITERTXT", "0,0,left,"},
    {"BEARBEITERNR", "0,0,left,"},
    {"RECHISTLIEFERSCHEIN", "1240,950,right,"},
    {"KUNDENNUMMERAUFDOK", "1"},
    {"BARCODETYPE", "0"},
    {"PRODUKTNUMMER", "1"},
    {"EINZELPREISE", "1"},
    {"RECHTABELLE",
     "1000,Menge,160,Kurzbez.,160,Bezeichnung,850,MWSt,160,€ Einz.Preise,160,€ Ges.Preise,160",
     "900, Anz., 100, Nr., 150, Text, 800, USt, 120, EURO Preis, 170, Summe €, 180",
     "900,Anz.,100,Nr.,150,Text,800,USt,120,EURO Preis,170,Summe €,180"},
    {"RECHPRODUKTLAENGEN", "30,30,24,9", "0, 25", "30,25,24,9"},
    {"BRIEFTEXTZEILEN", "38,58"},
    {"ZWISCHENSUMME1TXT", "left,Zwischensumme:"},
    {"ZWISCHENSUMMENBALKEN", "1,Zwischensumme:"},
    {"BALKENATTRIBUT", "0,2"},
    {"NETTOSUMMETXT", ""},
    {"RABATTSUMMETXT", ""},
    {"MWSTTXT", ""},
    {"ENDSUMMETXT", "", "Endsumme:", "Endsumme in EUR:"},
    {"ENDSUMMEMWSTOHNETXT", ""},
    {"GESAMTPREISTXT", ""},
    {"FIXEENDBETRAGSPOSITION", "0"},
    {"FIXERENDBETRAGNOCHEINMAL", "1"},
    {"FARBEFAELLIGAM", "0"},
    {"FARBEENDBETRAG", "0"},
    {"SKONTOTAGE", "3"},
    {"ZAHLUNGTXT", "nach Rechnungserhalt, innerhalb", "Zahlung: sofort", "sofort"},
    {"NETTOTEXT", ""},
    {"FAELLIGPERVORKASSETXT", "Bezahlung fällig per Vorkasse!"},
    {"DANKEFUERAUFTRAG", ""},
    {"ANGEBOTENDETEXT", ""},
    {"KVENDETEXT", ""},
    {"LIEFERSCHEINENDETEXT", ""},
    {"ANGEBOTUNTERSTREICHEN", "1"},
    {"MAHNUNGSFAELLIGDATUMISTDOKDATUM", "0"},
    {"MAHNSPESENTEXT", "Mahnspesen:"},
    {"ENDEDATEI", ",left,11"},
    {"SCHLUSSDATEI", ",left,11"},
    {"ENDETEXTFONTGROESSE", "0"},
    {"RECHTEXTEXTRADATEI", "0,0,left,11,0,"},
    {"ANDEREDOKUMENTETEXTEXTRADATEI", "0,0,left,11,0,"},
    {"TEXTAUFDOKUMENT", "0,0,left,11,0,"},
    // Payment slip
    {"ERLAGSCHEINTYPE", "", "A3", "A3"},
    {"A4ERLAGSCHEINPOS", "1900"},
    {"A3ERLAGSCHEINPOS", "2950"},
    {"ERLAGKUNDENDATEN", "0"},
    {"ERLAG004AUFDRUCK", "0"},
    {"ERLAGBANKTXT", "", "Bank\\nWien", "Bank\\nWien\\n"},
    {"ERLAGEMPFTXT", "", "Firma\\nGasse 1\\n", "Firma\\nGasse 1\\n"},
    {"ERLAGBLZ", ""},
    {"ERLAGKONTONR", ""},
    {"OCRFONT", ""},
    // Reminders
    {"MAHNUNG0TAGEUEBERZAHLZIEL", "0,0,ko1erinn.txt", "0, 0.0, fehlt.txt", "0,0,fehlt.txt"},
    {"MAHNUNG1TAGEUEBERZAHLZIEL", "0,0,", "14, 5.50, fehlt.txt", "14,5.5,fehlt.txt"},
    {"MAHNUNG2TAGEUEBERZAHLZIEL", "0,0,", "28, 7", "28,7,"},
    {"MAHNUNG3TAGEUEBERZAHLZIEL", "0,0,", "42", "42,0,"},
    {"MAHNTABELLE", "Rechn.Datum,240,Rechn.Nr.,240,Referenz,0,Zahlungsziel,160,€ Betrag,160",
     "Datum, 200, Nummer, 210, Text, 0, Fällig, 150, Offen €, 170",
     "Datum,200,Nummer,210,Text,0,Fällig,150,Offen €,170"},
    {"MAHNSTUFE", "0"},
    // E-mail, fax, PDF and letter service
    {"MAPIINTERFACE", "1"},
    {"MAPIDIALOG", "1"},
    {"EMAILDIALOG", "0"},
    {"SMTPSERVER", ""},
    {"SMTPPORT", "25"},
    {"SMTPSICHERHEIT", "0"},
    {"SMTPBENUTZER", ""},
    {"SMTPPASSWORT", ""},
    {"ABSENDEREMAIL", ""},
    {"BCCEMAIL", ""},
    {"EMAILTEXTRECH", "", " rech.txt ", "rech.txt"},
    {"EMAILTEXTMAHN", "", "\tmahn.txt  ", "mahn.txt"},
    {"EMAILTEXTDOC", "", " doc.txt", "doc.txt"},
    {"KOPIEREDOKUMENTE", "0"},
    {"KOPIEEMAIL", ""},
    {"KOPIEPASSWORT", ""},
    {"PDFVERZEICHNIS", ""},
    {"PDFDATEIPRAEFIX", ""},
    {"PDFSICHERUNGSPFAD", "", "STANDARD", "<data>PdfSich/"},
    {"FAXSEQUENZ", "@@NUMMER [FAXNUMMER]@@"},
    {"EIGENETELEFONVORWAHL", "", "00662", "0662"},
    {"POSTAROEMAIL", ""},
    {"POSTAROUSER", ""},
    {"POSTAROVERSCHL", "0"},
    // SMS
    {"SMSSERVICE", "0"},
    {"SMSABSENDER", ""},
    {"SMSABSENDEREMAIL", ""},
    {"SMSZIELEMAIL", ""},
    {"SMSAPIID", ""},
    {"SMSUSER", ""},
    {"SMSPASSWORD", ""},
    {"SMSTEXTLEN", "160"},
    // Salutations and receipt text
    {"ANREDETEXT1", "Hallo !!VORNAME!¿¿1"},
    {"ANREDETEXT2", "Sehr geehrte Frau !!TITEL !!ZUNAME!¿¿Fr"},
    {"ANREDETEXT3", "Sehr geehrter Herr !!TITEL !!ZUNAME!¿¿He"},
    {"ANREDETEXT4", "Sehr geehrter Abteilungsleiter!¿¿Abt"},
    {"ANREDETEXT5", "¿¿"},
    {"ANREDELEER", "Sehr geehrte Damen und Herren!"},
    {"QUITTUNGVORLAGE",
     "\\n\\n\\n\\n\\nHiermit bestätigen wir den Barerhalt von !!WAEHRUNG!!: "
     "¿¿¿!!QUITTUNGSBETRAG!!¿¿¿.",
     "Betrag ¿ 5\\nDanke", "Betrag ¿ 5\\nDanke"},
    // Network and logging
    {"SERVERNAME", ""},
    {"SERVERPORT", "2000"},
    {"SERVERPROTOKOLL", "0"},
    {"LOGMAX", "1000"},
};

const KeyRow* RowOf(const char* key)
{
    for (const KeyRow& row : kKeyRows) {
        if (qstrcmp(row.key, key) == 0)
            return &row;
    }
    return nullptr;
}

struct Sample
{
    QString value;
    QString loaded;
};

// A value and what it loads as, made from the form of the key where that is mechanical.
std::optional<Sample> MechanicalSample(const KeyEntry& entry)
{
    switch (entry.form) {
    case KeyForm::Flag:
    case KeyForm::Integer:
        return Sample{u"  -17 Stück"_s, u"-17"_s};
    case KeyForm::TruncatedInteger:
        return Sample{u"17.9"_s, u"17"_s};
    case KeyForm::Decimal:
        return Sample{u"-2.5e1x"_s, u"-25"_s};
    case KeyForm::Text:
        return Sample{u"Wert äö€, mit Komma "_s, u"Wert äö€, mit Komma "_s};
    case KeyForm::File:
        return Sample{u"Vorlagen/bild.bmp"_s, u"Vorlagen/bild.bmp"_s};
    case KeyForm::ColumnMapping:
        return Sample{u"SPALTE_A,SPALTE_B"_s, u"SPALTE_A,SPALTE_B"_s};
    case KeyForm::List:
        return Sample{u" a , b ,, c"_s, u"a,b,,c"_s};
    case KeyForm::IntegerList:
        return Sample{u"5, 6x, 7, 8, 9"_s, u"5,6,7,8,9"_s};
    case KeyForm::MultiLineText:
        return Sample{u"Zeile 1\\nZeile 2"_s, u"Zeile 1\\nZeile 2"_s};
    case KeyForm::Password:
        return Sample{u"Geheim ä1"_s, PasswordToFileValue(u"Geheim ä1"_s)};
    case KeyForm::Item: {
        // Each piece name gets its own value, so a piece read into the wrong field shows.
        Sample sample;
        QStringList values;
        QStringList loaded;
        for (const QString& name : QString::fromLatin1(entry.pieces).split(u',')) {
            static const QHash<QString, std::pair<QString, QString>> kPieces = {
                {u"x"_s, {u" 11"_s, u"11"_s}},
                {u"y"_s, {u"12 "_s, u"12"_s}},
                {u"w"_s, {u"13"_s, u"13"_s}},
                {u"h"_s, {u"14"_s, u"14"_s}},
                {u"n"_s, {u"15"_s, u"15"_s}},
                {u"size"_s, {u"16"_s, u"16"_s}},
                {u"last"_s, {u"17"_s, u"17"_s}},
                {u"align"_s, {u"CENTER"_s, u"center"_s}},
                {u"text"_s, {u"Text, mit Komma"_s, u"Text, mit Komma"_s}},
                {u"text2"_s, {u"bild.bmp"_s, u"bild.bmp"_s}},
            };
            values << kPieces.value(name).first;
            loaded << kPieces.value(name).second;
        }
        return Sample{values.join(u','), loaded.join(u',')};
    }
    default:
        return std::nullopt;
    }
}

class KeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Relative file names are looked up in the current folder: an empty one of our own.
        QDir::setCurrent(dir.path());
        config.dataFolder = Data();
        previousSink = SetLogSink([this](long long, const QString& text) { logged << text; });
    }
    void TearDown() override { SetLogSink(previousSink); }

    QString Data() const { return dir.path() + u'/'; }
    QString Path(const QString& name) const { return Data() + name; }

    // Writes a configuration file (text in Windows-1252) and loads it.
    bool Load(const QString& content, const QString& name = u"standard.cfg"_s)
    {
        WriteBytes(Path(name), ToCp1252(content));
        return LoadConfiguration(config, Path(name));
    }

    QTemporaryDir dir;
    Configuration config;
    fakvo::test::ScriptedPrompts prompts;
    QStringList logged;
    LogSink previousSink;
};

QString Expand(const char* text, const QString& data)
{
    return QString::fromUtf8(text).replace(u"<data>"_s, data);
}

} // namespace

TEST(KeyTable, EveryKeyIsSpelledOnceAndFoundByItsOwnLine)
{
    QSet<QString> names;
    for (const KeyEntry& entry : KeyTable()) {
        const QString name = QString::fromLatin1(entry.name);
        EXPECT_FALSE(names.contains(name)) << entry.name << " is spelled twice";
        names.insert(name);
        EXPECT_EQ(FindKey(name), &entry) << entry.name;
        EXPECT_EQ(FindKeyForLine(name), &entry) << entry.name;
        EXPECT_EQ(FindKeyForLine(name + u' '), &entry) << entry.name << " with a blank before '='";
        EXPECT_NE(RowOf(entry.name), nullptr) << entry.name << " has no row in the test table";
    }
    // The 232 keys of the configuration file plus the four SMTP login keys.
    EXPECT_EQ(names.size(), 236);
    for (const KeyRow& row : kKeyRows)
        EXPECT_NE(FindKey(QString::fromLatin1(row.key)), nullptr) << row.key << " is not a key";
}

TEST_F(KeysTest, EveryKeyStartsAtItsDefault)
{
    const Configuration fresh;
    for (const KeyEntry& entry : KeyTable()) {
        const KeyRow* row = RowOf(entry.name);
        ASSERT_NE(row, nullptr) << entry.name;
        const QString expected = QLatin1StringView(entry.name) == "UPDATEURL"_L1
                                     ? u"https://www.faktavo.at/update/"_s
                                     : QString::fromUtf8(row->defaultText);
        EXPECT_EQ(entry.fileValue(fresh), expected) << entry.name;
    }
    // The structured defaults, member by member.
    using P = ProductTableLayout;
    EXPECT_EQ(fresh.RECHTABELLE.top, 1000);
    EXPECT_EQ(fresh.RECHTABELLE.columns[P::Description], (TableColumn{u"Bezeichnung"_s, 850}));
    EXPECT_EQ(fresh.RECHTABELLE.columns[P::UnitPrice], (TableColumn{u"€ Einz.Preise"_s, 160}));
    EXPECT_EQ(fresh.MAHNTABELLE.columns[ReminderTableLayout::Amount],
              (TableColumn{u"€ Betrag"_s, 160}));
    EXPECT_EQ(fresh.TITEL.alignment, Alignment::Center);
    EXPECT_EQ(fresh.TITEL.fontSize, 26);
    EXPECT_EQ(fresh.TITEL.text, u"Rechnung"_s);
    EXPECT_EQ(fresh.ENDEDATEI.fontSize, 11);
    EXPECT_EQ(fresh.QUITTUNGVORLAGE,
              u"\n\n\n\n\nHiermit bestätigen wir den Barerhalt von !!WAEHRUNG!!: "
              "===!!QUITTUNGSBETRAG!!===."_s);
    EXPECT_EQ(fresh.MAHNUNG0TAGEUEBERZAHLZIEL.file, u"ko1erinn.txt"_s);
    EXPECT_EQ(fresh.MAHNUNG0TAGEUEBERZAHLZIEL.text,
              u"\nZahlungserinnerung:\nNach Durchsicht unserer Konten haben wir festgestellt,\n"
              "dass der Rechnungsbetrag noch nicht überwiesen wurde.\nBitte um prompte "
              "Überweisung."_s);
    EXPECT_EQ(fresh.ERLAGSCHEINTYPE, 0);
    EXPECT_EQ(fresh.ODBCKUNDENNRADDITION, 0);
    EXPECT_EQ(fresh.RECHPRODUKTLAENGEN, (QList<int>{30, 30, 24, 9}));
}

TEST_F(KeysTest, EveryKeyLoadsOneValue)
{
    for (const KeyEntry& entry : KeyTable()) {
        const KeyRow* row = RowOf(entry.name);
        ASSERT_NE(row, nullptr) << entry.name;
        std::optional<Sample> sample = MechanicalSample(entry);
        if (row->sample != nullptr)
            sample = Sample{Expand(row->sample, Data()), Expand(row->loaded, Data())};
        ASSERT_TRUE(sample) << entry.name << " needs a hand-written sample";

        Configuration loaded;
        loaded.dataFolder = Data();
        ASSERT_TRUE(ApplyConfigLine(loaded, QString::fromLatin1(entry.name), sample->value));
        EXPECT_EQ(entry.fileValue(loaded), sample->loaded) << entry.name;
        const QString name = QString::fromLatin1(entry.name);
        if (entry.form == KeyForm::ColumnMapping) {
            // Product mappings feed the product column list, the others the address list; the
            // identifier columns are taken whole.
            const bool product = name.startsWith(u"ODBCPR");
            const bool whole = name == u"ODBCID" || name == u"ODBCPRID";
            const QStringList columns =
                whole ? QStringList{sample->value} : QStringList{u"SPALTE_A"_s, u"SPALTE_B"_s};
            EXPECT_EQ(product ? loaded.productColumns : loaded.addressColumns, columns)
                << entry.name;
            EXPECT_TRUE((product ? loaded.addressColumns : loaded.productColumns).isEmpty())
                << entry.name;
        }
        // What is written back reads back the same, except where the load rule changes the
        // value at every load (a leading 0 removed, a final 0 width appended).
        if (name == u"EIGENETELEFONVORWAHL" || name == u"ODBCPROTADRAUSWAHLPOS")
            continue;
        entry.apply(loaded, sample->loaded);
        EXPECT_EQ(entry.fileValue(loaded), sample->loaded) << entry.name << " read back";
    }
}

TEST_F(KeysTest, EachLoadResetsEveryKeyButTheKeptOnes)
{
    // Profile A names every key with its sample; profile B names none of them.
    QString profileA;
    for (const KeyEntry& entry : KeyTable()) {
        const KeyRow* row = RowOf(entry.name);
        const QString value = row->sample != nullptr ? QString::fromUtf8(row->sample)
                                                     : MechanicalSample(entry)->value;
        profileA += QLatin1StringView(entry.name) + u'=' + value + u"\r\n"_s;
    }
    ASSERT_TRUE(Load(profileA, u"a.cfg"_s));
    QHash<QString, QString> valuesOfA;
    for (const KeyEntry& entry : KeyTable())
        valuesOfA[QString::fromLatin1(entry.name)] = entry.fileValue(config);
    ASSERT_TRUE(Load(u"UNBEKANNT=1\r\n"_s, u"b.cfg"_s));

    for (const KeyEntry& entry : KeyTable()) {
        const QString name = QString::fromLatin1(entry.name);
        QString expected = QString::fromUtf8(RowOf(entry.name)->defaultText);
        if (!entry.resetOnLoad)
            expected = valuesOfA[name];
        else if (name == u"UPDATEURL")
            expected = u"https://www.faktavo.at/update/"_s;
        else if (name == u"PDFVERZEICHNIS")
            expected = Data() + u"autopdf/"_s;
        EXPECT_EQ(entry.fileValue(config), expected) << entry.name;
        if (!entry.resetOnLoad) {
            EXPECT_NE(expected, QString::fromUtf8(RowOf(entry.name)->defaultText)) << entry.name;
        }
    }
    EXPECT_TRUE(config.addressColumns.isEmpty());
    EXPECT_TRUE(config.productColumns.isEmpty());
}

TEST_F(KeysTest, KeptValuesCarryOverToAProfileWithoutThem)
{
    const Configuration fresh;
    EXPECT_EQ(fresh.PRODUKTNREINDEUTIG, 0);
    EXPECT_EQ(fresh.SERVERPROTOKOLL, 0);
    EXPECT_EQ(fresh.SERVERPORT, 2000);
    EXPECT_EQ(fresh.BRIEFTEXTZEILEN, (QList<int>{38, 58}));
    EXPECT_EQ(fresh.ODBCPRINKLMWST, 0);
    EXPECT_EQ(fresh.MAHNTABELLE.columns[ReminderTableLayout::Text].width, 0);

    const auto kept = [this] {
        return std::make_tuple(config.PRODUKTNREINDEUTIG, config.SERVERPROTOKOLL, config.SERVERPORT,
                               config.BRIEFTEXTZEILEN, config.ODBCPRINKLMWST,
                               config.MAHNTABELLE.columns[ReminderTableLayout::Text].width);
    };
    ASSERT_TRUE(Load(u"PRODUKTNREINDEUTIG=1\r\nSERVERPROTOKOLL=2\r\nSERVERPORT=3000\r\n"
                     "BRIEFTEXTZEILEN=40,60\r\nODBCPRINKLMWST=1\r\nLOGMAX=5\r\n"
                     "MAHNTABELLE=Datum,200,Nummer,200,Text,500,Fällig,100,Offen,100\r\n"_s,
                     u"a.cfg"_s));
    const auto fromA = std::make_tuple(1, 2, 3000, QList<int>{40, 60}, 1, 500);
    EXPECT_EQ(kept(), fromA);

    ASSERT_TRUE(Load(u"LOGMAX=7\r\n"_s, u"b.cfg"_s));
    EXPECT_EQ(kept(), fromA);
    EXPECT_EQ(config.LOGMAX, 7);
    EXPECT_EQ(config.MAHNTABELLE.columns[ReminderTableLayout::InvoiceDate],
              (TableColumn{u"Rechn.Datum"_s, 240}))
        << "the rest of the reminder table is reset";
    EXPECT_EQ(config.MAHNTABELLE.columns[ReminderTableLayout::Text].title, u"Referenz"_s);

    ASSERT_TRUE(Load(u"SERVERPORT=4000\r\nBRIEFTEXTZEILEN=30\r\n"
                     "MAHNTABELLE=a,1,b,2,c,3\r\n"_s,
                     u"c.cfg"_s));
    EXPECT_EQ(kept(), std::make_tuple(1, 2, 4000, QList<int>{30, 60}, 1, 3));
}

TEST_F(KeysTest, CurrencyFollowsTheCurrencyLoadedAboveTheLine)
{
    struct Case
    {
        QString file;
        QString finalSum;
    };
    const Case cases[] = {
        {u"WAEHRUNGIST=1\r\nENDSUMMETXT=Endsumme: EUR\r\n"_s, u"Endsumme in CHF: CHF"_s},
        {u"ENDSUMMETXT=Endsumme: EUR\r\nWAEHRUNGIST=1\r\n"_s, u"Endsumme in EUR: EUR"_s},
        {u"WAEHRUNGIST=1\r\nENDSUMMETXT=Endbetrag: EURO €\r\n"_s, u"Endbetrag in CHF: CHF CHF"_s},
        {u"WAEHRUNGIST=0\r\nENDSUMMETXT=Endbetrag: EURO €\r\n"_s, u"Endbetrag in EUR: EURO €"_s},
        {u"WAEHRUNGIST=1.9\r\nENDSUMMETXT=Endsumme: €\r\n"_s, u"Endsumme in CHF: CHF"_s},
        {u"WAEHRUNGIST=2\r\nENDSUMMETXT=Endsumme: €\r\n"_s, u"Endsumme in EUR: €"_s},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Load(c.file));
        EXPECT_EQ(config.ENDSUMMETXT, c.finalSum) << c.file.toStdString();
    }

    const QString table = u"RECHTABELLE=1000,EUR Menge,160,Nr.,160,Text,850,MWSt,160,"
                          "EURO Einzel,160,Gesamt EUR,160\r\n"
                          "MAHNTABELLE=Datum,240,Nr.,240,EUR,0,Ziel,160,Betrag €,160\r\n"
                          "ENDSUMMEMWSTOHNETXT=Summe in EUR\r\nGESAMTPREISTXT=Gesamt €\r\n"_s;
    ASSERT_TRUE(Load(u"WAEHRUNGIST=1\r\n"_s + table));
    using P = ProductTableLayout;
    using R = ReminderTableLayout;
    EXPECT_EQ(config.RECHTABELLE.columns[P::UnitPrice].title, u"CHF Einzel"_s);
    EXPECT_EQ(config.RECHTABELLE.columns[P::Total].title, u"Gesamt "_s) << "EUR is dropped";
    EXPECT_EQ(config.RECHTABELLE.columns[P::Quantity].title, u"EUR Menge"_s)
        << "only the price titles change";
    EXPECT_EQ(config.MAHNTABELLE.columns[R::Amount].title, u"Betrag CHF"_s);
    EXPECT_EQ(config.MAHNTABELLE.columns[R::Text].title, u"EUR"_s);
    EXPECT_EQ(config.ENDSUMMEMWSTOHNETXT, u"Summe in CHF"_s);
    EXPECT_EQ(config.GESAMTPREISTXT, u"Gesamt CHF"_s);

    ASSERT_TRUE(Load(u"WAEHRUNGIST=0\r\n"_s + table));
    EXPECT_EQ(config.RECHTABELLE.columns[P::UnitPrice].title, u"EURO Einzel"_s);
    EXPECT_EQ(config.RECHTABELLE.columns[P::Total].title, u"Gesamt EUR"_s);
    EXPECT_EQ(config.MAHNTABELLE.columns[R::Amount].title, u"Betrag €"_s);
    EXPECT_EQ(config.ENDSUMMEMWSTOHNETXT, u"Summe in EUR"_s);
    EXPECT_EQ(config.GESAMTPREISTXT, u"Gesamt €"_s);

    const QString defaultTable = u"RECHTABELLE=1000,Menge,160,Kurzbez.,160,Bezeichnung,850,"
                                 "MWSt,160,€ Einz.Preise,160,€ Ges.Preise,160\r\n"
                                 "MAHNTABELLE=Rechn.Datum,240,Rechn.Nr.,240,Referenz,0,"
                                 "Zahlungsziel,160,€ Betrag,160\r\n"_s;
    ASSERT_TRUE(Load(u"WAEHRUNGIST=1\r\n"_s + defaultTable));
    EXPECT_EQ(config.RECHTABELLE.columns[P::UnitPrice].title, u"CHF Einz.Preise"_s);
    EXPECT_EQ(config.RECHTABELLE.columns[P::Total].title, u"CHF Ges.Preise"_s);
    EXPECT_EQ(config.MAHNTABELLE.columns[R::Amount].title, u"CHF Betrag"_s);
}

TEST_F(KeysTest, ColumnsThatAreNotPrintedWidenTheDescription)
{
    const QString table = u"RECHTABELLE=1000,Menge,160,Kurzbez.,160,Bezeichnung,850,MWSt,160,"
                          "€ Einz.Preise,160,€ Ges.Preise,160\r\n"_s;
    const auto widths = [this] {
        QList<int> w;
        for (const TableColumn& column : config.RECHTABELLE.columns)
            w << column.width;
        return w;
    };
    ASSERT_TRUE(Load(u"PRODUKTNUMMER=0\r\n"_s + table));
    EXPECT_EQ(widths(), (QList<int>{160, 0, 1010, 160, 160, 160}));
    ASSERT_TRUE(Load(u"PRODUKTNUMMER=0\r\nEINZELPREISE=0.5\r\n"_s + table));
    EXPECT_EQ(widths(), (QList<int>{160, 0, 1170, 160, 0, 160}));
    ASSERT_TRUE(Load(table + u"PRODUKTNUMMER=0\r\n"_s));
    EXPECT_EQ(widths(), (QList<int>{160, 160, 850, 160, 160, 160}))
        << "a switch below the table's line does not reach it";
    ASSERT_TRUE(Load(u"RECHTABELLE=900,Anz.\r\n"_s));
    EXPECT_EQ(config.RECHTABELLE.top, 900);
    EXPECT_EQ(config.RECHTABELLE.columns[ProductTableLayout::Quantity],
              (TableColumn{u"Anz."_s, 160}))
        << "missing pieces keep the default";
}

TEST_F(KeysTest, LoadRulesOfSingleValues)
{
    struct Case
    {
        QString line;
        std::function<QString(const Configuration&)> member;
        QString expected;
    };
    const auto text = [](QString Configuration::*m) {
        return [m](const Configuration& c) { return c.*m; };
    };
    const auto number = [](int Configuration::*m) {
        return [m](const Configuration& c) { return QString::number(c.*m); };
    };
    const auto list = [](QList<int> Configuration::*m) {
        return [m](const Configuration& c) {
            QStringList out;
            for (int v : c.*m)
                out << QString::number(v);
            return out.join(u',');
        };
    };
    const Case cases[] = {
        {u"EIGENERLAENDERCODE=0"_s, number(&Configuration::EIGENERLAENDERCODE), u"43"_s},
        {u"EIGENERLAENDERCODE=abc"_s, number(&Configuration::EIGENERLAENDERCODE), u"43"_s},
        {u"EIGENERLAENDERCODE=49"_s, number(&Configuration::EIGENERLAENDERCODE), u"49"_s},
        {u"STARTRECHNUNGSNUMMER=123456"_s, number(&Configuration::STARTRECHNUNGSNUMMER),
         u"23456"_s},
        {u"STARTRECHNUNGSNUMMER=99999"_s, number(&Configuration::STARTRECHNUNGSNUMMER), u"99999"_s},
        {u"EIGENETELEFONVORWAHL=0662"_s, text(&Configuration::EIGENETELEFONVORWAHL), u"662"_s},
        {u"EIGENETELEFONVORWAHL=00662"_s, text(&Configuration::EIGENETELEFONVORWAHL), u"0662"_s},
        {u"FONT=Helvetica Neue"_s, text(&Configuration::FONT), u"Arial"_s},
        {u"FONT=Times New Roman"_s, text(&Configuration::FONT), u"Times New Roman"_s},
        {u"ZAHLUNGTXT=Zahlung: nach Erhalt, Zahlung: sofort"_s, text(&Configuration::ZAHLUNGTXT),
         u"nach Erhalt, sofort"_s},
        {u"ZAHLUNGTXT=Zahlung:sofort"_s, text(&Configuration::ZAHLUNGTXT), u"Zahlung:sofort"_s},
        {u"LOGODATEI=logo.bmp"_s, text(&Configuration::smallLogoFile), u"LOGOKLEIN.BMP"_s},
        {u"LOGODATEI=Vorlagen/Brief.Bmp"_s, text(&Configuration::smallLogoFile),
         u"Vorlagen/BRIEFKLEIN.BMP"_s},
        {u"LOGODATEI=brief.txt"_s, text(&Configuration::smallLogoFile), u"BRIEF.TXT"_s},
        {u"LOGODATEI="_s, text(&Configuration::smallLogoFile), QString()},
        {u"EMAILTEXTRECH= rech.txt \t"_s, text(&Configuration::EMAILTEXTRECH), u"rech.txt"_s},
        {u"EMAILTEXTMAHN=  mahn.txt"_s, text(&Configuration::EMAILTEXTMAHN), u"mahn.txt"_s},
        {u"EMAILTEXTDOC=doc.txt "_s, text(&Configuration::EMAILTEXTDOC), u"doc.txt"_s},
        {u"UPDATEURL="_s, text(&Configuration::UPDATEURL), u"https://www.faktavo.at/update/"_s},
        {u"UPDATEURL=https://example.com/update"_s, text(&Configuration::UPDATEURL),
         u"https://www.faktavo.at/update/"_s},
        {u"UPDATEURL=https://Faktavo.example/neu/"_s, text(&Configuration::UPDATEURL),
         u"https://Faktavo.example/neu/"_s},
        {u"ERLAGBANKTXT=Sparkasse\\nWien"_s, text(&Configuration::ERLAGBANKTXT),
         u"Sparkasse\nWien\n"_s},
        {u"ERLAGEMPFTXT=Firma\\n\\nGasse 1\\n"_s, text(&Configuration::ERLAGEMPFTXT),
         u"Firma\n\nGasse 1\n"_s},
        {u"ERLAGEMPFTXT="_s, text(&Configuration::ERLAGEMPFTXT), QString()},
        {u"QUITTUNGVORLAGE=\\nBetrag ¿¿ 5 ¿\\n"_s, text(&Configuration::QUITTUNGVORLAGE),
         u"\nBetrag == 5 =\n"_s},
        {u"DANKEFUERAUFTRAG=Danke\\nf\u00FCr alles"_s, text(&Configuration::DANKEFUERAUFTRAG),
         u"Danke\nfür alles"_s},
        {u"ERLAGSCHEINTYPE=A4"_s, number(&Configuration::ERLAGSCHEINTYPE), u"1"_s},
        {u"ERLAGSCHEINTYPE=A3"_s, number(&Configuration::ERLAGSCHEINTYPE), u"2"_s},
        {u"ERLAGSCHEINTYPE=A3\r\nERLAGSCHEINTYPE=A5"_s, number(&Configuration::ERLAGSCHEINTYPE),
         u"2"_s},
        {u"ERLAGSCHEINTYPE=a4"_s, number(&Configuration::ERLAGSCHEINTYPE), u"0"_s},
        {u"ODBCKUNDENNRADDITION=100, 2000"_s, number(&Configuration::ODBCKUNDENNRADDITION),
         u"2000"_s},
        {u"ODBCKUNDENNRADDITION=500"_s, number(&Configuration::ODBCKUNDENNRADDITION), u"500"_s},
        {u"ODBCPROTADRAUSWAHLPOS=50,60"_s, list(&Configuration::ODBCPROTADRAUSWAHLPOS),
         u"50,60,0"_s},
        {u"ODBCPROTADRAUSWAHLPOS="_s, list(&Configuration::ODBCPROTADRAUSWAHLPOS), QString()},
        {u"LOGMAX=1"_s, list(&Configuration::ODBCPROTADRAUSWAHLPOS), QString()},
        {u"ODBCAUSWAHLPOS=50,60"_s, list(&Configuration::ODBCAUSWAHLPOS), u"50,60"_s},
        {u"RECHPRODUKTLAENGEN=0,30,24,9"_s, list(&Configuration::RECHPRODUKTLAENGEN),
         u"30,30,24,9"_s},
        {u"RECHPRODUKTLAENGEN=-5"_s, list(&Configuration::RECHPRODUKTLAENGEN), u"30,30,24,9"_s},
        {u"RECHPRODUKTLAENGEN=12,20"_s, list(&Configuration::RECHPRODUKTLAENGEN), u"12,20,24,9"_s},
        {u"RECHPRODUKTLAENGEN=1,0,0,0"_s, list(&Configuration::RECHPRODUKTLAENGEN), u"1,0,0,0"_s},
        {u"PDFSICHERUNGSPFAD=STANDARD"_s, text(&Configuration::PDFSICHERUNGSPFAD),
         u"<data>PdfSich/"_s},
        {u"PDFVERZEICHNIS=  /tmp/pdf  "_s, text(&Configuration::PDFVERZEICHNIS), u"/tmp/pdf/"_s},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Load(c.line + u"\r\n"_s));
        EXPECT_EQ(c.member(config), QString(c.expected).replace(u"<data>"_s, Data()))
            << c.line.toStdString();
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();
}

TEST_F(KeysTest, TextItemsReadTheirPieces)
{
    ASSERT_TRUE(Load(u"A4RECHNUNGSFORMAT=200,100,1700,2400,1,Arial,11\r\n"
                     "ADRETTIKETTFORMAT=10,20,30,40,1\r\n"
                     "LOGOFORMAT=1000\r\n"
                     "ZWISCHENSUMME1TXT=RIGHT,Zwischensumme:\r\n"
                     "ZWISCHENSUMMENBALKEN=0,Übertrag:\r\n"
                     "STEUERNRTEXT=1340,700,right,ATU 123, FA Wien \r\n"
                     "TEXTAUFDOKUMENT=10,20,centre,9,3,Sitz: Wien, FN 12345 a\r\n"
                     "DATUM=5\r\n"_s));
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.x, 200);
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.y, 100);
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.width, 1700);
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.height, 2400);
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.number, 1);
    EXPECT_EQ(config.A4RECHNUNGSFORMAT.text2, u"Arial"_s) << "the seventh piece is ignored";
    EXPECT_EQ(config.ADRETTIKETTFORMAT.number, 1);
    EXPECT_EQ(config.ADRETTIKETTFORMAT.height, 40);
    EXPECT_EQ(config.LOGOFORMAT.width, 1000);
    EXPECT_EQ(config.LOGOFORMAT.height, 353);
    EXPECT_EQ(config.ZWISCHENSUMME1TXT.alignment, Alignment::Right);
    EXPECT_EQ(config.ZWISCHENSUMMENBALKEN.number, 0);
    EXPECT_EQ(config.ZWISCHENSUMMENBALKEN.text, u"Übertrag:"_s);
    EXPECT_EQ(config.STEUERNRTEXT.text, u"ATU 123, FA Wien"_s) << "a printed text keeps its commas";
    EXPECT_EQ(config.TEXTAUFDOKUMENT.alignment, Alignment::Left) << "'centre' is no alignment";
    EXPECT_EQ(config.TEXTAUFDOKUMENT.fontSize, 9);
    EXPECT_EQ(config.TEXTAUFDOKUMENT.number, 3);
    EXPECT_EQ(config.TEXTAUFDOKUMENT.text, u"Sitz: Wien, FN 12345 a"_s);
    EXPECT_EQ(config.DATUM.x, 5);
    EXPECT_EQ(config.DATUM.y, 800);
}

TEST_F(KeysTest, ColumnMappingsCollectTheColumnLists)
{
    ASSERT_TRUE(Load(u"ODBCID=ID,NR\r\nODBCNAME1=FIRMA, ZUSATZ\r\nODBCPLZ=\r\nODBCORT=ORT\r\n"
                     "ODBCPRID=PID\r\nODBCPRBEZ=BEZ1,BEZ2\r\nODBCPRSTAFFEL=STAFFEL\r\n"
                     "ODBCNAME1X=X\r\n"_s));
    EXPECT_EQ(config.addressColumns,
              (QStringList{u"ID,NR"_s, u"FIRMA"_s, u"ZUSATZ"_s, u"ORT"_s, u"X"_s}))
        << "the identifier whole, the others name by name, in file order";
    EXPECT_EQ(config.productColumns, (QStringList{u"PID"_s, u"BEZ1"_s, u"BEZ2"_s, u"STAFFEL"_s}));
    EXPECT_EQ(config.ODBCNAME1, u"X"_s);

    ASSERT_TRUE(Load(u"ODBCORT=STADT\r\n"_s, u"b.cfg"_s));
    EXPECT_EQ(config.addressColumns, QStringList{u"STADT"_s});
    EXPECT_TRUE(config.productColumns.isEmpty());
}

TEST_F(KeysTest, FileTextsAreReadWhenTheLineIsLoaded)
{
    WriteBytes(Path(u"mahn2.txt"_s), "Sehr geehrte Kunden,\r\nbitte zahlen Sie\r\numgehend \xFC"
                                     "berweisen.\r\n");
    WriteBytes(Path(u"ende.txt"_s), "Eigentumsvorbehalt\n");
    WriteBytes(Path(u"LOGO.BMP"_s), "BM");
    WriteBytes(Path(u"schluss.txt"_s), "Bank: Sparkasse\nIBAN AT00");
    WriteBytes(Path(u"extra.txt"_s), "Extra\n");
    ASSERT_TRUE(Load(u"MAHNUNG2TAGEUEBERZAHLZIEL=14, 5.50, mahn2.txt\r\n"
                     "MAHNUNG1TAGEUEBERZAHLZIEL=7,3,fehlt1.txt\r\n"
                     "MAHNUNG0TAGEUEBERZAHLZIEL=0,0.0,fehlt0.txt\r\n"
                     "ENDEDATEI=ende.txt,center,9\r\n"
                     "SCHLUSSDATEI=schluss.txt,right\r\n"
                     "RECHTEXTEXTRADATEI=100,200,right,10,2,extra.txt\r\n"
                     "ANDEREDOKUMENTETEXTEXTRADATEI=0,0,left,11,1,fehlt2.txt\r\n"_s));
    const ReminderSetting& level2 = config.MAHNUNG2TAGEUEBERZAHLZIEL;
    EXPECT_EQ(level2.days, 14);
    EXPECT_DOUBLE_EQ(level2.fee, 5.5);
    EXPECT_EQ(level2.text, u"Sehr geehrte Kunden,\nbitte zahlen Sie\numgehend überweisen.\n"_s);
    EXPECT_EQ(config.MAHNUNG1TAGEUEBERZAHLZIEL.days, 7);
    EXPECT_EQ(config.MAHNUNG1TAGEUEBERZAHLZIEL.text, QString());
    EXPECT_TRUE(config.MAHNUNG0TAGEUEBERZAHLZIEL.text.startsWith(u"\nZahlungserinnerung:\n"_s))
        << "the built-in text stays when the file is missing";
    EXPECT_EQ(config.MAHNUNG3TAGEUEBERZAHLZIEL.text, QString());
    EXPECT_EQ(config.ENDEDATEI.text, u"Eigentumsvorbehalt\n"_s);
    EXPECT_EQ(config.ENDEDATEI.alignment, Alignment::Center);
    EXPECT_EQ(config.ENDEDATEI.fontSize, 9);
    EXPECT_EQ(config.SCHLUSSDATEI.text, u"Bank: Sparkasse\nIBAN AT00\n"_s);
    EXPECT_EQ(config.SCHLUSSDATEI.alignment, Alignment::Right);
    EXPECT_EQ(config.SCHLUSSDATEI.fontSize, 11);
    EXPECT_EQ(config.RECHTEXTEXTRADATEI.text, u"Extra\n"_s);
    EXPECT_EQ(config.RECHTEXTEXTRADATEI.number, 2);
    EXPECT_EQ(config.RECHTEXTEXTRADATEI.text2, u"extra.txt"_s);
    EXPECT_EQ(config.ANDEREDOKUMENTETEXTEXTRADATEI.text, QString());
    EXPECT_EQ(prompts.messages,
              (QStringList{u"Die Datei 'fehlt1.txt' kann nicht geöffnet werden!"_s,
                           u"Die Datei 'fehlt2.txt' kann nicht geöffnet werden!"_s}));

    // A picture is printed, not read; a missing end text stays silent; the default payment
    // reminder file is read when the data folder has one.
    prompts.messages.clear();
    WriteBytes(Path(u"ko1erinn.txt"_s), "Erinnerung\r\n");
    ASSERT_TRUE(Load(u"ENDEDATEI=logo.bmp\r\nSCHLUSSDATEI=fehlt3.txt\r\n"_s, u"b.cfg"_s));
    EXPECT_EQ(config.ENDEDATEI.text, QString());
    EXPECT_EQ(config.ENDEDATEI.text2, u"logo.bmp"_s);
    EXPECT_EQ(config.MAHNUNG0TAGEUEBERZAHLZIEL.text, u"Erinnerung\n"_s);
    EXPECT_EQ(config.MAHNUNG2TAGEUEBERZAHLZIEL, ReminderSetting{}) << "reset by the new load";
    ASSERT_TRUE(Load(u"ENDEDATEI=fehlt4.txt\r\n"_s, u"c.cfg"_s));
    EXPECT_EQ(prompts.messages,
              (QStringList{u"Die Datei 'fehlt3.txt' kann nicht geöffnet werden!"_s}));
}

TEST_F(KeysTest, BackupFolderIsCompletedAndItsTemplateFolderCreated)
{
    const QString backup = dir.filePath(u"Sicherung"_s);
    ASSERT_TRUE(Load(u"PDFSICHERUNGSPFAD="_s + backup + u"\r\n"_s));
    EXPECT_EQ(config.PDFSICHERUNGSPFAD, backup + u'/');
    EXPECT_TRUE(QFileInfo(backup + u"/Vorlagen"_s).isDir());

    ASSERT_TRUE(Load(u"PDFSICHERUNGSPFAD=\r\n"_s));
    EXPECT_EQ(config.PDFSICHERUNGSPFAD, QString()) << "empty: no copies";

    // A folder below a plain file cannot be made: reported, logged, and loading goes on.
    WriteBytes(Path(u"datei"_s), "x");
    const QString blocked = Path(u"datei/unter"_s);
    ASSERT_TRUE(Load(u"PDFSICHERUNGSPFAD="_s + blocked + u"\r\nLOGMAX=3\r\n"_s));
    const QString message =
        u"Fehler:Das Verzeichnis '%1/Vorlagen/' kann nicht ertellt werden!"_s.arg(blocked);
    EXPECT_EQ(prompts.messages, QStringList{message});
    EXPECT_TRUE(logged.contains(message));
    EXPECT_EQ(config.LOGMAX, 3);
}

TEST_F(KeysTest, ServerModeTakesNamedFilesFromTheClientFolder)
{
    Configuration server;
    server.dataFolder = u"/daten/"_s;
    server.serverMode = true;
    server.clientNumber = 42;
    const QString client = u"/daten/Server/Kunden/00000042/"_s;
    struct Case
    {
        QString value;
        QString serverPath;
        QString localPath;
    };
    const Case cases[] = {
        {u"ende.txt"_s, client + u"ende.txt"_s, u"ende.txt"_s},
        {u"Vorlagen\\ende.txt"_s, client + u"ende.txt"_s, u"Vorlagen/ende.txt"_s},
        {u"C:\\Firma\\logo.bmp"_s, client + u"logo.bmp"_s, u"C:/Firma/logo.bmp"_s},
        {u"../../etc/passwd"_s, client + u"passwd"_s, u"../../etc/passwd"_s},
        {u".."_s, QString(), u".."_s},
        {u"Vorlagen/"_s, QString(), u"Vorlagen/"_s},
        {QString(), QString(), QString()},
    };
    Configuration local;
    for (const Case& c : cases) {
        EXPECT_EQ(ConfiguredFilePath(server, c.value), c.serverPath) << c.value.toStdString();
        EXPECT_EQ(ConfiguredFilePath(local, c.value), c.localPath) << c.value.toStdString();
    }
    EXPECT_EQ(ClientConfigurationPath(u"/daten/"_s, 42), client + u"standard.cfg"_s);

    // Loading a client's configuration reads its texts from the client folder, keeps its
    // folders inside it and ignores its journal line table.
    config.serverMode = true;
    config.clientNumber = 7;
    const QString clientFolder = Data() + u"Server/Kunden/00000007/"_s;
    ASSERT_TRUE(QDir().mkpath(clientFolder));
    WriteBytes(clientFolder + u"mahn1.txt"_s, "Kunde 7\r\n");
    WriteBytes(Path(u"mahn1.txt"_s), "Datenordner\r\n");
    const QString outside = dir.filePath(u"aussen/pdf"_s);
    ASSERT_TRUE(Load(u"MAHNUNG1TAGEUEBERZAHLZIEL=10,5,../../../mahn1.txt\r\n"
                     "ODBCPROTPRTABLE=fremd\r\nODBCPROTPRTOP=1\r\nODBCPROTPRAUTO=X\r\n"
                     "ODBCPROTADRTABLE=kopf\r\n"
                     "PDFSICHERUNGSPFAD="_s +
                         outside + u"\r\nPDFVERZEICHNIS=/tmp/pdfaus/\r\n"_s,
                     u"Server/Kunden/00000007/standard.cfg"_s));
    EXPECT_EQ(config.MAHNUNG1TAGEUEBERZAHLZIEL.text, u"Kunde 7\n"_s);
    EXPECT_EQ(config.ODBCPROTPRTABLE, u"protpr"_s);
    EXPECT_EQ(config.ODBCPROTPRTOP, 0);
    EXPECT_EQ(config.ODBCPROTPRAUTO, QStringList{u"ID"_s});
    EXPECT_EQ(config.ODBCPROTADRTABLE, u"kopf"_s);
    EXPECT_EQ(config.PDFSICHERUNGSPFAD, clientFolder + u"pdf/"_s);
    EXPECT_TRUE(QFileInfo(clientFolder + u"pdf/Vorlagen"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(outside));
    EXPECT_EQ(config.PDFVERZEICHNIS, clientFolder + u"pdfaus/"_s);

    config.serverMode = false;
    ASSERT_TRUE(Load(u"MAHNUNG1TAGEUEBERZAHLZIEL=10,5,mahn1.txt\r\nODBCPROTPRTABLE=fremd\r\n"_s));
    EXPECT_EQ(config.MAHNUNG1TAGEUEBERZAHLZIEL.text, u"Datenordner\n"_s);
    EXPECT_EQ(config.ODBCPROTPRTABLE, u"fremd"_s);
}
