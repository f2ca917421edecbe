#include "toolkit/desktop.h"
#include "toolkit/edgestrip.h"
#include "toolkit/pointerwatch.h"
#include "toolkit/stripwatch.h"
#include "toolkit/timewatch.h"
#include "toolkit/windowguard.h"
#include "toolkit/x11connection.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QGuiApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace toolkit {

namespace {

constexpr int FollowIntervalMs = 100;

class RealDesktop final : public Desktop
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    // One precise timer, counted from the wall clock as read now; the
    // jumps it cannot see come from the time watch.
    void wakeAt(const QDateTime &when) override
    {
        if (!m_wakeTimer) {
            m_wakeTimer = new QTimer(qApp);
            m_wakeTimer->setSingleShot(true);
            m_wakeTimer->setTimerType(Qt::PreciseTimer);
            QObject::connect(m_wakeTimer, &QTimer::timeout, &desktopEvents(), &DesktopEvents::wake);
        }
        if (!when.isValid()) {
            m_wakeTimer->stop();
            return;
        }
        m_wakeTimer->start(int(std::max<qint64>(0, now().msecsTo(when))));
    }

    void watchTimeJumps() override
    {
        if (m_timeWatch)
            return;
        m_timeWatch = new TimeWatch(qApp);
        QObject::connect(m_timeWatch, &TimeWatch::changed, &desktopEvents(), &DesktopEvents::timeChanged);
    }

    void watchScreens() override
    {
        if (m_watchingScreens)
            return;
        m_watchingScreens = true;
        QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &desktopEvents(), [](QScreen *screen) {
            watchScreen(screen);
            emit desktopEvents().screensChanged();
        });
        QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &desktopEvents(), &DesktopEvents::screensChanged);
        QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &desktopEvents(),
                         &DesktopEvents::screensChanged);
        for (QScreen *screen : QGuiApplication::screens())
            watchScreen(screen);
    }

    QRect availableGeometry() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect();
    }

    // The crossings come from inside Qt's handling of an X event; they
    // are passed on from the event loop, one for a burst.
    void watchPointer() override
    {
        if (m_pointer)
            return;
        m_pointer = std::make_unique<PointerWatch>([this] { reportPointer(); });
    }

    // No event tells that the pointer left the near area when that area
    // reaches outside the window (a few pixels below it), so the pointer is
    // looked at ten times a second for as long as it stays there.
    void watchStrip(QWidget *window, const QRect &strip) override
    {
        if (!m_strip) {
            if (strip.isEmpty())
                return;
            m_strip = std::make_unique<StripWatch>([this] { reportPointer(); });
        }
        m_strip->watch(window, strip);
    }

    void followPointer(bool on) override
    {
        if (!m_followTimer) {
            if (!on)
                return;
            m_followTimer = new QTimer(qApp);
            m_followTimer->setInterval(FollowIntervalMs);
            QObject::connect(m_followTimer, &QTimer::timeout, &desktopEvents(), &DesktopEvents::pointerMoved);
        }
        if (!on)
            m_followTimer->stop();
        else if (!m_followTimer->isActive())
            m_followTimer->start();
    }

    QPoint cursorPos() const override { return QCursor::pos(); }

    bool pointerButtonHeld() const override
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection)
            return QGuiApplication::mouseButtons() != Qt::NoButton;
        xcb_query_pointer_reply_t *reply
            = xcb_query_pointer_reply(connection, xcb_query_pointer(connection, x11Root(connection)), nullptr);
        constexpr unsigned Buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
        const bool held = reply && (reply->mask & Buttons);
        std::free(reply);
        return held;
    }

    QSize primaryScreenSize() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize();
    }

    QList<QRect> screens() const override
    {
        QList<QRect> geometries;
        if (const QScreen *primary = QGuiApplication::primaryScreen())
            geometries << primary->geometry();
        for (const QScreen *screen : QGuiApplication::screens())
            if (screen != QGuiApplication::primaryScreen())
                geometries << screen->geometry();
        return geometries;
    }

    void moveWindow(QWidget *window, QPoint topLeft) override
    {
        if (window->pos() != topLeft) {
            window->move(topLeft);
        } else if (QWindow *handle = window->windowHandle(); handle && handle->framePosition() != topLeft) {
            // The widget is in place, its window is not: a size change asked
            // before the window manager had made the last move carried the
            // window's old place, and Qt sends no move for it. Ask again.
            handle->setFramePosition(topLeft);
        }
    }

    // The claim is on the edge of the whole desktop, that of its rightmost
    // screen, where the clock docks.
    void claimRightEdge(QWidget *window, const QRect &place) override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const int desktopRight = screen ? screen->virtualGeometry().right() + 1 : 0;
        toolkit::claimRightEdge(window, place, desktopRight);
    }

    bool canSetWindowOpacity() const override
    {
        // Wayland takes no opacity from its clients, and the bare platforms
        // have no compositor.
        const QString platform = QGuiApplication::platformName();
        return !platform.startsWith(u"wayland") && !platform.startsWith(u"minimal");
    }

    void setWindowOpacity(QWidget *window, double opacity) override
    {
        window->setWindowOpacity(opacity);
    }

    void setAlwaysOnTop(QWidget *window, bool onTop) override { setStaysOnTop(window, onTop); }

    bool startSystemResize(QWidget *window, Qt::Edges edges) override
    {
        QWindow *handle = window->windowHandle();
        return handle && handle->startSystemResize(edges);
    }

    int execModal(QDialog *dialog) override { return dialog->exec(); }

    void messageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon) override
    {
        QMessageBox box(icon == MessageIcon::Critical      ? QMessageBox::Critical
                        : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                           : QMessageBox::Information,
                        title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QColor> chooseColor(QWidget *owner) override
    {
        forgetCustomColors();
        // Starts on black, as a chooser given no initial colour does.
        const QColor chosen = QColorDialog::getColor(Qt::black, owner);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }

private:
    // The chooser's custom colours are made afresh, all black, for each
    // opening, and forgotten when it closes. Qt keeps them for the life of
    // the process and writes them to its own per-user configuration
    // (QtProject.conf) whenever a chooser goes; the clock keeps no
    // configuration but its own files, which name their paths, so Qt's
    // per-user configuration is pointed where nothing can be written.
    static void forgetCustomColors()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, Qt::black);
    }

    static void watchScreen(QScreen *screen)
    {
        QObject::connect(screen, &QScreen::geometryChanged, &desktopEvents(), &DesktopEvents::screensChanged);
        QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, &desktopEvents(),
                         &DesktopEvents::screensChanged);
    }

    // The pointer's reports come from inside Qt's handling of an X event;
    // they are passed on from the event loop, one for a burst.
    void reportPointer()
    {
        if (m_pointerReported)
            return;
        m_pointerReported = true;
        QTimer::singleShot(0, &desktopEvents(), [this] {
            m_pointerReported = false;
            emit desktopEvents().pointerMoved();
        });
    }

    std::unique_ptr<PointerWatch> m_pointer;
    std::unique_ptr<StripWatch> m_strip;
    bool m_pointerReported = false;
    bool m_watchingScreens = false;
    QPointer<TimeWatch> m_timeWatch;
    QPointer<QTimer> m_wakeTimer;
    QPointer<QTimer> m_followTimer;
};

RealDesktop &realDesktop()
{
    static RealDesktop instance;
    return instance;
}

Desktop *current = nullptr;

} // namespace

DesktopEvents &desktopEvents()
{
    static DesktopEvents events;
    return events;
}

Desktop &desktop()
{
    return current ? *current : realDesktop();
}

void setDesktop(Desktop *replacement)
{
    current = replacement;
}

} // namespace toolkit
