#pragma once

#include <QColor>
#include <QtGlobal>

namespace toolkit {

// A colour as the program stores it: 0x00BBGGRR (red in the low byte), or,
// with the high bit set, a system colour whose index is in the low bits.
// Files keep it as a signed 32-bit decimal, so it is held signed here.
using OleColor = qint32;

inline constexpr OleColor ColorButtonFace = OleColor(0x8000000Fu);
inline constexpr OleColor ColorButtonText = OleColor(0x80000012u);

constexpr OleColor rgbColor(int r, int g, int b) { return OleColor((b << 16) | (g << 8) | r); }

inline constexpr OleColor ColorBlack = rgbColor(0, 0, 0);
inline constexpr OleColor ColorWhite = rgbColor(255, 255, 255);
inline constexpr OleColor ColorRed = rgbColor(255, 0, 0);
inline constexpr OleColor ColorBlue = rgbColor(0, 0, 255);
inline constexpr OleColor ColorYellow = rgbColor(255, 255, 0);
inline constexpr OleColor ColorLightGrey = rgbColor(192, 192, 192);
inline constexpr OleColor ColorLightBlue = rgbColor(192, 192, 255);

constexpr bool isSystemColor(OleColor c) { return c < 0; }

// The RGB value of a colour; a system colour is looked up in the
// application's palette (button face, button text, window, ...).
QColor toQColor(OleColor c);

// The stored form of an RGB colour (alpha is dropped).
OleColor fromQColor(const QColor &c);

// The colour as a person reads it: the Italian name of a common colour
// ("rosso", "grigio chiaro"), otherwise "#RRGGBB". A system colour is named
// by the colour it has now.
QString colorName(OleColor c);

} // namespace toolkit
