#pragma once
// The tool window "Erweiterte Produkteingabesteuerung" (`CProduktStrg`): a small window that
// drives the product entry with the mouse. A button only records its action and starts a
// 120 ms one-shot timer; when the timer fires, the window hands the action to its owner (the
// main window), so the button's own event handling has finished before the owner acts. A
// press before the timer fired replaces the recorded action.

#include <QTimer>
#include <QWidget>

#include <functional>

class QAbstractButton;

namespace fakvo {

class WorkSettings;

enum class ProductAction : int
{
    Close = 0,         // "Zurück (ESC)": the window hides itself
    MoreFunctions = 1, // "Weitere Funktionen...": the product list's context menu
    EditProduct = 2,   // "Bearbeite Produkt"
    SaveProduct = 3,   // "Speichere Produkt"
    LastNumber = 4,    // "Zeige letzte ProdNr."
    Search = 5,        // "Suche (F3)"
    MoveLeft = 6,      // the arrows move the cell editor: back one column
    MoveRight = 7,     // forward one column
    MoveUp = 8,        // one row up
    MoveDown = 9,      // one row down
    ShowAll = 10,      // "Zeige alle (STRG-F3)"
    DeleteLine = 11,   // "Lösche akt. Zeile (ALT-Z)"
};

class CProduktStrg : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 120;

    // `row`: for the arrow actions the product-list row that was current when the arrow was
    // pressed, else -1.
    using ActionHandler = std::function<void(ProductAction action, int row)>;

    // `settings` receives "1" in field 23 when the user hides the window for good (may be
    // null).
    explicit CProduktStrg(WorkSettings* settings, QWidget* parent = nullptr);

    void SetActionHandler(ActionHandler handler) { m_handler = std::move(handler); }
    // Where the arrow actions read the current product-list row.
    void SetCurrentRowSource(std::function<int()> source) { m_currentRow = std::move(source); }

    // The button of an action (for the owner's tooltips and for tests).
    QAbstractButton* Button(ProductAction action) const;
    // The check box that hides the window and keeps it hidden.
    QAbstractButton* HideCheckBox() const { return m_hideBox; }
    bool ActionPending() const { return m_timer.isActive(); }

signals:
    // Emitted when the timer fires, before the handler runs; `action` is the ProductAction code.
    void actionRequested(int action, int row);

private:
    void Press(ProductAction action);
    void Fire();
    void HideForGood(bool checked);

    WorkSettings* m_settings = nullptr;
    ActionHandler m_handler;
    std::function<int()> m_currentRow;
    QTimer m_timer;
    ProductAction m_pending = ProductAction::Close;
    int m_pendingRow = -1;
    QList<QAbstractButton*> m_buttons; // indexed by action code
    QAbstractButton* m_hideBox = nullptr;
};

} // namespace fakvo
