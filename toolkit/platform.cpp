#include "toolkit/platform.h"

#include <QByteArray>
#include <QList>

#include <xcb/xcb.h>

namespace toolkit {

namespace {

constexpr char PlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char NoSharedMemoryVariable[] = "QT_XCB_NO_MITSHM";
constexpr char X11Platform[] = "xcb";

// Sets a variable the user has not set; true when it did.
bool setUnlessSet(const char *name, const char *value)
{
    if (qEnvironmentVariableIsSet(name))
        return false;
    qputenv(name, value);
    return true;
}

// Why no X server answers on DISPLAY; empty when one does. Qt itself would
// abort with a page of advice about platform plugins.
QString x11Problem()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("no X display (DISPLAY is not set): the clock needs X11 or XWayland");
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return failed ? QStringLiteral("cannot open the X display %1").arg(QString::fromLocal8Bit(display))
                  : QString();
}

} // namespace

PlatformChoice::PlatformChoice()
    : m_choseX11(setUnlessSet(PlatformVariable, X11Platform)),
      m_choseNoSharedMemory(setUnlessSet(NoSharedMemoryVariable, "1"))
{
    // A platform name may carry options after a colon ("xcb:...").
    if (qgetenv(PlatformVariable).split(':').constFirst() == X11Platform)
        m_problem = x11Problem();
}

void PlatformChoice::release()
{
    if (m_choseX11)
        qunsetenv(PlatformVariable);
    if (m_choseNoSharedMemory)
        qunsetenv(NoSharedMemoryVariable);
    m_choseX11 = m_choseNoSharedMemory = false;
}

} // namespace toolkit
