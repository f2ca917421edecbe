#pragma once

class QWidget;

namespace toolkit {

// The program's windows have no minimise box: a clock that a window
// manager iconified (with a dialog of its group, by a shortcut, by
// "minimise all") would seem to have quit, since it has no task-bar entry
// to bring it back by. A guarded window is restored as soon as it is
// iconified, where it was.
void keepRestored(QWidget *window);

// For a dialog: asks the window manager for a title bar with a close box
// only (no minimise or maximise box), keeps it restored as above, and
// closes it, as its close box would, when its window is destroyed from
// outside (xkill, a crashed compositor): a modal dialog that vanished
// without closing would leave its owner waiting for it.
void guardDialog(QWidget *dialog);

} // namespace toolkit
