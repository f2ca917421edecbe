#include "toolkit/pointerwatch.h"
#include "toolkit/x11connection.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <utility>

namespace toolkit {

PointerWatch::PointerWatch(std::function<void()> crossed)
    : m_crossed(std::move(crossed))
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    // Qt selects XInput 2 crossings on its windows where the server has them.
    m_xinputOpcode = xinputOpcode(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

PointerWatch::~PointerWatch() = default;

bool PointerWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const int type = event->response_type & ~0x80;
    if (type == XCB_ENTER_NOTIFY || type == XCB_LEAVE_NOTIFY) {
        m_crossed();
    } else if (type == XCB_GE_GENERIC && m_xinputOpcode) {
        const auto *generic = static_cast<const xcb_ge_generic_event_t *>(message);
        if (generic->extension == m_xinputOpcode
            && (generic->event_type == XCB_INPUT_ENTER || generic->event_type == XCB_INPUT_LEAVE))
            m_crossed();
    }
    return false;
}

} // namespace toolkit
