#pragma once
// The document editor in the upper part of the main window: type bar and coloured caption,
// recipient block with its search field, buttons and date, the conditions line, the pending
// product line, the product list with its in-place cell editor (or the message fields), the
// totals, the selection list and the status line. It holds the one open Document; every
// change runs the amount computation. The areas are widgets of their own; the rules they
// follow are the plain functions of cellrules.h, recipientrules.h and conditionsrules.h.

#include "app/document/documentstore.h"
#include "app/editor/cellrules.h"
#include "app/editor/linemeasure.h"
#include "app/editor/listlayout.h"
#include "app/editor/recipientrules.h"
#include "app/model/document.h"
#include "app/model/totals.h"
#include "storage/databasesettings.h"

#include <QDateTime>
#include <QFont>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;

namespace fakvo {

class CProduktStrg;
class CellEditor;
class StoreLookups;
struct LookupRows;
class MessageFields;
class PendingFields;
class ProductListView;
class RecipientBlock;
class SelectionList;
class StatusLine;
class TotalsFields;
class TypeBar;
class WorkSettings;
enum class SelectionMode;

// What the editor learns from the main window that hosts it.
struct EditorEnvironment
{
    std::function<WorkSettings*()> workSettings; // null while none is loaded
    std::function<DatabaseSettings()> databaseSettings;
    std::function<int()> profileIndex;
    std::function<QString()> clerk;
    std::function<QDateTime()> now;
    // The document lock between workstations: F4 takes it for the loaded entry before it asks,
    // and gives it back at the end. Without the workstation messaging every lock is granted.
    std::function<bool(int rowId)> lockDocument;
    std::function<void(int rowId)> unlockDocument;
};

class DocumentEditor : public QWidget
{
    Q_OBJECT
public:
    DocumentEditor(const Configuration& config, EditorEnvironment environment,
                   QWidget* parent = nullptr);
    ~DocumentEditor() override;

    // The open document; every field the user types into is taken over as it changes.
    const Document& document() const;

    // The defaults of a new editor (start, profile switch): conditions from the working
    // settings, the clerk, today's date, the current type's layout, the line-break
    // measurement (telling the user when no printer can be opened) and the tips switch.
    void ApplyDefaults();

    // After the configuration changed: the list columns and the line-break measurement.
    void ConfigurationChanged();

    // The single entry point for a type change.
    void SelectDocumentType(DocumentType type);
    // Runs the amount computation and shows its results.
    void ComputeTotals();
    // Shows a text in the status line and writes it to the log.
    void ShowStatus(const QString& text);
    QString StatusText() const;

    // Measures the print-true line breaks of the text column and the message field against
    // the document printer; `tellUser` shows the two messages when no printer can be opened.
    void MeasureLineBreaks(bool tellUser);

    // Commands of the menus and keys.
    void ClearRecipient();            // Ctrl+1
    void ClearContent();              // Ctrl+2
    void ClearPendingExceptTiers();   // Alt+F3
    void ClearPendingLine();          // Ctrl+3
    void AppendPendingLine();         // F5
    void MoveMarkedRow(int step);     // "+" (-1) and "-" (+1)
    void DeleteMarkedRow();           // Delete, Alt+Z
    void RemoveHardLineBreaks();      // Ctrl+U
    void MeasureForSeveralVatRates(); // Ctrl+W
    void ToggleLargeList();           // F12
    void MoveCell(CellMove move);     // Alt+arrows, Shift+Tab
    void GoToColumn(int column);      // Ctrl+M, Ctrl+K, Ctrl+B, Ctrl+T, Ctrl+P
    void FocusSelectionList();        // Ctrl+A
    void EditConditions();            // Alt+O
    void ConvertUnitPrices(PriceConversion conversion);
    void CommitOpenCell();

    // Taking an address (from the address store): the postal code follows the country rules;
    // the status line shows the contact data; an invoice opens the customer's template when
    // there is one.
    void TakeAddress(const TakenAddress& taken);
    // Taking a product into the pending line.
    void SetPendingLine(const PendingLine& line);
    PendingLine Pending() const;

    // Storing and loading. F2 stores the document as a new entry; F4 rewrites the loaded one
    // after asking (an offer becomes an invoice this way); loading shows a stored entry and
    // remembers it for F4 and "Letze gel. DokNr".
    // Puts a whole document into the editor (automatic jobs fill it this way) and recomputes.
    void ReplaceDocument(const Document& document);
    StoreOutcome SaveNewDocument();
    StoreOutcome SaveChangedDocument();
    bool LoadDocument(int rowId);
    int LoadedId() const { return m_loadedId; }

    // Templates: open (from Vorlagen/, or from the backup folder), save, delete; each through
    // a file dialog. ApplyTemplate opens one file directly.
    void OpenTemplateFile(bool fromBackup);
    bool ApplyTemplate(const QString& path);
    void SaveAsTemplate();
    void DeleteTemplateFile();

    // The address and product tables. Results fill the selection list; a single address found
    // is taken at once; a click takes an address into the recipient block or a product into
    // the pending line.
    void LookUpCustomer();         // Enter in the attention line
    void SearchAddresses();        // F6
    void SearchAllAddresses();     // Ctrl+F6
    void SearchProducts();         // F3
    void SearchAllProducts();      // Ctrl+F3
    void ShowLastProductNumber();  // "Zeige letzte Produktnummer"
    void SaveRecipientAsAddress(); // Ctrl+I
    void SaveLineAsProduct();      // Ctrl+O
    void EditAddress();            // Alt+F5: the marked address, or a new one
    void EditProduct();            // Ctrl+F5: the marked product, or a new one
    void ToggleProductControl();   // Ctrl+G

    // "… ist in dieser Version noch nicht verfügbar." in the status line, for a command whose
    // subsystem is not built yet.
    void ShowNotAvailable(const QString& what);

    bool LargeList() const { return m_largeList; }
    const DocumentTotals& Totals() const { return m_totals; }
    const CellEditorSizes& EditorSizes() const { return m_sizes; }
    int OpenCell() const { return m_openCell; }

    TypeBar* typeBar() const { return m_typeBar; }
    ProductListView* productList() const { return m_list; }
    SelectionList* selectionList() const { return m_selection; }
    MessageFields* messageFields() const { return m_message; }

signals:
    // A type button asked for the documents of a type (Ctrl), all invoices by payment date
    // (Shift on the invoice button) or the mail client (double click on the e-mail button);
    // the main window carries these out.
    void typeListRequested(fakvo::DocumentType type);
    void invoicesByPaymentRequested();
    void mailClientRequested();
    // "Generiere &Mahnung(en) aus unbezahlten Rechnungen" of the type menu.
    void reminderGenerationRequested();
    // A configured column is missing from the address or product table: the application ends
    // (the message has been shown).
    void endRequested();

private:
    void BuildAreas();
    void FollowCellEditor(int row, int column);
    QWidget* BuildLeftColumn();
    QWidget* BuildProductArea();
    void ConnectAreas();

    void GatherInput();
    void ShowDocument();
    void ShowCaption();
    void ShowConditionsLine();
    void ApplyLayout();
    void RebuildListColumns();
    void MeasureTextColumn(bool withVatColumn);
    LineMeasure MeasureAt(int printedWidth, bool* printerMissing) const;
    void ShowLines();
    void ShowTips(bool on);
    CellRules Rules() const;
    WorkSettings* Settings() const;
    QDateTime Now() const;
    int Today() const;

    void OnCellChosen(int row, int column);
    void OpenCellEditor(int row, int column);
    void OpenCellQueued(int row, int column);
    void PickReminderDate(int row);
    void ShowCellMenu(const QPoint& globalPosition);
    void ShowTypeMenu(const QPoint& position);
    void OnSelectionChosen(SelectionMode mode, int row);
    int KeptPaymentMethod() const;
    StoreContext Context() const;
    DatabaseSettings DatabaseSettingsNow() const;
    void ShowStoreOutcome(const StoreOutcome& outcome);
    void ShowLoaded(const Document& loaded);
    void LookUpLoadedCustomer();
    bool ShowLookup(const LookupRows& rows);
    void TakeAddressRow(int row);
    QString SearchColumn() const;
    StoreOutcome SaveSerialDocuments(const QList<int>& rows);
    void OnProductAction(int action, int row);

    const Configuration& m_config;
    EditorEnvironment m_env;
    Document m_document;
    PendingLine m_pending;
    DocumentTotals m_totals;
    QString m_lastEstimate;
    int m_openCell = 0; // row × 10 + column + 1 of the open cell editor; 0 for none
    bool m_committing = false;
    bool m_largeList = false;
    bool m_reminderColumns = false;
    bool m_columnsBuilt = false;
    CellEditorSizes m_sizes;
    QFont m_textFont;
    int m_loadedId = 0;
    int m_loadedNumber = 0;
    int m_loadedDate = 0;
    QString m_loadedLabel; // number label and number of the document loaded last

    TypeBar* m_typeBar = nullptr;
    QLabel* m_caption = nullptr;
    QWidget* m_left = nullptr;
    RecipientBlock* m_recipient = nullptr;
    QLabel* m_conditionsLine = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_fieldButton = nullptr;
    QLineEdit* m_date = nullptr;
    QPushButton* m_printButton = nullptr;
    QWidget* m_productArea = nullptr;
    PendingFields* m_pendingFields = nullptr;
    ProductListView* m_list = nullptr;
    TotalsFields* m_totalsFields = nullptr;
    MessageFields* m_message = nullptr;
    SelectionList* m_selection = nullptr;
    StatusLine* m_status = nullptr;
    QWidget* m_contentArea = nullptr;
    std::unique_ptr<StoreLookups> m_lookups;
    CProduktStrg* m_productControl = nullptr;
};

} // namespace fakvo
