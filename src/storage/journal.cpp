#include "journal.h"

#include "platform/prompt.h"
#include "storage/schemaupgrade.h"
#include "support/log.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

namespace fakvo {

// ---- Rules ----

long long NumberRangeStart(int type, int year, const JournalSettings& settings)
{
    if (type == 0)
        return year * 100000LL + settings.startInvoiceNumber;
    return year * 100000LL + settings.startDocNumber - 120000000LL;
}

long long NextNumberAfter(long long highest, int type, int year, const JournalSettings& settings)
{
    const long long start = NumberRangeStart(type, year, settings);
    const long long candidate = highest == 0 ? start : highest + 1;
    const long long candidateYear = candidate / 100000 + (type == 0 ? 0 : 1200);
    return candidateYear < year ? start : candidate;
}

bool IsInvoiceNumber(long long number, int year, int startInvoiceNumber)
{
    return number >= (year - 10) * 100000LL + startInvoiceNumber;
}

std::optional<QString> InvoiceDeletionRefusal(int type, long long number,
                                              long long highestInvoiceNumber)
{
    if (type == 0 && number != highestInvoiceNumber)
        return QStringLiteral("Nur die Rechnung mit der letzten Nummer kann gelöscht werden!");
    return std::nullopt;
}

int StoredPaymentMethod(int code, int type, int defaultPaymentMethod)
{
    if (code > 7699 && type != 8)
        code -= 7700;
    if (code == 77)
        code = defaultPaymentMethod;
    return code;
}

QString JournalTimestamp(const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%02d.%02d.%04d %02d:%02d:%02d", d.day(), d.month(), d.year(),
                             t.hour(), t.minute(), t.second());
}

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a decimal number (sign, digits, point, digits, exponent) at `pos` after blanks; the
// position after it, or -1 when there is none.
qsizetype ScanDecimal(const QString& text, qsizetype pos, double* value)
{
    qsizetype i = pos;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return -1;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+')))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const double read = text.mid(start, i - start).toDouble();
    *value = std::isfinite(read) ? read : 0.0;
    return i;
}

// A decimal for a statement with `places` decimals; a value that is no finite number is 0.
QString Decimal(double value, int places)
{
    return QString::asprintf("%.*f", places, std::isfinite(value) ? value : 0.0);
}

QString Integer(long long value)
{
    return QString::number(value);
}

int Today(const QDateTime& now)
{
    const QDate d = now.date();
    return d.year() * 10000 + d.month() * 100 + d.day();
}

} // namespace

double ReadDecimal(const QString& text)
{
    QString pointed = text;
    pointed.replace(QLatin1Char(','), QLatin1Char('.'));
    double value = 0;
    return ScanDecimal(pointed, 0, &value) < 0 ? 0.0 : value;
}

LineValues SplitLineTexts(const JournalLineTexts& line, int linesPerRow)
{
    LineValues values;
    QString quantity = line.quantity;
    quantity.replace(QLatin1Char(','), QLatin1Char('.'));
    values.quantity = ReadDecimal(quantity);
    if (quantity.size() < 60) {
        // A number followed by one blank-delimited word, the unit.
        double number = 0;
        qsizetype i = ScanDecimal(quantity, 0, &number);
        if (i >= 0) {
            values.quantity = number;
            while (i < quantity.size() && quantity[i].isSpace())
                ++i;
            const qsizetype wordStart = i;
            while (i < quantity.size() && !quantity[i].isSpace())
                ++i;
            values.unit = quantity.mid(wordStart, i - wordStart);
        }
    }
    values.description = line.description;
    if (linesPerRow == 1) {
        values.description.remove(QStringLiteral("\r\n"));
        values.description.remove(QLatin1Char('\n'));
        values.description.remove(QLatin1Char('\r'));
    }
    values.unitPrice = ReadDecimal(line.unitPrice);
    values.vatRate = ReadDecimal(line.vatRate);
    return values;
}

// ---- Journal ----

namespace {

// The header columns ReadEntry reads, in this order.
const QStringList& ReadColumns()
{
    static const QStringList columns = QStringList{
        QStringLiteral("ID"),       QStringLiteral("DOCTYPE"),    QStringLiteral("DOCNR"),
        QStringLiteral("DOCDATUM"), QStringLiteral("NAME1"),      QStringLiteral("NAME2"),
        QStringLiteral("NAME3"),    QStringLiteral("STRASSE"),    QStringLiteral("LAND"),
        QStringLiteral("PLZ"),      QStringLiteral("ORT"),        QStringLiteral("KUNDENNR"),
        QStringLiteral("RABATT"),   QStringLiteral("SKONTO"),     QStringLiteral("BEZAHLTU"),
        QStringLiteral("ZAHLUNGZ"), QStringLiteral("EBETRAG"),    QStringLiteral("SEBETRAG"),
        QStringLiteral("BEZAM"),    QStringLiteral("VERSAND"),    QStringLiteral("AMERKUNG"),
        QStringLiteral("UID"),      QStringLiteral("BEARBEITER"), QStringLiteral("REFERENZ"),
        QStringLiteral("STORNO"),   QStringLiteral("EMAIL"),      QStringLiteral("HANDY"),
        QStringLiteral("DOCZEIT"),  QStringLiteral("GUELTIG"),    QStringLiteral("MAHNUNG"),
        QStringLiteral("MAHNDAT"),  QStringLiteral("FAX"),        QStringLiteral("AUSGABE"),
        QStringLiteral("TELEFON"),  QStringLiteral("TITEL"),      QStringLiteral("VORNAME"),
        QStringLiteral("ZUNAME"),   QStringLiteral("PERSANREDE"), QStringLiteral("SELDATUM"),
        QStringLiteral("VAR1"),     QStringLiteral("VAR2"),       QStringLiteral("VAR3"),
        QStringLiteral("VAR4"),     QStringLiteral("VAR5"),       QStringLiteral("KOPIEVER"),
        QStringLiteral("NUM1"),     QStringLiteral("ZEICHEN1"),   QStringLiteral("NUM2"),
        QStringLiteral("REFERENZ")};
    return columns;
}

const int kMaxLinesRead = 1001;

const QString kEntryNotFound = QStringLiteral("Keine Dokumentdaten gefunden!");

// Resets a flag when the scope ends.
class FlagGuard
{
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

// A short, growing, randomised pause before drawing a number again, so two workstations that
// collided do not collide again in step.
void PauseBeforeRetry(int attempt)
{
    const int most = std::min(2 + 2 * attempt, 40);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(QRandomGenerator::global()->bounded(1, most)));
}

} // namespace

struct Journal::HeaderPlan
{
    bool insert = false;
    bool drawn = false;   // the number was drawn here and may be drawn again
    long long number = 0; // the DOCNR to write; 0 leaves the column out
};

Journal::Journal(Database& database, JournalSettings settings)
    : m_database(database), m_settings(settings)
{
}

int Journal::Year() const
{
    return m_database.Now().date().year();
}

const ColumnList& Journal::HeaderColumns()
{
    if (m_headerColumns.names.isEmpty())
        UpgradeHeaderTable(m_database, m_headerColumns);
    return m_headerColumns;
}

const ColumnList& Journal::LineColumns()
{
    if (m_lineColumns.names.isEmpty())
        UpgradeLineTable(m_database, m_lineColumns);
    return m_lineColumns;
}

long long Journal::HighestNumberOn(Connection& connection, int type)
{
    const RowLimit limit = m_database.Limit(TableSet::JournalHeaders, 2);
    QString statement = QStringLiteral("SELECT ") + limit.top + QStringLiteral("DOCNR FROM ") +
                        m_database.Of(TableSet::JournalHeaders).table;
    if (type != 0)
        statement += QStringLiteral(" WHERE DOCNR < ") +
                     Integer((Year() * 100000LL + m_settings.startInvoiceNumber) / 2);
    statement += QStringLiteral(" ORDER BY DOCNR DESC") + limit.tail;
    ResultSet rows = m_database.Query(connection, statement);
    for (; !rows.AtEnd(); rows.MoveNext()) {
        const QVariant value = rows.FieldValue(0);
        if (value.isValid())
            return value.toLongLong();
    }
    return 0;
}

long long Journal::HighestNumber(int type)
{
    Connection connection = m_database.Open(TableSet::JournalHeaders);
    return connection.IsOpen() ? HighestNumberOn(connection, type) : 0;
}

long long Journal::NextNumber(int type)
{
    return NextNumberAfter(HighestNumber(type), type, Year(), m_settings);
}

int Journal::IdOfNumberOn(Connection& connection, long long number)
{
    const RowLimit limit = m_database.Limit(TableSet::JournalHeaders, 1);
    const QString statement = QStringLiteral("SELECT ") + limit.top + QStringLiteral("ID FROM ") +
                              m_database.Of(TableSet::JournalHeaders).table +
                              QStringLiteral(" WHERE DOCNR=") + Integer(number) +
                              QStringLiteral(" ORDER BY ID DESC") + limit.tail;
    ResultSet rows = m_database.Query(connection, statement);
    return rows.AtEnd() ? 0 : static_cast<int>(rows.FieldValue(0).toLongLong());
}

int Journal::LastInsertedId(long long number)
{
    Connection connection = m_database.Open(TableSet::JournalHeaders);
    return connection.IsOpen() ? IdOfNumberOn(connection, number) : 0;
}

Journal::HeaderPlan Journal::PlanHeader(Connection& connection, const JournalEntry& entry,
                                        bool rewrite)
{
    HeaderPlan plan;
    const auto draw = [&] {
        plan.number = NextNumberAfter(HighestNumberOn(connection, entry.type), entry.type, Year(),
                                      m_settings);
        plan.drawn = true;
    };
    if (entry.rowId > 0) {
        // An existing row keeps its number; a rewrite that turns a document that is not an
        // invoice into one gives it the next invoice number.
        if (rewrite && entry.type == 0 &&
            !IsInvoiceNumber(entry.number, Year(), m_settings.startInvoiceNumber))
            draw();
        else
            plan.number = entry.number;
        return plan;
    }
    plan.insert = true;
    if (entry.number != 0)
        plan.number = entry.number;
    else
        draw();
    return plan;
}

QString Journal::HeaderStatement(const JournalEntry& e, const HeaderPlan& plan) const
{
    QList<std::pair<QString, QString>> values;
    const auto add = [&values](const char* column, const QString& value) {
        values.append({QLatin1String(column), value});
    };
    const auto text = [&add](const char* column, const QString& value) {
        add(column, Quote(value));
    };
    const QDateTime now = m_database.Now();

    // A reminder keeps its amounts; other documents with a cash discount store the full
    // amount and, as the amount after cash discount, the amount due.
    const bool reminder = e.type == 1 || e.type == 2 || e.type == 12;
    double full = e.amount;
    double discounted = e.cashDiscount;
    if (!reminder && e.cashDiscount > 0) {
        full = e.amount + e.cashDiscount;
        discounted = e.amount;
    }

    add("DOCTYPE", Integer(e.type));
    if (plan.number != 0)
        add("DOCNR", Integer(plan.number));
    add("DOCDATUM", Integer(e.date < 1 ? Today(now) : e.date));
    text("NAME1", e.name1);
    text("NAME2", e.name2);
    text("NAME3", e.name3);
    text("STRASSE", e.street);
    add("LAND", Integer(e.country));
    add("KONFIGNR", Integer(e.profileIndex));
    text("PLZ", e.postalCode);
    text("ORT", e.town);
    text("UID", e.vatId);
    add("KUNDENNR", Integer(e.customerNumber));
    add("RABATT", Decimal(e.discountPercent, 4));
    add("SKONTO", Decimal(e.cashDiscountPercent, 2));
    add("BEZAHLTU",
        Integer(StoredPaymentMethod(e.paymentMethod, e.type, m_settings.defaultPaymentMethod)));
    add("ZAHLUNGZ", Integer(e.paymentTerm));
    add("EBETRAG", Decimal(full, 2));
    add("SEBETRAG", Decimal(discounted, 2));
    add("BEZAM", Integer(e.paidOn));
    text("AMERKUNG", e.remark);
    add("VERSAND", Integer(e.shipping));
    text("REFERENZ", e.reference);
    text("BEARBEITER", e.clerk);
    text("EMAIL", e.email);
    text("HANDY", e.mobile);
    text("FAX", e.fax);
    add("DOCZEIT", Integer(e.time));
    add("GUELTIG", Integer(e.validity));
    text("TELEFON", e.phone);
    text("TITEL", e.title);
    text("VORNAME", e.firstName);
    text("ZUNAME", e.lastName);
    text("PERSANREDE", e.personalSalutation);
    add("SELDATUM", Integer(e.selectionDate));
    text("VAR1", e.vars[0]);
    text("VAR2", e.vars[1]);
    text("VAR3", e.vars[2]);
    text("VAR4", e.vars[3]);
    text("VAR5", e.vars[4]);
    add("NUM1", Integer(e.linesPerRow));
    add("NUM2", Integer(e.grossFlag));
    if (e.type == 0)
        text("ZEICHEN1", Decimal(e.vatTotal, 2));
    if (!m_database.DatabaseFillsTimestamp(TableSet::JournalHeaders))
        text("ADR_TIMESTAMP", JournalTimestamp(now));
    if (plan.insert)
        add("AUSGABE", QStringLiteral("0"));

    const QString& table = m_database.Of(TableSet::JournalHeaders).table;
    QStringList columns, literals, pairs;
    for (const auto& [column, value] : values) {
        columns << column;
        literals << value;
        pairs << column + QLatin1Char('=') + value;
    }
    if (plan.insert)
        return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
               columns.join(QStringLiteral(", ")) + QStringLiteral(") values (") +
               literals.join(QStringLiteral(", ")) + QLatin1Char(')');
    return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
           pairs.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ID=") + Integer(e.rowId);
}

QString Journal::LineStatement(const QString& table, bool timestampColumn, int rowId,
                               const JournalLineTexts& line, int linesPerRow) const
{
    const LineValues v = SplitLineTexts(line, linesPerRow);
    const bool tiers = !line.tiers.trimmed().isEmpty();
    QString columns = QStringLiteral("ADRID, KURZBEZ, BEZEICH, MENGE, PREIS, MWST, ");
    QStringList values{Integer(rowId),         Quote(line.productNumber), Quote(v.description),
                       Decimal(v.quantity, 4), Decimal(v.unitPrice, 4),   Decimal(v.vatRate, 4)};
    if (timestampColumn) {
        columns += QStringLiteral("PR_TIMESTAMP, ");
        values << Quote(JournalTimestamp(m_database.Now()));
    }
    columns += QStringLiteral("MEINHEIT");
    values << Quote(v.unit);
    if (tiers) {
        columns += QStringLiteral(", STAFFEL");
        values << Quote(line.tiers);
    }
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns +
           QStringLiteral(") values  (") + values.join(QStringLiteral(", ")) + QLatin1Char(')');
}

bool Journal::InsertLines(Connection& connection, TableSet lineSet, int rowId,
                          const QList<JournalLineTexts>& lines, int linesPerRow, bool stopAtFailure)
{
    const QString& table = m_database.Of(lineSet).table;
    const bool timestampColumn = !m_database.DatabaseFillsTimestamp(lineSet);
    bool ok = true;
    for (const JournalLineTexts& line : lines) {
        if (m_database.Execute(connection,
                               LineStatement(table, timestampColumn, rowId, line, linesPerRow)))
            continue;
        ok = false;
        if (stopAtFailure)
            break;
    }
    return ok;
}

StoreResult Journal::Store(const JournalEntry& entry, const QList<JournalLineTexts>* lines,
                           bool rewrite)
{
    if (m_storing)
        return {};
    FlagGuard storing(m_storing);

    HeaderColumns();
    if (lines)
        LineColumns();
    Connection header = m_database.Open(TableSet::JournalHeaders);
    if (!header.IsOpen())
        return {};
    const bool oneDatabase =
        lines && m_database.SameDataSource(TableSet::JournalHeaders, TableSet::JournalLines);
    const QString deleteLines = QStringLiteral("DELETE from ") +
                                m_database.Of(TableSet::JournalLines).table +
                                QStringLiteral(" where ADRID=");

    StoreResult result;
    bool replaceLines = false;
    for (int attempt = 1; attempt <= kNumberAttempts; ++attempt) {
        const HeaderPlan plan = PlanHeader(header, entry, rewrite);
        const QString statement = HeaderStatement(entry, plan);
        if (!header.Begin()) {
            m_database.ReportFailure(header.ErrorText(), statement);
            return {};
        }
        long long changed = 0;
        if (!m_database.Execute(header, statement, OnError::Quiet, &changed)) {
            const QString failure = header.ErrorText();
            header.Rollback();
            // Another workstation stored the drawn number first: draw again.
            if (plan.drawn && attempt < kNumberAttempts && IdOfNumberOn(header, plan.number) > 0) {
                PauseBeforeRetry(attempt);
                continue;
            }
            m_database.ReportFailure(failure, statement);
            return {};
        }
        // An update that found no row (the entry was deleted meanwhile) stores nothing: lines
        // without their header would be lost to every reader.
        if (!plan.insert && changed == 0) {
            header.Rollback();
            Log(0, kEntryNotFound);
            FrageJaNein(kEntryNotFound);
            return {};
        }
        const int rowId = plan.insert ? IdOfNumberOn(header, plan.number) : entry.rowId;
        if (rowId <= 0) {
            header.Rollback();
            return {};
        }
        if (oneDatabase) {
            const bool linesStored =
                (plan.insert || m_database.Execute(header, deleteLines + Integer(rowId))) &&
                InsertLines(header, TableSet::JournalLines, rowId, *lines, entry.linesPerRow, true);
            if (!linesStored) {
                header.Rollback();
                return {};
            }
        }
        if (!header.Commit()) {
            m_database.ReportFailure(header.ErrorText(), QStringLiteral("COMMIT"));
            return {};
        }
        result = {rowId, plan.number};
        replaceLines = !plan.insert;
        if (plan.drawn)
            m_lastAssignedNumber = plan.number;
        break;
    }
    m_database.Close(header);

    if (lines && !oneDatabase && result.rowId > 0) {
        Connection lineConnection = m_database.Open(TableSet::JournalLines);
        if (lineConnection.IsOpen()) {
            if (replaceLines)
                m_database.Execute(lineConnection, deleteLines + Integer(result.rowId));
            InsertLines(lineConnection, TableSet::JournalLines, result.rowId, *lines,
                        entry.linesPerRow, false);
        }
    }
    return result;
}

StoreResult Journal::StoreDocument(const JournalEntry& entry, const QList<JournalLineTexts>& lines,
                                   bool rewrite)
{
    return Store(entry, &lines, rewrite);
}

int Journal::StoreHeader(const JournalEntry& entry, bool rewrite)
{
    return Store(entry, nullptr, rewrite).rowId;
}

bool Journal::StoreLines(int rowId, const QList<JournalLineTexts>& lines, int linesPerRow)
{
    LineColumns();
    Connection connection = m_database.Open(TableSet::JournalLines);
    if (!connection.IsOpen())
        return false;
    return InsertLines(connection, TableSet::JournalLines, rowId, lines, linesPerRow, false);
}

bool Journal::DeleteDocument(int rowId, bool keepHeader)
{
    Connection connection = m_database.Open(TableSet::JournalHeaders);
    if (!connection.IsOpen())
        return false;
    if (!connection.Begin()) {
        m_database.ReportFailure(connection.ErrorText(), QStringLiteral("DELETE"));
        return false;
    }
    bool ok = keepHeader ||
              m_database.Execute(connection, QStringLiteral("DELETE from ") +
                                                 m_database.Of(TableSet::JournalHeaders).table +
                                                 QStringLiteral(" where ID=") + Integer(rowId));
    ok = ok && m_database.Execute(connection, QStringLiteral("DELETE from ") +
                                                  m_database.Of(TableSet::JournalLines).table +
                                                  QStringLiteral(" where ADRID=") + Integer(rowId));
    if (!ok) {
        connection.Rollback();
        return false;
    }
    if (!connection.Commit()) {
        m_database.ReportFailure(connection.ErrorText(), QStringLiteral("COMMIT"));
        return false;
    }
    return true;
}

bool Journal::DeleteDocumentChecked(int rowId, int type, long long number)
{
    if (type == 0) {
        if (const auto refusal = InvoiceDeletionRefusal(type, number, HighestNumber(0))) {
            FrageJaNein(*refusal);
            return false;
        }
    }
    return DeleteDocument(rowId, false);
}

bool Journal::SetHeaderColumn(const QString& keyColumn, const QString& keyValue,
                              const QString& column, const QString& value,
                              const QString& comparison)
{
    static const QRegularExpression comparisons(QStringLiteral(
        "^(=|<|>|<=|>=|<>)$|^= 0 OR [A-Za-z_][A-Za-z0-9_]* IS NULL OR [A-Za-z_][A-Za-z0-9_]* "
        "(=|<|>|<=|>=|<>)$"));
    const auto isValue = [](const QString& v) {
        return IsSqlNumber(v) || IsQuotedLiteral(v) || v == QLatin1String("NULL");
    };
    const QString statement = QStringLiteral("UPDATE ") +
                              m_database.Of(TableSet::JournalHeaders).table +
                              QStringLiteral(" SET ") + column + QLatin1Char('=') + value +
                              QStringLiteral(" WHERE ") + keyColumn + comparison + keyValue;
    if (!IsSqlName(keyColumn) || !IsSqlName(column) || !isValue(value) || !isValue(keyValue) ||
        !comparisons.match(comparison).hasMatch()) {
        Log(0, QStringLiteral("Ungültige SQL-Anweisung wurde nicht ausgeführt: ") + statement);
        return false;
    }
    Connection connection = m_database.Open(TableSet::JournalHeaders);
    return connection.IsOpen() && m_database.Execute(connection, statement);
}

bool Journal::MarkReminders(const QList<int>& rowIds, int level, int date)
{
    Connection connection = m_database.Open(TableSet::JournalHeaders);
    if (!connection.IsOpen())
        return false;
    const QString& table = m_database.Of(TableSet::JournalHeaders).table;
    bool ok = true;
    for (const int rowId : rowIds) {
        QString statement = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ");
        if (!m_database.DatabaseFillsTimestamp(TableSet::JournalHeaders))
            statement += QStringLiteral("ADR_TIMESTAMP=") +
                         Quote(JournalTimestamp(m_database.Now())) + QStringLiteral(", ");
        statement += QStringLiteral("MAHNUNG=") + Integer(level) + QStringLiteral(", MAHNDAT=") +
                     Integer(date) + QStringLiteral(" WHERE ID=") + Integer(rowId);
        ok = m_database.Execute(connection, statement) && ok;
    }
    return ok;
}

std::optional<JournalRecord> Journal::ReadEntry(int rowId, long long number,
                                                const std::optional<DisplayPeriod>& period)
{
    HeaderColumns();
    JournalRecord record;
    {
        Connection connection = m_database.Open(TableSet::JournalHeaders);
        if (!connection.IsOpen())
            return std::nullopt;
        QString condition = number > 0 ? QStringLiteral("DOCNR=") + Integer(number)
                                       : QStringLiteral("ID=") + Integer(rowId);
        if (period) {
            const QString column =
                period->byPaidDate ? QStringLiteral("BEZAM") : QStringLiteral("DOCDATUM");
            condition += QStringLiteral(" AND ") + column + QStringLiteral(" >= ") +
                         Integer(period->from) + QStringLiteral(" AND ") + column +
                         QStringLiteral(" <= ") + Integer(period->to);
        }
        const RowLimit limit = m_database.Limit(TableSet::JournalHeaders, 1);
        ResultSet rows = m_database.Query(
            connection, QStringLiteral("SELECT ") + limit.top +
                            ReadColumns().join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                            m_database.Of(TableSet::JournalHeaders).table +
                            QStringLiteral(" WHERE ") + condition + limit.tail);
        if (rows.AtEnd())
            return std::nullopt;
        const auto integer = [&rows](int field) { return rows.FieldValue(field).toLongLong(); };
        const auto decimal = [&rows](int field) { return rows.FieldValue(field).toDouble(); };
        const auto text = [&rows](int field) { return rows.FieldText(field); };
        JournalEntry& e = record.header;
        e.rowId = static_cast<int>(integer(0));
        e.type = static_cast<int>(integer(1));
        e.number = integer(2);
        e.date = static_cast<int>(integer(3));
        e.name1 = text(4);
        e.name2 = text(5);
        e.name3 = text(6);
        e.street = text(7);
        e.country = static_cast<int>(integer(8));
        e.postalCode = text(9);
        e.town = text(10);
        e.customerNumber = integer(11);
        e.discountPercent = decimal(12);
        e.cashDiscountPercent = decimal(13);
        e.paymentMethod = static_cast<int>(integer(14));
        e.paymentTerm = static_cast<int>(integer(15));
        e.amount = decimal(16);
        e.cashDiscount = decimal(17);
        e.paidOn = static_cast<int>(integer(18));
        e.shipping = static_cast<int>(integer(19));
        e.remark = text(20);
        e.vatId = text(21);
        e.clerk = text(22);
        e.reference = text(23);
        e.cancelled = static_cast<int>(integer(24));
        e.email = text(25);
        e.mobile = text(26);
        e.time = static_cast<int>(integer(27));
        e.validity = static_cast<int>(integer(28));
        e.reminderLevel = static_cast<int>(integer(29));
        e.reminderDate = static_cast<int>(integer(30));
        e.fax = text(31);
        e.delivered = static_cast<int>(integer(32));
        e.phone = text(33);
        e.title = text(34);
        e.firstName = text(35);
        e.lastName = text(36);
        e.personalSalutation = text(37);
        e.selectionDate = static_cast<int>(integer(38));
        for (int i = 0; i < 5; ++i)
            e.vars[static_cast<size_t>(i)] = text(39 + i);
        e.copySent = static_cast<int>(integer(44));
        e.linesPerRow = static_cast<int>(integer(45));
        e.vatTotalText = text(46);
        e.vatTotal = ReadDecimal(e.vatTotalText);
        e.grossFlag = static_cast<int>(integer(47));
    }

    LineColumns();
    Connection connection = m_database.Open(TableSet::JournalLines);
    if (!connection.IsOpen())
        return std::nullopt;
    ResultSet rows = m_database.Query(
        connection, QStringLiteral("SELECT  ID, ADRID, KURZBEZ, BEZEICH, PREIS, MWST, MENGE, "
                                   "MEINHEIT, STAFFEL FROM ") +
                        m_database.Of(TableSet::JournalLines).table +
                        QStringLiteral(" WHERE ADRID=") + Integer(record.header.rowId) +
                        QStringLiteral(" ORDER BY ID"));
    if (rows.FieldCount() == 0)
        return std::nullopt; // the query failed and was reported: no entry without its lines
    for (int count = 0; !rows.AtEnd() && count < kMaxLinesRead; rows.MoveNext(), ++count) {
        JournalLine line;
        line.id = static_cast<int>(rows.FieldValue(0).toLongLong());
        line.entryId = static_cast<int>(rows.FieldValue(1).toLongLong());
        line.productNumber = rows.FieldText(2);
        line.description = rows.FieldText(3);
        line.unitPrice = rows.FieldValue(4).toDouble();
        line.vatRate = rows.FieldValue(5).toDouble();
        line.quantity = rows.FieldValue(6).toDouble();
        line.unit = rows.FieldText(7);
        line.tiers = rows.FieldText(8);
        record.lines.append(line);
    }
    return record;
}

} // namespace fakvo
