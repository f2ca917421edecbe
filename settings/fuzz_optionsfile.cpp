// Feeds any bytes to the Options.dat reader: it must neither crash nor give
// a setting outside its range, and what it gives must survive a save.
#include "settings/borderwidth.h"
#include "settings/optionsfile.h"
#include "toolkit/val.h"

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Every field within the range of its row of the table. The border width
// text may read as 0 (the main window turns that into "1"), never as a
// negative width or one too wide, and the dial always gets a width it takes.
void requireInRange(const settings::OptionsRecord &r)
{
    for (const settings::Field &field : settings::Fields) {
        const double value = field.number ? r.*field.number : toolkit::Val(r.BorderWidth);
        require(value >= double(field.min) && value <= double(field.max));
    }
    const int shown = settings::borderWidthFromText(r.BorderWidth);
    require(shown >= Tickdial::MinBorderWidth && shown <= Tickdial::MaxBorderWidth);
}

// A saved file is fourteen ASCII lines, each a key, "=", a value and CR LF.
void requireWellFormed(const QByteArray &file)
{
    require(file.count("\r\n") == settings::FieldCount && file.endsWith("\r\n"));
    require(file.count('\n') == settings::FieldCount && file.count('\r') == settings::FieldCount);
    require(file.count('=') == settings::FieldCount);
    for (char c : file)
        require(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E && c != ',' && c != '"'));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const settings::OptionsRecord r = settings::readOptions(bytes);
    requireInRange(r);
    const QByteArray saved = settings::formatOptions(r, settings::KeySet::Saved);
    requireWellFormed(saved);
    // Writing the record back reads the same, with the border width text as
    // the file can hold it.
    settings::OptionsRecord expected = r;
    expected.BorderWidth = settings::storableBorderWidth(r.BorderWidth);
    require(settings::readOptions(saved) == expected);
    return 0;
}
