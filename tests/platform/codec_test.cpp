#include "platform/codec.h"

#include <gtest/gtest.h>

using namespace fakvo;

TEST(Codec, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
}

TEST(Codec, GermanTextAndTheEuroSign)
{
    const QString text = QStringLiteral("Grüße, Jänner: 12 € ¿");
    const QByteArray bytes = ToCp1252(text);
    EXPECT_EQ(bytes, QByteArray("Gr\xFC\xDF"
                                "e, J\xE4nner: 12 \x80 \xBF"));
    EXPECT_EQ(FromCp1252(bytes), text);
}

TEST(Codec, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}
