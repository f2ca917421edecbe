#pragma once

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QUrl>
#include <optional>

class QDialog;
class QWidget;

namespace toolkit {

enum class MessageIcon { Critical, Exclamation, Information };

// What the desktop tells the program, whichever desktop is in use. Each
// report comes only once the program has asked for it (Desktop::watch...).
class DesktopEvents : public QObject
{
    Q_OBJECT
signals:
    // The moment asked for with Desktop::wakeAt has come.
    void wake();
    // The time of day jumped: the clock was set, the machine resumed from
    // a suspend, or the time zone changed (Desktop::watchTimeJumps).
    void timeChanged();
    // A screen was added or removed, or one changed its size or scale
    // (Desktop::watchScreens).
    void screensChanged();
    // The pointer crossed into or out of one of the program's windows
    // (Desktop::watchPointer), or moved while followed
    // (Desktop::followPointer).
    void pointerMoved();
};

DesktopEvents &desktopEvents();

// Everything the program asks of the desktop goes through this one seam:
// the time of day, the screen and the cursor, window opacity, stacking,
// moves and resizes, modal dialogs, the colour chooser and opening links.
// The program runs with the real desktop; tests install a fake.
//
// The getters only read. What costs something (a watch on the zone file,
// an X event filter, the screens' signals) is asked for by an explicit
// call, and a window property is set only by the call that names it.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // The current local date and time.
    virtual QDateTime now() const = 0;

    // Asks for one wake signal at the given moment, instead of any asked
    // for before; an invalid moment asks for none.
    virtual void wakeAt(const QDateTime &when) = 0;

    // Subscriptions to the reports of DesktopEvents, from the call on; a
    // second call changes nothing.
    virtual void watchTimeJumps() = 0;
    virtual void watchScreens() = 0;
    virtual void watchPointer() = 0;
    // While on, every motion of the pointer is reported; otherwise only its
    // crossings of the program's windows.
    virtual void followPointer(bool on) = 0;
    // While a window's strip is given (what a hidden window leaves on the
    // screen), the pointer reaching it is reported even when another window
    // covers the strip; an empty strip stops that.
    virtual void watchStrip(QWidget *window, const QRect &strip) = 0;

    // The cursor's position on the screen, the primary screen's size and
    // every screen's geometry (the primary one first), in
    // device-independent pixels.
    virtual QPoint cursorPos() const = 0;
    virtual QSize primaryScreenSize() const = 0;
    virtual QList<QRect> screens() const = 0;
    // Whether a mouse button is held down now, as the window system knows
    // it: ahead of a press the program has not handled yet.
    virtual bool pointerButtonHeld() const = 0;
    // The part of the primary screen that windows may use: without the
    // panels and task bars that claim its edges.
    virtual QRect availableGeometry() const { return QRect(QPoint(), primaryScreenSize()); }

    // Top-level windows.
    virtual void moveWindow(QWidget *window, QPoint topLeft) = 0;
    // For the window docked at the right edge of the desktop, before it is
    // moved to place: when that lies partly beyond the edge, the window
    // claims the strip left on the screen as its own (a strut on X11), so
    // that window managers leave it there and maximised windows leave the
    // strip free; the claim is kept while the window is shown in full
    // against the edge and given back when it leaves the edge.
    virtual void claimRightEdge(QWidget *window, const QRect &place) = 0;
    // Whether window opacity takes effect here: it needs a window system
    // that lets a compositor take the opacity from the client.
    virtual bool canSetWindowOpacity() const = 0;
    virtual void setWindowOpacity(QWidget *window, double opacity) = 0;
    virtual void setAlwaysOnTop(QWidget *window, bool onTop) = 0;
    // Lets the window manager resize the window from the given edges while
    // a button is held. Returns false when it cannot.
    virtual bool startSystemResize(QWidget *window, Qt::Edges edges) = 0;

    // Shows a dialog modally; returns its result when it closes.
    virtual int execModal(QDialog *dialog) = 0;
    // A modal message box with an OK button.
    virtual void messageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon) = 0;
    // The colour chooser; nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(QWidget *owner) = 0;
    // Hands an address to the desktop's handler (browser, e-mail program).
    virtual void openUrl(const QUrl &url) = 0;
};

// The desktop in use. Passing nullptr to setDesktop restores the real one.
Desktop &desktop();
void setDesktop(Desktop *replacement);

// A message box through the seam (title, text and icon as given).
inline void MsgBox(QWidget *parent, const QString &text, MessageIcon icon, const QString &title)
{
    desktop().messageBox(parent, text, title, icon);
}

} // namespace toolkit
