// The settings sheet inside the change transaction: pressing OK on a page writes that page's
// keys and no other page's, keeps the file's comments and order, leaves a backup copy and
// puts the new value in force at once.

#include "common/testsupport.h"
#include "config/configfile.h"
#include "config/password.h"
#include "config/ui/settingsdialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;

class SettingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void okWritesTheOpenedPagesOnly()
    {
        QTemporaryDir dir;
        Configuration config;
        config.dataFolder = dir.path() + u'/';
        const QString path = dir.filePath(QStringLiteral("standard.cfg"));
        const QByteArray original =
            "# Firma M\xFCller\r\nSMTPSERVER=alt.example.at\r\n\r\n# Ende\r\nLOGMAX=50\r\n"
            "EIGENETELEFONVORWAHL=00662\r\n";
        WriteBytes(path, original);
        QVERIFY(LoadConfiguration(config, path));

        const auto result = RunConfigChange(config, false, [](Configuration& c) {
            CEinstellungen sheet(c, SettingsCatalog{});
            QTimer::singleShot(0, &sheet, [&sheet] {
                sheet.OpenPage(QStringLiteral("E-Mail(Tapi/Fax)"));
                sheet.SetFieldValue(QStringLiteral("SMTPSERVER"),
                                    QStringLiteral("smtp.example.at"));
                sheet.SetFieldValue(QStringLiteral("KOPIEPASSWORT"), QStringLiteral("Geheim"));
                for (QPushButton* button : sheet.findChildren<QPushButton*>()) {
                    if (button->text() == QStringLiteral("OK"))
                        button->click();
                }
            });
            if (sheet.exec() != QDialog::Accepted)
                return false;
            sheet.WriteOpenedPages(c);
            return true;
        });
        QCOMPARE(result, ConfigChangeResult::Saved);
        QCOMPARE(config.SMTPSERVER, QStringLiteral("smtp.example.at"));
        QCOMPARE(config.KOPIEPASSWORT, QStringLiteral("Geheim"));
        QCOMPARE(ReadBytes(path + u'x'), original);

        const QByteArray written = ReadBytes(path);
        QVERIFY(
            written.contains("# Firma M\xFC"
                             "ller\r\nSMTPSERVER=smtp.example.at\r\n\r\n# Ende\r\nLOGMAX=50\r\n"));
        QVERIFY(written.contains(
            "KOPIEPASSWORT=" + ToCp1252(PasswordToFileValue(QStringLiteral("Geheim"))) + "\r\n"));
        QVERIFY2(written.contains("\r\nEIGENERLAENDERCODE=43\r\n") ||
                     written.startsWith("EIGENERLAENDERCODE=43\r\n"),
                 "the first page is open from the start and writes its keys");
        QVERIFY2(!written.contains("SMSABSENDER="), "a page never opened writes nothing");
        QVERIFY2(written.contains("\r\nEIGENETELEFONVORWAHL=00662\r\n"),
                 "a value the loader transforms is written back as the file had it");
        QCOMPARE(config.EIGENETELEFONVORWAHL, QStringLiteral("0662"));
    }

    void cancelWritesNothing()
    {
        QTemporaryDir dir;
        Configuration config;
        const QString path = dir.filePath(QStringLiteral("standard.cfg"));
        WriteBytes(path, "SMTPSERVER=alt\r\n");
        QVERIFY(LoadConfiguration(config, path));
        const auto result = RunConfigChange(config, false, [](Configuration& c) {
            CEinstellungen sheet(c, SettingsCatalog{});
            QTimer::singleShot(0, &sheet, &QDialog::reject);
            return sheet.exec() == QDialog::Accepted;
        });
        QCOMPARE(result, ConfigChangeResult::Cancelled);
        QCOMPARE(ReadBytes(path), QByteArray("SMTPSERVER=alt\r\n"));
    }

    void everyPageKeyIsAKnownKey()
    {
        for (const SettingsPage& page : SettingsPages()) {
            for (const SettingsField& field : page.fields)
                QVERIFY2(FindKey(field.key) != nullptr,
                         qPrintable(page.caption + u':' + field.key));
        }
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settingsdialog_test.moc"
