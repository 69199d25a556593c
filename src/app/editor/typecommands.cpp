#include "app/editor/typecommands.h"

#include <optional>

namespace fakvo {

QList<TypeCommand> TypeCommands()
{
    return {
        {QStringLiteral("&Rechnung \tALT-R"), DocumentType::Invoice, Qt::Key_R},
        {QStringLiteral("Proforma-Rechnung"), DocumentType::ProformaInvoice, 0},
        {QStringLiteral("&Angebot \tALT-A"), DocumentType::Offer, Qt::Key_A},
        {QStringLiteral("A&uftragsbestaetigung \tALT-U"), DocumentType::OrderConfirmation,
         Qt::Key_U},
        {QStringLiteral("&Lieferschein \tALT-L"), DocumentType::DeliveryNote, Qt::Key_L},
        {QStringLiteral("&Kostenvoranschlag \tALT-K"), DocumentType::CostEstimate, Qt::Key_K},
        {QStringLiteral("&Quittung \tALT-Q"), DocumentType::Receipt, Qt::Key_Q},
        {QStringLiteral("&Brief \tALT-B"), DocumentType::Letter, Qt::Key_B},
        {QStringLiteral("&E-Mail \tALT-E"), DocumentType::EMail, Qt::Key_E},
        {QStringLiteral("&SMS \tALT-S"), DocumentType::Sms, Qt::Key_S},
        {QStringLiteral("1. Mahnung \tALT-1"), DocumentType::Reminder1, Qt::Key_1},
        {QStringLiteral("2. Mahnung \tALT-2"), DocumentType::Reminder2, Qt::Key_2},
        {QStringLiteral("Mahnung (manuell)\tALT-4"), DocumentType::ManualReminder, Qt::Key_4},
    };
}

std::optional<DocumentType> TypeForAltKey(int key)
{
    for (const TypeCommand& command : TypeCommands()) {
        if (command.key != 0 && command.key == key)
            return command.type;
    }
    return std::nullopt;
}

QString ReminderGenerationText()
{
    return QStringLiteral("Generiere &Mahnung(en) aus unbezahlten Rechnungen \tALT-M");
}

} // namespace fakvo
