#include "storage/productstore.h"

#include "app/model/tiers.h"

#include "app/model/money.h"
#include "config/configuration.h"
#include "platform/prompt.h"
#include "storage/journal.h"
#include "storage/statementcheck.h"
#include "support/log.h"

#include <algorithm>

namespace fakvo {

namespace {

enum ProductField : int
{
    Id,
    Unit,
    Tiers,
    Number,
    Description,
    VatRate,
    Price,
};

QString Doubled(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

QString Pointed(const QString& text)
{
    QString pointed = text;
    pointed.replace(QLatin1Char(','), QLatin1Char('.'));
    return pointed;
}

} // namespace

QStringList ProductMappings(const Configuration& c)
{
    return {c.ODBCPRID,  c.ODBCPRSTUECK, c.ODBCPRSTAFFEL, c.ODBCPRKURZBEZ,
            c.ODBCPRBEZ, c.ODBCPRMWST,   c.ODBCPRPREIS};
}

QList<SelectionColumn> ProductListColumns(const QList<int>& widths)
{
    return {{QStringLiteral("Menge"), widths.value(0, 100), true},
            {QStringLiteral("Prod.Nr."), widths.value(1, 100), false},
            {QStringLiteral("E.Preis"), widths.value(2, 100), false},
            {QStringLiteral("Preisstaffel"), 100, false},
            {QStringLiteral("MWSt"), widths.value(3, 100), false},
            {QStringLiteral("Bezeichnung"), widths.value(4, 100), false}};
}

QStringList ProductListRow(const ProductRecord& r)
{
    return {r.unit, r.number, r.price, r.tiers, r.vatRate, r.description};
}

ProductLine TakeProduct(const ProductRecord& record, const Configuration& config)
{
    const int decimals = config.EINZELPREISNACHKOMMASTELLEN;
    ProductLine line;

    QString quantity;
    double number = ReadDecimal(record.unit);
    if (number == 0 && record.unit.isEmpty()) {
        quantity = QStringLiteral("1");
    } else {
        if (number == 0)
            number = 1;
        quantity = FormatDecimal(number, -4);
        if (!record.unit.isEmpty())
            quantity += QLatin1Char(' ') + record.unit;
    }
    while (quantity.endsWith(QLatin1Char(' ')))
        quantity.chop(1);

    double price = RoundTo(ReadDecimal(record.price), decimals);
    if (config.ODBCPRKORRPREIS > 0)
        price /= config.ODBCPRKORRPREIS;
    const QString priceText = FormatDecimal(price, decimals);

    QString tiers = record.tiers;
    if (!tiers.isEmpty() && !tiers.startsWith(QLatin1String("1=")))
        tiers = QStringLiteral("1=") + priceText + QLatin1Char(';') + tiers;

    line[ProductColumn::Quantity] = quantity;
    line[ProductColumn::ProductNumber] = record.number;
    line[ProductColumn::Text] = record.description;
    line[ProductColumn::VatRate] = record.vatRate.isEmpty() ? config.STANDARDMWST : record.vatRate;
    line[ProductColumn::UnitPrice] = priceText;
    line[ProductColumn::PriceTiers] = JoinTiers(TierEntries(tiers));
    return line;
}

QString ProductSearchStatement(const Configuration& c, const TableSetSettings& products,
                               const ProductQuery& query)
{
    const bool topDialect = products.topDialect;
    const QString number = Doubled(query.number);
    const QString pattern = Doubled(query.description);
    const QString numberColumn = FirstMappingColumn(c.ODBCPRKURZBEZ);

    QString conditions;
    if (!number.isEmpty() && !numberColumn.isEmpty()) {
        conditions = QStringLiteral(" WHERE ") + numberColumn +
                     (c.PRODUKTNREINDEUTIG ? QStringLiteral(" LIKE '") + number + QLatin1Char('\'')
                                           : QStringLiteral(" =") + number);
    }
    const QStringList descriptionColumns = MappingColumns(c.ODBCPRBEZ).mid(0, 3);
    if (!pattern.isEmpty() && !query.lastNumber && !descriptionColumns.isEmpty()) {
        QStringList likes;
        for (const QString& column : descriptionColumns)
            likes << column + QStringLiteral(" LIKE '") + pattern + QLatin1Char('\'');
        QString group = likes.join(QStringLiteral(" OR "));
        if (conditions.isEmpty()) {
            conditions = QStringLiteral(" WHERE ") + group;
        } else {
            // The OR group stands in parentheses, so the number condition applies to it whole.
            if (likes.size() > 1)
                group = QLatin1Char('(') + group + QLatin1Char(')');
            conditions += QStringLiteral(" AND ") + group;
        }
    }

    QString statement = QStringLiteral("SELECT ");
    if (query.lastNumber && topDialect)
        statement += QStringLiteral("TOP 1 ");
    statement += QStringLiteral("* FROM ") + products.table;
    if (query.productId <= 0)
        statement += conditions;
    if (query.lastNumber) {
        statement += QStringLiteral(" ORDER BY ") + numberColumn + QStringLiteral(" DESC ");
        if (!topDialect)
            statement += QStringLiteral(" LIMIT 1 ");
    } else if (query.productId <= 0 && !c.ODBCPRSORT.isEmpty()) {
        statement += QStringLiteral(" ORDER BY ") + c.ODBCPRSORT;
    }
    if (query.productId > 0)
        statement += QStringLiteral(" WHERE ") + FirstMappingColumn(c.ODBCPRID) + QLatin1Char('=') +
                     QString::number(query.productId);
    return statement;
}

long long ProductSearch::FirstId() const
{
    return records.isEmpty() ? 0 : records.first().id.toLongLong();
}

QString ProductSearch::StatusText() const
{
    return QStringLiteral("%1 Einträge gefunden.").arg(records.size());
}

NewRecord NewProductRecord(const Configuration& c, const ProductLine& line)
{
    const Quantity quantity = SplitQuantity(Pointed(line[ProductColumn::Quantity]));
    QString price = Pointed(line[ProductColumn::UnitPrice]).trimmed();
    if (price.contains(QLatin1Char('g'), Qt::CaseInsensitive)) {
        // A total: the unit price is the total divided by the quantity.
        price.remove(QLatin1Char('g'), Qt::CaseInsensitive);
        const double divisor = quantity.number != 0 ? quantity.number : 1;
        price = FormatDecimal(ReadDecimal(price) / divisor, c.EINZELPREISNACHKOMMASTELLEN);
    }

    NewRecord record;
    const auto add = [&record](const QString& column, const QString& value) {
        if (column.isEmpty())
            return;
        record.names << column;
        record.values << value;
    };
    add(FirstMappingColumn(c.ODBCPRID), QString());
    const QStringList unitColumns = MappingColumns(c.ODBCPRSTUECK);
    if (unitColumns.size() > 1) {
        add(unitColumns[0], FormatDecimal(quantity.number, -4));
        add(unitColumns[1], quantity.unit);
    } else {
        add(unitColumns.value(0), quantity.unit);
    }
    add(FirstMappingColumn(c.ODBCPRKURZBEZ), line[ProductColumn::ProductNumber]);
    add(FirstMappingColumn(c.ODBCPRBEZ), line[ProductColumn::Text]);
    add(FirstMappingColumn(c.ODBCPRMWST), Pointed(line[ProductColumn::VatRate]));
    add(FirstMappingColumn(c.ODBCPRPREIS), price);
    return record;
}

ProductStore::ProductStore(Database& database, const Configuration& config)
    : m_database(database), m_config(config)
{
}

RecordEditor ProductStore::Editor() const
{
    return RecordEditor(m_database, RecordTableOf(m_config, TableSet::Products));
}

ProductSearch ProductStore::SearchProducts(const ProductQuery& query)
{
    ProductSearch search;
    search.statement = ProductSearchStatement(m_config, m_database.Of(TableSet::Products), query);
    if (AddsSecondStatement(search.statement)) {
        Log(0, QStringLiteral("Suche abgelehnt(SQL): ") + search.statement);
        search.outcome = ReportOutcome(SecondStatementMessage());
        return search;
    }
    Connection connection = m_database.Open(TableSet::Products);
    if (!connection.IsOpen()) {
        search.outcome = TableOutcome::Failed(QString());
        return search;
    }
    ResultSet rows = m_database.Query(connection, search.statement);
    if (rows.FieldCount() == 0)
        search.outcome = TableOutcome::Failed(QString());
    if (!rows.AtEnd()) {
        const ResolvedMappings mappings = ResolveMappings(
            m_config.productColumns, ProductMappings(m_config), ResultColumnNames(rows));
        if (!mappings.outcome.ok) {
            search.outcome = mappings.outcome;
            return search;
        }
        for (; !rows.AtEnd(); rows.MoveNext()) {
            const QStringList texts = mappings.ReadRow(rows);
            const auto value = [&](int field) { return mappings.Value(texts, field); };
            ProductRecord record{value(Id),          value(Unit),    value(Tiers), value(Number),
                                 value(Description), value(VatRate), value(Price)};
            record.tiers.replace(QLatin1Char(' '), QLatin1Char(';'));
            search.records << record;
        }
    }
    Log(0, QStringLiteral("Produktsuche nach: '%1', '%2'. Gefunden: %3")
               .arg(query.number, query.description)
               .arg(search.records.size()));
    return search;
}

std::optional<ProductSearch> ProductStore::ShowLastProductNumber()
{
    ProductQuery last;
    last.lastNumber = true;
    const ProductSearch found = SearchProducts(last);
    if (!found.outcome.ok)
        return found;
    if (found.FirstId() == 0)
        return std::nullopt;
    ProductQuery byId;
    byId.productId = found.FirstId();
    return SearchProducts(byId);
}

SavedProduct ProductStore::SaveLineAsProduct(const ProductLine& line)
{
    SavedProduct saved;
    const QString number = line[ProductColumn::ProductNumber].trimmed();
    if (!number.isEmpty()) {
        ProductQuery query;
        query.number = number;
        const ProductSearch existing = SearchProducts(query);
        if (existing.outcome.endProgram) {
            saved.outcome = existing.outcome;
            return saved;
        }
        if (existing.records.size() == 1) {
            saved.shown = ShowLastProductNumber();
            if (saved.shown && saved.shown->outcome.endProgram) {
                saved.outcome = saved.shown->outcome;
                return saved;
            }
            saved.outcome = ReportOutcome(QStringLiteral(
                "Diese Produktnummer existiert bereits! Abbruch!\n\nIn der Produktübersicht "
                "sehen eventuell Sie die zuletzt vergebene Produktnummer."));
            return saved;
        }
    }
    if (FrageJaNein(QStringLiteral("Soll dieses Produkt wirklich gespeichert werden?"),
                    PromptMode::Question) != kAnswerYes)
        return saved;

    const NewRecord record = NewProductRecord(m_config, line);
    saved.id = Editor().InsertNewRecord(record.names, record.values, saved.outcome);
    if (saved.id == 0)
        return saved;
    ProductQuery byId;
    byId.productId = saved.id;
    saved.shown = SearchProducts(byId);
    return saved;
}

} // namespace fakvo
