#pragma once

class QWidget;

namespace toolkit {

// The program's windows have no minimise box: a clock that a window
// manager iconified (with a dialog of its group, by a shortcut, by
// "minimise all") would seem to have quit, since it has no task-bar entry
// to bring it back by. A guarded window is restored as soon as it is
// iconified, where it was.
void keepRestored(QWidget *window);

// For the clock's own frameless window: the window manager is told that it
// may move, resize and close it, nothing else (no maximise, no minimise),
// and is asked at once to put it back should it maximise the window all the
// same. Restored from being iconified as above. (Full screen, which no hint
// refuses, is left to the user who asked the window manager for it.)
void guardMainWindow(QWidget *window);

// Whether a guarded main window is maximised (for as long as the window
// manager has not put it back) or fills the screen: its place and size are
// not the program's then, and the window manager puts back the old ones.
bool isStretched(const QWidget *window);

// Keeps the window above other windows, or lets it go. The window manager
// is told once the window is on screen: told at the first mapping, some
// (icewm) would hold the state for good and ignore every later request to
// take it back.
void setStaysOnTop(QWidget *window, bool onTop);

// For a dialog: asks the window manager for a title bar with a close box
// only (no minimise or maximise box), keeps it restored as above, and
// closes it, as its close box would, when its window is destroyed from
// outside (xkill, a crashed compositor): a modal dialog that vanished
// without closing would leave its owner waiting for it.
void guardDialog(QWidget *dialog);

// Keeps a window out of the task bar and the pager. Being transient for
// the clock is not enough: some window managers (icewm) list transient
// windows too, whatever their type. The request (EWMH's skip-taskbar and
// skip-pager states) is written each time the window is about to be
// mapped, where the window manager reads it.
void keepOffTaskBar(QWidget *window);

} // namespace toolkit
