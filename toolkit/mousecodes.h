#pragma once

#include <Qt>

// The mouse button and modifier codes of the classic mouse events, which
// the controls hand to their hosts: Button 1 left, 2 right, 4 middle;
// Shift 1 Shift, 2 Ctrl, 4 Alt, summed.
namespace toolkit {

inline constexpr int LeftButtonCode = 1;
inline constexpr int RightButtonCode = 2;
inline constexpr int MiddleButtonCode = 4;
inline constexpr int ShiftCode = 1;
inline constexpr int CtrlCode = 2;
inline constexpr int AltCode = 4;

int mouseButtonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

} // namespace toolkit
