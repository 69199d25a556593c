// The dialog "Einstellungen der perönlichen Anrede" inside the configuration's change
// transaction: what it shows on opening, the "..." column chooser, the keys it writes into a
// normal file (comments and order kept), and a short file that is never rewritten.

#include "common/testsupport.h"
#include "config/configfile.h"
#include "texts/ui/salutationdialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::ScriptedPrompts;
using fakvo::test::WriteBytes;

namespace {

// 22 lines: comments, empty lines and keys, two of the salutation keys among them.
const QByteArray kNormalFile = "# Faktavo Konfiguration M\xFCller\r\n"
                               "\r\n"
                               "SMTPSERVER=mail.example.at\r\n"
                               "# Anreden\r\n"
                               "ANREDETEXT2=Sehr geehrte Frau !!TITEL !!ZUNAME!\xBF\xBF"
                               "Fr\r\n"
                               "ODBCANREDE2=ANREDE\r\n"
                               "ODBCANREDE3=ANREDE\r\n"
                               "# Ende der Anreden\r\n"
                               "LOGMAX=50\r\n"
                               "# 1\r\n# 2\r\n# 3\r\n# 4\r\n# 5\r\n# 6\r\n# 7\r\n# 8\r\n"
                               "# 9\r\n# 10\r\n# 11\r\n# 12\r\n"
                               "DOCBEARBEITER=Eva\r\n";

QWidget* ModalDialog()
{
    return QApplication::activeModalWidget();
}

QLineEdit* Edit(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void PressOk(QWidget* dialog)
{
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class SalutationDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void okWritesTheKeysIntoANormalFile()
    {
        QTemporaryDir dir;
        Configuration config;
        config.dataFolder = dir.path() + u'/';
        const QString path = dir.filePath(QStringLiteral("standard.cfg"));
        WriteBytes(path, kNormalFile);
        QVERIFY(LoadConfiguration(config, path));
        ScriptedPrompts prompts;

        AddressValues selected;
        selected.firstName = QStringLiteral("Max");
        selected.lastName = QStringLiteral("Berger");

        QString shownText2, shownMatch2, shownColumns2, shownText1, legendFirstName;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = ModalDialog();
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Einstellungen der perönlichen Anrede"));
            shownText1 = Edit(dialog, "anredetext1")->text();
            shownText2 = Edit(dialog, "anredetext2")->text();
            shownMatch2 = Edit(dialog, "wenntext2")->text();
            shownColumns2 = Edit(dialog, "imfeld2")->text();
            const auto* legend = dialog->findChild<QTableWidget*>();
            for (int row = 0; legend != nullptr && row < legend->rowCount(); ++row) {
                if (legend->item(row, 0)->text() == u"!!VORNAME")
                    legendFirstName = legend->item(row, 1)->text();
            }

            Edit(dialog, "anredetext1")->setText(QStringLiteral("Servus !!VORNAME!"));
            Edit(dialog, "wenntext1")->setText(QStringLiteral("du"));
            Edit(dialog, "anredeleer")->setText(QStringLiteral("Liebe Kunden!"));
            // "..." on row 3 chooses a column of the address table.
            QTimer::singleShot(0, this, [] {
                auto* chooser = qobject_cast<QInputDialog*>(ModalDialog());
                QVERIFY(chooser != nullptr);
                QCOMPARE(chooser->comboBoxItems(),
                         (QStringList{QStringLiteral("ANREDE"), QStringLiteral("GESCHLECHT")}));
                chooser->setTextValue(QStringLiteral("GESCHLECHT"));
                chooser->accept();
            });
            dialog->findChild<QPushButton*>(QStringLiteral("auswahl3"))->click();
            PressOk(dialog);
        });

        const ConfigChangeResult result = ChangeSalutationSettings(config, false, selected, [] {
            return QStringList{QStringLiteral("ANREDE"), QStringLiteral("GESCHLECHT")};
        });
        QCOMPARE(result, ConfigChangeResult::Saved);
        QCOMPARE(prompts.messages, QStringList());

        QCOMPARE(shownText2, QStringLiteral("Sehr geehrte Frau !!TITEL !!ZUNAME!"));
        QCOMPARE(shownMatch2, QStringLiteral("Fr"));
        QCOMPARE(shownColumns2, QStringLiteral("ANREDE"));
        QCOMPARE(shownText1, QStringLiteral("Hallo !!VORNAME!"));
        QCOMPARE(legendFirstName, QStringLiteral("Max"));

        // In force at once.
        QCOMPARE(config.ANREDETEXT1, QStringLiteral("Servus !!VORNAME!¿¿du"));
        QCOMPARE(config.ODBCANREDE3, QStringLiteral("ANREDE,GESCHLECHT"));
        QCOMPARE(config.ANREDELEER, QStringLiteral("Liebe Kunden!"));
        QCOMPARE(ReadBytes(path + u'x'), kNormalFile);

        // Lines of the file keep their place; keys it did not name are added.
        const QByteArray written = ReadBytes(path);
        QVERIFY(written.contains(
            "\r\n# Faktavo Konfiguration M\xFC"
            "ller\r\n\r\nSMTPSERVER=mail.example.at\r\n# Anreden\r\n"
            "ANREDETEXT2=Sehr geehrte Frau !!TITEL !!ZUNAME!\xBF\xBF"
            "Fr\r\nODBCANREDE2=ANREDE\r\nODBCANREDE3=ANREDE,GESCHLECHT\r\n# Ende der Anreden\r\n"
            "LOGMAX=50\r\n"));
        QVERIFY(written.endsWith("# 12\r\nDOCBEARBEITER=Eva\r\n"));
        QVERIFY(written.contains("ANREDETEXT1=Servus !!VORNAME!\xBF\xBF"
                                 "du\r\n"));
        QVERIFY(written.contains("ANREDELEER=Liebe Kunden!\r\n"));
        QVERIFY(written.contains("ANREDETEXT5=\xBF\xBF\r\n"));
        QCOMPARE(written.count("ODBCANREDE3="), 1);
    }

    void aShortFileIsNeverRewritten()
    {
        // 15 lines: the eleven keys the dialog writes would make it long enough, but a file
        // this short was not read whole or is damaged.
        QTemporaryDir dir;
        Configuration config;
        config.dataFolder = dir.path() + u'/';
        const QString path = dir.filePath(QStringLiteral("standard.cfg"));
        QByteArray shortFile = "SMTPSERVER=mail.example.at\r\n";
        for (int i = 0; i < 14; ++i)
            shortFile += "# Zeile " + QByteArray::number(i) + "\r\n";
        WriteBytes(path, shortFile);
        QVERIFY(LoadConfiguration(config, path));
        ScriptedPrompts prompts;

        QTimer::singleShot(0, this, [] {
            QWidget* dialog = ModalDialog();
            QVERIFY(dialog != nullptr);
            Edit(dialog, "anredeleer")->setText(QStringLiteral("Liebe Kunden!"));
            PressOk(dialog);
        });
        const ConfigChangeResult result =
            ChangeSalutationSettings(config, false, std::nullopt, ColumnProvider());

        QCOMPARE(result, ConfigChangeResult::Refused);
        QCOMPARE(prompts.messages,
                 QStringList{QStringLiteral("Die Konfigurationsdatei wird nicht aktualisiert!")});
        QCOMPARE(ReadBytes(path), shortFile);
        QCOMPARE(config.ANREDELEER, QStringLiteral("Sehr geehrte Damen und Herren!"));
    }
};

QTEST_MAIN(SalutationDialogTest)
#include "salutationdialog_test.moc"
