#pragma once

#include <QString>
#include <optional>

// The border width: the options dialog and Options.dat keep it as the text
// the user typed, the dial takes a whole number of pixels within
// Tickdial::MinBorderWidth..MaxBorderWidth. Every rule between the two is
// here.
namespace settings {

// The text a file's field leaves in the record: kept, trimmed, when it
// reads as 0 to the largest width (the main window turns a 0 into "1" at
// activation); none for a width the dial would refuse with a message at
// every start (negative, or too wide). Trimming can uncover a number that
// a leading vertical tab or form feed hid from Val, so the trimmed text is
// the one checked.
std::optional<QString> borderWidthFromFile(const QString &field);

// The normal form the main window gives the text at each activation: ","
// read as ".", the number written back in the user's format with "."
// again; a text that reads as 0 becomes "1".
QString normalisedBorderWidth(const QString &text);

// The width the dial shows for a text: the leading number, rounded half to
// even and kept within the dial's range.
int borderWidthFromText(const QString &text);

// The text OK saves: one outside the dial's range, or not a number, is "1"
// (not the nearest limit).
QString savedBorderWidth(const QString &text);

// The text as the file can hold it: one that could break the line apart (a
// comma, a quote, an "=", a character outside printable ASCII) is written
// as the whole number it reads as.
QString storableBorderWidth(const QString &text);

} // namespace settings
