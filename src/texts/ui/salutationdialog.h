#pragma once
// The dialog "Einstellungen der perönlichen Anrede": the five salutation rules ("Anredetext",
// "wenn Text", "im Feld" with a "..." column chooser), the text for addresses without first
// and last name, and a legend of the text variables with their values for the address
// selected in the editor.

#include "config/configfile.h"
#include "texts/placeholders.h"
#include "texts/salutation.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QLineEdit;

namespace fakvo {

// The columns of the address table for the "..." chooser; empty until a database is wired.
using ColumnProvider = std::function<QStringList()>;

class CAnredeEinstellungen : public QDialog
{
    Q_OBJECT
public:
    // Child names for tests: "anredetext1" … "anredetext5", "wenntext1" …, "imfeld1" …,
    // "auswahl1" … (the "..." buttons) and "anredeleer".
    CAnredeEinstellungen(const SalutationSettings& settings,
                         const std::array<PlaceholderEntry, kPlaceholderCount>& legend,
                         ColumnProvider columns, QWidget* parent = nullptr);

    SalutationSettings Settings() const;

private:
    void ChooseColumn(int row);

    struct RowEdits
    {
        QLineEdit* text = nullptr;
        QLineEdit* matchText = nullptr;
        QLineEdit* columns = nullptr;
    };
    std::array<RowEdits, 5> m_rows;
    QLineEdit* m_emptyNamesText = nullptr;
    ColumnProvider m_columns;
};

// Changes the salutation settings through the configuration's change transaction, showing
// the dialog with the legend of `selectedAddress` (empty values without one).
ConfigChangeResult ChangeSalutationSettings(Configuration& config, bool networkMode,
                                            const std::optional<AddressValues>& selectedAddress,
                                            ColumnProvider columns, QWidget* parent = nullptr);

} // namespace fakvo
