#include "app/model/documenttype.h"

#include "config/configuration.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

Configuration FeeNotes(bool on)
{
    Configuration config;
    config.HONORARNOTE = on ? 1 : 0;
    return config;
}

DocumentType Code(int code)
{
    return static_cast<DocumentType>(code);
}

} // namespace

TEST(DocumentType, NamesAndShortCodes)
{
    struct Case
    {
        int code;
        const char16_t* name;
        const char16_t* shortCode;
    };
    const Case cases[] = {
        {0, u"Rechnung", u"R"},
        {1, u"Mahnung", u"M"},
        {2, u"Mahnung", u"M"},
        {3, u"Unbek. Dok. Type", u"Y"},
        {4, u"SMS", u"S"},
        {5, u"E-Mail", u"E"},
        {6, u"Angebot", u"A"},
        {7, u"Lieferschein", u"L"},
        {8, u"Brief", u"B"},
        {9, u"Kostenvoranschlag", u"K"},
        {10, u"StornoRechn.", u"N"},
        {11, u"Auftragsbestätigung", u"U"},
        {12, u"Mahnung", u"M"},
        {13, u"Quittung", u"Q"},
        {14, u"Proforma-Rechnung", u"P"},
        {15, u"Mahnung", u"M"},
        {16, u"Unbek. Dok. Type", u"Y"},
        {-1, u"Unbek. Dok. Type", u"Y"},
        {1000, u"Unbek. Dok. Type", u"Y"},
    };
    const Configuration config = FeeNotes(false);
    for (const Case& c : cases) {
        EXPECT_EQ(DocumentTypeName(Code(c.code), false, config), QString::fromUtf16(c.name))
            << c.code;
        EXPECT_EQ(DocumentTypeName(Code(c.code), true, config), QString::fromUtf16(c.shortCode))
            << c.code;
    }
}

TEST(DocumentType, NumberLabels)
{
    struct Case
    {
        int code;
        int number;
        int reminderLevel;
        bool feeNotes;
        const char16_t* label;
    };
    const Case cases[] = {
        {0, 201000012, 0, false, u"RechNr.:201000012"},
        {0, 1042, 0, true, u"Hon.NoteNr:1042"},
        // Labels that end in a blank keep it.
        {6, 81000003, 0, false, u"Angeb.Nr: 81000003"},
        {7, 81000004, 0, false, u"LS Nr.: 81000004"},
        {9, 81000005, 0, false, u"KV Nr.: 81000005"},
        {14, 7, 0, false, u"Prof.RNr.:7"},
        {14, 7, 0, true, u"Prof.Hon.Nr:7"},
        {15, 81000006, 0, false, u"Dokument Nr.:81000006"},
        {15, 81000006, 1, false, u"Mahnung Nr.:81000006"},
        {15, 81000006, 2, true, u"Mahnung Nr.:81000006"},
        {15, 81000006, 3, false, u"Dokument Nr.:81000006"},
        // Types without a label give no bare number either.
        {8, 81000007, 0, false, u""},
        {1, 81000008, 1, false, u""},
        {10, 201000013, 0, false, u""},
        {11, 81000009, 0, true, u""},
        {16, 5, 0, false, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            DocumentNumberLabel(Code(c.code), c.number, c.reminderLevel, FeeNotes(c.feeNotes)),
            QString::fromUtf16(c.label))
            << c.code << " level " << c.reminderLevel << " fee notes " << c.feeNotes;
}

TEST(DocumentType, FeeNotesRenameInvoicesOnly)
{
    const Configuration config = FeeNotes(true);
    EXPECT_EQ(DocumentTypeName(DocumentType::Invoice, false, config),
              QStringLiteral("Honorarnote"));
    EXPECT_EQ(DocumentTypeName(DocumentType::Invoice, true, config), QStringLiteral("R"));
    EXPECT_EQ(DocumentCaption(DocumentType::Invoice, 0, config), QStringLiteral("Honorarnote"));
    EXPECT_EQ(DocumentTypeName(DocumentType::ProformaInvoice, false, config),
              QStringLiteral("Proforma-Rechnung"));
    EXPECT_EQ(DocumentTypeName(DocumentType::CancelledInvoice, false, config),
              QStringLiteral("StornoRechn."));
}

TEST(DocumentType, CaptionsOfRemindersShowTheirLevel)
{
    const Configuration config = FeeNotes(false);
    EXPECT_EQ(DocumentCaption(DocumentType::Reminder1, 0, config), QStringLiteral("Mahnung"));
    EXPECT_EQ(DocumentCaption(DocumentType::Reminder2, 0, config), QStringLiteral("2. Mahnung"));
    EXPECT_EQ(DocumentCaption(DocumentType::Reminder3, 0, config), QStringLiteral("3. Mahnung"));
    EXPECT_EQ(DocumentCaption(DocumentType::ManualReminder, 0, config),
              QStringLiteral("ERINNERUNG"));
    EXPECT_EQ(DocumentCaption(DocumentType::ManualReminder, 1, config), QStringLiteral("MAHNUNG"));
    EXPECT_EQ(DocumentCaption(DocumentType::ManualReminder, 2, config),
              QStringLiteral("2. MAHNUNG"));
    EXPECT_EQ(DocumentCaption(DocumentType::ManualReminder, -7, config),
              QStringLiteral("ERINNERUNG"));
    EXPECT_EQ(DocumentCaption(DocumentType::CostEstimate, 0, config),
              QStringLiteral("Kost.Voranschl."));
    EXPECT_TRUE(DocumentCaption(DocumentType::Unknown, 0, config).isEmpty());
}

TEST(DocumentType, WhatEachTypeCarries)
{
    // Codes grouped as the editor and the journal treat them.
    QList<int> productLists, reminderLists, messageTexts, conditionsRefused;
    for (int code = 0; code <= 16; ++code) {
        const DocumentTypeTraits& traits = TypeTraits(Code(code));
        if (traits.HasProductLines())
            productLists << code;
        if (traits.IsReminderList())
            reminderLists << code;
        if (traits.HasMessageText())
            messageTexts << code;
        if (traits.conditionFields == ConditionFields())
            conditionsRefused << code;
    }
    EXPECT_EQ(productLists, (QList<int>{0, 6, 7, 9, 10, 11, 14, 15}));
    EXPECT_EQ(reminderLists, (QList<int>{1, 2, 12}));
    EXPECT_EQ(messageTexts, (QList<int>{4, 5, 8, 13}));
    EXPECT_EQ(conditionsRefused, (QList<int>{3, 4, 5, 16}));

    // The manual reminder trades the cash discount for its level and has no validity.
    const ConditionFields manual = TypeTraits(DocumentType::ManualReminder).conditionFields;
    EXPECT_TRUE(manual.testFlag(ConditionField::ReminderLevel));
    EXPECT_FALSE(manual.testFlag(ConditionField::CashDiscount));
    EXPECT_FALSE(manual.testFlag(ConditionField::Validity));
    EXPECT_TRUE(manual.testFlag(ConditionField::PaymentTerm));
    EXPECT_FALSE(
        TypeTraits(DocumentType::Invoice).conditionFields.testFlag(ConditionField::Validity));
    EXPECT_TRUE(TypeTraits(DocumentType::Offer).conditionFields.testFlag(ConditionField::Validity));
    EXPECT_EQ(TypeTraits(DocumentType::Letter).conditionFields,
              ConditionFields(ConditionField::Shipping));
    EXPECT_EQ(TypeTraits(DocumentType::Receipt).amounts, AmountKind::TypedAmount);

    // Letters are the one caption on black.
    EXPECT_EQ(TypeTraits(DocumentType::Letter).captionText, (Rgb{255, 255, 0}));
    EXPECT_EQ(TypeTraits(DocumentType::Letter).captionBackground, (Rgb{0, 0, 0}));
    EXPECT_EQ(TypeTraits(DocumentType::ManualReminder).captionText, (Rgb{255, 55, 0}));
    EXPECT_EQ(TypeTraits(DocumentType::Invoice).captionBackground, (Rgb{255, 255, 255}));
}
