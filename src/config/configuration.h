#pragma once
// The settings of the active profile: one member per configuration key (named exactly as the
// key), plus the profile list and the state of the loaded file. Every key is declared once,
// in keys.def; the key table built from it drives defaults, loading and writing back.

#include "config/valueforms.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <span>

namespace fakvo {

// A configured, positioned text of the printed page.
struct TextItem
{
    QString text;
    QString text2; // a file name or a font name, depending on the key
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int number = 0;
    Alignment alignment = Alignment::Left;
    int fontSize = 11;
    int last = 0;

    bool operator==(const TextItem&) const = default;
};

// One column of a printed table: its title and its width.
struct TableColumn
{
    QString title;
    int width = 0;

    bool operator==(const TableColumn&) const = default;
};

// The product table of documents: its top edge and six columns.
struct ProductTableLayout
{
    enum Column
    {
        Quantity,
        ProductNumber,
        Description,
        VatRate,
        UnitPrice,
        Total,
        ColumnCount
    };
    int top = 0;
    std::array<TableColumn, ColumnCount> columns{};

    bool operator==(const ProductTableLayout&) const = default;
};

// The invoice table printed on reminders; its top edge is the product table's.
struct ReminderTableLayout
{
    enum Column
    {
        InvoiceDate,
        InvoiceNumber,
        Text,
        DueDate,
        Amount,
        ColumnCount
    };
    std::array<TableColumn, ColumnCount> columns{};

    bool operator==(const ReminderTableLayout&) const = default;
};

// One reminder level: days after the payment term, fee, text file, and the file's text as it
// was read when the line was loaded.
struct ReminderSetting
{
    int days = 0;
    double fee = 0.0;
    QString file;
    QString text;

    bool operator==(const ReminderSetting&) const = default;
};

enum class KeyForm
{
    Flag,
    Integer,
    TruncatedInteger,
    Decimal,
    Text,
    List,
    IntegerList,
    LastInteger,   // a list of integers of which the last piece counts
    Choice,        // one of the words given as the key's pieces: 1 for the first, 0 for none
    ColumnMapping, // column names of the user's address or product table
    Item,
    MultiLineText, // backslash-n stands for a line break
    Lines,         // lines separated by backslash-n; each line ends in a line break
    ReceiptText,   // multi-line text in which '=' is written as '¿'
    Password,
    File,
    ReminderLevel,
    ProductTable,
    ReminderTable,
};

template <KeyForm> struct KeyValueType
{
    using type = QString;
};
template <> struct KeyValueType<KeyForm::Flag>
{
    using type = int;
};
template <> struct KeyValueType<KeyForm::Integer>
{
    using type = int;
};
template <> struct KeyValueType<KeyForm::TruncatedInteger>
{
    using type = int;
};
template <> struct KeyValueType<KeyForm::LastInteger>
{
    using type = int;
};
template <> struct KeyValueType<KeyForm::Choice>
{
    using type = int;
};
template <> struct KeyValueType<KeyForm::Decimal>
{
    using type = double;
};
template <> struct KeyValueType<KeyForm::List>
{
    using type = QStringList;
};
template <> struct KeyValueType<KeyForm::IntegerList>
{
    using type = QList<int>;
};
template <> struct KeyValueType<KeyForm::Item>
{
    using type = TextItem;
};
template <> struct KeyValueType<KeyForm::ReminderLevel>
{
    using type = ReminderSetting;
};
template <> struct KeyValueType<KeyForm::ProductTable>
{
    using type = ProductTableLayout;
};
template <> struct KeyValueType<KeyForm::ReminderTable>
{
    using type = ReminderTableLayout;
};

struct Profile
{
    QString name;
    QString path;
};

struct Configuration
{
#define FAKVO_KEY(name, form, def, pieces, rule, reset) KeyValueType<KeyForm::form>::type name{};
#include "config/keys.def"
#undef FAKVO_KEY

    // The data folder (ends in '/'); relative file names in the configuration refer to it.
    QString dataFolder;
    // The active configuration file, as it was given to the loader.
    QString path;
    QList<Profile> profiles;
    int activeProfile = 0;
    // A configuration file named on the command line forms a profile list of its own.
    QString explicitFile;
    // The lines of the active file, used only while settings are being changed.
    QStringList lines;
    bool serverMode = false;
    int clientNumber = 0;

    // Derived while loading and emptied by every reset: the columns named by the address and
    // by the product mappings (each must exist in its table), and the small letterhead
    // picture named after LOGODATEI.
    QStringList addressColumns;
    QStringList productColumns;
    QString smallLogoFile;

    // A configuration with every key at its default, as at the start of the application.
    Configuration();
};

// One row of the key table.
struct KeyEntry
{
    const char* name;
    KeyForm form;
    const char* defaultText; // UTF-8
    const char* pieces;
    bool resetOnLoad;
    // Empties the member (texts empty, numbers 0, items at their reset values).
    void (*clear)(Configuration&);
    // Applies a value as written in the file to the member (and runs the key's load rule).
    void (*apply)(Configuration&, const QString& fileValue);
    // The member's value as it is written to the file.
    QString (*fileValue)(const Configuration&);

    QString defaultValue() const { return QString::fromUtf8(defaultText); }
};

std::span<const KeyEntry> KeyTable();

// The entry a line's key belongs to: the longest key name the line's key begins with, so
// "FONT =Arial" sets FONT and "SMSABSENDEREMAIL" never sets SMSABSENDER. Null when none.
const KeyEntry* FindKeyForLine(QStringView lineKey);

// The entry of exactly this key, or null.
const KeyEntry* FindKey(QStringView key);

// Applies one line of a configuration file to the key it belongs to. False when no key takes
// the line: unknown keys, and in server mode the keys of the journal's line table, whose
// defaults always apply there.
bool ApplyConfigLine(Configuration& config, QStringView lineKey, const QString& value);

// Every member back to its default and the derived lists emptied, except the values that
// keep the last profile's setting: the keys marked Keep and the third width of MAHNTABELLE.
void ResetConfigurationDefaults(Configuration& config);

// A path inside the data folder (which may be empty: the current folder).
QString DataFolderPath(const QString& dataFolder, const QString& name);

// The folder of a letter-service client: Server/Kunden/ and the number in eight digits.
QString ClientFolder(const QString& dataFolder, int clientNumber);

// The path of a file named by a configuration key. Backslashes become '/'. In server mode only
// the file's name counts and the file is taken from the current client's folder, so a client's
// configuration never reaches outside it; an empty name gives an empty path. Open the files
// of EMAILTEXTRECH, EMAILTEXTMAHN, EMAILTEXTDOC, LOGODATEI (and smallLogoFile),
// UNTERSCHRIFTDATEI and the ENDEDATEI picture through it; the loader reads the texts of the
// reminder levels, ENDEDATEI, SCHLUSSDATEI and the extra text files through it.
QString ConfiguredFilePath(const Configuration& config, const QString& fileValue);

// A folder named by a configuration key (PDFVERZEICHNIS, PDFSICHERUNGSPFAD), ending in '/'.
// In server mode only its last name counts, taken inside the current client's folder.
QString ConfiguredFolderPath(const Configuration& config, const QString& folderValue);

} // namespace fakvo
