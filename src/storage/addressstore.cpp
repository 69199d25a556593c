#include "storage/addressstore.h"

#include "config/configuration.h"
#include "platform/prompt.h"
#include "storage/statementcheck.h"
#include "support/log.h"

namespace fakvo {

namespace {

// Positions of the fields in AddressMappings.
enum AddressField : int
{
    Id,
    CustomerNumber,
    Attention,
    Name,
    Name2,
    Title,
    Salutation1,
    FirstName = Salutation1 + 5,
    LastName,
    Free1,
    SelectionDate = Free1 + 5,
    Street,
    PostalCode,
    Town,
    Country,
    VatId,
    Email,
    Mobile,
    Optional,
    Info,
    Phone,
    Fax,
};

const QString kDefaultSearchColumn = QStringLiteral("SUCHBEGRIFF");

QString CollapseDoubleBlanks(QString text, int passes)
{
    for (int pass = 0; pass < passes; ++pass)
        text.replace(QLatin1String("  "), QLatin1String(" "));
    return text;
}

} // namespace

QStringList AddressMappings(const Configuration& c)
{
    return {c.ODBCID,      c.ODBCKUNDENNUMMER, c.ODBCNAME3,   c.ODBCNAME1,   c.ODBCNAME2,
            c.ODBCTITEL,   c.ODBCANREDE1,      c.ODBCANREDE2, c.ODBCANREDE3, c.ODBCANREDE4,
            c.ODBCANREDE5, c.ODBCVORNAME,      c.ODBCZUNAME,  c.ODBCVAR1,    c.ODBCVAR2,
            c.ODBCVAR3,    c.ODBCVAR4,         c.ODBCVAR5,    c.ODBCDATUM,   c.ODBCSTRASSE,
            c.ODBCPLZ,     c.ODBCORT,          c.ODBCLAND,    c.ODBCXUID,    c.ODBCEMAIL,
            c.ODBCHANDY,   c.ODBCOPTIONAL,     c.ODBCINFO,    c.ODBCTELEFON, c.ODBCFAX};
}

QString AttentionFromCode(const QString& value)
{
    if (value.size() != 1)
        return value;
    switch (value[0].toUpper().unicode()) {
    case 'M':
        return QStringLiteral("Herr");
    case 'A':
        return QStringLiteral("Fam.");
    case 'W':
        return QStringLiteral("Frau");
    default:
        return value;
    }
}

QList<SelectionColumn> AddressListColumns(const QList<int>& widths)
{
    static const char* const kTitles[] = {"KuNr", "Name3", "Name1", "Name2",    "Straße", "PLZ",
                                          "Ort",  "EMail", "Handy", "Optional", "Info"};
    QList<SelectionColumn> columns;
    for (int i = 0; i < 11; ++i)
        columns.append({QString::fromUtf8(kTitles[i]), widths.value(i, 100), i == 0});
    return columns;
}

QStringList AddressListRow(const AddressRecord& r)
{
    return {r.customerNumber, r.attention, r.name,   r.name2,    r.street, r.postalCode,
            r.town,           r.email,     r.mobile, r.optional, r.info};
}

AttentionParts SplitAttentionLine(const QString& input)
{
    AttentionParts parts;
    QString line = input;
    qsizetype length = 0;
    for (const char* word : {"Herr", "Frau", "Fam.", "Abt.", "Herrn"}) {
        const QString salutation = QString::fromLatin1(word);
        if (line.contains(salutation)) {
            parts.salutation = salutation;
            length = salutation.size();
        }
    }
    if (parts.salutation.isEmpty()) {
        parts.salutation = QStringLiteral("Frau");
        line = QStringLiteral("Frau ") + line;
        length = 4;
    }
    QString rest;
    const qsizetype open = line.indexOf(QLatin1Char('('));
    const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char(')'), open + 1);
    if (close > open && open >= 0) {
        parts.title = line.mid(open + 1, close - open - 1);
        rest = line.mid(close + 1);
    } else {
        rest = line.mid(length + 1);
    }
    QStringList words = rest.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        parts.lastName = words.takeLast();
        parts.firstName = words.join(QLatin1Char(' '));
    }
    return parts;
}

QString AddressSearchStatement(const QString& table, const QString& column, const QString& text,
                               const QString& customerColumn, const QString& sortColumn)
{
    const QString searchColumn = column.isEmpty() ? kDefaultSearchColumn : column;
    const bool exact = text.contains(QLatin1String("!!"));
    QString value = text;
    value.remove(QStringLiteral("!!"));
    QString statement =
        QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" where ") + searchColumn;
    const bool customer =
        !customerColumn.isEmpty() && searchColumn.compare(customerColumn, Qt::CaseInsensitive) == 0;
    if (!exact && !customer) {
        // The pattern is a literal: its quotes are doubled, so a name such as O'Brien is found.
        value.replace(QLatin1Char('\''), QLatin1String("''"));
        statement += QStringLiteral(" LIKE '%") + value + QStringLiteral("%'");
    } else {
        statement += QLatin1Char('=') + value;
    }
    if (!sortColumn.isEmpty() &&
        !statement.contains(QLatin1String("ORDER BY"), Qt::CaseInsensitive))
        statement += QStringLiteral(" ORDER BY ") + sortColumn;
    return statement;
}

QString AddressSearch::StatusText() const
{
    return QStringLiteral("%1 Einträge gefunden").arg(records.size());
}

NewRecord NewAddressRecord(const Configuration& c, const Recipient& recipient, const QString& vatId)
{
    NewRecord record;
    const bool splitAttention = MappingColumns(c.ODBCNAME3).size() > 1;
    const AttentionParts parts = SplitAttentionLine(recipient.attention);
    QString attention;
    if (splitAttention) {
        attention = parts.salutation;
    } else {
        attention = recipient.attention;
        attention.remove(QLatin1Char('('));
        attention.remove(QLatin1Char(')'));
        attention = CollapseDoubleBlanks(attention, 2);
    }
    const auto add = [&record](const QString& mapping, const QString& value) {
        const QString column = FirstMappingColumn(mapping);
        if (column.isEmpty())
            return;
        record.names << column;
        record.values << value;
    };
    add(c.ODBCID, QString());
    add(c.ODBCNAME3, attention);
    if (splitAttention) {
        add(c.ODBCTITEL, parts.title);
        add(c.ODBCVORNAME, parts.firstName);
        add(c.ODBCZUNAME, parts.lastName);
    }
    add(c.ODBCNAME1, recipient.name);
    add(c.ODBCNAME2, recipient.name2);
    add(c.ODBCSTRASSE, recipient.street);
    add(c.ODBCPLZ, recipient.postalCode);
    add(c.ODBCORT, recipient.town);
    add(c.ODBCLAND, QString::number(recipient.country));
    add(c.ODBCXUID, vatId);
    add(c.ODBCEMAIL, recipient.email);
    add(c.ODBCHANDY, recipient.mobile);
    return record;
}

AddressStore::AddressStore(Database& database, const Configuration& config,
                           SalutationFunction salutation)
    : m_database(database), m_config(config), m_salutation(std::move(salutation))
{
}

QString AddressStore::CustomerColumn() const
{
    return FirstMappingColumn(m_config.ODBCKUNDENNUMMER);
}

RecordEditor AddressStore::Editor() const
{
    return RecordEditor(m_database, RecordTableOf(m_config, TableSet::Addresses));
}

AddressRecord AddressStore::ReadAddressRow(const ResultSet& row,
                                           const ResolvedMappings& mappings) const
{
    const QStringList texts = mappings.ReadRow(row);
    const auto value = [&](int field) { return mappings.Value(texts, field); };
    AddressRecord r;
    r.id = value(Id);
    r.customerNumber = value(CustomerNumber);
    r.attention = AttentionFromCode(value(Attention));
    r.name = value(Name);
    r.name2 = value(Name2);
    r.title = value(Title);
    for (int i = 0; i < 5; ++i) {
        r.salutationColumns[i] = value(Salutation1 + i);
        r.freeFields[i] = value(Free1 + i);
    }
    r.firstName = value(FirstName);
    r.lastName = value(LastName);
    r.selectionDate = value(SelectionDate);
    r.street = value(Street);
    r.postalCode = value(PostalCode);
    r.town = value(Town);
    r.country = value(Country);
    r.vatId = value(VatId);
    r.email = value(Email);
    r.mobile = value(Mobile);
    r.optional = value(Optional);
    r.info = value(Info);
    r.phone = value(Phone);
    r.fax = value(Fax);
    r.personalSalutation = m_salutation ? m_salutation(r) : m_config.ANREDELEER;
    return r;
}

AddressSearch AddressStore::SearchAddresses(const QString& column, const QString& text)
{
    AddressSearch search;
    search.statement = AddressSearchStatement(m_database.Of(TableSet::Addresses).table, column,
                                              text, CustomerColumn(), m_config.ODBCSORT);
    if (AddsSecondStatement(search.statement)) {
        Log(0, QStringLiteral("Suche abgelehnt(SQL): ") + search.statement);
        search.outcome = ReportOutcome(SecondStatementMessage());
        return search;
    }
    Connection connection = m_database.Open(TableSet::Addresses);
    if (!connection.IsOpen()) {
        search.outcome = TableOutcome::Failed(QString());
        return search;
    }
    Log(0, QStringLiteral("Suche nach(SQL): ") + search.statement);
    ResultSet rows = m_database.Query(connection, search.statement);
    if (rows.FieldCount() == 0) {
        search.outcome = TableOutcome::Failed(QString());
        return search;
    }
    if (rows.AtEnd())
        return search;
    const ResolvedMappings mappings = ResolveMappings(
        m_config.addressColumns, AddressMappings(m_config), ResultColumnNames(rows));
    if (!mappings.outcome.ok) {
        search.outcome = mappings.outcome;
        return search;
    }
    for (; !rows.AtEnd(); rows.MoveNext())
        search.records << ReadAddressRow(rows, mappings);
    return search;
}

AddressSearch AddressStore::SearchAllAddresses()
{
    const QString id = FirstMappingColumn(m_config.ODBCID);
    return SearchAddresses(id, QStringLiteral("!!0 OR ") + id + QLatin1Char('=') + id);
}

AddressSearch AddressStore::LookupCustomer(const QString& number)
{
    return SearchAddresses(CustomerColumn(), number);
}

AddressSearch AddressStore::LookupCustomer(long long number)
{
    return LookupCustomer(QString::number(number));
}

SavedRecord AddressStore::SaveRecipientAsAddress(const Recipient& recipient, const QString& vatId)
{
    SavedRecord saved;
    if (FrageJaNein(QStringLiteral("Soll dieser Empfängertextblock wirklich gespeichert werden?"),
                    PromptMode::Question) != kAnswerYes)
        return saved;
    const NewRecord record = NewAddressRecord(m_config, recipient, vatId);
    saved.id = Editor().InsertNewRecord(record.names, record.values, saved.outcome);
    return saved;
}

} // namespace fakvo
