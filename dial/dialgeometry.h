#pragma once

#include <QPointF>
#include <cmath>

// Angles of the dial: radians clockwise from 12 o'clock.
namespace dial {

// The value of pi every angle of the dial is computed with.
inline constexpr double Pi = 3.14159265358979;
inline constexpr double DegreesPerMinute = 6;      // of the minute hand, per minute
inline constexpr double DegreesPerHour = 30;       // of the hour hand, per hour
inline constexpr double HourDegreesPerMinute = 0.5; // of the hour hand, per minute
inline constexpr double HalfTurnDegrees = 180;

// The point at angle theta and distance length from the centre; screen y
// grows downwards.
inline QPointF pointAt(QPointF centre, double length, double theta)
{
    return {centre.x() + length * std::sin(theta), centre.y() - length * std::cos(theta)};
}

} // namespace dial
