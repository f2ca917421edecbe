#pragma once

class QRect;
class QWidget;

namespace toolkit {

// Before a window is moved to the given place: when that lies partly beyond
// the right edge of a screen screenWidth wide, the window claims the strip
// left on the screen as its own edge (a strut on X11). Window managers that
// keep a tenth of a program-moved window on the screen leave an edge window
// where it is, and maximised windows leave the strip free. The claim is
// kept while the window is shown in full against the edge, and given back
// when it leaves the edge. Nothing happens off X11.
void claimRightEdge(QWidget *window, const QRect &place, int screenWidth);

} // namespace toolkit
