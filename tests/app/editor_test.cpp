// The document editor driven as a user drives it: the real main window on its own data folder
// with the embedded SQLite journal, offscreen.

#include "app/editor/conditionsdialog.h"
#include "app/editor/documenteditor.h"
#include "app/editor/linemeasure.h"
#include "app/editor/productlist.h"
#include "app/editor/selectionlist.h"
#include "app/editor/typebar.h"
#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "common/logtexts.h"
#include "common/testsupport.h"
#include "platform/codec.h"
#include "storage/logtable.h"
#include "storage/ui/productcontrol.h"
#include "storage/ui/recorddialog.h"
#include "storage/worksettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::ScriptedPrompts;
using fakvo::test::WriteBytes;

namespace {

const QString kStem = QStringLiteral("001a2b4d.5e");

// A data folder of its own with a small profile, and the main window started on it.
class Fixture
{
public:
    explicit Fixture(const QByteArray& extraSettings = {})
    {
        QDir().mkpath(Folder() + QStringLiteral("DocData"));
        QDir().mkpath(Folder() + QStringLiteral("Vorlagen"));
        WriteBytes(Folder() + QStringLiteral("Fakvo.cfg"), "Standard=standard.cfg\r\n");
        // The shipped profile, with its sample address and product tables, and numbers that
        // start at 1.
        WriteBytes(Folder() + QStringLiteral("standard.cfg"),
                   ReadBytes(QStringLiteral(FAKVO_STARTDAT "/standard.cfg")) +
                       "\r\nSTARTRECHNUNGSNUMMER=1\r\nSTARTDOCNUMMER=1\r\nDOCBEARBEITER=Anna\r\n" +
                       extraSettings);
        StartEnvironment env;
        env.applicationDir = m_dir.filePath(QStringLiteral("bin"));
        env.currentDir = m_dir.path();
        env.homeDir = m_dir.path();
        env.hardwareAddress = HardwareAddress{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
        env.hostName = QStringLiteral("kassa1");
        env.loginName = QStringLiteral("anna");
        env.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(10, 30)); };
        window = std::make_unique<CZelvaDlg>(StartOptions{}, env);
        started = window->Initialise();
        if (started) {
            window->show();
            QApplication::setActiveWindow(window.get());
            started = QTest::qWaitForWindowActive(window.get());
        }
    }
    ~Fixture()
    {
        if (window)
            window->close();
        window.reset();
        SetFileChooser({});
    }

    QString Folder() const { return m_dir.path() + u'/'; }
    // After a dialog the window takes the keys again once it is active.
    bool Reactivate() const
    {
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
    DocumentEditor& Editor() const { return *window->editor(); }
    ProductListView& List() const { return *Editor().productList(); }
    template <typename T> T* Find(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString Cell(int row, ProductColumn column) const
    {
        const QTableWidgetItem* item = List().item(row, static_cast<int>(column));
        return item ? item->text() : QString();
    }
    QString Total(const char* name) const { return Find<QLineEdit>(name)->text(); }

    QStringList LogTexts() const { return fakvo::test::LogTableTexts(Folder(), kStem); }

    ScriptedPrompts prompts;
    std::unique_ptr<CZelvaDlg> window;
    bool started = false;

private:
    QTemporaryDir m_dir;
};

// Types text into the focused widget; characters outside ASCII as the keyboard sends them.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        if (ch == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (ch.unicode() < 128)
            QTest::keyClicks(widget, QString(ch));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

void Fill(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    Type(field, text);
}

// Types a product into the pending line and appends it with F5.
void AppendProduct(Fixture& f, const QString& quantity, const QString& text, const QString& price,
                   const QString& tiers = {})
{
    Fill(f.Find<QLineEdit>("pendingQuantity"), quantity);
    Fill(f.Find<QLineEdit>("pendingText"), text);
    Fill(f.Find<QLineEdit>("pendingPrice"), price);
    Fill(f.Find<QLineEdit>("pendingTiers"), tiers);
    QTest::keyClick(f.window.get(), Qt::Key_F5);
}

// Clicks a cell of the product list and waits for its editor.
CellEditor* OpenCell(Fixture& f, int row, ProductColumn column)
{
    ProductListView& list = f.List();
    const QRect cell = list.visualRect(list.model()->index(row, static_cast<int>(column)));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    CellEditor* editor = list.Editor();
    if (!QTest::qWaitFor([&] { return editor->isVisible(); }, 2000))
        return nullptr;
    return editor;
}

// Clicks row `row` of the selection list.
void ClickSelection(Fixture& f, int row)
{
    QTreeWidget* tree = f.Editor().selectionList()->Tree();
    const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(10, rect.center().y()));
}

void TypeIntoCell(CellEditor* editor, const QString& text)
{
    editor->selectAll();
    Type(editor, text);
    QTest::keyClick(editor, Qt::Key_Tab);
}

// Runs `action` on the next modal dialog that opens.
template <typename Action> void OnNextDialog(Action action)
{
    QTimer::singleShot(0, [action] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            QTimer::singleShot(20, [action] {
                if (QWidget* later = QApplication::activeModalWidget())
                    action(later);
            });
            return;
        }
        action(dialog);
    });
}

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT

private slots:
    void anInvoiceForACustomerWithProductsFromTheTable()
    {
        Fixture f;
        QVERIFY(f.started);
        // A customer number and Enter in the attention line take the customer.
        QLineEdit* attention = f.Find<QLineEdit>("attention");
        Fill(attention, QStringLiteral("1"));
        QTest::keyClick(attention, Qt::Key_Return);
        QCOMPARE(f.Find<QLineEdit>("name")->text(), QStringLiteral("Müller Bau GmbH"));
        QCOMPARE(f.Find<QLineEdit>("attention")->text(), QStringLiteral("Herr Ing. Johann Müller"));
        QCOMPARE(f.Find<QLineEdit>("postalCode")->text(), QStringLiteral("4020"));
        QCOMPARE(f.Find<QComboBox>("country")->currentText(), QStringLiteral("Austria(43)AT"));
        QCOMPARE(f.Find<QWidget>("recipient")->property("title").toString(),
                 QStringLiteral("Empfänger (KuNr: 1)"));
        QCOMPARE(f.window->document().conditions.customerVatId, QStringLiteral("ATU12345678"));
        QCOMPARE(f.Editor().StatusText(),
                 QStringLiteral("Telefon: +43 732 771234   Handy: +43 664 1234567   E-Mail: "
                                "office@mueller-bau.at   Fax: +43 732 771235"));

        // F3 with an empty pending line lists every product; a click takes one, F5 appends it.
        QTest::keyClick(f.window.get(), Qt::Key_F3);
        SelectionList* selection = f.Editor().selectionList();
        QCOMPARE(selection->Mode(), SelectionMode::Products);
        QCOMPARE(selection->RowCount(), 14);
        QCOMPARE(f.Editor().StatusText(), QStringLiteral("14 Einträge gefunden."));
        ClickSelection(f, 1);
        QCOMPARE(f.Editor().Pending(),
                 (PendingLine{QStringLiteral("1 Std."), QStringLiteral("1002"),
                              QStringLiteral("Montage vor Ort"), QStringLiteral("20"),
                              QStringLiteral("78.00"), QString()}));
        QTest::keyClick(f.window.get(), Qt::Key_F5);
        // The product number typed into the pending line finds that product alone.
        Fill(f.Find<QLineEdit>("pendingNumber"), QStringLiteral("1004"));
        Fill(f.Find<QLineEdit>("pendingText"), QString());
        QTest::keyClick(f.window.get(), Qt::Key_F3);
        QCOMPARE(selection->RowCount(), 1);
        ClickSelection(f, 0);
        QCOMPARE(f.Editor().Pending().tiers, QStringLiteral("1=5.90;10=5.50;50=4.90"));
        QTest::keyClick(f.window.get(), Qt::Key_F5);
        QCOMPARE(f.List().rowCount(), 2);
        QCOMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("Kopierpapier A4, 500 Blatt"));
        QCOMPARE(f.Total("amountDue"), QStringLiteral("100.68"));

        // The quantity edited in place.
        CellEditor* editor = OpenCell(f, 0, ProductColumn::Quantity);
        QVERIFY(editor);
        QCOMPARE(editor->toPlainText(), QStringLiteral("1 Std."));
        TypeIntoCell(editor, QStringLiteral("1,5"));
        QTRY_COMPARE(f.Cell(0, ProductColumn::Quantity), QStringLiteral("1.5"));
        QVERIFY(!editor->isVisible());
        QCOMPARE(f.Cell(0, ProductColumn::LineTotal), QStringLiteral("117.00"));
        QCOMPARE(f.Total("subtotal"), QStringLiteral("122.90"));
        QCOMPARE(f.Total("vatTotal"), QStringLiteral("24.58"));
        QCOMPARE(f.Total("amountDue"), QStringLiteral("147.48"));
        // Twelve packs cost the tier price of ten.
        TypeIntoCell(OpenCell(f, 1, ProductColumn::Quantity), QStringLiteral("12"));
        QTRY_COMPARE(f.Cell(1, ProductColumn::UnitPrice), QStringLiteral("5.50"));
        QCOMPARE(f.Cell(1, ProductColumn::LineTotal), QStringLiteral("66.00"));

        // F2 stores invoice 1 of this year.
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QCOMPARE(f.window->document().number, 202600001);
        const int id = f.window->document().id;
        QVERIFY(id > 0);
        QVERIFY(f.prompts.messages.isEmpty());

        // The stored entry comes back with its rows, and its customer is found.
        QTest::keyClick(f.window.get(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(f.List().rowCount(), 0);
        QVERIFY(f.window->LoadDocument(id));
        QCOMPARE(f.List().rowCount(), 2);
        QCOMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("Montage vor Ort"));
        QCOMPARE(f.Cell(1, ProductColumn::Quantity), QStringLiteral("12"));
        QCOMPARE(f.Total("amountDue"), QStringLiteral("219.60"));
        QCOMPARE(f.Editor().StatusText(), QStringLiteral("Das gewählte Dokument wurde geladen."));
        QCOMPARE(selection->SelectedRows(), QList<int>{0});
    }

    void typedLinesAndTheirTiers()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("2"), QStringLiteral("Beratung vor Ort"),
                      QStringLiteral("80"));
        AppendProduct(f, QStringLiteral("3"), QStringLiteral("Möbelgleiter Ø 25"),
                      QStringLiteral("1,50"), QStringLiteral("10=1,20"));
        QCOMPARE(f.Cell(0, ProductColumn::UnitPrice), QStringLiteral("80.00"));
        QCOMPARE(f.Cell(0, ProductColumn::VatRate), QStringLiteral("20"));
        QCOMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("Möbelgleiter Ø 25"));
        // A single typed tier keeps its ";", so it counts once the quantity reaches it.
        QCOMPARE(f.Cell(1, ProductColumn::PriceTiers), QStringLiteral("10=1.20;"));
        QCOMPARE(f.Total("amountDue"), QStringLiteral("197.40"));
        QCOMPARE(f.Editor().StatusText(), QStringLiteral("Produkteinträge: 2"));
        TypeIntoCell(OpenCell(f, 1, ProductColumn::Quantity), QStringLiteral("12"));
        QTRY_COMPARE(f.Cell(1, ProductColumn::UnitPrice), QStringLiteral("1.20"));
        QCOMPARE(f.Cell(1, ProductColumn::LineTotal), QStringLiteral("14.40"));
        QCOMPARE(f.Total("amountDue"), QStringLiteral("209.28"));
    }

    void addressSearchesSerialDocumentsAndSavedRecords()
    {
        Fixture f;
        QVERIFY(f.started);
        // Two hits: nothing is taken until a click; the hint says so.
        Fill(f.Find<QLineEdit>("searchText"), QStringLiteral("Sch"));
        QTest::keyClick(f.window.get(), Qt::Key_F6);
        SelectionList* selection = f.Editor().selectionList();
        QCOMPARE(selection->Mode(), SelectionMode::Addresses);
        QCOMPARE(selection->RowCount(), 2);
        QCOMPARE(f.Editor().StatusText(), QStringLiteral("2 Einträge gefunden"));
        QCOMPARE(f.Find<QLabel>("selectionHint")->text(),
                 QStringLiteral("Durch einen Klick auf einen Adresseintrag übernehmen Sie die "
                                "Empfängeradresse in die Empfänger-Adressfelder des "
                                "Eingabedialogs."));
        QCOMPARE(f.window->document().recipient.name, QString());
        ClickSelection(f, 0);
        QCOMPARE(f.window->document().recipient.town, QStringLiteral("Bern"));
        QCOMPARE(f.window->document().recipient.country, 41);
        QCOMPARE(f.Find<QLineEdit>("postalCode")->text(), QStringLiteral("3011"));

        // Both marked: F2 stores one invoice per address.
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("Jahresgebühr"), QStringLiteral("50"));
        QTreeWidget* tree = selection->Tree();
        tree->topLevelItem(0)->setSelected(true);
        tree->topLevelItem(1)->setSelected(true);
        f.prompts.answers = {kAnswerYes};
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QCOMPARE(f.prompts.messages,
                 (QStringList{QStringLiteral("Wollen Sie wirklich für alle 2 selektierten Adressen "
                                             "dieses Dokument speichern?"),
                              QStringLiteral("Die Dokumente wurden generiert")}));
        QCOMPARE(f.window->document().number, 202600002);
        QCOMPARE(f.window->document().recipient.town, QStringLiteral("Düsseldorf"));

        // Ctrl+F6 lists every address; Ctrl+I saves the block as a new one and shows it.
        QTest::keyClick(f.window.get(), Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(selection->RowCount(), 12);
        QTest::keyClick(f.window.get(), Qt::Key_1, Qt::ControlModifier);
        Fill(f.Find<QLineEdit>("name"), QStringLiteral("Tischlerei Wöß"));
        Fill(f.Find<QLineEdit>("town"), QStringLiteral("Gmünd"));
        f.prompts.messages.clear();
        f.prompts.answers = {kAnswerYes};
        QTest::keyClick(f.window.get(), Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Soll dieser Empfängertextblock wirklich gespeichert werden?"));
        QCOMPARE(selection->RowCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("13"));
        QCOMPARE(tree->topLevelItem(0)->text(2), QStringLiteral("Tischlerei Wöß"));
    }

    void theRecordDialogChangesTheMarkedAddress()
    {
        Fixture f;
        QVERIFY(f.started);
        Fill(f.Find<QLineEdit>("searchText"), QStringLiteral("Sch"));
        QTest::keyClick(f.window.get(), Qt::Key_F6);
        SelectionList* selection = f.Editor().selectionList();
        selection->SelectRow(0);
        OnNextDialog([](QWidget* dialog) {
            auto* record = qobject_cast<CDatenSatz*>(dialog);
            QVERIFY(record);
            QTableWidget* grid = record->Grid();
            for (int row = 0; row < grid->rowCount(); ++row) {
                if (grid->verticalHeaderItem(row)->text().startsWith(QStringLiteral("ORT ")))
                    grid->item(row, 0)->setText(QStringLiteral("Thun"));
            }
            record->Change();
        });
        QTest::keyClick(f.window.get(), Qt::Key_F5, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QCOMPARE(selection->RowCount(), 1);
        QCOMPARE(selection->SelectedRows(), QList<int>{0});
        QCOMPARE(selection->Tree()->topLevelItem(0)->text(0), QStringLiteral("12"));
        QCOMPARE(selection->Tree()->topLevelItem(0)->text(6), QStringLiteral("Thun"));
    }

    void productsByNumberCellLastNumberAndTheProductWindow()
    {
        Fixture f;
        QVERIFY(f.started);
        // Enter in the product-number cell searches that number.
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("1"));
        CellEditor* editor = OpenCell(f, 0, ProductColumn::ProductNumber);
        QVERIFY(editor);
        Type(editor, QStringLiteral("1003"));
        QTest::keyClick(editor, Qt::Key_Return);
        SelectionList* selection = f.Editor().selectionList();
        QCOMPARE(selection->RowCount(), 1);
        QCOMPARE(selection->Tree()->topLevelItem(0)->text(5), QStringLiteral("Anfahrtspauschale"));
        ClickSelection(f, 0);
        QCOMPARE(f.Editor().Pending().quantity, QStringLiteral("1 Psch."));

        // Ctrl+O saves the pending line as a product; the list then shows it.
        QTest::keyClick(editor, Qt::Key_Escape);
        f.List().clearSelection();
        Fill(f.Find<QLineEdit>("pendingNumber"), QStringLiteral("2001"));
        Fill(f.Find<QLineEdit>("pendingText"), QStringLiteral("Kundendienst Pauschale"));
        f.prompts.answers = {kAnswerYes};
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Soll dieses Produkt wirklich gespeichert werden?"));
        QCOMPARE(selection->RowCount(), 1);
        QCOMPARE(selection->Tree()->topLevelItem(0)->text(1), QStringLiteral("2001"));

        // Ctrl+G shows the product window; its search button acts after its short delay.
        QTest::keyClick(f.window.get(), Qt::Key_G, Qt::ControlModifier);
        auto* control = f.window->findChild<CProduktStrg*>();
        QVERIFY(control);
        QVERIFY(control->isVisible());
        Fill(f.Find<QLineEdit>("pendingNumber"), QString());
        Fill(f.Find<QLineEdit>("pendingText"), QStringLiteral("%Kaffee%"));
        control->Button(ProductAction::Search)->click();
        QTRY_COMPARE(selection->Tree()->topLevelItem(0)->text(1), QStringLiteral("1006"));
        QCOMPARE(selection->RowCount(), 1);
        control->Button(ProductAction::LastNumber)->click();
        QTRY_COMPARE(selection->Tree()->topLevelItem(0)->text(1), QStringLiteral("2001"));
        QTest::keyClick(f.window.get(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(!control->isVisible());
        QCOMPARE(f.window->workSettings()->ReadSetting(WorkSetting::ProductWindowHidden), 1);
    }

    void aMissingAddressColumnEndsTheApplication()
    {
        Fixture f("ODBCNAME1=FEHLT\r\n");
        QVERIFY(f.started);
        QTest::keyClick(f.window.get(), Qt::Key_F6);
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Ungültiges Feld 'FEHLT' aus Konfiguration!"));
        QTRY_VERIFY(!f.window->isVisible());
    }

    void anOfferBecomesTheNextInvoiceWithF4()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("Tisch"), QStringLiteral("500"));
        QCOMPARE(f.window->SaveNewDocument().number, 202600001);

        QTest::keyClick(f.window.get(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(f.Find<QLabel>("typeCaption")->text(), QStringLiteral("Angebot"));
        const StoreOutcome offer = f.window->SaveNewDocument();
        QCOMPARE(offer.number, 82600001);

        QVERIFY(f.window->LoadDocument(offer.rowId));
        QCOMPARE(f.window->document().type, DocumentType::Offer);
        // "Letze gel. DokNr" puts the loaded document's label and number into the reference.
        OnNextDialog([](QWidget* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("lastLoaded"))->click();
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QCOMPARE(f.window->document().conditions.reference, QStringLiteral("Angeb.Nr: 82600001"));
        QTest::keyClick(f.window.get(), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(f.window->document().type, DocumentType::Invoice);
        f.prompts.answers = {kAnswerYes};
        QTest::keyClick(f.window.get(), Qt::Key_F4);
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Wollen Sie wirklich dieses Dokument verändern?"));
        QCOMPARE(f.window->document().number, 202600002);
        QCOMPARE(f.window->document().id, offer.rowId);
        QCOMPARE(f.Find<QLabel>("typeCaption")->text(), QStringLiteral("Rechnung"));

        // The invoice it became stays an invoice.
        QTest::keyClick(f.window.get(), Qt::Key_A, Qt::AltModifier);
        f.prompts.answers = {kAnswerYes};
        f.prompts.messages.clear();
        QTest::keyClick(f.window.get(), Qt::Key_F4);
        QCOMPARE(f.prompts.messages.value(1),
                 QStringLiteral("Eine bestehende Rechnung kann nicht in einen anderen "
                                "Dokumenttypen umgewandelt werden.!"));
    }

    void aLetterStoresItsTextFile()
    {
        Fixture f;
        QVERIFY(f.started);
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(f.window->document().type, DocumentType::Letter);
        QVERIFY(f.Find<QTextEdit>("message")->isVisible());
        QVERIFY(!f.List().isVisible());
        Fill(f.Find<QLineEdit>("subject"), QStringLiteral("Ihre Anfrage zur Küche"));
        QTextEdit* message = f.Find<QTextEdit>("message");
        message->setFocus();
        Type(message, QStringLiteral("Sehr geehrte Frau Öllinger,\nanbei die Maße."));
        const StoreOutcome outcome = f.window->SaveNewDocument();
        QVERIFY(outcome.stored);
        const QString file =
            f.Folder() + QStringLiteral("DocData/%1B.TXT").arg(outcome.rowId, 7, 10, QChar(u'0'));
        QCOMPARE(FromCp1252(ReadBytes(file)),
                 QStringLiteral("Sehr geehrte Frau Öllinger,\r\nanbei die Maße.\r\n"));
        QCOMPARE(f.LogTexts().contains(QStringLiteral("Brief an '' wurde gespeichert")), true);
    }

    void aTemplateSavedAndOpenedGivesTheSameRows()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("2,5 Std."), QStringLiteral("Montage"),
                      QStringLiteral("68"));
        AppendProduct(f, QStringLiteral("4"), QStringLiteral("Leiste"), QStringLiteral("g100"));
        TypeIntoCell(OpenCell(f, 1, ProductColumn::Text), QStringLiteral("Leiste\nEiche"));
        QTRY_COMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("Leiste\nEiche"));
        const QList<ProductLine> rows = f.window->document().lines;
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][ProductColumn::UnitPrice], QStringLiteral("25.00"));

        const QString path = f.Folder() + QStringLiteral("Vorlagen/Montage.FVR");
        QList<FileRequest> requests;
        SetFileChooser([&](const FileRequest& request) -> std::optional<QString> {
            requests << request;
            return path;
        });
        QTest::keyClick(f.window.get(), Qt::Key_F11, Qt::AltModifier);
        QVERIFY(QFile::exists(path));
        QCOMPARE(requests.value(0).filter, TemplateDialogFilter(DocumentType::Invoice));

        QTest::keyClick(f.window.get(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(f.window->document().lines.size(), 0);
        QTest::keyClick(f.window.get(), Qt::Key_F11, Qt::ControlModifier);
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[1].kind, FileRequest::Kind::Open);
        const QList<ProductLine> opened = f.window->document().lines;
        QCOMPARE(opened.size(), 2);
        for (int c = 1; c <= 5; ++c)
            for (int r = 0; r < 2; ++r)
                QCOMPARE(opened[r].cells[c], rows[r].cells[c]);
        QCOMPARE(f.Total("amountDue"), QStringLiteral("324.00"));
    }

    void lineCommandsMoveDeleteAndClean()
    {
        Fixture f;
        QVERIFY(f.started);
        for (const char* text : {"eins", "zwei", "drei"})
            AppendProduct(f, QStringLiteral("1"), QString::fromLatin1(text), QStringLiteral("1"));
        f.List().setFocus();
        f.List().MarkRow(0);
        QTest::keyClick(&f.List(), Qt::Key_Minus);
        QCOMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("eins"));
        QCOMPARE(f.List().MarkedRow(), 1);
        QTest::keyClick(&f.List(), Qt::Key_Plus);
        QCOMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("eins"));
        QTest::keyClick(&f.List(), Qt::Key_Plus); // the first row stays first
        QCOMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("eins"));

        f.List().MarkRow(1);
        QTest::keyClick(&f.List(), Qt::Key_Delete);
        QCOMPARE(f.List().rowCount(), 2);
        QCOMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("drei"));
        QCOMPARE(f.List().MarkedRow(), 1);
        QCOMPARE(f.Total("subtotal"), QStringLiteral("2.00"));

        // Ctrl+U joins the lines of every text.
        TypeIntoCell(OpenCell(f, 0, ProductColumn::Text), QStringLiteral("Platte\nmit  Kante"));
        QTRY_COMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("Platte\nmit  Kante"));
        QTest::keyClick(f.window.get(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("Platte mit Kante"));

        // Alt+F3 keeps the pending tiers, Ctrl+3 clears them too; Ctrl+2 empties the list.
        Fill(f.Find<QLineEdit>("pendingText"), QStringLiteral("Rest"));
        Fill(f.Find<QLineEdit>("pendingTiers"), QStringLiteral("5=1"));
        QTest::keyClick(f.window.get(), Qt::Key_F3, Qt::AltModifier);
        QCOMPARE(f.Editor().Pending(), (PendingLine{{}, {}, {}, {}, {}, QStringLiteral("5=1")}));
        QTest::keyClick(f.window.get(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(f.Editor().Pending(), PendingLine{});
        QTest::keyClick(f.window.get(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(f.List().rowCount(), 0);
        QCOMPARE(f.Total("amountDue"), QStringLiteral("0.00"));

        f.window->close();
        QVERIFY(f.LogTexts().contains(QStringLiteral("Produkteintrag Nr. 2 wurde gelöscht.")));
    }

    void priceCellTakesTiersAndTotals()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("4"), QStringLiteral("Stuhl"), QStringLiteral("10"));
        CellEditor* editor = OpenCell(f, 0, ProductColumn::UnitPrice);
        QVERIFY(editor);
        TypeIntoCell(editor, QStringLiteral("9,90\n50=8,90\n10=9,50"));
        QTRY_COMPARE(f.Cell(0, ProductColumn::PriceTiers), QStringLiteral("10=9,50;50=8,90"));
        QCOMPARE(f.Cell(0, ProductColumn::UnitPrice), QStringLiteral("9.9"));
        QCOMPARE(f.Cell(0, ProductColumn::LineTotal), QStringLiteral("39.60"));

        // Reopened, the price shows its tiers one per line; a total with "g" divides.
        editor = OpenCell(f, 0, ProductColumn::UnitPrice);
        QCOMPARE(editor->toPlainText(), QStringLiteral("9.9\n10=9,50\n50=8,90"));
        TypeIntoCell(editor, QStringLiteral("g100"));
        QTRY_COMPARE(f.Cell(0, ProductColumn::UnitPrice), QStringLiteral("25.00"));
        QCOMPARE(f.Cell(0, ProductColumn::PriceTiers), QString());

        // The line total is never typed.
        const QRect total = f.List().visualRect(
            f.List().model()->index(0, static_cast<int>(ProductColumn::LineTotal)));
        QTest::mouseClick(f.List().viewport(), Qt::LeftButton, {}, total.center());
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Die Gesamtsumme wird aus der Stückzahl und dem Einzelpreis "
                                "automatisch berechnet und kann somit nicht verändert werden!"));
    }

    void theCellEditorMovesAndAppendsRows()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("Tisch"), QStringLiteral("5"));
        QVERIFY(OpenCell(f, 0, ProductColumn::VatRate));
        CellEditor* editor = f.List().Editor();
        QTest::keyClick(editor, Qt::Key_Right, Qt::AltModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 0 * 10 + 5 + 1);
        // Forward from the last column appends a row with the standard VAT rate.
        QTest::keyClick(editor, Qt::Key_Right, Qt::AltModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 1 * 10 + 1 + 1);
        QCOMPARE(f.List().rowCount(), 2);
        QCOMPARE(f.Cell(1, ProductColumn::VatRate), QStringLiteral("20"));
        QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 0 * 10 + 5 + 1);
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 1 * 10 + 5 + 1);
        QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 0 * 10 + 5 + 1);
        QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 0 * 10 + 4 + 1);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_COMPARE(f.Editor().OpenCell(), 0);

        // Ctrl+B opens the text of the marked row, with the measured width and six row units.
        f.List().MarkRow(1);
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::ControlModifier);
        QTRY_COMPARE(f.Editor().OpenCell(), 1 * 10 + 3 + 1);
        const CellEditorSizes sizes = f.Editor().EditorSizes();
        QVERIFY(sizes.rowUnit > kUnmeasuredRowUnit);
        QCOMPARE(editor->width(), sizes.textWidth);
        // Six row units, three on a screen of 600 pixels height or less.
        const int units = f.window->screen()->geometry().height() <= 600 ? 3 : 6;
        QCOMPARE(editor->height(), sizes.rowUnit * units);
        // Enter breaks the line inside the cell.
        Type(editor, QStringLiteral("a\nb"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("a\nb"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QTRY_COMPARE(f.Cell(1, ProductColumn::Text), QStringLiteral("a\nb"));
    }

    void typeButtonsKeysAndLayouts()
    {
        Fixture f;
        QVERIFY(f.started);
        TypeBar* bar = f.Editor().typeBar();
        QTest::mouseClick(bar->Button(DocumentType::Offer), Qt::LeftButton);
        QCOMPARE(f.window->document().type, DocumentType::Offer);
        QCOMPARE(f.Find<QLabel>("typeCaption")->palette().color(QPalette::WindowText),
                 QColor(128, 128, 0));

        // With Ctrl held the button asks for the documents of its type instead.
        QTest::mouseClick(bar->Button(DocumentType::Letter), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(f.window->document().type, DocumentType::Offer);
        QCOMPARE(f.Editor().StatusText(),
                 QStringLiteral("Die Dokumentenübersicht ist in dieser Version noch nicht "
                                "verfügbar."));

        // Alt+B is the letter, although the menu "&Bearbeiten" carries the same mnemonic.
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(f.window->document().type, DocumentType::Letter);
        QCOMPARE(f.Find<QPushButton>("print")->text(), QStringLiteral("Drucken (F7)"));
        QTest::keyClick(f.window.get(), Qt::Key_E, Qt::AltModifier);
        QCOMPARE(f.Find<QPushButton>("print")->text(), QStringLiteral("Senden (F7)"));
        QVERIFY(f.Find<QLineEdit>("messageAddress")->isVisible());

        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(f.window->document().message, f.window->config().QUITTUNGVORLAGE);
        QVERIFY(f.Find<QLineEdit>("receiptAmount")->isVisible());
        QVERIFY(!f.Find<QLineEdit>("subject")->isVisible());

        QTest::keyClick(f.window.get(), Qt::Key_1, Qt::AltModifier);
        QCOMPARE(f.List().horizontalHeaderItem(1)->text(), QStringLiteral("Rechn.Datum"));
        QCOMPARE(f.Find<QLabel>("typeCaption")->text(), QStringLiteral("Mahnung"));
        // A double click on the second reminder selects the third.
        QTest::mouseDClick(bar->Button(DocumentType::Reminder2), Qt::LeftButton);
        QCOMPARE(f.window->document().type, DocumentType::Reminder3);
        QTest::keyClick(f.window.get(), Qt::Key_4, Qt::AltModifier);
        QCOMPARE(f.List().horizontalHeaderItem(1)->text(), QStringLiteral("Menge"));
        QCOMPARE(f.Find<QLabel>("typeCaption")->text(), QStringLiteral("ERINNERUNG"));
    }

    void theConditionsDialogAndItsLine()
    {
        Fixture f("KONDITIONENANZ=1\r\n");
        QVERIFY(f.started);
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Bei diesem Dokumententyp sind keine Konditionen und Optionen "
                                "einstellbar!"));

        // A letter offers the shipping list alone.
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
        QStringList shown;
        OnNextDialog([&shown](QWidget* dialog) {
            for (const char* name :
                 {"gross", "discount", "cashDiscount", "reminderLevel", "payment", "paymentTerm",
                  "vatId", "reference", "validity", "shipping", "clerk", "linesPerRow"}) {
                if (dialog->findChild<QWidget*>(QString::fromLatin1(name)))
                    shown << QString::fromLatin1(name);
            }
            static_cast<QDialog*>(dialog)->reject();
        });
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QCOMPARE(shown, QStringList{QStringLiteral("shipping")});

        QTest::keyClick(f.window.get(), Qt::Key_R, Qt::AltModifier);
        OnNextDialog([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("discount"))
                ->setText(QStringLiteral("10,5"));
            dialog->findChild<QComboBox*>(QStringLiteral("payment"))->setCurrentIndex(2);
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QCOMPARE(f.window->document().conditions.discount, QStringLiteral("10.5"));
        QCOMPARE(f.Find<QLabel>("conditionsLine")->text(),
                 QStringLiteral("Kond.: (Z:3); Rab.: 10.50%; Bez.: Bar; Ziel: 0; Persön"));
        QCOMPARE(f.window->workSettings()->Text(WorkSetting::Discount), QStringLiteral("10.5"));
        QCOMPARE(f.window->workSettings()->ReadSetting(WorkSetting::PaymentMethod), 2);

        // A negative discount does not survive a type change (but for the manual reminder).
        OnNextDialog([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("discount"))
                ->setText(QStringLiteral("-5"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::AltModifier);
        QVERIFY(f.Reactivate());
        QTest::keyClick(f.window.get(), Qt::Key_4, Qt::AltModifier);
        QCOMPARE(f.window->document().conditions.discount, QStringLiteral("-5"));
        QTest::keyClick(f.window.get(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(f.window->document().conditions.discount, QStringLiteral("0"));
    }

    void takingAnAddressAndClearingTheBlock()
    {
        Fixture f;
        QVERIFY(f.started);
        Recipient recipient;
        recipient.customerNumber = 1003;
        recipient.name = QStringLiteral("Weiß & Söhne");
        recipient.postalCode = QStringLiteral("1067");
        recipient.country = 49;
        recipient.phone = QStringLiteral("0351 12345");
        recipient.email = QStringLiteral("post@weiss.de");
        f.Editor().TakeAddress({recipient, QString(), QStringLiteral("Auftrag 7")});
        QCOMPARE(f.Find<QLineEdit>("postalCode")->text(), QStringLiteral("01067"));
        QCOMPARE(f.Find<QComboBox>("country")->currentText(), QStringLiteral("Deutschland(49)DE"));
        QCOMPARE(f.Find<QWidget>("recipient")->property("title").toString(),
                 QStringLiteral("Empfänger (KuNr: 1003)"));
        QCOMPARE(f.Editor().StatusText(),
                 QStringLiteral("Telefon: 0351 12345   E-Mail: post@weiss.de"));

        // An invoice for a customer with a template of its own starts from it.
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("Wartung"), QStringLiteral("90"));
        QVERIFY(SaveTemplate(CustomerTemplatePath(1003, f.window->config()), f.window->document()));
        QTest::keyClick(f.window.get(), Qt::Key_2, Qt::ControlModifier);
        f.Editor().TakeAddress({recipient, QString(), QStringLiteral("Auftrag 7")});
        QCOMPARE(f.List().rowCount(), 1);
        QCOMPARE(f.Cell(0, ProductColumn::Text), QStringLiteral("Wartung"));

        // Typing into the block reaches the document.
        Fill(f.Find<QLineEdit>("street"), QStringLiteral("Hauptstraße 1"));
        QCOMPARE(f.window->document().recipient.street, QStringLiteral("Hauptstraße 1"));

        QTest::keyClick(f.window.get(), Qt::Key_1, Qt::ControlModifier);
        const Recipient cleared = f.window->document().recipient;
        QCOMPARE(cleared.customerNumber, 0);
        QCOMPARE(cleared.name, QString());
        QCOMPARE(cleared.email, QString());
        QCOMPARE(cleared.country, 0);
        QCOMPARE(f.Find<QComboBox>("country")->currentIndex(), -1);
        QCOMPARE(f.Find<QComboBox>("country")->count(), 50);
        QCOMPARE(f.window->document().conditions.reference, QString());
        QVERIFY(f.Find<QLineEdit>("attention")->hasFocus());
    }

    void statusLineAlternatesAndLogs()
    {
        Fixture f;
        QVERIFY(f.started);
        QLabel* text = f.Find<QLabel>("statusText");
        f.window->ShowStatus(QStringLiteral("erste Meldung"));
        const QColor first = text->palette().color(QPalette::WindowText);
        f.window->ShowStatus(QStringLiteral("erste Meldung"));
        QVERIFY(text->palette().color(QPalette::WindowText) != first);
        f.window->ShowStatus(QStringLiteral("dritte"));
        QCOMPARE(text->palette().color(QPalette::WindowText), first);
        f.window->close();
        QCOMPARE(f.LogTexts().count(QStringLiteral("erste Meldung")), 2);
    }

    void tipsFollowTheCheckBox()
    {
        Fixture f;
        QVERIFY(f.started);
        QCheckBox* tips = f.Find<QCheckBox>("tips");
        QLineEdit* name = f.Find<QLineEdit>("name");
        QVERIFY(tips->isChecked()); // the working settings' default
        QCOMPARE(name->toolTip(), QStringLiteral("Firma oder Person."));
        tips->click();
        QCOMPARE(name->toolTip(), QString());
        QCOMPARE(f.Find<QPushButton>("saveNew")->toolTip(), QString());
        QCOMPARE(f.window->workSettings()->ReadSetting(WorkSetting::HelpTips), 0);
        tips->click();
        QVERIFY(!f.Find<QPushButton>("saveNew")->toolTip().isEmpty());
    }

    void theLargeListCoversTheRecipientBlock()
    {
        Fixture f;
        QVERIFY(f.started);
        QWidget* recipient = f.Find<QWidget>("recipient");
        QVERIFY(recipient->isVisible());
        QTest::keyClick(f.window.get(), Qt::Key_F12);
        QVERIFY(!recipient->isVisible());
        QVERIFY(f.Editor().LargeList());
        // A type change returns to the small list; a letter has none to enlarge.
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
        QVERIFY(recipient->isVisible());
        QTest::keyClick(f.window.get(), Qt::Key_F12);
        QVERIFY(!f.Editor().LargeList());
    }

    void aReceiptNeedsItsAmountAndANewDocumentToday()
    {
        Fixture f;
        QVERIFY(f.started);
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::AltModifier);
        Fill(f.Find<QLineEdit>("date"), QStringLiteral("1.1.2020"));
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QCOMPARE(f.prompts.messages.value(0),
                 QStringLiteral("Bitte geben Sie einen Quittungsbetrag ein!"));
        QVERIFY(f.Find<QLineEdit>("receiptAmount")->hasFocus());
        QCOMPARE(f.window->document().id, 0);

        Fill(f.Find<QLineEdit>("receiptAmount"), QStringLiteral("12,50"));
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QVERIFY(f.window->document().id > 0);
        QCOMPARE(f.window->document().date, 20260305);
        QCOMPARE(f.Find<QLineEdit>("date")->text(), QStringLiteral("5. März 2026"));
        QCOMPARE(f.window->document().finalAmount, 12.5);
        const QString file =
            f.Folder() +
            QStringLiteral("DocData/%1X.TXT").arg(f.window->document().id, 7, 10, QChar(u'0'));
        QVERIFY(QFile::exists(file));
    }

    void reminderDatesComeFromTheCalendar()
    {
        Fixture f;
        QVERIFY(f.started);
        QTest::keyClick(f.window.get(), Qt::Key_1, Qt::AltModifier);
        AppendProduct(f, QString(), QStringLiteral("Re. 202600017"), QStringLiteral("100"));
        QCOMPARE(f.Cell(0, ProductColumn::UnitPrice), QStringLiteral("100.00"));
        OnNextDialog([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Wählen Sie ein Datum"));
            dialog->findChild<QCalendarWidget*>()->setSelectedDate(QDate(2026, 1, 15));
            static_cast<QDialog*>(dialog)->accept();
        });
        const QRect date = f.List().visualRect(f.List().model()->index(0, 1));
        QTest::mouseClick(f.List().viewport(), Qt::LeftButton, {}, date.center());
        QCOMPARE(f.Cell(0, ProductColumn::Quantity), QStringLiteral("15. Jänner 2026"));
        // The editor moves on to the invoice number.
        QTRY_COMPARE(f.Editor().OpenCell(), 0 * 10 + 2 + 1);
        // Reminders add the fee of the first level (none configured here).
        QCOMPARE(f.Total("amountDue"), QStringLiteral("100.00"));
    }

    void ctrlWNarrowsTheTextEditorForSeveralRates()
    {
        Fixture f;
        QVERIFY(f.started);
        AppendProduct(f, QStringLiteral("1"), QStringLiteral("Tisch"), QStringLiteral("5"));
        CellEditor* editor = OpenCell(f, 0, ProductColumn::Text);
        QVERIFY(editor);
        const int wide = editor->width();
        QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(editor->isVisible() && editor->width() < wide);
        QCOMPARE(editor->width(), f.Editor().EditorSizes().textWidth);
        // The message field breaks its lines at the printed width of a text document.
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
        QTextEdit* message = f.Find<QTextEdit>("message");
        QCOMPARE(message->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QVERIFY(message->lineWrapColumnOrWidth() > wide);
        QVERIFY(message->minimumWidth() >= 540);
    }

    void lineBreaksAreMeasuredOnThePrintedWidth()
    {
        QPdfWriter pdf(QStringLiteral("/dev/null"));
        pdf.setResolution(600);
        const QFont font = PrintFont(QStringLiteral("Arial"), 11);
        const LineMeasure wide =
            MeasureLineBreaks(font, pdf, TenthsOfMillimetreToTwips(1010), 96, 96);
        const LineMeasure narrow =
            MeasureLineBreaks(font, pdf, TenthsOfMillimetreToTwips(850), 96, 96);
        // 101 mm are about 382 pixels at 96 dpi: the first line ends just before.
        QVERIFY2(wide.width > 330 && wide.width < 382, qPrintable(QString::number(wide.width)));
        QVERIFY(narrow.width < wide.width);
        QVERIFY(wide.lineCount >= 4);
        // 11 points are about 15 pixels at 96 dpi; a line is a little more.
        QVERIFY2(wide.lineHeight >= 15 && wide.lineHeight <= 22,
                 qPrintable(QString::number(wide.lineHeight)));
        // A width that takes the whole text on fewer than four lines gives 25 pixels.
        const LineMeasure few =
            MeasureLineBreaks(font, pdf, TenthsOfMillimetreToTwips(3000), 96, 96);
        QVERIFY(few.lineCount < 4);
        QCOMPARE(few.lineHeight, 25);
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
