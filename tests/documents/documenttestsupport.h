#pragma once
// What the document store tests share: scripted answers to messages and questions with a
// record of every message and log line, and sample documents.

#include "app/model/document.h"

#include <QStringList>

namespace fakvo::test {

// Records every message and log line while it lives; questions get `answer`.
class Prompts
{
public:
    explicit Prompts(int answer);
    ~Prompts();
    Prompts(const Prompts&) = delete;
    Prompts& operator=(const Prompts&) = delete;

    void SetAnswer(int answer) { m_answer = answer; }
    QStringList messages;  // shown texts, questions included
    QStringList questions; // the questions alone
    QStringList log;       // application log lines

private:
    int m_answer;
};

// A line of the product list: quantity, product number, text, VAT rate, unit price and tiers.
ProductLine Line(const QString& quantity, const QString& productNumber, const QString& text,
                 const QString& vatRate, const QString& unitPrice,
                 const QString& tiers = QString());

// An invoice to "Muster GmbH" in Vienna with one line 1 x 100.00 at 20 %.
Document SampleInvoice();
// `SampleInvoice` turned into a document of `type` (message types get a message, no lines).
Document SampleOfType(DocumentType type);

} // namespace fakvo::test
