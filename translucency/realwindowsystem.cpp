#include "windowsystem.h"

#include "desktop.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPixmap>
#include <QRegion>
#include <QVariant>
#include <QWidget>

namespace translucency {

namespace {

// X11 and Qt keep no extended style bits: each window carries its own in a
// dynamic property, which goes away with the window.
constexpr char ExStyleProperty[] = "tickoraExStyle";

constexpr int SupportedVersion = 5;
constexpr int UnsupportedVersion = 4;
constexpr double FullOpacity = 1.0;
constexpr int MaxAlpha = 255;

bool isTopLevel(const QWidget *window) { return window && window->isWindow(); }

long styleOf(const QWidget *window) { return window->property(ExStyleProperty).toLongLong(); }

// Every pixel of the key colour is cut out of the window's shape.
QRegion shapeWithout(QWidget *window, toolkit::OleColor key)
{
    const QPixmap picture = window->grab();
    const QRegion shape(picture.createMaskFromColor(toolkit::toQColor(key), Qt::MaskInColor));
    // An empty region would mean "no mask": a window of the key colour alone
    // keeps a region that lies outside it, so nothing of it shows.
    return shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape;
}

class QtWindowSystem final : public WindowSystem
{
public:
    int majorVersion() const override
    {
        // Window opacity needs a compositing window system that takes it
        // from the client; Wayland and the bare platforms do not.
        const QString platform = QGuiApplication::platformName();
        if (platform.startsWith(u"wayland") || platform.startsWith(u"minimal"))
            return UnsupportedVersion;
        return SupportedVersion;
    }

    long GetWindowLong(QWidget *hWnd) override { return isTopLevel(hWnd) ? styleOf(hWnd) : 0; }

    bool SetWindowLong(QWidget *hWnd, long style) override
    {
        if (!isTopLevel(hWnd))
            return false;
        const bool wasLayered = styleOf(hWnd) & WS_EX_LAYERED;
        hWnd->setProperty(ExStyleProperty, qlonglong(style));
        if (wasLayered && !(style & WS_EX_LAYERED)) {
            toolkit::desktop().setWindowOpacity(hWnd, FullOpacity);
            toolkit::desktop().setWindowMask(hWnd, QRegion());
        }
        return true;
    }

    bool SetLayeredWindowAttributes(QWidget *hWnd, toolkit::OleColor key, int alpha, int flags) override
    {
        if (!isTopLevel(hWnd) || !(styleOf(hWnd) & WS_EX_LAYERED))
            return false;
        auto &desktop = toolkit::desktop();
        desktop.setWindowOpacity(hWnd, (flags & LWA_ALPHA) ? double(alpha) / MaxAlpha : FullOpacity);
        desktop.setWindowMask(hWnd, (flags & LWA_COLORKEY) ? shapeWithout(hWnd, key) : QRegion());
        return true;
    }

    toolkit::OleColor GetSysColor(int index) override
    {
        return toolkit::fromQColor(toolkit::toQColor(toolkit::SystemColorFlag | index));
    }
};

} // namespace

WindowSystem &realWindowSystem()
{
    static QtWindowSystem instance;
    return instance;
}

} // namespace translucency
