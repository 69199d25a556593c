#pragma once
// The product store: the user's own product table, whose columns the configuration maps to
// the fields of a `ProductRecord` (ODBCPRID, ODBCPRSTUECK, ODBCPRSTAFFEL, ODBCPRKURZBEZ,
// ODBCPRBEZ, ODBCPRMWST, ODBCPRPREIS). It runs the product search, gives the rows of the
// product selection list, turns a chosen product into the editor's pending product line, and
// saves a product line as a new product through the record writer.

#include "app/model/document.h"
#include "storage/addressstore.h"
#include "storage/columnmapping.h"
#include "storage/database.h"
#include "storage/recordeditor.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

struct Configuration;

// One row of the product table, in the order in which its fields are read.
struct ProductRecord
{
    QString id;          // ODBCPRID
    QString unit;        // ODBCPRSTUECK: a unit, or a quantity followed by a unit
    QString tiers;       // ODBCPRSTAFFEL, every blank replaced by ';'
    QString number;      // ODBCPRKURZBEZ
    QString description; // ODBCPRBEZ
    QString vatRate;     // ODBCPRMWST
    QString price;       // ODBCPRPREIS

    bool operator==(const ProductRecord&) const = default;
};

// The mapping keys of a ProductRecord's fields, in reading order.
QStringList ProductMappings(const Configuration& config);

// The six columns "Menge" (right-aligned), "Prod.Nr.", "E.Preis", "Preisstaffel", "MWSt",
// "Bezeichnung"; "Preisstaffel" is always 100 wide, the others take the entries of
// ODBCPRAUSWAHLPOS in order (a missing entry 100).
QList<SelectionColumn> ProductListColumns(const QList<int>& widths);
QStringList ProductListRow(const ProductRecord& record);

// The pending product line a chosen product becomes: quantity text (1, or the unit's number
// and the unit), product number, description, VAT rate (STANDARDMWST when empty), unit price
// (rounded to EINZELPREISNACHKOMMASTELLEN, divided by ODBCPRKORRPREIS when above 0) and the
// tiers (with "1=<unit price>" in front unless they begin with "1=", normalised).
ProductLine TakeProduct(const ProductRecord& record, const Configuration& config);

// What the product search is asked.
struct ProductQuery
{
    QString number;          // product number; compared with =, or LIKE with PRODUKTNREINDEUTIG
    QString description;     // LIKE pattern ("%" wildcards as typed)
    long long productId = 0; // above 0: this product alone
    bool lastNumber = false; // the product with the highest product number
};

// The statement of a product search on the product table set, single quotes in the two
// texts doubled.
QString ProductSearchStatement(const Configuration& config, const TableSetSettings& products,
                               const ProductQuery& query);

struct ProductSearch
{
    QList<ProductRecord> records;
    QString statement;
    TableOutcome outcome;

    // Last-number mode: the id of the first row, 0 when none.
    long long FirstId() const;
    // "%d Einträge gefunden.", for the status line.
    QString StatusText() const;
};

// The columns and values of a new product made from a product line (see SaveLineAsProduct).
NewRecord NewProductRecord(const Configuration& config, const ProductLine& line);

struct SavedProduct
{
    long long id = 0; // the new product's id; 0 when nothing was saved
    TableOutcome outcome;
    // What the selection list shows afterwards: the new product, or, when the number exists
    // already, the product with the highest product number. Empty when nothing ran.
    std::optional<ProductSearch> shown;
};

// Keeps references to the database layer and the configuration, which must outlive it; a
// reloaded configuration takes effect at the next operation.
class ProductStore
{
public:
    ProductStore(Database& database, const Configuration& config);

    // The product search; logs "Produktsuche nach: '%s', '%s'. Gefunden: %d". A statement
    // the database rejects is reported and gives no rows; a text that would add a second
    // statement is refused and nothing runs.
    ProductSearch SearchProducts(const ProductQuery& query);
    // "Zeige letzte Produktnummer": the product with the highest product number, searched by
    // its id; no search runs (and the result is empty) when the table holds no product.
    std::optional<ProductSearch> ShowLastProductNumber();

    // "Speichere Produkt in Datenbank": refuses a product number that exists once already
    // ("Diese Produktnummer existiert bereits! Abbruch! …", showing the last product), asks
    // "Soll dieses Produkt wirklich gespeichert werden?" and inserts the line as a product.
    SavedProduct SaveLineAsProduct(const ProductLine& line);

    // The record editor on the product table.
    RecordEditor Editor() const;

private:
    Database& m_database;
    const Configuration& m_config;
};

} // namespace fakvo
