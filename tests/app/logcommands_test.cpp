// The log commands of the main window: the viewer "Protokoll" and showing and deleting the
// SQL log, on a fresh data folder, offscreen.

#include "app/logviewer.h"
#include "app/mainwindow.h"
#include "common/testsupport.h"
#include "support/log.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace fakvo;

class LogCommandsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    StartEnvironment Environment() const
    {
        StartEnvironment env;
        env.applicationDir = m_dir.filePath(QStringLiteral("bin"));
        env.currentDir = m_dir.path();
        env.homeDir = m_dir.path();
        env.hardwareAddress = HardwareAddress{0x02, 0x11, 0x22, 0x33, 0x44, 0x55};
        env.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(10, 30)); };
        return env;
    }

private slots:
    void sqlLogCommandsTellWhatTheyDo()
    {
        fakvo::test::ScriptedPrompts prompts;
        CZelvaDlg window({}, Environment());
        QVERIFY(window.Initialise());
        const QString sqlLog = window.dataFolder() + QStringLiteral("FVSQLLOG.TXT");
        QVERIFY(!QFile::exists(sqlLog));

        window.ShowSqlLog();
        QVERIFY(prompts.messages.last().startsWith(
            QStringLiteral("Derzeit sind keine Log-Einträge vorhanden.")));
        window.DeleteSqlLog();
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral("Es existiert kein Log-File zum Löschen."));

        QVERIFY(fakvo::test::WriteBytes(sqlLog, "#---x\r\n"));
        prompts.answers = {kAnswerNo};
        window.DeleteSqlLog();
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral("Wollen Sie wirklich die das Sql-Logfile löschen?"));
        QVERIFY(QFile::exists(sqlLog));
        prompts.answers = {kAnswerYes};
        window.DeleteSqlLog();
        QVERIFY(!QFile::exists(sqlLog));
        window.close();
    }

    void viewerShowsThisProfilesEntriesAndSaysPrintingIsNotThereYet()
    {
        fakvo::test::ScriptedPrompts prompts;
        CZelvaDlg window({}, Environment());
        QVERIFY(window.Initialise());
        Log(202600001, QStringLiteral("Rechnung an 'Müller' wurde gespeichert"));

        QString shown;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<CProtokoll*>(QApplication::activeModalWidget());
            QVERIFY(viewer);
            shown = viewer->findChild<QPlainTextEdit*>(QStringLiteral("log"))->toPlainText();
            for (QPushButton* button : viewer->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Drucken"))
                    button->click();
            }
            viewer->reject();
        });
        window.ShowLogViewer();
        QVERIFY(shown.contains(QStringLiteral("CLIENT=02112244.55")));
        QVERIFY(
            shown.contains(QStringLiteral(" 202600001 Rechnung an 'Müller' wurde gespeichert")));
        QVERIFY2(shown.contains(QStringLiteral("Programm wurde gestartet")), qPrintable(shown));
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral(
                     "Das Drucken des Protokolls ist in dieser Version noch nicht verfügbar."));
        window.close();
    }
};

QTEST_MAIN(LogCommandsTest)
#include "logcommands_test.moc"
