#include "config/configfile.h"
#include "config/password.h"

#include "common/testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;

namespace {

class ConfigFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        config.dataFolder = dir.path() + u'/';
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Writes a configuration file (lines joined with CR LF) and loads it.
    bool Load(const QByteArray& content, const char* name = "standard.cfg")
    {
        WriteBytes(Path(name), content);
        return LoadConfiguration(config, Path(name));
    }

    QTemporaryDir dir;
    Configuration config;
    fakvo::test::ScriptedPrompts prompts;
};

} // namespace

TEST_F(ConfigFileTest, LineSyntax)
{
    ASSERT_TRUE(Load("SMTPSERVER=a=b\r\n=x\r\nno equals\r\n#SMSABSENDER=1\r\n;SMSABSENDER=2\r\n"));
    EXPECT_EQ(config.SMTPSERVER, QStringLiteral("a=b"));
    EXPECT_EQ(config.SMSABSENDER, QString()) << "comments and unknown keys are ignored";
}

TEST_F(ConfigFileTest, KeysMatchByPrefixButLongerKeysKeepTheirLines)
{
    ASSERT_TRUE(Load("SEITENNUMMERNRECHTS=0\r\nDATUMFORMAT=1\r\nSMSABSENDEREMAIL=a@b.at\r\n"
                     "FONTNAME=Courier\r\nLOGMAX =5\r\nLOGMAX=7\r\nLOGMAX=9\r\n"));
    EXPECT_EQ(config.SEITENNUMMERN, 1);
    EXPECT_EQ(config.SEITENNUMMERNRECHTS, 0);
    EXPECT_EQ(config.DATUMFORMAT, 1);
    EXPECT_EQ(config.DATUM.x, 1240) << "DATUMFORMAT must not touch DATUM";
    EXPECT_EQ(config.DATUM.alignment, Alignment::Right);
    EXPECT_EQ(config.SMSABSENDER, QString());
    EXPECT_EQ(config.SMSABSENDEREMAIL, QStringLiteral("a@b.at"));
    EXPECT_EQ(config.FONT, QStringLiteral("Courier"));
    EXPECT_EQ(config.LOGMAX, 9) << "the last line of a key wins";
}

TEST_F(ConfigFileTest, LoadRulesAndDerivedValues)
{
    ASSERT_TRUE(
        Load("EIGENERLAENDERCODE=0\r\nSTARTRECHNUNGSNUMMER=1234567\r\nFONT=Helvetica Neue\r\n"
             "EIGENETELEFONVORWAHL=0662\r\nDANKEFUERAUFTRAG=Danke\\nf\xFCr Ihren Auftrag\r\n"
             "DATUM=10,20\r\nBRIEFTEXTZEILEN=40\r\n"));
    EXPECT_EQ(config.EIGENERLAENDERCODE, 43);
    EXPECT_EQ(config.STARTRECHNUNGSNUMMER, 34567);
    EXPECT_EQ(config.FONT, QStringLiteral("Arial"));
    EXPECT_EQ(config.EIGENETELEFONVORWAHL, QStringLiteral("662"));
    EXPECT_EQ(config.DANKEFUERAUFTRAG, QStringLiteral("Danke\nfür Ihren Auftrag"));
    EXPECT_EQ(config.DATUM.x, 10);
    EXPECT_EQ(config.DATUM.y, 20);
    EXPECT_EQ(config.DATUM.alignment, Alignment::Right) << "missing pieces keep the default";
    EXPECT_EQ(config.BRIEFTEXTZEILEN, (QList<int>{40, 58}));
    EXPECT_EQ(config.PDFVERZEICHNIS, config.dataFolder + QStringLiteral("autopdf/"));
}

TEST_F(ConfigFileTest, LongLinesAreReadInPiecesOf254)
{
    const QByteArray line = "SMTPSERVER=" + QByteArray(300 - 11, 'x');
    WriteBytes(Path("long.cfg"), line + "\r\nX\r\n");
    const QStringList lines = ReadConfigLines(Path("long.cfg"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 254);
    EXPECT_EQ(lines[1].size(), 46);
    EXPECT_EQ(lines[2], QStringLiteral("X"));
}

TEST_F(ConfigFileTest, EachLoadStartsFromTheDefaultsExceptKeptKeys)
{
    ASSERT_TRUE(Load(
        "WAEHRUNGIST=1\r\nSERVERPORT=3000\r\nBRIEFTEXTZEILEN=1,2\r\nDATUM=1,2,left\r\n", "a.cfg"));
    ASSERT_TRUE(Load("LOGMAX=5\r\n", "b.cfg"));
    EXPECT_EQ(config.WAEHRUNGIST, 0);
    TextItem defaultDate;
    defaultDate.x = 1240;
    defaultDate.y = 800;
    defaultDate.alignment = Alignment::Right;
    EXPECT_EQ(config.DATUM, defaultDate);
    EXPECT_EQ(config.SERVERPORT, 3000) << "kept from the previous profile";
    EXPECT_EQ(config.BRIEFTEXTZEILEN, (QList<int>{1, 2}));
}

TEST_F(ConfigFileTest, MissingOrEmptyFileFailsWithDefaults)
{
    EXPECT_FALSE(LoadConfiguration(config, Path("missing.cfg")));
    EXPECT_EQ(
        prompts.messages,
        QStringList{
            QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(Path("missing.cfg"))});
    EXPECT_FALSE(Load("# only a comment\r\n\r\n"));
    EXPECT_EQ(config.LOGMAX, 1000);
}

TEST_F(ConfigFileTest, GetAndSetValueOnTheLineList)
{
    config.lines = {QStringLiteral("# Kommentar"), QStringLiteral("LOGMAX =1"),
                    QStringLiteral("SMTPSERVER=mail")};
    EXPECT_EQ(ConfigGetValue(config, QStringLiteral("SMTPSERVER")), QStringLiteral("mail"));
    EXPECT_EQ(ConfigGetValue(config, QStringLiteral("LOGMAX")), QString());
    EXPECT_EQ(config.lines.first(), QStringLiteral("LOGMAX="))
        << "a missing key is inserted at the top";
    ConfigSetValue(config, QStringLiteral("SMTPSERVER"), QStringLiteral("smtp.example.at"));
    ConfigSetValue(config, QStringLiteral("BEEPON"), QStringLiteral("1"));
    EXPECT_EQ(config.lines, (QStringList{QStringLiteral("BEEPON=1"), QStringLiteral("LOGMAX="),
                                         QStringLiteral("# Kommentar"), QStringLiteral("LOGMAX =1"),
                                         QStringLiteral("SMTPSERVER=smtp.example.at")}));
}

TEST_F(ConfigFileTest, ChangeKeepsCommentsOrderAndWholeLines)
{
    const QByteArray longValue(300, 'L');
    const QByteArray line253 = "SMSABSENDER=" + QByteArray(253 - 12, 'k');
    const QByteArray original =
        "# Firma M\xFCller\r\n\r\nSMTPSERVER=alt\r\nSMSABSENDEREMAIL=" + longValue + "\r\n" +
        line253 + "\r\n#Ende\r\n";
    ASSERT_TRUE(Load(original));
    const auto result = RunConfigChange(config, false, [](Configuration& c) {
        ConfigSetValue(c, QStringLiteral("SMTPSERVER"), QStringLiteral("neu"));
        ConfigSetValue(c, QStringLiteral("ODBCPWD"),
                       PasswordToFileValue(QStringLiteral("Geheim1")));
        return true;
    });
    ASSERT_EQ(result, ConfigChangeResult::Saved);
    EXPECT_EQ(ReadBytes(Path("standard.cfgx")), original) << "backup holds the previous content";
    const QByteArray expected =
        "ODBCPWD=" + ToCp1252(PasswordToFileValue(QStringLiteral("Geheim1"))) +
        "\r\n# Firma M\xFCller\r\n\r\nSMTPSERVER=neu\r\nSMSABSENDEREMAIL=" + longValue + "\r\n" +
        line253 + "\r\n#Ende\r\n";
    EXPECT_EQ(ReadBytes(Path("standard.cfg")), expected);
    EXPECT_EQ(config.SMTPSERVER, QStringLiteral("neu"));
    EXPECT_EQ(config.ODBCPWD, QStringLiteral("Geheim1"));
    EXPECT_TRUE(config.lines.isEmpty());

    // A second change that alters nothing leaves the file byte for byte as it was.
    ASSERT_EQ(RunConfigChange(config, false, [](Configuration&) { return true; }),
              ConfigChangeResult::Saved);
    EXPECT_EQ(ReadBytes(Path("standard.cfg")), expected);
}

TEST_F(ConfigFileTest, ChangeThatIsCancelledOrTooShortWritesNothing)
{
    const QByteArray original = "SMTPSERVER=alt\r\n";
    ASSERT_TRUE(Load(original));
    EXPECT_EQ(RunConfigChange(config, false, [](Configuration&) { return false; }),
              ConfigChangeResult::Cancelled);
    EXPECT_EQ(RunConfigChange(
                  config, false,
                  [](Configuration& c) {
                      // Enough new keys to lengthen the one-line file past the guard.
                      for (int i = 0; i < 25; ++i)
                          ConfigSetValue(c, QStringLiteral("KEY%1").arg(i), QStringLiteral("x"));
                      return true;
                  },
                  20),
              ConfigChangeResult::Refused);
    EXPECT_EQ(ReadBytes(Path("standard.cfg")), original);
    EXPECT_EQ(prompts.messages.last(),
              QStringLiteral("Die Konfigurationsdatei wird nicht aktualisiert!"));
}

TEST_F(ConfigFileTest, WriteFailureIsReportedAndCounted)
{
    config.path = dir.filePath(QStringLiteral("no-such-folder/standard.cfg"));
    config.lines = {QStringLiteral("A=1")};
    EXPECT_EQ(WriteConfiguration(config, QString()), 0);
    EXPECT_EQ(prompts.messages.last(),
              QStringLiteral("Fehler:Datei '%1' kann nicht geöffnet werden!").arg(config.path));
}

TEST_F(ConfigFileTest, LockIsExclusiveBetweenProcesses)
{
    ASSERT_TRUE(Load("SMTPSERVER=alt\r\n"));
    ASSERT_TRUE(LockConfiguration(config.dataFolder));
    const pid_t child = fork();
    if (child == 0) {
        // Another workstation: its change must be refused with the lock message.
        fakvo::test::ScriptedPrompts childPrompts;
        const auto result = RunConfigChange(config, true, [](Configuration&) { return true; });
        const bool refused =
            result == ConfigChangeResult::Refused &&
            childPrompts.messages.value(0).startsWith(QStringLiteral("Derzeit ist"));
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    UnlockConfiguration();
    EXPECT_EQ(RunConfigChange(config, true, [](Configuration&) { return true; }),
              ConfigChangeResult::Saved);
}

TEST_F(ConfigFileTest, ProfileListAndExplicitFile)
{
    WriteBytes(Path("Fakvo.cfg"),
               "Standard=standard.cfg\r\n#Alt=alt.cfg\r\nFirma 2=firma2.cfg\r\n");
    ASSERT_TRUE(ReadProfileList(config));
    ASSERT_EQ(config.profiles.size(), 2);
    EXPECT_EQ(config.profiles[1].name, QStringLiteral("Firma 2"));
    EXPECT_EQ(config.profiles[1].path, QStringLiteral("firma2.cfg"));
    EXPECT_EQ(ProfileNumberOf(config, QStringLiteral("firma2.cfg")), 2);

    config.explicitFile = QStringLiteral("firma.cfg");
    ASSERT_TRUE(ReadProfileList(config));
    ASSERT_EQ(config.profiles.size(), 1);
    EXPECT_EQ(config.profiles[0].path, QStringLiteral("firma.cfg"));
}

TEST_F(ConfigFileTest, ServerSettingsArePlainValues)
{
    QDir(dir.path()).mkpath(QStringLiteral("Server"));
    WriteBytes(Path("Server/Fakvosv.cfg"),
               "MAILPOP3=pop.example.at\r\nMAILPASSWORD=070706!\xBF!\r\n"
               "A4VONOBEN=12\r\nSMSABSENDEREMAIL=s@x.at\r\n");
    const ServerSettings settings = ReadServerSettings(config.dataFolder);
    EXPECT_EQ(settings.MAILPOP3, QStringLiteral("pop.example.at"));
    EXPECT_EQ(settings.MAILPASSWORD, QStringLiteral("070706!\u00BF!"));
    EXPECT_EQ(settings.A4VONOBEN, 12);
    EXPECT_EQ(settings.SMSABSENDEREMAIL, QStringLiteral("s@x.at"));
    EXPECT_EQ(ClientConfigurationPath(QStringLiteral("/d/"), 42),
              QStringLiteral("/d/Server/Kunden/00000042/standard.cfg"));
}

TEST(KeyTable, EveryKeyResetsToItsDefaultAndWritesBackWhatItRead)
{
    for (const KeyEntry& entry : KeyTable()) {
        Configuration config;
        // UPDATEURL is the one key whose default its load rule replaces.
        if (QLatin1StringView(entry.name) != QLatin1StringView("UPDATEURL")) {
            EXPECT_EQ(entry.fileValue(config), entry.defaultValue()) << entry.name;
        }
        EXPECT_EQ(FindKeyForLine(QString::fromLatin1(entry.name)), &entry) << entry.name;
        // A value written back and read again gives the same member value.
        const QString written = entry.fileValue(config);
        entry.apply(config, written);
        EXPECT_EQ(entry.fileValue(config), written) << entry.name;
    }
}
