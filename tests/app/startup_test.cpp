#include "app/datafolder.h"
#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;

TEST(Startup, Caption)
{
    EXPECT_EQ(WindowCaption(QStringLiteral("Standard"), NetworkRole::None, 0, 0),
              QStringLiteral("Faktavo Version: 10.01a; Profil: Standard"));
    EXPECT_EQ(WindowCaption(QStringLiteral("A"), NetworkRole::Server, 2, 0),
              QStringLiteral("Faktavo Version: 10.01a; Profil: A; FV-Server(2)"));
    EXPECT_EQ(WindowCaption(QStringLiteral("A"), NetworkRole::Client, 0, 3),
              QStringLiteral("Faktavo Version: 10.01a; Profil: A; FV-ClientNr.: 3"));
}

TEST(Startup, WorkstationFileStem)
{
    const HardwareAddress address{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    EXPECT_EQ(WorkstationFileStem(address, false, QString()), QStringLiteral("001a2b4d.5e"));
    EXPECT_EQ(WorkstationFileStem(std::nullopt, false, QString()), QStringLiteral("Fakvotmp.db"));
    EXPECT_EQ(WorkstationFileStem(address, true, QStringLiteral("KASSA1")),
              QStringLiteral("KASSA1.xx"));
    EXPECT_EQ(WorkstationFileStem(address, true, QString(31, u'x')), QStringLiteral("001a2b4d.5e"));
}

TEST(Startup, LetterJob)
{
    QStringList lines = {QStringLiteral("BRIEF  kunde@example.at "),
                         QStringLiteral("Frau Mag. Huber"),
                         QStringLiteral("Huber & Söhne"),
                         QString(),
                         QStringLiteral("Hauptstraße 1"),
                         QStringLiteral("5020  Salzburg Stadt "),
                         QStringLiteral("Austria(43)AT"),
                         QStringLiteral("Ihre Anfrage")};
    EXPECT_FALSE(ParseLetterJob(lines)) << "eight lines are no job";
    lines << QStringLiteral("Sehr geehrte Frau Huber,") << QStringLiteral("danke.");
    const auto job = ParseLetterJob(lines);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->email, QStringLiteral("kunde@example.at"));
    EXPECT_EQ(job->postalCode, QStringLiteral("5020"));
    EXPECT_EQ(job->town, QStringLiteral("Salzburg Stadt"));
    EXPECT_EQ(job->subject, QStringLiteral("Ihre Anfrage"));
    EXPECT_EQ(job->text, QStringLiteral("Sehr geehrte Frau Huber,\ndanke.\n"));

    lines[1] = QStringLiteral("!!1003");
    EXPECT_EQ(ParseLetterJob(lines)->customerNumber, 1003);
    lines[0] = QStringLiteral("BRIEFE");
    EXPECT_TRUE(ParseLetterJob(lines));
    lines[0] = QStringLiteral("Brief");
    EXPECT_FALSE(ParseLetterJob(lines));
}

TEST(DataFolder, CurrentFolderWithDocDataElseHome)
{
    QTemporaryDir dir;
    const QString current = dir.filePath(QStringLiteral("work"));
    QDir().mkpath(current);
    EXPECT_EQ(ChooseDataFolder(current, dir.path()), dir.path() + QStringLiteral("/Fakvo/"));
    QDir().mkpath(current + QStringLiteral("/DOCDATA"));
    EXPECT_EQ(ChooseDataFolder(current, dir.path()), current + u'/');
}

TEST(DataFolder, NewFolderFromStartDataAndSubfoldersInOneSpelling)
{
    QTemporaryDir dir;
    const QString start = dir.filePath(QStringLiteral("StartDat"));
    for (const char* sub : {"DocData", "SQL", "Vorlagen", "Hilfe"})
        QDir().mkpath(start + u'/' + QLatin1StringView(sub));
    for (const char* file : {"Fakvo.cfg", "SQL/MusterL.sql", "Hilfe/a.txt", "Vorlagen/x.FVR"}) {
        QFile f(start + u'/' + QLatin1StringView(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    const QString data = dir.filePath(QStringLiteral("Fakvo")) + u'/';
    ASSERT_TRUE(FillNewDataFolder(start, data));
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("Fakvo.cfg")));
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("SQL/MusterL.sql")));
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("Hilfe/a.txt")));
    EXPECT_TRUE(CreateDataSubfolders(data, true).isEmpty());
    for (const char* sub :
         {"postie", "PdfSich/Vorlagen", "Update", "Data", "autopdf", "Server/Kunden"})
        EXPECT_TRUE(QDir(data + QLatin1StringView(sub)).exists()) << sub;
    EXPECT_FALSE(QDir(data + QStringLiteral("Sql")).exists()) << "SQL serves for Sql";

    // A folder that cannot be created is reported with its path.
    QDir(data + QStringLiteral("autopdf")).removeRecursively();
    QFile plainFile(data + QStringLiteral("autopdf"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    EXPECT_EQ(
        CreateDataSubfolders(data, false),
        QStringList{QStringLiteral("Fehler:Das Verzeichnis '%1autopdf' kann nicht ertellt werden!")
                        .arg(data)});
}
