#pragma once
// Money and decimal text: the one conversion by which a number becomes decimal text, the
// rounding built on it, and the plain or grouped display of amounts.
//
// Every conversion rounds in two steps, each half away from zero: first to 17 significant
// digits (the 18th digit of the exact binary value decides), then that digit string to the
// asked number of decimals. So 100.005, held as 100.00499999999999545..., gives 100.01;
// 2.675, held as 2.67499999999999982..., gives 2.67; 2.5 gives 3 and 0.125 gives 0.13.

#include <QString>

namespace fakvo {

struct Configuration;

// The value as plain decimal text with exactly `decimals` decimals and a point as separator
// (the `%.Nf` form). A negative `decimals` asks for at most that many decimals: trailing
// zeros and then a trailing point are removed (2.50 gives 2.5, 2.00 gives 2). A result that
// rounds to zero carries no sign; NaN and infinities are written as zero.
QString FormatDecimal(double value, int decimals);

// The value formatted with `decimals` decimals and read back.
double RoundTo(double value, int decimals);

// An amount for display: FormatDecimal, grouped when WAEHRUNGSFORMAT is set (comma as the
// decimal separator, a point before the third and the sixth digit left of it, 1.234.567,89).
QString FormatAmount(double value, int decimals, const Configuration& config);

} // namespace fakvo
