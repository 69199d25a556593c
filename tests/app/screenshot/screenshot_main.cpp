// Starts the real main window on a prepared data folder, types a three-line invoice, stores it,
// loads it back and saves a picture of the window. Run by scripts/screenshot.sh under a virtual
// screen.

#include "app/editor/documenteditor.h"
#include "app/editor/productlist.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace fakvo;

namespace {

void FillInvoice(DocumentEditor& editor)
{
    Recipient recipient;
    recipient.customerNumber = 1003;
    recipient.attention = QStringLiteral("Herr Mag. Günther Weiß");
    recipient.name = QStringLiteral("Möbelwerkstätte Öllinger GmbH");
    recipient.name2 = QStringLiteral("Tischlerei & Küchenstudio");
    recipient.street = QStringLiteral("Straßganger Straße 17");
    recipient.postalCode = QStringLiteral("8052");
    recipient.town = QStringLiteral("Graz");
    recipient.country = 43;
    recipient.phone = QStringLiteral("0316 271 845");
    recipient.email = QStringLiteral("office@oellinger.at");
    editor.TakeAddress({recipient, QString(), QStringLiteral("Bestellung 4711")});

    const QList<PendingLine> lines{
        {QStringLiteral("3"), QStringLiteral("ST-100"), QStringLiteral("Stuhl „Wien“, Buche geölt"),
         QStringLiteral("20"), QStringLiteral("189.00"), QString()},
        {QStringLiteral("2,5 Std."), QStringLiteral("MONT"),
         QStringLiteral("Montage vor Ort inkl. Anfahrt\nund Entsorgung der Verpackung"),
         QStringLiteral("20"), QStringLiteral("68"), QString()},
        {QStringLiteral("12"), QStringLiteral("GL-7"), QStringLiteral("Möbelgleiter Filz Ø 25 mm"),
         QStringLiteral("20"), QStringLiteral("1,20"), QStringLiteral("10=0,95;50=0,80")},
    };
    for (const PendingLine& line : lines) {
        editor.SetPendingLine(line);
        editor.AppendPendingLine();
    }
    editor.ClearPendingLine();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: fakvo_screenshot <data root> <picture.png>\n");
        return 2;
    }
    const QString root = QDir(args[1]).absolutePath();
    QDir().mkpath(root);

    StartEnvironment env;
    env.applicationDir = QCoreApplication::applicationDirPath();
    env.currentDir = root;
    env.homeDir = root;
    env.hardwareAddress = HardwareAddress{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    env.hostName = QStringLiteral("kassa1");
    env.loginName = QStringLiteral("anna");
    env.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(10, 30)); };

    CZelvaDlg window({}, env);
    if (!window.Initialise())
        return 1;
    // The invoice is stored and loaded back, as a user opens it from the overview.
    FillInvoice(*window.editor());
    const StoreOutcome stored = window.SaveNewDocument();
    window.editor()->ClearContent();
    window.editor()->ClearRecipient();
    if (!stored.stored || !window.LoadDocument(stored.rowId))
        return 1;
    // The selection list shows the product table, as after Ctrl+F3.
    window.editor()->SearchAllProducts();
    window.show();
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());

    int result = 1;
    QTimer::singleShot(800, &window, [&] {
        window.editor()->productList()->MarkRow(1);
        QApplication::processEvents();
        result = window.grab().save(args[2]) ? 0 : 1;
        window.close();
    });
    QApplication::exec();
    return result;
}
