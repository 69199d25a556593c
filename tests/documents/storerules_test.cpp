// The rules of storing and loading that need no database.

#include "app/document/storerules.h"

#include "documenttestsupport.h"

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

TEST(StoreRules, RewriteRefusesToTurnAnInvoiceNumberIntoAnotherType)
{
    const QString refusal = QStringLiteral(
        "Eine bestehende Rechnung kann nicht in einen anderen Dokumenttypen umgewandelt werden.!");
    const struct
    {
        DocumentType type;
        long long loadedNumber;
        bool refused;
    } cases[] = {
        {DocumentType::Offer, 202400001, true},
        {DocumentType::CancelledInvoice, 202400001, true},
        {DocumentType::Invoice, 202400001, false},
        {DocumentType::Invoice, 82400001, false}, // an offer becomes an invoice
        {DocumentType::DeliveryNote, 82400001, false},
        {DocumentType::Offer, 201400001, true},  // ten years back is still an invoice number
        {DocumentType::Offer, 201400000, false}, // older ones are not
        {DocumentType::Offer, 0, false},
    };
    for (const auto& c : cases) {
        const std::optional<QString> result = RewriteRefusal(c.type, c.loadedNumber, 2024, 1);
        EXPECT_EQ(result.has_value(), c.refused) << c.loadedNumber;
        EXPECT_EQ(result.value_or(refusal), refusal);
    }
}

TEST(StoreRules, ReminderLevelFromStoredCashDiscount)
{
    EXPECT_EQ(ReminderLevelFromCashDiscount(-1.0), 1);
    EXPECT_EQ(ReminderLevelFromCashDiscount(-2.0), 2);
    EXPECT_EQ(ReminderLevelFromCashDiscount(-0.999), 1); // as two decimals show it
    EXPECT_EQ(ReminderLevelFromCashDiscount(0.0), 0);
    EXPECT_EQ(ReminderLevelFromCashDiscount(-3.0), 0);
    EXPECT_EQ(ReminderLevelFromCashDiscount(2.0), 0);
}

TEST(StoreRules, PaymentTermAboveTwoYearsIsNoTermExceptAnInvoiceDate)
{
    Conditions conditions;
    conditions.paymentTerm = 731;
    conditions.discount = QStringLiteral("1,5");
    NormaliseConditions(conditions, DocumentType::Invoice);
    EXPECT_EQ(conditions.paymentTerm, 0);
    EXPECT_EQ(conditions.discount, QStringLiteral("1.5"));
    conditions.paymentTerm = 730;
    NormaliseConditions(conditions, DocumentType::Invoice);
    EXPECT_EQ(conditions.paymentTerm, 730);
    conditions.paymentTerm = 20240105;
    NormaliseConditions(conditions, DocumentType::ManualReminder);
    EXPECT_EQ(conditions.paymentTerm, 20240105);
}

TEST(StoreRules, LoadedPaymentCodesComeBackAsConditions)
{
    Configuration config;
    JournalRecord record;
    record.header.type = 8;
    record.header.paymentMethod = 7703;
    EXPECT_EQ(DocumentFromRecord(record, config, 4).conditions.paymentMethod, 3);
    record.header.type = 0;
    record.header.paymentMethod = 77;
    EXPECT_EQ(DocumentFromRecord(record, config, 4).conditions.paymentMethod, 4);
    // Stored before lines per row were kept: the configured count.
    config.PRODUKTZEILEN = 2;
    EXPECT_EQ(DocumentFromRecord(record, config, 4).conditions.linesPerRow, 2);
    // Only a cancelled invoice becomes type 10.
    record.header.cancelled = 1;
    EXPECT_EQ(DocumentFromRecord(record, config, 4).type, DocumentType::CancelledInvoice);
    record.header.type = 6;
    EXPECT_EQ(DocumentFromRecord(record, config, 4).type, DocumentType::Offer);
}

TEST(StoreRules, LetterPaymentIsNotOffsetTwice)
{
    // A letter loaded keeps payment 3 in its conditions; stored again it is 7703, not 15403.
    Document letter = SampleOfType(DocumentType::Letter);
    letter.conditions.paymentMethod = 7703;
    EntryValues values;
    values.keptPaymentMethod = 1;
    EXPECT_EQ(JournalEntryFor(letter, {}, values).paymentMethod, 7703);
    letter.conditions.paymentMethod = 77;
    EXPECT_EQ(JournalEntryFor(letter, {}, values).paymentMethod, 7701);
}

} // namespace
