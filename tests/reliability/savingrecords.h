#pragma once

#include "optionsfile.h"

// The two records the saving loop alternates.
namespace reliability {

inline settings::OptionsRecord recordA()
{
    return settings::OptionsRecord();
}

inline settings::OptionsRecord recordB()
{
    settings::OptionsRecord r;
    r.Translucent = 180;
    r.BringToFront = 0;
    r.AutoHide = 0;
    r.HideBar = 0;
    r.ViewDate = 0;
    r.ViewBorder = 0;
    r.BorderWidth = QStringLiteral("12");
    r.ColorBorder = -2147483633;
    r.ViewTextHours = 0;
    r.ColorTextHours = 65280;
    r.ViewSecond = 0;
    r.ColorLancetSecond = 16777215;
    r.ColorLancetMinute = 8421504;
    r.ColorLancetHour = 128;
    return r;
}

} // namespace reliability
