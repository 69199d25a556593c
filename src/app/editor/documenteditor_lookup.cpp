// The editor's searches in the address and product tables, the selection list, and the
// extended product entry window.

#include "app/editor/documenteditor.h"

#include "app/editor/pendingfields.h"
#include "app/editor/productlist.h"
#include "app/editor/recipientblock.h"
#include "app/editor/selectionlist.h"
#include "app/editor/storelookups.h"
#include "storage/ui/productcontrol.h"
#include "storage/worksettings.h"

#include <QCursor>
#include <QLineEdit>

namespace fakvo {
namespace {

const QString kSearchStarted = QStringLiteral("Suche wurde gestartet...");
const QString kAddressHint =
    QStringLiteral("Durch einen Klick auf einen Adresseintrag übernehmen Sie die Empfängeradresse "
                   "in die Empfänger-Adressfelder des Eingabedialogs.");

} // namespace

QString DocumentEditor::SearchColumn() const
{
    WorkSettings* settings = Settings();
    const QString column = settings ? settings->Text(WorkSetting::SearchColumn) : QString();
    return column.isEmpty() ? QStringLiteral("SUCHBEGRIFF") : column;
}

bool DocumentEditor::ShowLookup(const LookupRows& rows)
{
    if (rows.endProgram) {
        emit endRequested();
        return false;
    }
    m_selection->ShowRows(rows.mode, rows.columns, rows.rows);
    ShowStatus(rows.statusText);
    if (rows.mode == SelectionMode::Addresses)
        m_selection->SetHint(rows.rows.size() == 1 ? QString() : kAddressHint);
    else
        m_selection->SetHint(QString());
    return true;
}

void DocumentEditor::TakeAddressRow(int row)
{
    if (const std::optional<TakenAddress> taken = m_lookups->Address(row)) {
        m_selection->SelectRow(row);
        TakeAddress(*taken);
    }
}

void DocumentEditor::LookUpCustomer()
{
    GatherInput();
    const std::optional<int> number = CustomerNumberFromText(m_document.recipient.attention);
    if (!number)
        return;
    ShowStatus(kSearchStarted);
    const LookupRows rows = m_lookups->LookUpCustomer(DatabaseSettingsNow(), *number);
    if (ShowLookup(rows) && rows.rows.size() == 1)
        TakeAddressRow(0);
    // The hint stays whatever the lookup found: the block may be filled by a click as well.
    m_selection->SetHint(kAddressHint);
}

void DocumentEditor::LookUpLoadedCustomer()
{
    if (m_config.serverMode)
        return;
    const int customer = m_document.recipient.customerNumber;
    const LookupRows rows = m_lookups->LookUpCustomer(
        DatabaseSettingsNow(), static_cast<long long>(customer) - m_config.ODBCKUNDENNRADDITION);
    if (!ShowLookup(rows))
        return;
    if (rows.rows.isEmpty()) {
        ShowStatus(QStringLiteral("Die Kundennummer '%1' wurde nicht gefunden!").arg(customer));
        return;
    }
    m_selection->SelectRow(0);
    ShowStatus(QStringLiteral("Das gewählte Dokument wurde geladen."));
}

void DocumentEditor::SearchAddresses()
{
    GatherInput();
    ShowStatus(kSearchStarted);
    const LookupRows rows =
        m_lookups->SearchAddresses(DatabaseSettingsNow(), SearchColumn(), m_search->text());
    if (ShowLookup(rows) && rows.rows.size() == 1)
        TakeAddressRow(0);
}

void DocumentEditor::SearchAllAddresses()
{
    ShowStatus(kSearchStarted);
    const LookupRows rows = m_lookups->SearchAllAddresses(DatabaseSettingsNow());
    if (ShowLookup(rows) && rows.rows.size() == 1)
        TakeAddressRow(0);
}

void DocumentEditor::SearchProducts()
{
    // With the cell editor open on the product number or the text, its text is searched.
    ProductLookup lookup;
    const PendingLine pending = Pending();
    lookup.number = pending.productNumber;
    lookup.description = pending.text;
    if (m_openCell != 0) {
        const int column = (m_openCell - 1) % 10;
        const QString cell = m_list->Editor()->toPlainText();
        if (column == static_cast<int>(ProductColumn::ProductNumber)) {
            lookup.number = cell.trimmed();
            lookup.description.clear();
        } else if (column == static_cast<int>(ProductColumn::Text)) {
            lookup.number.clear();
            lookup.description = u'%' + cell + u'%';
        }
    }
    ShowStatus(kSearchStarted);
    ShowLookup(m_lookups->SearchProducts(DatabaseSettingsNow(), lookup));
}

void DocumentEditor::SearchAllProducts()
{
    const PendingLine pending = Pending();
    ShowStatus(kSearchStarted);
    ShowLookup(
        m_lookups->SearchProducts(DatabaseSettingsNow(), {pending.productNumber, pending.text, 0}));
}

void DocumentEditor::ShowLastProductNumber()
{
    if (const std::optional<LookupRows> rows =
            m_lookups->ShowLastProductNumber(DatabaseSettingsNow()))
        ShowLookup(*rows);
}

void DocumentEditor::SaveRecipientAsAddress()
{
    GatherInput();
    bool endProgram = false;
    const long long id = m_lookups->SaveRecipient(DatabaseSettingsNow(), m_document.recipient,
                                                  m_document.conditions.customerVatId, &endProgram);
    if (endProgram) {
        emit endRequested();
        return;
    }
    if (id <= 0)
        return;
    // The new address is shown and selected, as a lookup of its number finds it.
    const LookupRows rows = m_lookups->LookUpCustomer(DatabaseSettingsNow(), id);
    if (ShowLookup(rows) && !rows.rows.isEmpty())
        m_selection->SelectRow(0);
}

void DocumentEditor::SaveLineAsProduct()
{
    CommitOpenCell();
    const int marked = m_list->MarkedRow();
    ProductLine line;
    if (marked >= 0 && marked < m_document.lines.size()) {
        line = m_document.lines[marked];
    } else {
        const PendingLine pending = Pending();
        line[ProductColumn::Quantity] = pending.quantity;
        line[ProductColumn::ProductNumber] = pending.productNumber;
        line[ProductColumn::Text] = pending.text;
        line[ProductColumn::VatRate] = pending.vatRate;
        line[ProductColumn::UnitPrice] = pending.unitPrice;
    }
    if (const std::optional<LookupRows> rows =
            m_lookups->SaveProductLine(DatabaseSettingsNow(), line))
        ShowLookup(*rows);
}

void DocumentEditor::EditAddress()
{
    const QList<int> marked = m_selection->Mode() == SelectionMode::Addresses
                                  ? m_selection->SelectedRows()
                                  : QList<int>();
    const long long shown = marked.isEmpty() ? 0 : m_lookups->AddressId(marked.first());
    const long long id = m_lookups->EditAddressRecord(DatabaseSettingsNow(), shown, this);
    if (id <= 0)
        return;
    // The written record is shown and marked, as a lookup of its number finds it.
    const LookupRows rows = m_lookups->LookUpCustomer(DatabaseSettingsNow(), id);
    if (ShowLookup(rows) && !rows.rows.isEmpty())
        m_selection->SelectRow(0);
}

void DocumentEditor::EditProduct()
{
    const QList<int> marked =
        m_selection->Mode() == SelectionMode::Products ? m_selection->SelectedRows() : QList<int>();
    const long long shown = marked.isEmpty() ? 0 : m_lookups->ProductId(marked.first());
    const long long id = m_lookups->EditProductRecord(DatabaseSettingsNow(), shown, this);
    if (id > 0 && ShowLookup(m_lookups->SearchProducts(DatabaseSettingsNow(), {{}, {}, id})))
        m_selection->SelectRow(0);
}

void DocumentEditor::OnSelectionChosen(SelectionMode mode, int row)
{
    switch (mode) {
    case SelectionMode::Addresses:
        // A click with Ctrl or Shift only marks addresses (serial documents).
        if (m_selection->SelectedRows().size() <= 1)
            TakeAddressRow(row);
        break;
    case SelectionMode::Products:
        if (const std::optional<PendingLine> product = m_lookups->Product(row))
            SetPendingLine(*product);
        break;
    case SelectionMode::FieldNames:
    case SelectionMode::Empty:
        break;
    }
}

void DocumentEditor::ToggleProductControl()
{
    WorkSettings* settings = Settings();
    if (!m_productControl) {
        m_productControl = new CProduktStrg(settings, this);
        m_productControl->setWindowFlag(Qt::Tool);
        m_productControl->SetCurrentRowSource([this] { return m_list->MarkedRow(); });
        m_productControl->SetActionHandler([this](ProductAction action, int row) {
            OnProductAction(static_cast<int>(action), row);
        });
    }
    const bool show = !m_productControl->isVisible();
    m_productControl->setVisible(show);
    if (show) {
        // The window stands beside the product list, where the cell editor works.
        const QPoint corner = m_list->mapToGlobal(QPoint(m_list->width(), 0));
        m_productControl->move(corner.x() - m_productControl->sizeHint().width(), corner.y());
    }
    if (settings)
        settings->WriteSettingNumber(WorkSetting::ProductWindowHidden, show ? 0 : 1);
}

void DocumentEditor::OnProductAction(int action, int row)
{
    // The arrows move the open cell editor, or open one in the row that was marked.
    auto move = [this, row](CellMove direction) {
        if (m_openCell != 0)
            MoveCell(direction);
        else if (!m_document.lines.isEmpty())
            OpenCellEditor(std::max(0, row), static_cast<int>(ProductColumn::Quantity));
    };
    switch (static_cast<ProductAction>(action)) {
    case ProductAction::Close:
        break;
    case ProductAction::MoreFunctions:
        ShowCellMenu(QCursor::pos());
        break;
    case ProductAction::EditProduct:
        EditProduct();
        break;
    case ProductAction::SaveProduct:
        SaveLineAsProduct();
        break;
    case ProductAction::LastNumber:
        ShowLastProductNumber();
        break;
    case ProductAction::Search:
        SearchProducts();
        break;
    case ProductAction::MoveLeft:
        move(CellMove::Backward);
        break;
    case ProductAction::MoveRight:
        move(CellMove::Forward);
        break;
    case ProductAction::MoveUp:
        move(CellMove::Up);
        break;
    case ProductAction::MoveDown:
        move(CellMove::Down);
        break;
    case ProductAction::ShowAll:
        SearchAllProducts();
        break;
    case ProductAction::DeleteLine:
        DeleteMarkedRow();
        break;
    }
}

} // namespace fakvo
