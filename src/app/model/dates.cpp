#include "app/model/dates.h"

#include "config/configuration.h"
#include "config/valueforms.h"

#include <QDateTime>

#include <array>
#include <cstdlib>

namespace fakvo {
namespace {

constexpr std::array<QStringView, 12> kMonthNames = {
    u"Jänner", u"Februar", u"März",      u"April",   u"Mai",      u"Juni",
    u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember",
};

constexpr std::array<QStringView, 12> kShortMonthNames = {
    u"Jän.", u"Feb.", u"März", u"Apr.", u"Mai",  u"Juni",
    u"Juli", u"Aug.", u"Sep.", u"Okt.", u"Nov.", u"Dez.",
};

// Austria says "Jänner"; Germany and Switzerland say "Januar".
bool AustrianMonths(const Configuration& config)
{
    return config.EIGENERLAENDERCODE == 43;
}

// Month words of a typed date, upper-cased, each with the month it stands for, in the order
// they are tried.
struct MonthWord
{
    QStringView word;
    int month;
};
constexpr std::array<MonthWord, 15> kMonthWords = {{
    {u"JÄN", 1},
    {u"JAN", 1},
    {u"FEB", 2},
    {u"MÄR", 3},
    {u"MAE", 3},
    {u"APR", 4},
    {u"MAI", 5},
    {u"JUN", 6},
    {u"JUL", 7},
    {u"AUG", 8},
    {u"SEP", 9},
    {u"OKT", 10},
    {u"NOV", 11},
    {u"DEZ", 12},
    {u"DEC", 12},
}};

bool IsDateSeparator(QChar c)
{
    return c == u'.' || c == u',' || c == u' ' || c == u'-';
}

// The month of the text after the day: a number 1 to 12 or a month word; 0 for none.
int MonthOfText(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && !IsDateSeparator(text[start]))
        ++start;
    if (start == text.size())
        return 0;
    QStringView rest = text.mid(start + 1).trimmed();
    qsizetype end = 0;
    while (end < rest.size() && !IsDateSeparator(rest[end]))
        ++end;
    const QStringView monthText = rest.left(end);

    const int number = ParseInteger(monthText);
    if (number >= 1 && number <= 12)
        return number;
    const QString upper = monthText.toString().toUpper();
    for (const MonthWord& entry : kMonthWords)
        if (upper.contains(entry.word))
            return entry.month;
    return 0;
}

} // namespace

QString MonthName(int month, const Configuration& config)
{
    if (month < 1 || month > 12)
        return {};
    if (month == 1 && !AustrianMonths(config))
        return QStringLiteral("Januar");
    return kMonthNames[month - 1].toString();
}

QString ShortMonthName(int month, const Configuration& config)
{
    if (month < 1 || month > 12)
        return {};
    if (month == 1 && !AustrianMonths(config))
        return QStringLiteral("Jan.");
    return kShortMonthNames[month - 1].toString();
}

QString FormatDate(int date, int time, const Configuration& config)
{
    const long long value = std::llabs(static_cast<long long>(date));
    if (value >= 1 && value <= 12)
        return MonthName(static_cast<int>(value), config);
    const int year = static_cast<int>(value / 10000);
    const int month = static_cast<int>(value / 100 % 100);
    const int day = static_cast<int>(value % 100);
    if (year < 1900 || year > 2200 || month < 1 || month > 12 || day < 1 || day > 31)
        return {};

    QString text = config.DATUMFORMAT != 0
                       ? QStringLiteral("%1. %2. %3").arg(day).arg(month)
                       : QStringLiteral("%1. %2 %3").arg(day).arg(MonthName(month, config));
    text = text.arg(year, 4, 10, QLatin1Char('0'));
    if (time > 0)
        text += QStringLiteral(" %1:%2")
                    .arg(time / 10000, 2, 10, QLatin1Char('0'))
                    .arg(time / 100 % 100, 2, 10, QLatin1Char('0'));
    return text;
}

int ParseDate(const QString& input, const Configuration& config)
{
    const QString text = input.trimmed();

    // A month name alone, or a piece of one longer than three characters ("Mär" is not
    // enough; "Mai", which FormatDate writes for May, is a whole name).
    for (int month = 1; month <= 12; ++month) {
        const QString name = MonthName(month, config);
        if (text.size() > 3 ? name.contains(text) : name == text)
            return month;
    }

    const int leading = ParseInteger(text);
    if (leading > 20000000)
        return leading;

    const int day = leading;
    const int year = ParseInteger(QStringView(text).right(4));
    if (day < 1 || day > 31 || year < 1900 || year > 2100)
        return 0;
    const int month = MonthOfText(text);
    if (month == 0)
        return 0;
    // The day is not checked against the length of the month: 31.2.2010 gives 20100231.
    return year * 10000 + month * 100 + day;
}

QString FormatSaveStamp(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return QString::asprintf("%02d.%02d.%04d %02d:%02d:%02d", date.day(), date.month(), date.year(),
                             time.hour(), time.minute(), time.second());
}

} // namespace fakvo
