#pragma once

#include "olecolor.h"

class QWidget;

namespace translucency {

// Extended window style bit that marks a window as layered.
inline constexpr long WS_EX_LAYERED = 0x80000;

// Layered-window flags: which of the key colour and the alpha applies.
inline constexpr int LWA_COLORKEY = 1;
inline constexpr int LWA_ALPHA = 2;

// The window-system calls the translucency class is built on. A window is a
// top-level QWidget; nullptr stands for "no window".
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // Major version of the window system; layered windows exist from 5 on.
    virtual int majorVersion() const = 0;

    // The window's extended style bits.
    virtual long GetWindowLong(QWidget *hWnd) = 0;
    // Replaces the window's extended style bits; false when it fails.
    virtual bool SetWindowLong(QWidget *hWnd, long style) = 0;
    // Key colour (RGB) and opacity (0..255) of a layered window; flags is a
    // combination of LWA_COLORKEY and LWA_ALPHA. Fails (false) unless the
    // window carries the layered style.
    virtual bool SetLayeredWindowAttributes(QWidget *hWnd, toolkit::OleColor key, int alpha, int flags) = 0;
    // The current RGB value of a system colour index.
    virtual toolkit::OleColor GetSysColor(int index) = 0;
};

// The window system of the running desktop: opacity and colour keying go
// through toolkit::desktop().
WindowSystem &realWindowSystem();

} // namespace translucency
