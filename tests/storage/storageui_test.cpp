// The record dialog on the sample address table and the extended product entry window with
// its deferred actions, as real widgets on the offscreen platform.

#include "platform/prompt.h"
#include "storage/addressstore.h"
#include "storage/productstore.h"
#include "storage/ui/productcontrol.h"
#include "storage/ui/recorddialog.h"
#include "storage/worksettings.h"

#include "storetestsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "test_storageui";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// Processes events until `done` holds, at most five seconds.
template <typename Done> bool WaitFor(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QTest::qWait(10);
    return done();
}

class RecordDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        ASSERT_TRUE(stores.Ok()) << stores.Failure().toStdString();
    }
    RecordEditor Editor(TableSet set)
    {
        return set == TableSet::Products ? ProductStore(*stores.database, stores.config).Editor()
                                         : AddressStore(*stores.database, stores.config).Editor();
    }
    QString Value(const char* query) { return stores.db.Value(S(query)); }

    SampleStores stores{Backend::Sqlite};
};

TEST_F(RecordDialogTest, GridShowsTheRecordWithLabelsAndReadOnlyAutoColumns)
{
    CDatenSatz dialog(Editor(TableSet::Addresses), 3);
    EXPECT_EQ(dialog.windowTitle(), S("'Adress'-Datensatz - bearbeiten, anfügen löschen"));
    QTableWidget* grid = dialog.Grid();
    ASSERT_EQ(grid->rowCount(), 18);
    EXPECT_TRUE(grid->verticalHeaderItem(0)->text().startsWith(S("ID [Integer:")));
    EXPECT_TRUE(grid->verticalHeaderItem(0)->text().endsWith(S(" [AUTOWERT]")));
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid->verticalHeaderItem(5)->text(), S("FIRMA [VarChar:100]"));
    EXPECT_TRUE(grid->item(5, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid->item(0, 0)->text(), S("3"));
    EXPECT_EQ(grid->item(5, 0)->text(), S("O'Connor & Partner Steuerberatung OG"));

    dialog.ClearFields();
    EXPECT_EQ(grid->item(5, 0)->text(), QString());
    dialog.ReadFields();
    EXPECT_EQ(grid->item(4, 0)->text(), S("O'Connor"));

    CDatenSatz products(Editor(TableSet::Products), 4);
    EXPECT_EQ(products.windowTitle(), S("'Produkt'-Datensatz - bearbeiten, anfügen löschen"));
    EXPECT_EQ(products.Grid()->item(2, 0)->text(), S("Kopierpapier A4, 500 Blatt"));
}

TEST_F(RecordDialogTest, F4WritesTheOpenEditAndClosesF2Appends)
{
    CDatenSatz dialog(Editor(TableSet::Addresses), 3);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget* grid = dialog.Grid();
    // Type into the street cell and press F4 while the edit field is still open.
    grid->setCurrentCell(7, 0);
    ASSERT_TRUE(WaitFor([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }));
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Herrengasse 9\\n2. Stock"));
    QTest::keyClick(edit, Qt::Key_F4);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ChangedId(), 3);
    EXPECT_EQ(Value("SELECT STRASSE FROM Kunden WHERE ID=3"), S("Herrengasse 9\r\n2. Stock"));

    // The stored line break shows as backslash-n again; F2 appends a copy.
    CDatenSatz again(Editor(TableSet::Addresses), 3);
    EXPECT_EQ(again.Grid()->item(7, 0)->text(), S("Herrengasse 9\\n2. Stock"));
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QTest::keyClick(&again, Qt::Key_F2);
    EXPECT_EQ(again.AppendedId(), 13);
    EXPECT_EQ(Value("SELECT ZUNAME FROM Kunden WHERE ID=13"), S("O'Connor"));
    EXPECT_EQ(Value("SELECT STRASSE FROM Kunden WHERE ID=13"), S("Herrengasse 9\r\n2. Stock"));
}

TEST_F(RecordDialogTest, FailedWriteKeepsTheDialogAndTheTypedValues)
{
    CDatenSatz dialog(Editor(TableSet::Addresses), 3);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.Grid()->item(10, 0)->setText(S("Österreich")); // LAND is an integer column
    dialog.Grid()->item(5, 0)->setText(S("Neuer Name"));
    dialog.Change();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ChangedId(), 0);
    EXPECT_EQ(stores.captured.Messages(),
              QStringList{S("Der Wert 'Österreich' im Feld 'LAND' ist keine Zahl!")});
    EXPECT_EQ(dialog.Grid()->item(5, 0)->text(), S("Neuer Name"));
    EXPECT_EQ(Value("SELECT FIRMA FROM Kunden WHERE ID=3"),
              S("O'Connor & Partner Steuerberatung OG"));
}

TEST_F(RecordDialogTest, F8DeletesAfterAskingAndReportsAFailure)
{
    QStringList shown;
    SetPromptHandler({[&](const QString& text, PromptMode mode) {
                          shown << text;
                          return mode == PromptMode::Question ? kAnswerYes : kAnswerOk;
                      },
                      {}});
    CDatenSatz dialog(Editor(TableSet::Addresses), 12);
    dialog.Delete();
    EXPECT_TRUE(dialog.Deleted());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(shown, QStringList{S("Wollen Sie den Datensatz mit der ID=12 wirklich löschen?")});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Kunden WHERE ID=12"), S("0"));

    shown.clear();
    CDatenSatz gone(Editor(TableSet::Addresses), 12);
    gone.Delete();
    EXPECT_FALSE(gone.Deleted());
    EXPECT_EQ(shown, (QStringList{S("Wollen Sie den Datensatz mit der ID=12 wirklich löschen?"),
                                  S("Der Datensatz konnte nicht gelöscht werden!")}));
    SetPromptHandler({});
}

class ProductControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.SetActionHandler([this](ProductAction action, int row) {
            fired.append({action, row});
        });
        window.show();
    }

    // The application exists before the window is made.
    const bool m_application = (EnsureApplication(), true);
    QList<std::pair<ProductAction, int>> fired;
    CProduktStrg window{nullptr};
};

TEST_F(ProductControlTest, ButtonActionReachesTheOwnerAfterTheDelay)
{
    QList<std::pair<int, int>> signalled;
    QObject::connect(&window, &CProduktStrg::actionRequested, [&](int action, int row) {
        signalled.append({action, row});
    });
    QElapsedTimer elapsed;
    elapsed.start();
    window.Button(ProductAction::Search)->click();
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_TRUE(window.ActionPending());
    ASSERT_TRUE(WaitFor([&] { return !fired.isEmpty(); }));
    EXPECT_GE(elapsed.elapsed(), 100);
    EXPECT_EQ(fired, (QList<std::pair<ProductAction, int>>{{ProductAction::Search, -1}}));
    EXPECT_EQ(signalled, (QList<std::pair<int, int>>{{5, -1}}));
    EXPECT_EQ(window.Button(ProductAction::Search)->text(), S("Suche (F3)"));
    EXPECT_EQ(window.Button(ProductAction::DeleteLine)->text(), S("Lösche akt. Zeile (ALT-Z)"));
    EXPECT_EQ(window.windowTitle(), S("Erweiterte Produkteingabesteuerung"));
}

TEST_F(ProductControlTest, LastPressWinsArrowsRememberTheRowAndBackCloses)
{
    window.Button(ProductAction::LastNumber)->click();
    window.Button(ProductAction::ShowAll)->click();
    ASSERT_TRUE(WaitFor([&] { return !fired.isEmpty(); }));
    QTest::qWait(200);
    EXPECT_EQ(fired, (QList<std::pair<ProductAction, int>>{{ProductAction::ShowAll, -1}}));

    fired.clear();
    int row = 4;
    window.SetCurrentRowSource([&] { return row; });
    window.Button(ProductAction::MoveDown)->click();
    row = 9; // the row at the press counts, not the row when the timer fires
    ASSERT_TRUE(WaitFor([&] { return !fired.isEmpty(); }));
    EXPECT_EQ(fired.first(), std::make_pair(ProductAction::MoveDown, 4));

    fired.clear();
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !fired.isEmpty(); }));
    EXPECT_EQ(fired.first(), std::make_pair(ProductAction::Close, -1));
    EXPECT_FALSE(window.isVisible());
}

TEST(ProductControl, CheckBoxHidesTheWindowForGood)
{
    EnsureApplication();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("0011223344.551"));
    WorkSettings settings(path, 1);
    ASSERT_TRUE(settings.Load().ok);
    CProduktStrg window(&settings);
    window.show();
    window.HideCheckBox()->click();
    EXPECT_FALSE(window.isVisible());
    WorkSettings reread(path, 1);
    ASSERT_TRUE(reread.Load().ok);
    EXPECT_EQ(reread.Text(WorkSetting::ProductWindowHidden), S("1"));
}

} // namespace
