#pragma once
// The type commands of the menu "Selektiere Dokumententype" with their Alt keys.

#include "app/model/documenttype.h"

#include <QList>
#include <QString>

#include <optional>

namespace fakvo {

struct TypeCommand
{
    QString text; // as the menu shows it, with its key hint
    DocumentType type;
    int key; // the Qt key pressed with Alt; 0 for none
};

QList<TypeCommand> TypeCommands();

// The type an Alt key selects; none for other keys.
std::optional<DocumentType> TypeForAltKey(int key);

// The menu entry of the reminder generation, which sits among the type commands.
QString ReminderGenerationText();

} // namespace fakvo
