#include "documenttestsupport.h"

#include "platform/prompt.h"
#include "support/log.h"

namespace fakvo::test {

Prompts::Prompts(int answer) : m_answer(answer)
{
    SetPromptHandler(
        {[this](const QString& text, PromptMode mode) {
             messages << text;
             if (mode == PromptMode::Question) {
                 questions << text;
                 return m_answer;
             }
             return kAnswerOk;
         },
         [](const QString&, const QString& proposal) { return std::optional<QString>(proposal); }});
    SetLogSink([this](long long, const QString& text) { log << text; });
}

Prompts::~Prompts()
{
    SetPromptHandler({});
    SetLogSink({});
}

ProductLine Line(const QString& quantity, const QString& productNumber, const QString& text,
                 const QString& vatRate, const QString& unitPrice, const QString& tiers)
{
    ProductLine line;
    line[ProductColumn::Quantity] = quantity;
    line[ProductColumn::ProductNumber] = productNumber;
    line[ProductColumn::Text] = text;
    line[ProductColumn::VatRate] = vatRate;
    line[ProductColumn::UnitPrice] = unitPrice;
    line[ProductColumn::PriceTiers] = tiers;
    return line;
}

Document SampleInvoice()
{
    Document d;
    d.type = DocumentType::Invoice;
    d.recipient.name = QStringLiteral("Muster GmbH");
    d.recipient.attention = QStringLiteral("Frau Dr. Anna Muster");
    d.recipient.street = QStringLiteral("Hauptstraße 1");
    d.recipient.postalCode = QStringLiteral("1010");
    d.recipient.town = QStringLiteral("Wien");
    d.recipient.country = 43;
    d.recipient.customerNumber = 1004;
    d.recipient.phone = QStringLiteral("01 234567");
    d.recipient.email = QStringLiteral("office@muster.at");
    d.recipient.title = QStringLiteral("Dr.");
    d.recipient.firstName = QStringLiteral("Anna");
    d.recipient.lastName = QStringLiteral("Muster");
    d.recipient.personalSalutation = QStringLiteral("Sehr geehrte Frau Dr. Muster!");
    d.recipient.selectionDate = 20240101;
    d.recipient.freeFields = {QStringLiteral("v1"), QString(), QString(), QString(),
                              QStringLiteral("v5")};
    d.conditions.discount = QStringLiteral("0");
    d.conditions.cashDiscount = QStringLiteral("0");
    d.conditions.paymentMethod = 1;
    d.conditions.paymentTerm = 14;
    d.conditions.shippingMethod = 1;
    d.conditions.clerk = QStringLiteral("Huber");
    d.conditions.linesPerRow = 2;
    d.lines = {Line(QStringLiteral("1"), QStringLiteral("P1"), QStringLiteral("Beratung"),
                    QStringLiteral("20"), QStringLiteral("100.00"))};
    return d;
}

Document SampleOfType(DocumentType type)
{
    Document d = SampleInvoice();
    d.type = type;
    if (TypeTraits(type).HasMessageText()) {
        d.lines.clear();
        d.subject = QStringLiteral("Ihr Auftrag");
        d.message = QStringLiteral("Sehr geehrte Frau Muster,\r\nvielen Dank für Ihren Auftrag.");
        d.recipient.mobile = QStringLiteral("+43 664 1234567");
    }
    if (type == DocumentType::Receipt)
        d.finalAmount = 50.0;
    return d;
}

} // namespace fakvo::test
