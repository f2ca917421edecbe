#pragma once

#include <QString>
#include <QStringView>

namespace toolkit {

// Reads the number at the start of a text the way the classic BASIC Val
// does: blanks, tabs and line feeds are skipped anywhere, "." is the decimal
// point, an optional sign and exponent ("E" or "D") are taken, reading stops
// at the first character that cannot continue the number, and a text that
// does not begin with a number reads as 0.
double Val(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4), as the classic integer conversions do.
long long roundHalfEven(double value);

// The number written back as text in the user's number format, as the
// classic Str/CStr conversion of a double does (no exponent for ordinary
// values, no trailing zeros). The decimal separator is the locale's.
QString numberToText(double value);

} // namespace toolkit
