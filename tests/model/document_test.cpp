#include "app/model/document.h"

#include <gtest/gtest.h>

using namespace fakvo;

TEST(Document, QuantityTextsSplitIntoNumberAndUnit)
{
    struct Case
    {
        QString text;
        double number;
        QString unit;
    };
    const QString longUnit = QStringLiteral("Stunden-Pauschale-mit-Anfahrt");
    const Case cases[] = {
        {QStringLiteral("2 Std."), 2.0, QStringLiteral("Std.")},
        {QStringLiteral("2,5 Std."), 2.5, QStringLiteral("Std.")},
        {QStringLiteral("2Std."), 2.0, QStringLiteral("Std.")},
        {QStringLiteral("  4\tStk "), 4.0, QStringLiteral("Stk")},
        {QStringLiteral("1.5 kg netto"), 1.5, QStringLiteral("kg")},
        {QStringLiteral("-2 Std."), -2.0, QStringLiteral("Std.")},
        {QStringLiteral("1e3 m"), 1000.0, QStringLiteral("m")},
        {QStringLiteral("3"), 3.0, QString()},
        {QStringLiteral("0,25"), 0.25, QString()},
        {QString(), 0.0, QString()},
        // A text without a number keeps its first word rather than losing it.
        {QStringLiteral("pauschal"), 0.0, QStringLiteral("pauschal")},
        // The stored unit holds at most 20 characters.
        {QStringLiteral("5 ") + longUnit, 5.0, longUnit.left(kUnitMaxLength)},
        // A text of 59 characters keeps its unit, a longer one does not.
        {QStringLiteral("7 ") + QString(57, u'x'), 7.0, QString(20, u'x')},
        {QStringLiteral("7 ") + QString(58, u'x'), 7.0, QString()},
    };
    for (const Case& c : cases) {
        const Quantity quantity = SplitQuantity(c.text);
        EXPECT_EQ(quantity.number, c.number) << c.text.toStdString();
        EXPECT_EQ(quantity.unit, c.unit) << c.text.toStdString();
    }
}

TEST(Document, RecipientNameIsTheFirstNonEmptyNameLine)
{
    Recipient recipient;
    EXPECT_TRUE(recipient.DisplayName().isEmpty());
    recipient.attention = QStringLiteral("Frau Dr. Maria Huber");
    EXPECT_EQ(recipient.DisplayName(), recipient.attention);
    recipient.name2 = QStringLiteral("Zweigstelle Nord");
    EXPECT_EQ(recipient.DisplayName(), recipient.name2);
    recipient.name = QStringLiteral("Huber & Söhne GmbH");
    EXPECT_EQ(recipient.DisplayName(), recipient.name);
}
