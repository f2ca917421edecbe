#pragma once

#include "toolkit/olecolor.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// The settings file Options.dat: fourteen lines "Key=value" in a fixed
// order, ASCII, each ending in CR LF. Lines are matched by position; the
// keys are never read.
namespace settings {

inline constexpr int FieldCount = 14;

// The value texts of the fourteen fields in file order; a field that is
// missing or holds no "=" has none.
using FieldTexts = std::array<std::optional<QString>, FieldCount>;

// Reads the fields the way sequential input reads them: leading blanks are
// skipped, a field ends at the end of a line or at a comma, and a field
// that begins with a double quote runs to the closing quote. Of each field
// the text between the first and the second "=" is kept.
FieldTexts parseFields(const QByteArray &bytes);

inline constexpr int MinAlpha = 0;
inline constexpr int MaxAlpha = 255;
inline constexpr int MinBorderWidth = 1;
inline constexpr int MaxBorderWidth = 80;

// The fourteen settings with their defaults. A check state is 0 or 1.
struct OptionsRecord
{
    int Translucent = MaxAlpha;
    int BringToFront = 1;
    int AutoHide = 1;
    int HideBar = 0;
    int ViewDate = 1;
    int ViewBorder = 1;
    QString BorderWidth = QStringLiteral("4");
    toolkit::OleColor ColorBorder = toolkit::ColorLightGrey;
    int ViewTextHours = 1;
    toolkit::OleColor ColorTextHours = toolkit::ColorBlack;
    int ViewSecond = 1;
    toolkit::OleColor ColorLancetSecond = toolkit::ColorBlack;
    toolkit::OleColor ColorLancetMinute = toolkit::ColorRed;
    toolkit::OleColor ColorLancetHour = toolkit::ColorBlue;

    bool operator==(const OptionsRecord &) const = default;
};

// The record a file holds. A field that is missing, is not a number or lies
// outside its range takes its default; the others keep their values.
OptionsRecord recordFromFields(const FieldTexts &fields);
inline OptionsRecord readOptions(const QByteArray &bytes) { return recordFromFields(parseFields(bytes)); }

// The two sets of keys: the default file names lines 12 to 14 after the
// hands, the dialog's OK writes the older names.
enum class KeySet { Defaults, Saved };

// The file's bytes for a record.
QByteArray formatOptions(const OptionsRecord &record, KeySet keys);

// The border width as the file can hold it: a text that could break the
// line apart (a comma, a quote, an "=", a character outside printable
// ASCII) is written as the whole number it reads as.
QString storableBorderWidth(const QString &text);

// The width the dial shows for a border width text: the leading number,
// rounded half to even and kept within 1..80.
int borderWidthFromText(const QString &text);

} // namespace settings
