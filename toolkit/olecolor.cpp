#include "toolkit/olecolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace toolkit {

namespace {

// The classic system colour indices that have a counterpart in a palette.
QPalette::ColorRole roleForSystemIndex(int index, QPalette::ColorGroup *group)
{
    *group = QPalette::Active;
    switch (index) {
    case 0:  return QPalette::Base;            // scroll bar
    case 1:  return QPalette::Window;          // desktop
    case 2:  return QPalette::Highlight;       // active caption
    case 3:  *group = QPalette::Inactive; return QPalette::Highlight; // inactive caption
    case 4:  return QPalette::Window;          // menu
    case 5:  return QPalette::Base;            // window background
    case 6:  return QPalette::Shadow;          // window frame
    case 7:  return QPalette::WindowText;      // menu text
    case 8:  return QPalette::Text;            // window text
    case 9:  return QPalette::HighlightedText; // caption text
    case 13: return QPalette::Highlight;       // highlight
    case 14: return QPalette::HighlightedText; // highlight text
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Dark;            // button shadow
    case 17: *group = QPalette::Disabled; return QPalette::ButtonText; // grey text
    case 18: return QPalette::ButtonText;      // button text
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;          // 3-D dark shadow
    case 22: return QPalette::Midlight;        // 3-D light
    case 23: return QPalette::ToolTipText;     // tooltip text
    case 24: return QPalette::ToolTipBase;     // tooltip background
    default: return QPalette::Window;
    }
}

struct NamedColor { QRgb rgb; const char *name; };

// The sixteen colours of the classic palette, and orange.
constexpr NamedColor CommonColors[] = {
    {0x000000, "nero"}, {0xFFFFFF, "bianco"}, {0xFF0000, "rosso"}, {0x00FF00, "verde"},
    {0x0000FF, "blu"}, {0xFFFF00, "giallo"}, {0x00FFFF, "ciano"}, {0xFF00FF, "magenta"},
    {0x808080, "grigio"}, {0xC0C0C0, "grigio chiaro"}, {0x800000, "rosso scuro"},
    {0x008000, "verde scuro"}, {0x000080, "blu scuro"}, {0x808000, "verde oliva"},
    {0x008080, "verde acqua"}, {0x800080, "viola"}, {0xFFA500, "arancione"},
};

} // namespace

QColor toQColor(OleColor c)
{
    if (isSystemColor(c)) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = roleForSystemIndex(c & 0xFF, &group);
        return QGuiApplication::palette().color(group, role);
    }
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

OleColor fromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

QString colorName(OleColor c)
{
    const QRgb rgb = toQColor(c).rgb() & RGB_MASK;
    for (const NamedColor &named : CommonColors) {
        if (named.rgb == rgb)
            return QString::fromUtf8(named.name);
    }
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace toolkit
