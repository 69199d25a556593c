#include "config/valueforms.h"

#include <gtest/gtest.h>

using namespace fakvo;

TEST(ValueForms, NumbersReadAsFarAsTheyGo)
{
    struct Case
    {
        const char16_t* text;
        int integer;
        double decimal;
        int truncated;
    };
    const Case cases[] = {
        {u"42", 42, 42.0, 42},     {u"  -7x", -7, -7.0, -7},
        {u"2.7", 2, 2.7, 2},       {u"-2.7", -2, -2.7, -2},
        {u"abc", 0, 0.0, 0},       {u"", 0, 0.0, 0},
        {u"1e3", 1, 1000.0, 1000}, {u"1e", 1, 1.0, 1},
        {u"+.5", 0, 0.5, 0},       {u"99999999999", 2147483647, 99999999999.0, 2147483647},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ParseInteger(text), c.integer) << text.toStdString();
        EXPECT_DOUBLE_EQ(ParseDecimal(text), c.decimal) << text.toStdString();
        EXPECT_EQ(ParseTruncatedInteger(text), c.truncated) << text.toStdString();
    }
}

TEST(ValueForms, ListsKeepEmptyPiecesAndTrimBlanks)
{
    EXPECT_EQ(
        ParseList(QStringLiteral(" a , b,,c ")),
        (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}));
}

TEST(ValueForms, OnlyTheListedAlignmentSpellingsCount)
{
    EXPECT_EQ(ParseAlignment(u"right"), Alignment::Right);
    EXPECT_EQ(ParseAlignment(u"RIGHT"), Alignment::Right);
    EXPECT_EQ(ParseAlignment(u"CENTER"), Alignment::Center);
    EXPECT_EQ(ParseAlignment(u"Right"), Alignment::Left);
    EXPECT_EQ(ParseAlignment(u"centre"), Alignment::Left);
}
