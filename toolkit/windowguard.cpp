#include "toolkit/windowguard.h"
#include "toolkit/x11connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace toolkit {

namespace {

class Restorer final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->windowState() & Qt::WindowMinimized) {
                // Once the state change is over: from inside its own
                // notification the window system would not map it again.
                QMetaObject::invokeMethod(window, [window] {
                    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

// Watches for the destruction of guarded windows by another client. Qt
// destroys a window only after its widget has let go of it, so a shown
// widget whose own window is reported destroyed lost it from outside.
class LostWindowWatch final : public QAbstractNativeEventFilter
{
public:
    static LostWindowWatch &instance()
    {
        static LostWindowWatch watch;
        return watch;
    }

    void add(QWidget *window) { m_windows.append(window); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
            return false;
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
        m_windows.removeAll(nullptr);
        for (const QPointer<QWidget> &window : std::as_const(m_windows)) {
            // The widget's platform window, which may have been made anew
            // since the widget was given its id.
            const QWindow *handle = window->windowHandle();
            if (window->isVisible() && handle && handle->handle() && handle->winId() == destroyed->window)
                QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }

private:
    LostWindowWatch() { QCoreApplication::instance()->installNativeEventFilter(this); }

    QList<QPointer<QWidget>> m_windows;
};

// Adds the skip states to the window's _NET_WM_STATE as it is shown: Qt
// then adds its own states to what it finds there, before the window is
// mapped.
class TaskBarSkipper final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && static_cast<QWidget *>(watched)->isWindow())
            addSkipStates(static_cast<QWidget *>(watched)->winId());
        return false;
    }

private:
    static xcb_atom_t atom(xcb_connection_t *connection, const char *name)
    {
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    }

    static void addSkipStates(WId window)
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection)
            return;
        const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
        const xcb_atom_t skips[] = {atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                    atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
        if (state == XCB_ATOM_NONE || skips[0] == XCB_ATOM_NONE || skips[1] == XCB_ATOM_NONE)
            return;
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window), state, XCB_ATOM_ATOM, 32,
                            std::size(skips), skips);
    }
};

} // namespace

void keepOffTaskBar(QWidget *window)
{
    window->installEventFilter(new TaskBarSkipper(window));
}

void keepRestored(QWidget *window)
{
    window->installEventFilter(new Restorer(window));
}

void guardDialog(QWidget *dialog)
{
    dialog->setWindowFlag(Qt::CustomizeWindowHint);
    dialog->setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    dialog->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    keepRestored(dialog);
    LostWindowWatch::instance().add(dialog);
}

} // namespace toolkit
