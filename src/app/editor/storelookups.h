#pragma once
// The editor's door to the user's address and product tables: the searches that fill the
// selection list, and the rows chosen from it as the editor takes them. The rows of the last
// search are kept until the next one of the same kind.

#include "app/editor/cellrules.h"
#include "app/editor/recipientrules.h"
#include "app/editor/selectionlist.h"
#include "storage/database.h"

#include <QList>

class QWidget;
#include <QStringList>

#include <memory>
#include <optional>

namespace fakvo {

struct Configuration;

// What a search gives the selection list and the status line.
struct LookupRows
{
    SelectionMode mode = SelectionMode::Empty;
    QList<SelectionListColumn> columns;
    QList<QStringList> rows;
    QString statusText;      // "%d Einträge gefunden" (products with a final point)
    bool endProgram = false; // a configured column the table lacks: the application ends
};

// The product search as the editor asks it.
struct ProductLookup
{
    QString number;
    QString description;     // a LIKE pattern
    long long productId = 0; // above 0: this product alone
};

class StoreLookups
{
public:
    explicit StoreLookups(const Configuration& config);
    ~StoreLookups();
    StoreLookups(const StoreLookups&) = delete;
    StoreLookups& operator=(const StoreLookups&) = delete;

    // Each operation opens its own connection with `settings`.
    LookupRows SearchAddresses(const DatabaseSettings& settings, const QString& column,
                               const QString& text);
    LookupRows SearchAllAddresses(const DatabaseSettings& settings);
    // The customer-number lookup, with the number as the table holds it (no offset).
    LookupRows LookUpCustomer(const DatabaseSettings& settings, long long number);
    // Address row `row` of the last address search, as the editor takes it.
    std::optional<TakenAddress> Address(int row) const;

    LookupRows SearchProducts(const DatabaseSettings& settings, const ProductLookup& lookup);
    // "Zeige letzte Produktnummer": the product with the highest product number; none when the
    // table holds no product.
    std::optional<LookupRows> ShowLastProductNumber(const DatabaseSettings& settings);
    // Product row `row` of the last product search as the pending line.
    std::optional<PendingLine> Product(int row) const;

    // The record ids of rows of the last searches; 0 for a row that is not there.
    long long AddressId(int row) const;
    long long ProductId(int row) const;

    // The record dialog on the address or product table, opened on `recordId` (0: empty, for
    // appending). The id of the changed or appended record; 0 when none was written.
    long long EditAddressRecord(const DatabaseSettings& settings, long long recordId,
                                QWidget* parent);
    long long EditProductRecord(const DatabaseSettings& settings, long long recordId,
                                QWidget* parent);

    // "Speichere Adresse in Datenbank" (after its question): the new address's id, 0 when
    // nothing was saved.
    long long SaveRecipient(const DatabaseSettings& settings, const Recipient& recipient,
                            const QString& vatId, bool* endProgram);
    // "Speichere Produkt in Datenbank": the product search the list shows afterwards (the new
    // product, or the last one when the number exists already); none when nothing ran.
    std::optional<LookupRows> SaveProductLine(const DatabaseSettings& settings,
                                              const ProductLine& line);

private:
    struct Results;
    const Configuration& m_config;
    std::unique_ptr<Results> m_results;
};

} // namespace fakvo
