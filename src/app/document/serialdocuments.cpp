// Serial documents: one new document per selected address.

#include "app/document/documentstore.h"

#include "platform/prompt.h"

#include <QFileInfo>

namespace fakvo {

bool ConfirmSerialDocuments(int selectedAddresses)
{
    if (selectedAddresses < 2)
        return false;
    return FrageJaNein(QStringLiteral("Wollen Sie wirklich für alle %1 selektierten Adressen "
                                      "dieses Dokument speichern?")
                           .arg(selectedAddresses),
                       PromptMode::Question) == kAnswerYes;
}

SerialOutcome SaveSerialDocuments(const Document& document, int addressCount,
                                  const TakeAddress& takeAddress, const StoreContext& context)
{
    SerialOutcome outcome;
    if (!context.config || !takeAddress)
        return outcome;
    // An invoice without rows takes each customer's own rows from the customer's template.
    const bool fromCustomerTemplate =
        document.type == DocumentType::Invoice && document.lines.isEmpty();

    for (int index = 0; index < addressCount; ++index) {
        Document single = document;
        if (!takeAddress(single, index))
            break;
        if (fromCustomerTemplate) {
            const QString path =
                CustomerTemplatePath(single.recipient.customerNumber, *context.config);
            if (!QFileInfo(path).isFile()) {
                outcome.refusal =
                    QStringLiteral("Die Vorlagendatei '%1' konnte nicht gefunden werden!")
                        .arg(path);
                FrageJaNein(outcome.refusal);
                break;
            }
            TemplateContent content = OpenTemplate(path, single, *context.config);
            if (!content.ok) {
                outcome.refusal = content.failure;
                break;
            }
            single = std::move(content.document);
        }
        const StoreOutcome stored = SaveNewDocument(single, context);
        if (!stored.stored) {
            outcome.refusal = stored.refusal;
            break;
        }
        outcome.stored.append(stored);
        outcome.last = std::move(single);
    }
    if (outcome.stored.size() > 1)
        FrageJaNein(QStringLiteral("Die Dokumente wurden generiert"));
    return outcome;
}

} // namespace fakvo
