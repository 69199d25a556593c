#include "app/model/money.h"

#include "config/configuration.h"

#include <QFile>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

using namespace fakvo;

namespace {

Configuration GroupedAmounts(bool grouped)
{
    Configuration config;
    config.WAEHRUNGSFORMAT = grouped ? 1 : 0;
    return config;
}

} // namespace

TEST(Money, RoundToRoundsTheSeventeenDigitFormHalfAwayFromZero)
{
    struct Case
    {
        double value;
        int decimals;
        double rounded;
    };
    const Case cases[] = {
        // The 17-digit forms of 2.675 and 1.005 lie below the half ...
        {2.675, 2, 2.67},
        {1.005, 2, 1.0},
        // ... those of 100.005 and 1000.005 are exact halves, although the binary values
        // lie below them.
        {100.005, 2, 100.01},
        {1000.005, 2, 1000.01},
        {-100.005, 2, -100.01},
        // Exact binary halves round away from zero, not to even.
        {0.125, 2, 0.13},
        {2.5, 0, 3.0},
        {-2.5, 0, -3.0},
        {0.5, 0, 1.0},
        {5.997, 2, 6.0},
        {0.005, 2, 0.01},
        {0.0049, 2, 0.0},
        {19.99 * 3, 2, 59.97},
        // Unit prices with more decimals.
        {1.23456, 4, 1.2346},
        {1.23455, 4, 1.2346},
        // A negative decimals argument rounds as many decimals.
        {2.675, -2, 2.67},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundTo(c.value, c.decimals), c.rounded)
            << c.value << " to " << c.decimals << " decimals";
}

TEST(Money, FormatDecimalMatchesTheExactTwoStepRoundingOfATable)
{
    // The table holds values next to halves, exact binary halves, random values of every
    // size and values whose 18th digit can only be told from the exact binary expansion;
    // its expected texts come from an independent decimal computation.
    QFile file(QStringLiteral(FAKVO_TEST_DATA "/rounding.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int checked = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        ASSERT_EQ(fields.size(), 3) << line.constData();
        double value = 0.0;
        std::from_chars(fields[0].constData(), fields[0].constData() + fields[0].size(), value);
        const int decimals = fields[1].toInt();
        EXPECT_EQ(FormatDecimal(value, decimals).toLatin1(), fields[2]) << line.constData();
        ++checked;
    }
    EXPECT_GT(checked, 4000);
}

TEST(Money, FormatDecimalEdges)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0.0, 2, "0.00"},
        {1234567.891, 2, "1234567.89"},
        {-1234.5, 2, "-1234.50"},
        {9.999, 2, "10.00"},
        {999.995, 2, "1000.00"},
        {0.0005, 2, "0.00"},
        // A result of zero carries no sign.
        {-0.0, 2, "0.00"},
        {-0.001, 2, "0.00"},
        {-0.4, 0, "0"},
        // At most N decimals: trailing zeros, then a trailing point go.
        {2.0, -2, "2"},
        {2.5, -2, "2.5"},
        {2.499, -2, "2.5"},
        {-1.10, -2, "-1.1"},
        {100.0, -2, "100"},
        {0.0, -4, "0"},
        {1.23456, -4, "1.2346"},
        // Non-finite values are written as zero.
        {std::nan(""), 2, "0.00"},
        {inf, 2, "0.00"},
        {-inf, 0, "0"},
        {std::numeric_limits<double>::denorm_min(), 2, "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDecimal(c.value, c.decimals), QLatin1String(c.text))
            << c.value << " with " << c.decimals << " decimals";
}

TEST(Money, HugeValuesAndDecimalsStayBounded)
{
    // 1e300, held as 1.00000000000000005e300, keeps its 17 significant digits and zeros.
    const QString huge = FormatDecimal(1e300, 2);
    EXPECT_EQ(huge.size(), 301 + 3);
    EXPECT_TRUE(huge.startsWith(QLatin1String("100000000000000010000")));
    EXPECT_TRUE(huge.endsWith(QLatin1String("000.00")));
    EXPECT_EQ(RoundTo(1e300, 2), 1e300);

    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(FormatDecimal(-max, 2).size(), 1 + 309 + 3);
    EXPECT_EQ(RoundTo(max, 2), max);
    EXPECT_EQ(RoundTo(std::nan(""), 2), 0.0);

    // Absurd decimal counts are capped instead of building endless texts.
    EXPECT_EQ(FormatDecimal(0.1, 100000).size(), 342);
    EXPECT_EQ(FormatDecimal(0.1, std::numeric_limits<int>::min()),
              QLatin1String("0.10000000000000001"));
    EXPECT_EQ(RoundTo(0.1, 100000), 0.1);
}

TEST(Money, FormatAmountGroupsOnlyWhenConfigured)
{
    struct Case
    {
        double value;
        int decimals;
        const char* plain;
        const char* grouped;
    };
    const Case cases[] = {
        {1234567.891, 2, "1234567.89", "1.234.567,89"},
        {-1234.5, 2, "-1234.50", "-1.234,50"},
        // No third separator, ever.
        {1234567890.12, 2, "1234567890.12", "1234.567.890,12"},
        {999.999, 2, "1000.00", "1.000,00"},
        {123.4, 2, "123.40", "123,40"},
        {123456.0, 2, "123456.00", "123.456,00"},
        {-999999.0, 2, "-999999.00", "-999.999,00"},
        {1234.0, 0, "1234", "1.234"},
        {-0.001, 2, "0.00", "0,00"},
        // At most two decimals.
        {2.0, -2, "2", "2"},
        {2.50, -2, "2.5", "2,5"},
        {1234.5, -2, "1234.5", "1.234,5"},
        {12345678.0, -2, "12345678", "12.345.678"},
    };
    const Configuration plain = GroupedAmounts(false);
    const Configuration grouped = GroupedAmounts(true);
    for (const Case& c : cases) {
        EXPECT_EQ(FormatAmount(c.value, c.decimals, plain), QLatin1String(c.plain)) << c.value;
        EXPECT_EQ(FormatAmount(c.value, c.decimals, grouped), QLatin1String(c.grouped)) << c.value;
    }
}
