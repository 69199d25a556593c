#include "configuration.h"

#include "config/configfile.h"
#include "config/password.h"
#include "platform/prompt.h"
#include "support/log.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <optional>

namespace fakvo {
namespace {

// Where the online update is looked for when the configuration names no usable location.
constexpr auto kDefaultUpdateUrl = u"https://www.faktavo.at/update/";

// The payment reminder's text when its file cannot be read.
constexpr auto kPaymentReminderText =
    u"\nZahlungserinnerung:\nNach Durchsicht unserer Konten haben wir festgestellt,\n"
    u"dass der Rechnungsbetrag noch nicht \u00FCberwiesen wurde.\n"
    u"Bitte um prompte \u00DCberweisung.";

constexpr QChar kEuroSign = u'\u20AC';
constexpr QChar kEqualsMark = u'\u00BF'; // '=' in the receipt text of the file

// ---- Reading a value in each form -------------------------------------------------------

// Overwrites the first pieces of `target` with the given ones; pieces the file leaves out
// keep their current (default) values.
template <typename T, typename Convert>
void AssignPieces(QList<T>& target, const QString& value, Convert convert)
{
    if (value.isEmpty())
        return;
    const QStringList pieces = ParseList(value);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i < target.size())
            target[i] = convert(pieces[i]);
        else
            target.append(convert(pieces[i]));
    }
}

void AssignItem(TextItem& item, const QString& fileValue, const char* pieceNames)
{
    const QStringList names = QString::fromLatin1(pieceNames).split(u',');
    const QStringList pieces = ParseList(fileValue);
    for (qsizetype i = 0; i < pieces.size() && i < names.size(); ++i) {
        const QString& name = names[i];
        const QString& piece = pieces[i];
        if (name == u"text" && i == names.size() - 1) {
            // A printed text at the end takes the rest of the line, so its commas survive.
            item.text = TrimBlanks(fileValue.section(u',', i));
        } else if (name == u"text")
            item.text = piece;
        else if (name == u"text2")
            item.text2 = piece;
        else if (name == u"align")
            item.alignment = ParseAlignment(piece);
        else if (name == u"x")
            item.x = ParseInteger(piece);
        else if (name == u"y")
            item.y = ParseInteger(piece);
        else if (name == u"w")
            item.width = ParseInteger(piece);
        else if (name == u"h")
            item.height = ParseInteger(piece);
        else if (name == u"n")
            item.number = ParseInteger(piece);
        else if (name == u"size")
            item.fontSize = ParseInteger(piece);
        else if (name == u"last")
            item.last = ParseInteger(piece);
    }
}

QString ItemFileValue(const TextItem& item, const char* pieceNames)
{
    QStringList out;
    const QStringList names = QString::fromLatin1(pieceNames).split(u',');
    for (const QString& name : names) {
        if (name == u"text")
            out << item.text;
        else if (name == u"text2")
            out << item.text2;
        else if (name == u"align")
            out << AlignmentWord(item.alignment);
        else if (name == u"x")
            out << QString::number(item.x);
        else if (name == u"y")
            out << QString::number(item.y);
        else if (name == u"w")
            out << QString::number(item.width);
        else if (name == u"h")
            out << QString::number(item.height);
        else if (name == u"n")
            out << QString::number(item.number);
        else if (name == u"size")
            out << QString::number(item.fontSize);
        else if (name == u"last")
            out << QString::number(item.last);
    }
    return out.join(u',');
}

// Table columns from pairs of title and width, beginning at piece `first`.
template <std::size_t N>
void AssignColumns(std::array<TableColumn, N>& columns, const QStringList& pieces, qsizetype first)
{
    for (std::size_t c = 0; c < N; ++c) {
        const qsizetype title = first + 2 * static_cast<qsizetype>(c);
        if (title < pieces.size())
            columns[c].title = pieces[title];
        if (title + 1 < pieces.size())
            columns[c].width = ParseInteger(pieces[title + 1]);
    }
}

template <std::size_t N> QStringList ColumnPieces(const std::array<TableColumn, N>& columns)
{
    QStringList pieces;
    for (const TableColumn& column : columns)
        pieces << column.title << QString::number(column.width);
    return pieces;
}

template <KeyForm F>
void AssignValue(typename KeyValueType<F>::type& member, const QString& value, const char* pieces)
{
    if constexpr (F == KeyForm::Flag || F == KeyForm::Integer)
        member = ParseInteger(value);
    else if constexpr (F == KeyForm::TruncatedInteger)
        member = ParseTruncatedInteger(value);
    else if constexpr (F == KeyForm::LastInteger)
        member = ParseInteger(ParseList(value).constLast());
    else if constexpr (F == KeyForm::Choice) {
        const qsizetype index = QString::fromLatin1(pieces).split(u',').indexOf(value);
        if (index >= 0)
            member = static_cast<int>(index) + 1;
    } else if constexpr (F == KeyForm::Decimal)
        member = ParseDecimal(value);
    else if constexpr (F == KeyForm::List)
        AssignPieces(member, value, [](const QString& p) { return p; });
    else if constexpr (F == KeyForm::IntegerList)
        AssignPieces(member, value, [](const QString& p) { return ParseInteger(p); });
    else if constexpr (F == KeyForm::Item)
        AssignItem(member, value, pieces);
    else if constexpr (F == KeyForm::MultiLineText)
        member = QString(value).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    else if constexpr (F == KeyForm::Lines) {
        QStringList lines = value.split(QStringLiteral("\\n"));
        if (lines.constLast().isEmpty())
            lines.removeLast();
        member.clear();
        for (const QString& line : lines)
            member += line + u'\n';
    } else if constexpr (F == KeyForm::ReceiptText)
        member = QString(value)
                     .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                     .replace(kEqualsMark, u'=');
    else if constexpr (F == KeyForm::Password)
        member = PasswordFromFileValue(value);
    else if constexpr (F == KeyForm::ReminderLevel) {
        const QStringList parts = ParseList(value);
        member.days = ParseInteger(parts[0]);
        if (parts.size() > 1)
            member.fee = ParseDecimal(parts[1]);
        if (parts.size() > 2)
            member.file = parts[2];
    } else if constexpr (F == KeyForm::ProductTable) {
        const QStringList parts = ParseList(value);
        member.top = ParseInteger(parts[0]);
        AssignColumns(member.columns, parts, 1);
    } else if constexpr (F == KeyForm::ReminderTable)
        AssignColumns(member.columns, ParseList(value), 0);
    else
        member = value;
}

template <KeyForm F>
QString FileValue(const typename KeyValueType<F>::type& member, const char* pieces)
{
    if constexpr (F == KeyForm::Flag || F == KeyForm::Integer || F == KeyForm::TruncatedInteger ||
                  F == KeyForm::LastInteger)
        return QString::number(member);
    else if constexpr (F == KeyForm::Choice) {
        const QStringList words = QString::fromLatin1(pieces).split(u',');
        return member >= 1 && member <= words.size() ? words[member - 1] : QString();
    } else if constexpr (F == KeyForm::Decimal)
        return QString::number(member, 'g', 15);
    else if constexpr (F == KeyForm::List)
        return member.join(u',');
    else if constexpr (F == KeyForm::IntegerList) {
        QStringList texts;
        for (int value : member)
            texts << QString::number(value);
        return texts.join(u',');
    } else if constexpr (F == KeyForm::Item)
        return ItemFileValue(member, pieces);
    else if constexpr (F == KeyForm::MultiLineText || F == KeyForm::Lines)
        return QString(member).replace(u'\n', QStringLiteral("\\n"));
    else if constexpr (F == KeyForm::ReceiptText)
        return QString(member).replace(u'\n', QStringLiteral("\\n")).replace(u'=', kEqualsMark);
    else if constexpr (F == KeyForm::Password)
        return PasswordToFileValue(member);
    else if constexpr (F == KeyForm::ReminderLevel)
        return QStringList{QString::number(member.days), QString::number(member.fee, 'g', 15),
                           member.file}
            .join(u',');
    else if constexpr (F == KeyForm::ProductTable)
        return (QStringList{QString::number(member.top)} + ColumnPieces(member.columns)).join(u',');
    else if constexpr (F == KeyForm::ReminderTable)
        return ColumnPieces(member.columns).join(u',');
    else
        return member;
}

// ---- Files named by keys ----------------------------------------------------------------

// The lines of a file named by a key, each followed by a line break; nothing when no file is
// named or it cannot be opened.
std::optional<QString> ReadConfiguredText(const Configuration& c, const QString& fileValue)
{
    const QString path = ConfiguredFilePath(c, fileValue);
    if (path.isEmpty())
        return std::nullopt;
    bool opened = false;
    const QStringList lines = ReadWholeLines(path, &opened);
    if (!opened)
        return std::nullopt;
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    return text;
}

// As ReadConfiguredText, telling the user about a named file that cannot be read.
QString ReadReportedText(const Configuration& c, const QString& fileValue)
{
    if (fileValue.isEmpty())
        return {};
    const std::optional<QString> text = ReadConfiguredText(c, fileValue);
    if (!text)
        FrageJaNein(QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!")
                        .arg(ConfiguredFilePath(c, fileValue)));
    return text.value_or(QString());
}

// ---- Load rules: values that are transformed as their line is read ------------------------

template <typename T> void NoRule(Configuration&, T&) {}

void RuleOwnCountry(Configuration&, int& code)
{
    if (code == 0)
        code = 43;
}

void RuleStartInvoiceNumber(Configuration&, int& start)
{
    // The running part of an invoice number has five digits at most.
    if (start > 99999)
        start %= 100000;
}

void RuleUpdateUrl(Configuration&, QString& url)
{
    if (!url.contains(u"faktavo", Qt::CaseInsensitive))
        url = QString::fromUtf16(kDefaultUpdateUrl);
}

void AddMappedColumns(QStringList& columns, const QString& mapping)
{
    for (const QString& name : ParseList(mapping)) {
        if (!name.isEmpty())
            columns << name;
    }
}

void RuleAddressColumns(Configuration& c, QString& mapping)
{
    AddMappedColumns(c.addressColumns, mapping);
}

void RuleProductColumns(Configuration& c, QString& mapping)
{
    AddMappedColumns(c.productColumns, mapping);
}

// The identifier columns are added whole, commas included.
void RuleAddressIdColumn(Configuration& c, QString& column)
{
    if (!column.isEmpty())
        c.addressColumns << column;
}

void RuleProductIdColumn(Configuration& c, QString& column)
{
    if (!column.isEmpty())
        c.productColumns << column;
}

// The overview list ends the configured widths with a column of width 0.
void RuleOverviewWidths(Configuration&, QList<int>& widths)
{
    if (!widths.isEmpty())
        widths.append(0);
}

void RuleLineCapacities(Configuration&, QList<int>& capacities)
{
    if (!capacities.isEmpty() && capacities[0] < 1)
        capacities[0] = 30;
}

void RuleFont(Configuration&, QString& font)
{
    if (font.contains(QStringLiteral("Helvetica")))
        font = QStringLiteral("Arial");
}

// The small letterhead picture: the file name in capitals with ".BMP" turned into
// "KLEIN.BMP"; the folder part keeps its spelling, as folder names are case sensitive here.
void RuleSmallLogo(Configuration& c, QString& file)
{
    const qsizetype nameStart = std::max(file.lastIndexOf(u'/'), file.lastIndexOf(u'\\')) + 1;
    c.smallLogoFile =
        file.left(nameStart) +
        file.mid(nameStart).toUpper().replace(QStringLiteral(".BMP"), QStringLiteral("KLEIN.BMP"));
}

void RuleTrimmed(Configuration&, QString& value)
{
    value = value.trimmed();
}

void RulePaymentText(Configuration&, QString& text)
{
    text.remove(QStringLiteral("Zahlung: "));
}

void RuleOwnAreaCode(Configuration&, QString& areaCode)
{
    if (areaCode.startsWith(u'0'))
        areaCode.remove(0, 1);
}

// Swiss francs in place of euros: "EURO", then "€", then "EUR" become "CHF"; table titles
// drop a bare "EUR" instead.
void ToSwissFrancs(QString& text, bool dropEur)
{
    text.replace(QStringLiteral("EURO"), QStringLiteral("CHF"));
    text.replace(kEuroSign, QStringLiteral("CHF"));
    text.replace(QStringLiteral("EUR"), dropEur ? QString() : QStringLiteral("CHF"));
}

bool InSwissFrancs(const Configuration& c)
{
    return c.WAEHRUNGIST == 1;
}

void RuleCurrency(Configuration& c, QString& text)
{
    if (InSwissFrancs(c))
        ToSwissFrancs(text, false);
}

void RuleFinalSumCurrency(Configuration& c, QString& text)
{
    const QString currency = InSwissFrancs(c) ? QStringLiteral("CHF") : QStringLiteral("EUR");
    text.replace(QStringLiteral("Endbetrag:"), QStringLiteral("Endbetrag in %1:").arg(currency));
    text.replace(QStringLiteral("Endsumme:"), QStringLiteral("Endsumme in %1:").arg(currency));
    RuleCurrency(c, text);
}

void RuleProductTable(Configuration& c, ProductTableLayout& table)
{
    using enum ProductTableLayout::Column;
    auto& columns = table.columns;
    // A column that is not printed gives its width to the description.
    if (c.PRODUKTNUMMER == 0) {
        columns[Description].width += columns[ProductNumber].width;
        columns[ProductNumber].width = 0;
    }
    if (c.EINZELPREISE == 0) {
        columns[Description].width += columns[UnitPrice].width;
        columns[UnitPrice].width = 0;
    }
    if (InSwissFrancs(c)) {
        ToSwissFrancs(columns[UnitPrice].title, true);
        ToSwissFrancs(columns[Total].title, true);
    }
}

void RuleReminderTable(Configuration& c, ReminderTableLayout& table)
{
    if (InSwissFrancs(c))
        ToSwissFrancs(table.columns[ReminderTableLayout::Amount].title, true);
}

void RuleBackupFolder(Configuration& c, QString& folder)
{
    if (folder.isEmpty())
        return;
    if (folder == u"STANDARD") {
        folder = DataFolderPath(c.dataFolder, QStringLiteral("PdfSich/"));
        return;
    }
    folder = ConfiguredFolderPath(c, folder);
    if (folder.isEmpty())
        return;
    const QString templates = folder + QStringLiteral("Vorlagen/");
    if (!QDir().mkpath(templates)) {
        const QString message =
            QStringLiteral("Fehler:Das Verzeichnis '%1' kann nicht ertellt werden!").arg(templates);
        Log(0, message);
        FrageJaNein(message);
    }
}

void RulePaymentReminderText(Configuration& c, ReminderSetting& level)
{
    level.text =
        ReadConfiguredText(c, level.file).value_or(QString::fromUtf16(kPaymentReminderText));
}

void RuleReminderText(Configuration& c, ReminderSetting& level)
{
    level.text = ReadReportedText(c, level.file);
}

// The end text is a text file, or a picture (".BMP" in the name) that the renderer draws.
void RuleEndText(Configuration& c, TextItem& item)
{
    const bool picture = item.text2.toUpper().contains(QStringLiteral(".BMP"));
    item.text = picture ? QString() : ReadConfiguredText(c, item.text2).value_or(QString());
}

void RuleClosingText(Configuration& c, TextItem& item)
{
    item.text = ReadReportedText(c, item.text2);
}

void RuleExtraText(Configuration& c, TextItem& item)
{
    item.text = ReadReportedText(c, item.text2);
}

// ---- The key table ------------------------------------------------------------------------

constexpr bool Reset = true;
constexpr bool Keep = false;

const auto kKeyTable = std::to_array<KeyEntry>({
#define FAKVO_KEY(name, form, def, pieces, rule, reset)                                            \
    {#name,                                                                                        \
     KeyForm::form,                                                                                \
     def,                                                                                          \
     pieces,                                                                                       \
     reset,                                                                                        \
     [](Configuration& c) { c.name = KeyValueType<KeyForm::form>::type{}; },                       \
     [](Configuration& c, const QString& v) {                                                      \
         AssignValue<KeyForm::form>(c.name, v, pieces);                                            \
         rule(c, c.name);                                                                          \
     },                                                                                            \
     [](const Configuration& c) { return FileValue<KeyForm::form>(c.name, pieces); }},
#include "config/keys.def"
#undef FAKVO_KEY
});

// Resets every member whose key is reset before a load (or all of them at start).
void ApplyDefaults(Configuration& config, bool includeKeptKeys)
{
    for (const KeyEntry& entry : kKeyTable) {
        if (entry.resetOnLoad || includeKeptKeys) {
            entry.clear(config);
            entry.apply(config, entry.defaultValue());
        }
    }
}

// In server mode the journal's lines always live in the line table of the client's own
// database, under the default name and dialect.
bool IgnoredInServerMode(const KeyEntry& entry)
{
    constexpr std::array<const char*, 3> kNames = {"ODBCPROTPRTABLE", "ODBCPROTPRTOP",
                                                   "ODBCPROTPRAUTO"};
    return std::any_of(kNames.begin(), kNames.end(), [&entry](const char* name) {
        return QLatin1StringView(name) == QLatin1StringView(entry.name);
    });
}

} // namespace

Configuration::Configuration()
{
    ApplyDefaults(*this, true);
}

std::span<const KeyEntry> KeyTable()
{
    return kKeyTable;
}

const KeyEntry* FindKeyForLine(QStringView lineKey)
{
    const KeyEntry* best = nullptr;
    qsizetype bestLength = 0;
    for (const KeyEntry& entry : kKeyTable) {
        const auto name = QLatin1StringView(entry.name);
        if (name.size() > bestLength && lineKey.startsWith(name)) {
            best = &entry;
            bestLength = name.size();
        }
    }
    return best;
}

const KeyEntry* FindKey(QStringView key)
{
    for (const KeyEntry& entry : kKeyTable) {
        if (key == QLatin1StringView(entry.name))
            return &entry;
    }
    return nullptr;
}

bool ApplyConfigLine(Configuration& config, QStringView lineKey, const QString& value)
{
    const KeyEntry* entry = FindKeyForLine(lineKey);
    if (entry == nullptr || (config.serverMode && IgnoredInServerMode(*entry)))
        return false;
    entry->apply(config, value);
    return true;
}

void ResetConfigurationDefaults(Configuration& config)
{
    const int keptWidth = config.MAHNTABELLE.columns[ReminderTableLayout::Text].width;
    config.addressColumns.clear();
    config.productColumns.clear();
    ApplyDefaults(config, false);
    config.MAHNTABELLE.columns[ReminderTableLayout::Text].width = keptWidth;
}

QString DataFolderPath(const QString& dataFolder, const QString& name)
{
    if (dataFolder.isEmpty())
        return name;
    return dataFolder.endsWith(u'/') ? dataFolder + name : dataFolder + u'/' + name;
}

QString ClientFolder(const QString& dataFolder, int clientNumber)
{
    return DataFolderPath(
        dataFolder, QStringLiteral("Server/Kunden/%1/").arg(clientNumber, 8, 10, QLatin1Char('0')));
}

QString ConfiguredFilePath(const Configuration& config, const QString& fileValue)
{
    QString path = QString(fileValue).replace(u'\\', u'/');
    if (!config.serverMode || path.isEmpty())
        return path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    return ClientFolder(config.dataFolder, config.clientNumber) + name;
}

QString ConfiguredFolderPath(const Configuration& config, const QString& folderValue)
{
    QString folder = folderValue;
    if (config.serverMode) {
        while (folder.endsWith(u'/') || folder.endsWith(u'\\'))
            folder.chop(1);
        folder = ConfiguredFilePath(config, folder);
    }
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace fakvo
