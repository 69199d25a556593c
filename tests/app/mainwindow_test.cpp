// The main window on a fresh data folder, offscreen, and the program's start-up from outside.

#include "app/mainwindow.h"
#include "common/logtexts.h"
#include "common/testsupport.h"
#include "storage/logtable.h"
#include "storage/worksettings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLocalSocket>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace fakvo;
using fakvo::test::WriteBytes;

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_stem = QStringLiteral("001a2b4d.5e");

    QStringList LogTexts() const { return fakvo::test::LogTableTexts(DataFolder(), m_stem); }

    StartEnvironment Environment() const
    {
        StartEnvironment env;
        env.applicationDir = m_dir.filePath(QStringLiteral("bin"));
        env.currentDir = m_dir.filePath(QStringLiteral("work"));
        env.homeDir = m_dir.path();
        env.hardwareAddress = HardwareAddress{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
        env.hostName = QStringLiteral("kassa1");
        env.loginName = QStringLiteral("anna");
        env.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(10, 30)); };
        return env;
    }

    QString DataFolder() const { return m_dir.filePath(QStringLiteral("Fakvo")) + u'/'; }

    QAction* ProfileAction(CZelvaDlg& window, const QString& text)
    {
        for (QAction* action : window.menuBar()->actions().first()->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    // Runs the real program with HOME in the test folder and returns its exit code.
    int RunProgram(const QStringList& args, QByteArray* errorOutput = nullptr,
                   bool exitAfterStart = true)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home2")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (exitAfterStart)
            env.insert(QStringLiteral("FAKVO_EXIT_AFTER_START"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(FAKVO_BINARY), args);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (errorOutput)
            *errorOutput = process.readAllStandardError();
        return process.exitCode();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("work")));
    }

    void freshStartCreatesTheDataFolderAndShowsTheCaption()
    {
        fakvo::test::ScriptedPrompts prompts;
        CZelvaDlg window({}, Environment());
        QVERIFY(window.Initialise());
        QCOMPARE(window.windowTitle(), QStringLiteral("Faktavo Version: 10.01a; Profil: Standard"));
        QCOMPARE(window.dataFolder(), DataFolder());
        QCOMPARE(QDir::currentPath() + u'/', DataFolder());
        for (const char* sub : {"DocData", "SQL", "Vorlagen", "Hilfe", "PdfSich/Vorlagen",
                                "autopdf", "Data", "postie", "Update"})
            QVERIFY2(QDir(DataFolder() + QLatin1StringView(sub)).exists(), sub);
        QVERIFY(QFile::exists(DataFolder() + QStringLiteral("standard.cfg")));
        QVERIFY2(QFile::exists(DataFolder() + QStringLiteral("Fakvo.db")),
                 "the SQLite journal of a new data folder");
        QCOMPARE(window.databaseSettings().journalHeaders.dataSource, QStringLiteral("!Fakvo.db"));
        QCOMPARE(window.fileStem(), m_stem);
        QVERIFY(prompts.messages.isEmpty());

        // An empty invoice, its caption in dark blue, and the 50 countries to choose from.
        QCOMPARE(window.document().type, DocumentType::Invoice);
        auto* caption = window.findChild<QLabel*>(QStringLiteral("typeCaption"));
        QCOMPARE(caption->text(), QStringLiteral("Rechnung"));
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("country"))->count(), 50);

        // The profile's working settings exist, with the display period of the current year.
        QVERIFY(QFile::exists(DataFolder() + m_stem + u'1'));
        QCOMPARE(window.workSettings()->ReadSetting(WorkSetting::PeriodFrom), 20260101);
        QCOMPARE(window.workSettings()->ReadSetting(WorkSetting::PeriodTo), 20261231);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.close();
        const QStringList log = LogTexts();
        QVERIFY(log.contains(QStringLiteral("Programm wurde gestartet")));
        QVERIFY(log.contains(QStringLiteral("Lese Konfigurationsdatei: standard.cfg")));
        QCOMPARE(log.last(), QStringLiteral("Programm wurde beendet"));
    }

    void secondStartKeepsTheFolderAndSwitchesProfiles()
    {
        // The user's own changes survive a second start: nothing is copied again.
        WriteBytes(DataFolder() + QStringLiteral("Fakvo.cfg"),
                   "Standard=standard.cfg\r\nFiliale Linz=linz.cfg\r\n");
        WriteBytes(DataFolder() + QStringLiteral("linz.cfg"), "DOCBEARBEITER=Linz\r\n");
        StartOptions options;
        options.profileIndex = 1;
        CZelvaDlg window(options, Environment());
        QVERIFY(window.Initialise());
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Faktavo Version: 10.01a; Profil: Filiale Linz"));
        QCOMPARE(window.config().DOCBEARBEITER, QStringLiteral("Linz"));

        QAction* standard = ProfileAction(window, QStringLiteral("Lade Konfiguration &Standard"));
        QVERIFY(standard);
        QVERIFY(ProfileAction(window, QStringLiteral("Lade Konfiguration &Filiale Linz")));
        standard->trigger();
        QCOMPARE(window.windowTitle(), QStringLiteral("Faktavo Version: 10.01a; Profil: Standard"));
        QCOMPARE(window.config().DOCBEARBEITER, QStringLiteral("WindowsBenutzer"));
        window.close();
    }

    void explicitConfigurationFileIsTheOnlyProfile()
    {
        WriteBytes(DataFolder() + QStringLiteral("firma.cfg"), "LOGMAX=5\r\n");
        StartOptions options;
        options.explicitConfigFile = QStringLiteral("firma.cfg");
        CZelvaDlg window(options, Environment());
        QVERIFY(window.Initialise());
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Faktavo Version: 10.01a; Profil: firma.cfg"));
        QCOMPARE(window.config().LOGMAX, 5);
        window.close();
    }

    void profileOutsideTheListEndsTheStart()
    {
        fakvo::test::ScriptedPrompts prompts;
        StartOptions options;
        options.profileIndex = 7;
        CZelvaDlg window(options, Environment());
        QVERIFY(!window.Initialise());
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(QStringLiteral("Das Profil Nr. 7")));
    }

    void escapeAsksBeforeEnding()
    {
        fakvo::test::ScriptedPrompts prompts;
        CZelvaDlg window({}, Environment());
        QVERIFY(window.Initialise());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        prompts.answers = {kAnswerNo, kAnswerYes};
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(prompts.messages,
                 (QStringList{QStringLiteral("Wollen Sie das Programm wirklich beenden?"),
                              QStringLiteral("Wollen Sie das Programm wirklich beenden?")}));
    }

    void programEndsAtOnceOnAnUnknownOption()
    {
        QCOMPARE(RunProgram({QStringLiteral("-Z")}, nullptr, false), 1);
        QVERIFY(!QDir(m_dir.filePath(QStringLiteral("home2/Fakvo"))).exists());
    }

    void programShowsTheFormatMessageAndStarts()
    {
        QByteArray errors;
        QCOMPARE(RunProgram({QStringLiteral("-I1"), QStringLiteral("-G1003")}, &errors), 0);
        QVERIFY2(errors.contains("Ung\xC3\xBCltiges Parameterformat!"), errors.constData());
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("home2/Fakvo/standard.cfg"))));
    }

    void automaticJobsStoreUnattendedAndEnd()
    {
        // An invoice template for customer 1 of the sample data, and a letter job for it.
        const QString tmpl = m_dir.filePath(QStringLiteral("auto test.fvr"));
        QVERIFY(WriteBytes(tmpl, "0\r\n0\r\n1\r\n14\r\n1\r\n0\r\n\r\n1\r\n\r\n\r\n\r\n"
                                 "2\tST-100\tStuhl\t20\t189.00\t378.00\t\t\r\n"));
        QCOMPARE(
            RunProgram({QStringLiteral("-I1"), QStringLiteral("-G1;") + tmpl, QStringLiteral("-E")},
                       nullptr, false),
            0);
        QVERIFY2(QFile::exists(tmpl + QStringLiteral(".OK")),
                 "the caller learns that the job is done");

        const QString job = m_dir.filePath(QStringLiteral("brief.txt"));
        QVERIFY(WriteBytes(job,
                           "BRIEF kunde@example.at\r\n!!1\r\n\r\n\r\n\r\n\r\n\r\n"
                           "Ihre Anfrage\r\nSehr geehrte Damen und Herren,\r\nvielen Dank.\r\n"));
        QCOMPARE(
            RunProgram({QStringLiteral("-I1"), QStringLiteral("-D") + job, QStringLiteral("-E")},
                       nullptr, false),
            0);

        const QString journal = m_dir.filePath(QStringLiteral("home2/Fakvo/Fakvo.db"));
        QProcess sqlite;
        sqlite.start(
            QStringLiteral("sqlite3"),
            {journal,
             QStringLiteral("SELECT DOCTYPE, KUNDENNR, AMERKUNG, EBETRAG, VERSAND FROM protadr "
                            "ORDER BY ID")});
        QVERIFY(sqlite.waitForFinished(30000));
        const QStringList rows =
            QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed().split(u'\n');
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], QStringLiteral("0|1||453.6|1"));
        QCOMPARE(rows[1], QStringLiteral("8|1|Ihre Anfrage|0|1"));
    }

    void secondInstanceHandsOverAndEnds()
    {
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home2")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(FAKVO_BINARY), {});
        QVERIFY(first.waitForStarted());
        // Wait (bounded) until the first instance answers on its socket.
        QLocalSocket probe;
        bool listening = false;
        for (int i = 0; i < 100 && !listening; ++i) {
            probe.connectToServer(QStringLiteral("faktavo-%1").arg(getuid()));
            listening = probe.waitForConnected(100);
            if (!listening)
                QTest::qWait(100);
        }
        probe.disconnectFromServer();
        QVERIFY(listening);
        QCOMPARE(RunProgram({}, nullptr, false), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
