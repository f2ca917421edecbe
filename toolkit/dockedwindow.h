#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace toolkit {

// A window that places itself at the right edge of the desktop, and what
// window managers make of that:
// - every place is asked with the edge claimed for it (Desktop::claimRightEdge);
// - a window manager that keeps the window elsewhere than asked is asked
//   once more for the same place, and then left alone until askAgain();
// - the first time the window is on screen (mapped and painted) is told,
//   from the event loop: some compositors (weston's XWayland) place a
//   window only where it is first mapped, so a window that would hide
//   waits until then.
class DockedWindow final : public QObject
{
    Q_OBJECT
public:
    explicit DockedWindow(QWidget *window);

    // Moves the window there, as the user or the layout asks.
    void move(QPoint topLeft);
    // Moves the window to where docking wants it, at most twice for one
    // place. Asked even in place: the edge's claim follows the window,
    // whatever moved it.
    void place(QPoint topLeft);
    // The situation changed (a drag ended, the settings were applied): the
    // place may be asked twice again.
    void askAgain() { m_askedTwice = false; }

    bool shownOnce() const { return m_shownOnce; }
    // The place last asked for, where the window is or is going: the
    // window manager may not have moved it yet.
    QPoint placeAsked() const { return m_placed; }

signals:
    void firstShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPoint m_asked;
    QPoint m_placed;
    bool m_askedTwice = false;
    bool m_shownOnce = false;
};

} // namespace toolkit
