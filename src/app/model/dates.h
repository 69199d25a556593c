#pragma once
// Dates and times as the documents hold them: dates are integers yyyymmdd, times hhmmss.

#include <QString>

class QDateTime;

namespace fakvo {

struct Configuration;

// "Jänner" … "Dezember", and the short forms "Jän." … "Dez."; outside Austria (own
// country code not 43) January is "Januar" and "Jan.". Empty for a month outside 1 to 12.
QString MonthName(int month, const Configuration& config);
QString ShortMonthName(int month, const Configuration& config);

// The display text of a date: "5. Jänner 2010", or "5. 1. 2010" when DATUMFORMAT is set;
// a time above 0 adds " 14:30". A negative date is read as its magnitude; a value from 1 to
// 12 is the bare month name. Empty for an invalid date (year 1900 to 2200, month 1 to 12,
// day 1 to 31).
QString FormatDate(int date, int time, const Configuration& config);

// The date value of a typed or displayed date text: yyyymmdd, a month number 1 to 12 for a
// month name alone, or 0 when the text is no date. Accepts what FormatDate writes without a
// time, numeric forms such as "5.1.2010" and "5-Jan-2010", and a bare yyyymmdd value.
int ParseDate(const QString& text, const Configuration& config);

// The journal's save stamp: "dd.mm.yyyy hh:mm:ss".
QString FormatSaveStamp(const QDateTime& moment);

} // namespace fakvo
