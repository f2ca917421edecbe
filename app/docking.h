#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where the main window goes and whether it shows, decided afresh from the
// situation each time something may have changed it: no window, no
// desktop, only pixels and flags.
//
// Docked, the window's right edge lies on the right edge of its screen.
// With auto-hide on and the pointer away it slides off to the right until
// the bar and 70 twips (or the 70 twips alone, with the bar hidden too)
// remain. Vertically it stays inside the screen's height.
class Docking
{
public:
    struct Situation {
        QList<QRect> screens;     // the primary one first
        QRect frame;              // the window's outer rectangle
        QPoint clientOrigin;      // the client area's top-left on the screen
        int barWidth = 0;         // pixels
        QPoint pointer;           // on the screen
        bool pointerOnWindow = false; // over the window itself, not over one covering it
        bool autoHideOn = false;
        bool hideBarOn = false;
        bool heldOut = false;     // brought out by another start, for a moment or until the pointer comes
        bool popupOpen = false;   // a popup of the window's own (the calendar's month menu) is open
        bool shownOnce = false;   // the window has been on screen
        bool buttonHeld = false;  // a mouse button is down, wherever the pointer is
    };
    struct Decision {
        QPoint topLeft;
        bool shown = true;
        bool near = false;        // the pointer counts as near the window
        bool heldOut = false;     // still held out after this decision
        bool followPointer = false; // no crossing will tell when the pointer leaves, or a popup closes
        QRect strip;              // hidden: what stays on screen, where the pointer brings it out
    };

    static Decision decide(const Situation &situation);

    // The screen the window docks on: the rightmost one at the window's
    // height, so that nothing of a hidden clock shows on a screen to its
    // right; the primary one when none lies at that height (a clock left
    // outside every screen comes back there).
    static QRect dockingScreen(const QList<QRect> &screens, const QRect &window);
};
