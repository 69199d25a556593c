#include "config/password.h"

#include <gtest/gtest.h>

using namespace fakvo;

TEST(Password, KnownScrambledFormAndRoundTrip)
{
    // 'a' - 97 - 0 + 7 = 7; 'b' - 'a' - 1 + 7 = 7; 'c' - 'b' - 2 + 7 = 6.
    EXPECT_EQ(ScramblePassword(QStringLiteral("abc")), QStringLiteral("070706"));
    for (const QString& plain : {QStringLiteral("geheim"), QStringLiteral("Grüße€!¿!x"),
                                 QString(100, u'z'), QStringLiteral("\x01\x7F")}) {
        const QString stored = PasswordToFileValue(plain);
        EXPECT_TRUE(stored.endsWith(PasswordMarker()));
        EXPECT_EQ(PasswordFromFileValue(stored), plain);
    }
}

TEST(Password, HandWrittenAndBrokenValues)
{
    EXPECT_EQ(PasswordFromFileValue(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(PasswordFromFileValue(QStringLiteral("zz!\u00BF!")), QString());
    EXPECT_EQ(PasswordFromFileValue(QStringLiteral("070!\u00BF!")), QString()) << "odd length";
    EXPECT_EQ(PasswordFromFileValue(QString(202, u'0') + PasswordMarker()), QString());
    EXPECT_EQ(PasswordToFileValue(QString(101, u'z')), QString()) << "too long is stored empty";
    EXPECT_EQ(PasswordToFileValue(QString()), QString());
}
