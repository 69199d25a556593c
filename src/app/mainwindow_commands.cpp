// The editor's menu entries and keys: "&Bearbeiten" and "&Tastenkombinationen" of the menu bar,
// the keys without a menu entry, and the Alt keys of the type commands.

#include "mainwindow.h"

#include "app/editor/documenteditor.h"
#include "app/editor/typecommands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace fakvo {

void CZelvaDlg::BuildEditorMenus()
{
    DocumentEditor* editor = m_editor;
    auto command = [this](QMenu* menu, const char* text, QKeySequence key, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    // A key without a menu entry.
    auto key = [this](QKeySequence sequence, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };

    // "&Bearbeiten" follows "&Datei"; "&Tastenkombinationen" comes before "Protokol&l".
    QMenu* edit = new QMenu(QStringLiteral("&Bearbeiten"), this);
    QMenu* keys = new QMenu(QStringLiteral("&Tastenkombinationen"), this);
    const QList<QAction*> bar = menuBar()->actions();
    QAction* afterFile = bar.size() > 1 ? bar[1] : nullptr;
    menuBar()->insertMenu(afterFile, edit);
    menuBar()->insertMenu(afterFile, keys);

    QMenu* templates =
        edit->addMenu(QStringLiteral("Öffnen, speichern oder löschen einer Vorlage"));
    command(templates, "Öffnen einer Vorlage ... \tSTRG-F11", QKeySequence(Qt::CTRL | Qt::Key_F11),
            [editor] { editor->OpenTemplateFile(false); });
    command(templates, "Öffnen einer Vorlage aus einer Sicherung... \tSTRG-ALT-F11",
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F11),
            [editor] { editor->OpenTemplateFile(true); });
    command(templates, "Speichere diesen Text als Vorlage ... \tALT-F11",
            QKeySequence(Qt::ALT | Qt::Key_F11), [editor] { editor->SaveAsTemplate(); });
    command(templates, "Löschen einer Vorlage ... \tSHIFT-F11",
            QKeySequence(Qt::SHIFT | Qt::Key_F11), [editor] { editor->DeleteTemplateFile(); });
    edit->addSeparator();
    command(edit, "Suche nach Adresse ... \tF6", QKeySequence(Qt::Key_F6),
            [editor] { editor->SearchAddresses(); });
    command(edit, "&Bearbeite Adresse... \tALT-F5", QKeySequence(Qt::ALT | Qt::Key_F5),
            [editor] { editor->EditAddress(); });
    command(edit, "Speichere Adresse in Datenbank \tSTRG-I", QKeySequence(Qt::CTRL | Qt::Key_I),
            [editor] { editor->SaveRecipientAsAddress(); });
    command(edit, "&Bearbeite Produkt... \tSTRG-F5", QKeySequence(Qt::CTRL | Qt::Key_F5),
            [editor] { editor->EditProduct(); });
    command(edit, "&Speichere Produkt in Datenbank \tSTRG-O", QKeySequence(Qt::CTRL | Qt::Key_O),
            [editor] { editor->SaveLineAsProduct(); });
    command(edit, "&Suche Produkt \tF3", QKeySequence(Qt::Key_F3),
            [editor] { editor->SearchProducts(); });
    command(edit, "Suche in gesamter Produktliste \tSTRG-F3", QKeySequence(Qt::CTRL | Qt::Key_F3),
            [editor] { editor->SearchAllProducts(); });
    command(edit, "Zeige letzte Produktnummer", QKeySequence(),
            [editor] { editor->ShowLastProductNumber(); });
    edit->addSeparator();
    command(edit, "Umschalten zwischen großer und kleiner Produktliste \tF12",
            QKeySequence(Qt::Key_F12), [editor] { editor->ToggleLargeList(); });
    command(edit, "Positioniere das aktuelle Produkt nach Oben \t+", QKeySequence(Qt::Key_Plus),
            [editor] { editor->MoveMarkedRow(-1); });
    command(edit, "Positioniere das aktuelle Produkt nach Unten \t-", QKeySequence(Qt::Key_Minus),
            [editor] { editor->MoveMarkedRow(1); });

    command(keys, "Speichere Dokument \tF2", QKeySequence(Qt::Key_F2),
            [editor] { editor->SaveNewDocument(); });
    command(keys, "Gehezu Feld 'Menge' \tSTRG-M", QKeySequence(Qt::CTRL | Qt::Key_M),
            [editor] { editor->GoToColumn(static_cast<int>(ProductColumn::Quantity)); });
    command(keys, "Gehezu Feld 'Kurzbezeichnung' \tSTRG-K", QKeySequence(Qt::CTRL | Qt::Key_K),
            [editor] { editor->GoToColumn(static_cast<int>(ProductColumn::ProductNumber)); });
    command(keys, "Gehezu Feld 'Bezeichnung' \tSTRG-B", QKeySequence(Qt::CTRL | Qt::Key_B),
            [editor] { editor->GoToColumn(static_cast<int>(ProductColumn::Text)); });
    command(keys, "Gehezu Feld 'MWSt' \tSTRG-T", QKeySequence(Qt::CTRL | Qt::Key_T),
            [editor] { editor->GoToColumn(static_cast<int>(ProductColumn::VatRate)); });
    command(keys, "Gehezu Feld 'EinzelPreis \tSTRG-P", QKeySequence(Qt::CTRL | Qt::Key_P),
            [editor] { editor->GoToColumn(static_cast<int>(ProductColumn::UnitPrice)); });
    command(keys, "Gehezu Feld 'Auswahlliste' \tSTRG-A", QKeySequence(Qt::CTRL | Qt::Key_A),
            [editor] { editor->FocusSelectionList(); });
    command(keys, "&Berechne Zwischensummen \tSTRG-E", QKeySequence(Qt::CTRL | Qt::Key_E),
            [editor] { editor->ComputeTotals(); });
    command(keys, "Zurücksetzen der Adresseingabefelder \tSTRG-1",
            QKeySequence(Qt::CTRL | Qt::Key_1), [editor] { editor->ClearRecipient(); });
    command(keys, "&Zurücksetzen der Produkteingabefelder \tSTRG-2",
            QKeySequence(Qt::ALT | Qt::Key_F3), [editor] { editor->ClearPendingExceptTiers(); });
    command(keys, "Zurücksetzen der Produkteingabezeile \tSTRG-3",
            QKeySequence(Qt::CTRL | Qt::Key_3), [editor] { editor->ClearPendingLine(); });
    command(keys, "Erweiterte Produkteingabesteuerung aktivieren/deaktivieren\tSTRG-G",
            QKeySequence(Qt::CTRL | Qt::Key_G), [editor] { editor->ToggleProductControl(); });

    key(QKeySequence(Qt::Key_F4), [editor] { editor->SaveChangedDocument(); });
    key(QKeySequence(Qt::Key_F5), [editor] { editor->AppendPendingLine(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_2), [editor] { editor->ClearContent(); });
    key(QKeySequence(Qt::ALT | Qt::Key_O), [editor] { editor->EditConditions(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F6), [editor] { editor->SearchAllAddresses(); });
    key(QKeySequence(Qt::ALT | Qt::Key_Z), [editor] { editor->DeleteMarkedRow(); });
    key(QKeySequence(Qt::Key_Delete), [editor] { editor->DeleteMarkedRow(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_U), [editor] { editor->RemoveHardLineBreaks(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_W), [editor] { editor->MeasureForSeveralVatRates(); });
    key(QKeySequence(Qt::ALT | Qt::Key_Left), [editor] { editor->MoveCell(CellMove::Backward); });
    key(QKeySequence(Qt::ALT | Qt::Key_Right), [editor] { editor->MoveCell(CellMove::Forward); });
    key(QKeySequence(Qt::ALT | Qt::Key_Up), [editor] { editor->MoveCell(CellMove::Up); });
    key(QKeySequence(Qt::ALT | Qt::Key_Down), [editor] { editor->MoveCell(CellMove::Down); });
}

bool CZelvaDlg::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (!widget || widget->window() != this || keyEvent->modifiers() != Qt::AltModifier)
        return QMainWindow::eventFilter(watched, event);
    const auto chosen = TypeForAltKey(keyEvent->key());
    if (!chosen)
        return QMainWindow::eventFilter(watched, event);
    // The override claims the key, so the menu bar's mnemonics do not; the key press that
    // follows selects the type.
    event->accept();
    if (type == QEvent::KeyPress && !keyEvent->isAutoRepeat())
        SelectDocumentType(*chosen);
    return true;
}

} // namespace fakvo
