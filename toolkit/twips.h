#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <cmath>

// Every window and control measures in twips. Fifteen twips make one
// device-independent pixel; Qt maps those pixels to the screen's density.
namespace toolkit {

inline constexpr int TwipsPerPixel = 15;

constexpr double toPx(double twips) { return twips / TwipsPerPixel; }
constexpr double toTwips(double px) { return px * TwipsPerPixel; }

// Whole pixels for placing widgets: rounded to the nearest pixel.
inline int toPxInt(double twips) { return int(std::lround(twips / TwipsPerPixel)); }

inline QRect rectFromTwips(double left, double top, double width, double height)
{
    return QRect(toPxInt(left), toPxInt(top), toPxInt(width), toPxInt(height));
}

} // namespace toolkit
