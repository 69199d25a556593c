#include "app/model/codes.h"

#include <QSet>

#include <gtest/gtest.h>

#include <limits>

using namespace fakvo;

TEST(Codes, PaymentMethodNames)
{
    EXPECT_EQ(PaymentMethodName(0), QStringLiteral("Geldinst. mit Zahlschein"));
    EXPECT_EQ(PaymentMethodName(7), QStringLiteral("Paybox"));
    EXPECT_EQ(PaymentMethodName(11), QStringLiteral("PayPal"));
    EXPECT_TRUE(PaymentMethodName(12).isEmpty());
    EXPECT_TRUE(PaymentMethodName(-1).isEmpty());
    EXPECT_TRUE(PaymentMethodName(kLetterPaymentOffset + 3).isEmpty());

    // The conditions dialog lists the same methods in code order, spelling code 7 "PayBox".
    const QStringList choices = PaymentMethodChoices();
    ASSERT_EQ(choices.size(), kPaymentMethodCount);
    EXPECT_EQ(choices[7], QStringLiteral("PayBox"));
    EXPECT_EQ(choices[11], PaymentMethodName(11));
}

TEST(Codes, StoredPaymentValuesComeBackAsMethods)
{
    struct Case
    {
        int stored;
        int method;
    };
    const int kept = 5;
    const Case cases[] = {
        {3, 3}, {0, 0}, {7703, 3}, {7700, 0}, {77, kept}, {7777, kept}, {2299, 2299}, {1188, 1188},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaymentMethodFromStored(c.stored, kept), c.method) << c.stored;
}

TEST(Codes, ShippingNamesCarryTheOutputMarks)
{
    struct Case
    {
        int code;
        bool printed;
        bool copySent;
        const char16_t* name;
    };
    const Case cases[] = {
        {3, true, true, u"E-Mail OK+Ko"},  {0, false, false, u"Persönlich"},
        {8, true, false, u"PostaroFE OK"}, {2, false, true, u"Postaro+Ko"},
        {9, true, true, u" OK+Ko"},        {-1, false, false, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShippingMethodName(c.code, c.printed, c.copySent), QString::fromUtf16(c.name))
            << c.code;

    const QStringList choices = ShippingMethodChoices();
    ASSERT_EQ(choices.size(), kShippingMethodCount);
    EXPECT_EQ(choices[2], QStringLiteral("Postaro (Schwarz/Weiß)"));
    EXPECT_EQ(choices[8], QStringLiteral("Postaro (Farbe & Einschreiben)"));

    QList<int> letterService;
    for (int code = -1; code <= kShippingMethodCount; ++code)
        if (IsLetterServiceShipping(code))
            letterService << code;
    EXPECT_EQ(letterService, (QList<int>{2, 6, 7, 8}));
}

TEST(Codes, CountryCodes)
{
    struct Case
    {
        const char16_t* entry;
        int code;
    };
    const Case cases[] = {
        {u"Russland(7)RU", 7},
        {u"Weltzone(9999)WE", 9999},
        {u"Austria(43)AT", 43},
        {u"#Austria(43)AT", 0},
        {u"Austria", 0},
        {u"Austria()AT", 0},
        {u"Austria(AT)", 0},
        {u"Austria( 43)AT", 0},
        {u"Austria(-43)AT", 0},
        {u"(", 0},
        {u"", 0},
        {u"Irgendwo(99999999999)XX", std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountryCode(QString::fromUtf16(c.entry)), c.code)
            << QString::fromUtf16(c.entry).toStdString();

    // Fifty entries, each with a code of its own.
    const QStringList countries = CountryList();
    ASSERT_EQ(countries.size(), 50);
    QSet<int> codes;
    for (const QString& entry : countries)
        codes.insert(CountryCode(entry));
    EXPECT_EQ(codes.size(), 50);
    EXPECT_FALSE(codes.contains(0));
    EXPECT_EQ(countries.first(), QStringLiteral("Albanien(355)AL"));
    EXPECT_EQ(countries[9], QStringLiteral("Deutschland(49)DE"));
    EXPECT_EQ(countries.last(), QStringLiteral("Weltzone(9999)WE"));
}
