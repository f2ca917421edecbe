// Feeds any bytes to the Options.dat reader: it must neither crash nor give
// a setting outside its range.
#include "optionsfile.h"
#include "val.h"

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}
bool isCheckState(int value) { return value == 0 || value == 1; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const settings::OptionsRecord r = settings::readOptions(bytes);
    require(r.Translucent >= settings::MinAlpha && r.Translucent <= settings::MaxAlpha);
    for (int state : {r.BringToFront, r.AutoHide, r.HideBar, r.ViewDate, r.ViewBorder, r.ViewTextHours, r.ViewSecond})
        require(isCheckState(state));
    const double width = toolkit::Val(r.BorderWidth);
    require(width >= settings::MinBorderWidth && width <= settings::MaxBorderWidth);
    const int shown = settings::borderWidthFromText(r.BorderWidth);
    require(shown >= settings::MinBorderWidth && shown <= settings::MaxBorderWidth);
    // Colours are any 32-bit value; writing the record back must read the same.
    require(settings::readOptions(settings::formatOptions(r, settings::KeySet::Saved)) == r
            || settings::storableBorderWidth(r.BorderWidth) != r.BorderWidth);
    return 0;
}
