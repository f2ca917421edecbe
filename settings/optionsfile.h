#pragma once

#include "dial/tickdial.h"
#include "toolkit/olecolor.h"
#include "translucency/ctranslucentform.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <span>

namespace toolkit {
class ConfFile;
}

// The settings file Options.dat: fourteen lines "Key=value" in a fixed
// order, ASCII, each ending in CR LF. Lines are matched by position; the
// keys are never read.
namespace settings {

// The fourteen classic settings. Their defaults are those of the table
// below: a record made without values holds them.
struct OptionsRecord
{
    OptionsRecord();

    int Translucent;
    int BringToFront;
    int AutoHide;
    int HideBar;
    int ViewDate;
    int ViewBorder;
    QString BorderWidth;
    toolkit::OleColor ColorBorder;
    int ViewTextHours;
    toolkit::OleColor ColorTextHours;
    int ViewSecond;
    toolkit::OleColor ColorLancetSecond;
    toolkit::OleColor ColorLancetMinute;
    toolkit::OleColor ColorLancetHour;

    bool operator==(const OptionsRecord &) const = default;
};

inline constexpr qint64 MinColor = std::numeric_limits<qint32>::min();
inline constexpr qint64 MaxColor = std::numeric_limits<qint32>::max();

// How a field is held, read and shown.
enum class FieldType {
    Number,     // a whole number within the field's range
    CheckState, // 0 or 1, a check box
    Color,      // an OLE colour, any signed 32-bit number, a colour box
    WidthText,  // the border width as typed (settings/borderwidth.h)
};

// What putting a field on the window does.
enum class Effect {
    Opacity,      // the translucency object's Alpha
    AlwaysOnTop,  // the main window's stacking, 1 on top
    AtActivation, // nothing at once: the main window reads it when it is next activated
    DialProperty, // sets the dial's property of that name (a check state as a Boolean)
};

// Where a field is stored: the designed fourteen are the lines of
// Options.dat, in table order; any setting beyond them goes to
// Tickora.conf, group [Clock], so that Options.dat never changes for it.
enum class Store { OptionsDat, Conf };

// One setting: its place in the record and in the files, its type, range
// and default, the control of "Opzioni" that shows it and what applying it
// does. Every routine that reads, writes, shows or applies the settings
// goes through the table.
struct Field
{
    const char *name;           // the record's member, and the key in Tickora.conf
    Store store;
    const char *newFileKey;     // Options.dat: the key a new file writes
    const char *savedKey;       // Options.dat: the key OK writes
    FieldType type;
    int OptionsRecord::*number; // the member, for every type but WidthText
    qint64 min, max;            // what the file may hold; anything else gives the default
    qint64 fallback;            // the default (the border width's as a number)
    const char *control;        // the object name of the control in "Opzioni"; none for Tickora.conf
    Effect effect;
    const char *dialProperty;   // for Effect::DialProperty
};

inline constexpr char ConfGroup[] = "Clock";

// The settings, in the order of the lines of Options.dat. A setting beyond
// the fourteen is a member of the record and a row with Store::Conf, its
// control (if any) in "Altre opzioni…".
inline constexpr std::array Fields{
    //    name, store, new file's key, OK's key, type, member, range, default, control, effect, dial property
    Field{"Translucent", Store::OptionsDat, "Translucent=", "Translucent=", FieldType::Number,
          &OptionsRecord::Translucent, 0, CTranslucentForm::Opaque, CTranslucentForm::Opaque, "Slider1",
          Effect::Opacity, nullptr},
    Field{"BringToFront", Store::OptionsDat, "BringToFront=", "BringToFront=", FieldType::CheckState,
          &OptionsRecord::BringToFront, 0, 1, 1, "chkBringToFront", Effect::AlwaysOnTop, nullptr},
    Field{"AutoHide", Store::OptionsDat, "AutoHide=", "AutoHide=", FieldType::CheckState, &OptionsRecord::AutoHide,
          0, 1, 1, "chkAutoHide", Effect::AtActivation, nullptr},
    Field{"HideBar", Store::OptionsDat, "HideBar=", "HideBar=", FieldType::CheckState, &OptionsRecord::HideBar, 0, 1,
          0, "chkHideBar", Effect::AtActivation, nullptr},
    Field{"ViewDate", Store::OptionsDat, "ViewDate=", "ViewDate=", FieldType::CheckState, &OptionsRecord::ViewDate,
          0, 1, 1, "chkViewDate", Effect::DialProperty, "VisibleTextDate"},
    Field{"ViewBorder", Store::OptionsDat, "ViewBorder=", "ViewBorder=", FieldType::CheckState,
          &OptionsRecord::ViewBorder, 0, 1, 1, "chkViewBorder", Effect::DialProperty, "VisibleBorder"},
    Field{"BorderWidth", Store::OptionsDat, "BorderWidth=", "BorderWidth=", FieldType::WidthText, nullptr, 0,
          Tickdial::MaxBorderWidth, 4, "txtBorderWidth", Effect::DialProperty, "BorderWidth"},
    Field{"ColorBorder", Store::OptionsDat, "ColorBorder=", "ColorBorder=", FieldType::Color,
          &OptionsRecord::ColorBorder, MinColor, MaxColor, toolkit::ColorLightGrey, "picColorBorder",
          Effect::DialProperty, "BorderColor"},
    Field{"ViewTextHours", Store::OptionsDat, "ViewTextHours=", "ViewTextHours=", FieldType::CheckState,
          &OptionsRecord::ViewTextHours, 0, 1, 1, "chkTextHours", Effect::DialProperty, "VisibleTextHours"},
    Field{"ColorTextHours", Store::OptionsDat, "ColorTextHours=", "ColorTextHours=", FieldType::Color,
          &OptionsRecord::ColorTextHours, MinColor, MaxColor, toolkit::ColorBlack, "picColorText",
          Effect::DialProperty, "TextHoursColor"},
    Field{"ViewSecond", Store::OptionsDat, "ViewSecond=", "ViewSecond=", FieldType::CheckState,
          &OptionsRecord::ViewSecond, 0, 1, 1, "chkViewSecond", Effect::DialProperty, "VisibleSecond"},
    Field{"ColorLancetSecond", Store::OptionsDat, "ColorLancetSecond=", "ColorSecond=", FieldType::Color,
          &OptionsRecord::ColorLancetSecond, MinColor, MaxColor, toolkit::ColorBlack, "picColorSecond",
          Effect::DialProperty, "LancetSecondColor"},
    Field{"ColorLancetMinute", Store::OptionsDat, "ColorLancetMinute=", "MinuteSecond=", FieldType::Color,
          &OptionsRecord::ColorLancetMinute, MinColor, MaxColor, toolkit::ColorRed, "picColorMinute",
          Effect::DialProperty, "LancetMinuteColor"},
    Field{"ColorLancetHour", Store::OptionsDat, "ColorLancetHour=", "HourSecond=", FieldType::Color,
          &OptionsRecord::ColorLancetHour, MinColor, MaxColor, toolkit::ColorBlue, "picColorHour",
          Effect::DialProperty, "LancetHourColor"},
};

// The lines of Options.dat.
inline constexpr int FieldCount =
    int(std::count_if(Fields.begin(), Fields.end(), [](const Field &f) { return f.store == Store::OptionsDat; }));

// The value texts of the fourteen fields in file order; a field that is
// missing or holds no "=" has none.
using FieldTexts = std::array<std::optional<QString>, FieldCount>;

// Reads the fields the way sequential input reads them: leading blanks are
// skipped, a field ends at the end of a line or at a comma, and a field
// that begins with a double quote runs to the closing quote. Of each field
// the text between the first and the second "=" is kept.
FieldTexts parseFields(const QByteArray &bytes);


// The record a file holds. A field that is missing, is not a number or lies
// outside its range takes its default; the others keep their values.
OptionsRecord recordFromFields(const FieldTexts &fields);
inline OptionsRecord readOptions(const QByteArray &bytes) { return recordFromFields(parseFields(bytes)); }

// The two sets of keys: the default file names lines 12 to 14 after the
// hands, the dialog's OK writes the older names.
enum class KeySet { Defaults, Saved };

// The file's bytes for a record.
QByteArray formatOptions(const OptionsRecord &record, KeySet keys);

// The settings of a table kept in Tickora.conf: read into a record (a
// value that makes no sense gives the default) and written from it.
// Options.dat rows are left alone. False when the table has none.
bool hasConfFields(std::span<const Field> table = Fields);
void readConf(OptionsRecord &record, const toolkit::ConfFile &file, std::span<const Field> table = Fields);
void writeConf(const OptionsRecord &record, toolkit::ConfFile &file, std::span<const Field> table = Fields);

} // namespace settings
