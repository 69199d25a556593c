#include "app/editor/storelookups.h"

#include "app/editor/addresstaking.h"
#include "config/configuration.h"
#include "storage/addressstore.h"
#include "storage/productstore.h"
#include "storage/ui/recorddialog.h"
#include "texts/salutation.h"

namespace fakvo {

struct StoreLookups::Results
{
    QList<AddressRecord> addresses;
    QList<ProductRecord> products;
};

namespace {

QList<SelectionListColumn> ListColumns(const QList<SelectionColumn>& columns)
{
    QList<SelectionListColumn> shown;
    for (const SelectionColumn& column : columns)
        shown << SelectionListColumn{column.title, column.width, column.rightAligned};
    return shown;
}

SalutationFunction Salutation(const Configuration& config)
{
    return [&config](const AddressRecord& record) {
        return ComputePersonalSalutation(AddressValuesOf(record), config);
    };
}

} // namespace

StoreLookups::StoreLookups(const Configuration& config)
    : m_config(config), m_results(std::make_unique<Results>())
{
}

StoreLookups::~StoreLookups() = default;

namespace {

LookupRows AddressRows(const AddressSearch& search, const Configuration& config)
{
    LookupRows rows;
    rows.mode = SelectionMode::Addresses;
    rows.columns = ListColumns(AddressListColumns(config.ODBCAUSWAHLPOS));
    for (const AddressRecord& record : search.records)
        rows.rows << AddressListRow(record);
    rows.statusText = search.StatusText();
    rows.endProgram = search.outcome.endProgram;
    return rows;
}

LookupRows ProductRows(const ProductSearch& search, const Configuration& config)
{
    LookupRows rows;
    rows.mode = SelectionMode::Products;
    rows.columns = ListColumns(ProductListColumns(config.ODBCPRAUSWAHLPOS));
    for (const ProductRecord& record : search.records)
        rows.rows << ProductListRow(record);
    rows.statusText = search.StatusText();
    rows.endProgram = search.outcome.endProgram;
    return rows;
}

} // namespace

LookupRows StoreLookups::SearchAddresses(const DatabaseSettings& settings, const QString& column,
                                         const QString& text)
{
    Database database(settings);
    AddressStore store(database, m_config, Salutation(m_config));
    const AddressSearch search = store.SearchAddresses(column, text);
    m_results->addresses = search.records;
    return AddressRows(search, m_config);
}

LookupRows StoreLookups::SearchAllAddresses(const DatabaseSettings& settings)
{
    Database database(settings);
    AddressStore store(database, m_config, Salutation(m_config));
    const AddressSearch search = store.SearchAllAddresses();
    m_results->addresses = search.records;
    return AddressRows(search, m_config);
}

LookupRows StoreLookups::LookUpCustomer(const DatabaseSettings& settings, long long number)
{
    Database database(settings);
    AddressStore store(database, m_config, Salutation(m_config));
    const AddressSearch search = store.LookupCustomer(number);
    m_results->addresses = search.records;
    return AddressRows(search, m_config);
}

std::optional<TakenAddress> StoreLookups::Address(int row) const
{
    if (row < 0 || row >= m_results->addresses.size())
        return std::nullopt;
    return AddressForEditor(m_results->addresses[row], m_config);
}

LookupRows StoreLookups::SearchProducts(const DatabaseSettings& settings,
                                        const ProductLookup& lookup)
{
    Database database(settings);
    ProductStore store(database, m_config);
    ProductQuery query;
    query.number = lookup.number;
    query.description = lookup.description;
    query.productId = lookup.productId;
    const ProductSearch search = store.SearchProducts(query);
    m_results->products = search.records;
    return ProductRows(search, m_config);
}

std::optional<LookupRows> StoreLookups::ShowLastProductNumber(const DatabaseSettings& settings)
{
    Database database(settings);
    ProductStore store(database, m_config);
    const std::optional<ProductSearch> search = store.ShowLastProductNumber();
    if (!search)
        return std::nullopt;
    m_results->products = search->records;
    return ProductRows(*search, m_config);
}

std::optional<PendingLine> StoreLookups::Product(int row) const
{
    if (row < 0 || row >= m_results->products.size())
        return std::nullopt;
    const ProductLine line = TakeProduct(m_results->products[row], m_config);
    return PendingLine{line[ProductColumn::Quantity],  line[ProductColumn::ProductNumber],
                       line[ProductColumn::Text],      line[ProductColumn::VatRate],
                       line[ProductColumn::UnitPrice], line[ProductColumn::PriceTiers]};
}

long long StoreLookups::AddressId(int row) const
{
    if (row < 0 || row >= m_results->addresses.size())
        return 0;
    return m_results->addresses[row].id.trimmed().toLongLong();
}

long long StoreLookups::ProductId(int row) const
{
    if (row < 0 || row >= m_results->products.size())
        return 0;
    return m_results->products[row].id.trimmed().toLongLong();
}

namespace {

long long RunRecordDialog(const RecordEditor& editor, long long recordId, QWidget* parent)
{
    CDatenSatz dialog(editor, recordId, parent);
    dialog.exec();
    return dialog.ChangedId() != 0 ? dialog.ChangedId() : dialog.AppendedId();
}

} // namespace

long long StoreLookups::EditAddressRecord(const DatabaseSettings& settings, long long recordId,
                                          QWidget* parent)
{
    Database database(settings);
    AddressStore store(database, m_config, Salutation(m_config));
    return RunRecordDialog(store.Editor(), recordId, parent);
}

long long StoreLookups::EditProductRecord(const DatabaseSettings& settings, long long recordId,
                                          QWidget* parent)
{
    Database database(settings);
    ProductStore store(database, m_config);
    return RunRecordDialog(store.Editor(), recordId, parent);
}

long long StoreLookups::SaveRecipient(const DatabaseSettings& settings, const Recipient& recipient,
                                      const QString& vatId, bool* endProgram)
{
    Database database(settings);
    AddressStore store(database, m_config, Salutation(m_config));
    const SavedRecord saved = store.SaveRecipientAsAddress(recipient, vatId);
    if (endProgram)
        *endProgram = saved.outcome.endProgram;
    return saved.id;
}

std::optional<LookupRows> StoreLookups::SaveProductLine(const DatabaseSettings& settings,
                                                        const ProductLine& line)
{
    Database database(settings);
    ProductStore store(database, m_config);
    const SavedProduct saved = store.SaveLineAsProduct(line);
    if (!saved.shown)
        return std::nullopt;
    m_results->products = saved.shown->records;
    return ProductRows(*saved.shown, m_config);
}

} // namespace fakvo
