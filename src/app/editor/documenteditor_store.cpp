// The editor's commands that reach the journal, the address table and the product table.

#include "app/editor/documenteditor.h"

#include "app/editor/recipientrules.h"
#include "app/editor/selectionlist.h"

namespace fakvo {

void DocumentEditor::SaveNewDocument()
{
    CommitOpenCell();
    ComputeTotals();
    ShowNotAvailable(QStringLiteral("Das Speichern von Dokumenten"));
}

void DocumentEditor::SaveChangedDocument()
{
    CommitOpenCell();
    ComputeTotals();
    ShowNotAvailable(QStringLiteral("Das Speichern von Veränderungen"));
}

void DocumentEditor::LookUpCustomer()
{
    GatherInput();
    if (!CustomerNumberFromText(m_document.recipient.attention))
        return;
    ShowNotAvailable(QStringLiteral("Die Suche nach Kundennummern"));
}

void DocumentEditor::SearchProducts()
{
    ShowNotAvailable(QStringLiteral("Die Produktsuche"));
}

void DocumentEditor::SearchAddresses()
{
    ShowNotAvailable(QStringLiteral("Die Adresssuche"));
}

void DocumentEditor::OnSelectionChosen(SelectionMode, int)
{
}

} // namespace fakvo
