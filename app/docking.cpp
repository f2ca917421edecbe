#include "app/docking.h"

#include "toolkit/twips.h"

#include <algorithm>

using toolkit::toPxInt;
using toolkit::toTwips;
using toolkit::TwipsPerPixel;

namespace {

// The pointer counts as near while its client x and y are both greater.
constexpr int NearLimitPx = -5;
// Twips of a hidden window that stay on screen beyond the bar.
constexpr double HiddenStrip = 70;

} // namespace

Docking::Decision Docking::decide(const Situation &s)
{
    Decision d;
    const QRect screen = dockingScreen(s.screens, s.frame);

    // The pointer in the client area's pixels; the height is the window's
    // outer one.
    const QPoint cursor = s.pointer - s.clientOrigin;
    const double heightTwips = toTwips(s.frame.height());
    d.near = cursor.x() > NearLimitPx && cursor.y() > NearLimitPx && cursor.y() < heightTwips / TwipsPerPixel;
    // A second start holds the clock out until the pointer has been over it.
    d.heldOut = s.heldOut && !d.near;
    // The clock first comes up shown and only then hides: some compositors
    // (weston's XWayland) place a window where it is first mapped and
    // ignore its later moves, and a clock mapped hidden would stay so.
    // A popup of its own keeps it out: the popup hangs from it.
    // A button held down keeps a clock that is out where it is: the press
    // may be on its bar, the start of a drag that has already taken the
    // pointer off the window before the press is handled.
    const bool keptByButton = s.buttonHeld && s.frame.right() <= screen.right();
    d.shown = !s.autoHideOn || d.near || d.heldOut || s.popupOpen || !s.shownOnce || keptByButton;

    const double right = toTwips(screen.x() + screen.width());
    double left = right - toTwips(s.frame.width());
    if (!d.shown)
        left = s.hideBarOn ? right - HiddenStrip : right - toTwips(s.barWidth) - HiddenStrip;

    // Inside the screen's height. A window taller than the screen stays
    // pinned at the top.
    int top = s.frame.y();
    if (top < screen.top())
        top = screen.top();
    else if (screen.bottom() + 1 - s.frame.height() < top)
        top = std::max(screen.top(), screen.bottom() + 1 - s.frame.height());
    d.topLeft = QPoint(toPxInt(left), top);
    // Watched even under another window: reaching it counts, whatever
    // covers it.
    if (!d.shown)
        d.strip = QRect(d.topLeft, s.frame.size()).intersected(screen);

    // Near but not on the window (just below it, or over another window
    // that covers it) no crossing tells when the pointer goes away, nor
    // does one tell when a popup closes or a button held elsewhere goes up:
    // it is followed until then.
    d.followPointer = s.autoHideOn
                      && ((d.near && !(s.frame.contains(s.pointer) && s.pointerOnWindow)) || s.popupOpen
                          || (keptByButton && !d.near));
    return d;
}

QRect Docking::dockingScreen(const QList<QRect> &screens, const QRect &window)
{
    QRect chosen;
    for (const QRect &screen : screens)
        if (screen.top() <= window.bottom() && window.top() <= screen.bottom()
            && (chosen.isNull() || screen.right() > chosen.right()))
            chosen = screen;
    return chosen.isNull() ? screens.value(0) : chosen;
}
