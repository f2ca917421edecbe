#include "pointerwatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <utility>

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

xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

PointerWatch::PointerWatch(std::function<void()> moved)
    : m_moved(std::move(moved))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
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
}

PointerWatch::~PointerWatch() = default;

void PointerWatch::follow(bool on)
{
    if (!m_connection || on == m_following)
        return;
    const MotionMask mask{.bits = on ? std::uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
    xcb_input_xi_select_events(m_connection, m_root, 1, &mask.head);
    xcb_flush(m_connection);
    m_following = on;
}

bool PointerWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_ENTER_NOTIFY:
    case XCB_LEAVE_NOTIFY:
        m_moved();
        return false;
    case XCB_GE_GENERIC: {
        const auto *generic = static_cast<const xcb_ge_generic_event_t *>(message);
        if (!m_connection || generic->extension != m_xinputOpcode)
            return false;
        if (generic->event_type == XCB_INPUT_ENTER || generic->event_type == XCB_INPUT_LEAVE) {
            m_moved();
            return false;
        }
        if (generic->event_type != XCB_INPUT_RAW_MOTION)
            return false;
        if (m_following)
            m_moved();
        return true;
    }
    default:
        return false;
    }
}

} // namespace toolkit
