#include "toolkit/windowguard.h"
#include "toolkit/x11connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <array>
#include <cstdlib>
#include <cstring>

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace toolkit {

namespace {

constexpr char MainWindowProperty[] = "toolkitGuardedMainWindow";

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
enum MotifField { MotifFlags, MotifFunctions, MotifDecorations, MotifFields = 5 };
constexpr std::uint32_t MotifHasFunctions = 1;
constexpr std::uint32_t MotifHasDecorations = 2;
// With the first bit set, the functions named are those taken away.
constexpr std::uint32_t MotifAllBut = 1;
constexpr std::uint32_t MotifMinimize = 8;
constexpr std::uint32_t MotifMaximize = 16;

bool isMainWindow(const QWidget *window) { return window->property(MainWindowProperty).toBool(); }

// The name the running window manager gives itself (EWMH), empty when none.
QByteArray windowManagerName(xcb_connection_t *connection)
{
    const xcb_window_t root = x11Root(connection);
    const auto read = [connection](xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 64), nullptr);
        QByteArray value;
        if (reply)
            value = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        return value;
    };
    const QByteArray check = read(root, x11Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t))
        return {};
    xcb_window_t manager = 0;
    std::memcpy(&manager, check.constData(), sizeof manager);
    return read(manager, x11Atom(connection, "_NET_WM_NAME"), x11Atom(connection, "UTF8_STRING"));
}

// No decorations, and every function but minimising and maximising: icewm
// and xfwm4 then offer no maximise, by key, menu or request. Openbox takes
// resizing by the frame away with any functions named, so it is told none:
// it puts a maximised window back where it was, when asked as below. Qt
// writes the hints anew whenever the window's flags change; they are
// written again after it.
void writeFrameFunctions(const QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    const QWindow *handle = window->windowHandle();
    if (!connection || !handle || !handle->handle())
        return;
    static const xcb_atom_t motif = x11Atom(connection, "_MOTIF_WM_HINTS");
    std::array<std::uint32_t, MotifFields> hints{};
    hints[MotifFlags] = windowManagerName(connection) == "Openbox" ? MotifHasDecorations
                                                                   : MotifHasFunctions | MotifHasDecorations;
    hints[MotifFunctions] = MotifAllBut | MotifMinimize | MotifMaximize;
    hints[MotifDecorations] = 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(handle->winId()), motif, motif, 32,
                        MotifFields, hints.data());
    xcb_flush(connection);
}

// A window manager may make a window as big as its screen before it says
// that it maximised it, or before it moves it there.
bool coversItsScreen(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return false;
    const QSize frame = window->frameGeometry().size();
    const QSize available = screen->availableGeometry().size();
    return frame.width() >= available.width() && frame.height() >= available.height();
}

class Restorer final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && isMainWindow(window)
            && !isStretched(window))
            m_normal = window->geometry();
        if (event->type() == QEvent::Show && isMainWindow(window)) {
            // Made, not yet mapped: the window manager reads the hints as it
            // maps the window.
            writeFrameFunctions(window);
        } else if (event->type() == QEvent::WindowStateChange) {
            const Qt::WindowStates before = static_cast<QWindowStateChangeEvent *>(event)->oldState();
            if (isMainWindow(window) && (before & Qt::WindowFullScreen) && !(window->windowState() & Qt::WindowFullScreen)
                && m_normal.isValid()) {
                // Out of full screen, some window managers keep most of the
                // screen or only the size: the old place and size are asked.
                const QRect normal = m_normal;
                QMetaObject::invokeMethod(window, [window, normal] { window->setGeometry(normal); },
                                          Qt::QueuedConnection);
            }
            Qt::WindowStates unwanted = Qt::WindowMinimized;
            if (isMainWindow(window))
                unwanted |= Qt::WindowMaximized;
            if (window->windowState() & unwanted) {
                // Once the state change is over: from inside its own
                // notification the window system would not map it again.
                // The window manager puts back the place and size it had.
                // Some window managers keep the maximised size when they
                // put the window back: the old place and size are asked too.
                const QRect normal = m_normal;
                QMetaObject::invokeMethod(window, [window, unwanted, normal] {
                    window->setWindowState(window->windowState() & ~unwanted);
                    if (normal.isValid() && (unwanted & Qt::WindowMaximized))
                        window->setGeometry(normal);
                }, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    QRect m_normal; // the main window's place and size before a maximise or full screen
};

// The always-on-top state asked for a window not yet on screen, told to the
// window manager at its first painting.
class OnTopRequest final : public QObject
{
public:
    static constexpr char Name[] = "toolkitOnTopRequest";

    explicit OnTopRequest(QWidget *window) : QObject(window), m_window(window) { setObjectName(Name); }

    void ask(bool onTop)
    {
        m_onTop = onTop;
        const QWindow *handle = m_window->windowHandle();
        if (handle && handle->isExposed()) {
            apply();
        } else if (!m_waiting) {
            m_waiting = true;
            m_window->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_waiting) {
            m_waiting = false;
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, &OnTopRequest::apply, Qt::QueuedConnection);
        }
        return false;
    }

private:
    // Changing the Qt::WindowStaysOnTopHint flag of a shown widget would
    // unmap and remap it; its platform window changes the state in place
    // (_NET_WM_STATE_ABOVE, asked of the window manager).
    void apply()
    {
        QWindow *handle = m_window->windowHandle();
        if (!handle)
            return;
        Qt::WindowFlags flags = handle->flags();
        flags.setFlag(Qt::WindowStaysOnTopHint, m_onTop);
        handle->setFlags(flags);
        if (isMainWindow(m_window))
            writeFrameFunctions(m_window);
    }

    QWidget *m_window;
    bool m_onTop = false;
    bool m_waiting = false;
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

void guardMainWindow(QWidget *window)
{
    window->setProperty(MainWindowProperty, true);
    keepRestored(window);
    writeFrameFunctions(window);
}

bool isStretched(const QWidget *window)
{
    return isMainWindow(window)
           && ((window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || coversItsScreen(window));
}

void setStaysOnTop(QWidget *window, bool onTop)
{
    // Found by name: the request is no meta-object of its own.
    auto *request = static_cast<OnTopRequest *>(
        window->findChild<QObject *>(QLatin1String(OnTopRequest::Name), Qt::FindDirectChildrenOnly));
    if (!request)
        request = new OnTopRequest(window);
    request->ask(onTop);
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
