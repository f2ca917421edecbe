#include "pointerwatch.h"
#include "x11connection.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace toolkit {

namespace {

// Master devices only: one report per motion, not a second one from the
// physical device that drives the pointer.
constexpr xcb_input_device_id_t AllMasterDevices = XCB_INPUT_DEVICE_ALL_MASTER;

// The request's list of one mask: raw pointer motion, or nothing.
struct MotionMask
{
    xcb_input_event_mask_t head{AllMasterDevices, 1};
    std::uint32_t bits;
};

MotionMask motionMask(bool on)
{
    return MotionMask{.bits = on ? std::uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
}

} // namespace

PointerWatch::PointerWatch()
{
    m_connection = x11Connection();
    if (!m_connection)
        return;
    const xcb_query_extension_reply_t *xinput = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (!xinput || !xinput->present) {
        m_connection = nullptr;
        return;
    }
    m_xinputOpcode = xinput->major_opcode;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

    // A server that refuses the selection (no XInput 2 for this client)
    // leaves the watch asking at every look.
    const MotionMask mask = motionMask(true);
    const xcb_void_cookie_t cookie = xcb_input_xi_select_events_checked(m_connection, m_root, 1, &mask.head);
    if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
        std::free(error);
        m_connection = nullptr;
        return;
    }
    m_selected = true;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

PointerWatch::~PointerWatch() = default;

void PointerWatch::selectMotion(bool on)
{
    const MotionMask mask = motionMask(on);
    xcb_input_xi_select_events(m_connection, m_root, 1, &mask.head);
    xcb_flush(m_connection);
    m_selected = on;
}

QPoint PointerWatch::pos()
{
    if (!m_connection)
        return QCursor::pos();
    if (m_stale) {
        // Ask for the next motion before asking where the pointer is: a
        // motion in between is then reported, never lost.
        if (!m_selected)
            selectMotion(true);
        m_pos = QCursor::pos();
        m_stale = false;
    }
    return m_pos;
}

bool PointerWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_ENTER_NOTIFY:
    case XCB_LEAVE_NOTIFY:
        m_stale = true;
        return false;
    case XCB_GE_GENERIC: {
        const auto *generic = static_cast<const xcb_ge_generic_event_t *>(message);
        if (generic->extension != m_xinputOpcode)
            return false;
        if (generic->event_type == XCB_INPUT_ENTER || generic->event_type == XCB_INPUT_LEAVE) {
            m_stale = true;
            return false;
        }
        if (generic->event_type != XCB_INPUT_RAW_MOTION)
            return false;
        // One report is enough until the next look.
        m_stale = true;
        if (m_selected)
            selectMotion(false);
        return true;
    }
    default:
        return false;
    }
}

} // namespace toolkit
