#pragma once

namespace toolkit {

// The units the clock counts time in.
inline constexpr int MsecsPerSecond = 1000;
inline constexpr int SecondsPerMinute = 60;
inline constexpr int MsecsPerMinute = SecondsPerMinute * MsecsPerSecond;

} // namespace toolkit
