#pragma once
// The pages of the settings sheet "Einstellungen": which keys each page edits, how each field
// shows its key's value, and how the typed value is written back to the file. The widgets
// live in config/ui; these rules need none.

#include "config/tableset.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace fakvo {

enum class FieldKind
{
    Text,            // written as typed
    Number,          // written in decimal
    Flag,            // check box, written as 0 or 1
    Password,        // masked entry, written scrambled with the marker
    Choice,          // choice list, written as the index of the chosen entry
    Radio,           // radio buttons, written as the index; hidden entries only via the file
    ItemText,        // the text piece of a text item; the position pieces are kept
    ItemTextLeft,    // position kept, alignment "left", entered text
    ItemTextRight,   // position kept, alignment "right", entered text
    TwoLines,        // two edit lines stored as first\nsecond (backslash and n)
    ReceiptTemplate, // multi-line text: lines trimmed, each ending in \n, "=" stored as "¿"
    ListPiece,       // one comma-separated piece of a list value (`piece`), others kept
    CheckText,       // check box written as `choices[1]` when set, else `choices[0]`
};

// Which chooser a button next to the field opens.
enum class Chooser
{
    None,
    DataSource,     // "ODBC...": data sources of the machine
    DatabaseFile,   // "MS-Access...": a database file, stored as "!" + path
    Tables,         // "Tabellen...": tables of the page's table set
    AddressColumns, // "...": columns of the address table
    ProductColumns, // "...": columns of the product table
    File,           // a file of the data folder
};

struct SettingsField
{
    QString key;
    QString label;
    FieldKind kind = FieldKind::Text;
    Chooser chooser = Chooser::None;
    TableSet tableSet = TableSet::Addresses;
    QStringList choices;      // Choice and Radio entries
    QList<int> hiddenChoices; // Radio entries that are not shown
    int piece = 0;            // ListPiece: which piece
    // ListPiece with a fixed value: written as this text, not shown ("always written as 0").
    QString fixedText;
    // Shown only while the field `visibleWithKey` has one of these values (empty: always).
    QString visibleWithKey;
    QList<int> visibleWithValues;
};

struct SettingsPage
{
    QString caption;
    QList<SettingsField> fields;
};

// The pages in their order.
const QList<SettingsPage>& SettingsPages();

// The text a field shows for the key's current file value.
QString FieldDisplayValue(const SettingsField& field, const QString& fileValue);

// The file value written for what the user entered; `currentFileValue` supplies the pieces
// the page keeps (positions of text items).
QString FieldFileValue(const SettingsField& field, const QString& entered,
                       const QString& currentFileValue);

} // namespace fakvo
