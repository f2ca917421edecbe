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

// Why no X server answers on the display (DISPLAY unless one is given);
// empty when one does. Qt itself would abort with a page of advice about
// platform plugins.
QString x11Problem(const QString &given)
{
    const QByteArray display = given.isEmpty() ? qgetenv("DISPLAY") : given.toLocal8Bit();
    if (display.isEmpty())
        return QStringLiteral("no X display (DISPLAY is not set): the clock needs X11 or XWayland");
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return failed ? QStringLiteral("cannot open the X display %1").arg(QString::fromLocal8Bit(display))
                  : QString();
}

} // namespace

PlatformChoice::PlatformChoice(const QString &platform, const QString &display)
    : m_choseX11(platform.isEmpty() && setUnlessSet(PlatformVariable, X11Platform)),
      m_choseNoSharedMemory(setUnlessSet(NoSharedMemoryVariable, "1"))
{
    // A platform name may carry options after a colon ("xcb:...").
    const QByteArray chosen = platform.isEmpty() ? qgetenv(PlatformVariable) : platform.toLocal8Bit();
    if (chosen.split(':').constFirst() == X11Platform)
        m_problem = x11Problem(display);
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
