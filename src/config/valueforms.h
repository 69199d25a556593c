#pragma once
// How configuration values are read: the number, list and alignment forms of the file.

#include <QList>
#include <QString>
#include <QStringList>

namespace fakvo {

// Decimal integer: leading blanks skipped, optional sign, stops at the first non-digit;
// no digits give 0.
int ParseInteger(QStringView text);

// Decimal number: optional sign, digits, optional point and digits, optional exponent;
// stops at the first character that does not fit; no number gives 0.
double ParseDecimal(QStringView text);

// Reads the decimal number that starts exactly at `start` into `value` and returns the
// position after it, or `start` when no number starts there.
qsizetype ReadDecimal(QStringView text, qsizetype start, double& value);

// A decimal number truncated toward zero ("2.7" gives 2).
int ParseTruncatedInteger(QStringView text);

// The text without its leading and trailing blanks (spaces only).
QString TrimBlanks(const QString& text);

// Split at every comma, each piece trimmed of leading and trailing blanks, empty pieces kept.
QStringList ParseList(const QString& text);

enum class Alignment
{
    Left,
    Right,
    Center
};

// "left"/"LEFT", "right"/"RIGHT", "center"/"CENTER"; any other word means left.
Alignment ParseAlignment(QStringView word);
QString AlignmentWord(Alignment alignment);

} // namespace fakvo
