#include "app/model/dates.h"

#include "config/configuration.h"

#include <QDate>
#include <QDateTime>

#include <gtest/gtest.h>

#include <limits>

using namespace fakvo;

namespace {

Configuration DateSettings(int country, int numericDates)
{
    Configuration config;
    config.EIGENERLAENDERCODE = country;
    config.DATUMFORMAT = numericDates;
    return config;
}

} // namespace

TEST(Dates, FormatDateFollowsCountryAndDateFormat)
{
    struct Case
    {
        int date;
        int time;
        int country;
        int numeric;
        const char16_t* text;
    };
    const Case cases[] = {
        {20100105, 0, 43, 0, u"5. Jänner 2010"},
        {20100105, 0, 49, 0, u"5. Januar 2010"},
        {20100105, 0, 43, 1, u"5. 1. 2010"},
        {20100105, 143000, 43, 0, u"5. Jänner 2010 14:30"},
        {20100105, 143000, 41, 1, u"5. 1. 2010 14:30"},
        {20101231, 90500, 43, 0, u"31. Dezember 2010 09:05"},
        {20100305, -1, 43, 0, u"5. März 2010"},
        {-20100105, 0, 43, 0, u"5. Jänner 2010"},
        // Bare month numbers show the month name, whatever the date format.
        {3, 0, 43, 0, u"März"},
        {1, 0, 49, 1, u"Januar"},
        {12, 143000, 43, 0, u"Dezember"},
        // The limits of a valid date.
        {19000101, 0, 43, 0, u"1. Jänner 1900"},
        {22001231, 0, 43, 1, u"31. 12. 2200"},
        {18991231, 0, 43, 0, u""},
        {22010101, 0, 43, 0, u""},
        {20101301, 0, 43, 0, u""},
        {20100100, 0, 43, 0, u""},
        {20100132, 0, 43, 0, u""},
        {0, 0, 43, 0, u""},
        {13, 0, 43, 0, u""},
        {std::numeric_limits<int>::min(), 0, 43, 0, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDate(c.date, c.time, DateSettings(c.country, c.numeric)),
                  QString::fromUtf16(c.text))
            << c.date << " " << c.time << " country " << c.country << " numeric " << c.numeric;
}

TEST(Dates, ParseDateReadsTypedAndDisplayedDates)
{
    struct Case
    {
        const char16_t* text;
        int country;
        int date;
    };
    const Case cases[] = {
        {u"5. Jänner 2010", 43, 20100105},
        {u"5. Januar 2010", 43, 20100105},
        {u"5. Jänner 2010", 49, 20100105},
        {u"5.1.2010", 43, 20100105},
        {u"5. 1. 2010", 43, 20100105},
        {u"20100105", 43, 20100105},
        {u"  5.1.2010 ", 43, 20100105},
        {u"05-JAN-2010", 43, 20100105},
        {u"5,jän,2010", 43, 20100105},
        {u"5. MAERZ 2010", 43, 20100305},
        {u"24. Dec 2010", 49, 20101224},
        {u"1. Okt. 2010", 43, 20101001},
        // The day is not checked against the length of the month.
        {u"31.2.2010", 43, 20100231},
        // A month name alone (more than three characters) gives the month number.
        {u"März", 43, 3},
        {u"Juli", 43, 7},
        {u"Jänner", 43, 1},
        {u"anuar", 49, 1},
        {u"Mär", 43, 0},
        // "Mai" is short, but a whole name, as FormatDate writes it for May.
        {u"Mai", 43, 5},
        {u"Ma", 43, 0},
        {u"Jänner", 49, 0},
        // Not dates.
        {u"5.13.2010", 43, 0},
        {u"5.1.10", 43, 0},
        {u"32.1.2010", 43, 0},
        {u"0.1.2010", 43, 0},
        {u"5.1.2101", 43, 0},
        {u"5/1/2010", 43, 0},
        {u"5", 43, 0},
        {u"", 43, 0},
        {u"morgen", 43, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDate(QString::fromUtf16(c.text), DateSettings(c.country, 0)), c.date)
            << QString::fromUtf16(c.text).toStdString() << " country " << c.country;
}

TEST(Dates, EveryFormattedDateReadsBack)
{
    for (const int country : {43, 49}) {
        for (const int numeric : {0, 1}) {
            const Configuration config = DateSettings(country, numeric);
            for (QDate day(2010, 1, 1); day.year() < 2012; day = day.addDays(1)) {
                const int date = day.year() * 10000 + day.month() * 100 + day.day();
                const QString text = FormatDate(date, 0, config);
                ASSERT_EQ(ParseDate(text, config), date) << text.toStdString();
            }
            for (int month = 1; month <= 12; ++month)
                ASSERT_EQ(ParseDate(FormatDate(month, 0, config), config), month);
        }
    }
}

TEST(Dates, MonthNamesOutsideAustriaSayJanuar)
{
    EXPECT_EQ(MonthName(1, DateSettings(43, 0)), QStringLiteral("Jänner"));
    EXPECT_EQ(MonthName(1, DateSettings(49, 0)), QStringLiteral("Januar"));
    EXPECT_EQ(ShortMonthName(1, DateSettings(43, 0)), QStringLiteral("Jän."));
    EXPECT_EQ(ShortMonthName(1, DateSettings(41, 0)), QStringLiteral("Jan."));
    EXPECT_EQ(ShortMonthName(3, DateSettings(43, 0)), QStringLiteral("März"));
    EXPECT_EQ(ShortMonthName(12, DateSettings(49, 0)), QStringLiteral("Dez."));
    EXPECT_TRUE(MonthName(0, DateSettings(43, 0)).isEmpty());
    EXPECT_TRUE(ShortMonthName(13, DateSettings(43, 0)).isEmpty());
}

TEST(Dates, SaveStampHasFixedWidthFields)
{
    EXPECT_EQ(FormatSaveStamp(QDateTime(QDate(2011, 1, 2), QTime(3, 4, 5))),
              QStringLiteral("02.01.2011 03:04:05"));
}
