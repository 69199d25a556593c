#pragma once
// The settings of the active profile: one member per configuration key (named exactly as the
// key), plus the profile list and the state of the loaded file. Every key is declared once,
// in keys.def; the key table built from it drives defaults, loading and writing back.

#include "config/valueforms.h"

#include <QList>
#include <QString>
#include <QStringList>

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

enum class KeyForm
{
    Flag,
    Integer,
    TruncatedInteger,
    Decimal,
    Text,
    List,
    IntegerList,
    ColumnMapping,
    Item,
    MultiLineText,
    Password,
    File,
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

    // A configuration with every key at its default, as at the start of the application.
    Configuration();
};

// One row of the key table.
struct KeyEntry
{
    const char* name;
    KeyForm form;
    const char* defaultText;
    const char* pieces;
    bool resetOnLoad;
    // Empties the member (texts empty, numbers 0, items at their reset values).
    void (*clear)(Configuration&);
    // Applies a value as written in the file to the member (and runs the key's load rule).
    void (*apply)(Configuration&, const QString& fileValue);
    // The member's value as it is written to the file.
    QString (*fileValue)(const Configuration&);
};

std::span<const KeyEntry> KeyTable();

// The entry a line's key belongs to: the longest key name the line's key begins with, so
// "FONT =Arial" sets FONT and "SMSABSENDEREMAIL" never sets SMSABSENDER. Null when none.
const KeyEntry* FindKeyForLine(QStringView lineKey);

// The entry of exactly this key, or null.
const KeyEntry* FindKey(QStringView key);

// Every member back to its default, except the few keys that keep the last profile's value.
void ResetConfigurationDefaults(Configuration& config);

} // namespace fakvo
