#include "toolkit/stripwatch.h"
#include "toolkit/x11connection.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace toolkit {

namespace {

// The child of the root that holds the window: the window manager's frame
// around it, or the window itself.
xcb_window_t topLevelOf(xcb_connection_t *connection, xcb_window_t window, xcb_window_t root)
{
    for (;;) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (!tree)
            return XCB_WINDOW_NONE;
        const xcb_window_t parent = tree->parent;
        std::free(tree);
        if (parent == root || parent == XCB_WINDOW_NONE)
            return window;
        window = parent;
    }
}

struct RawMotionMask {
    xcb_input_event_mask_t head;
    std::uint32_t bits;
};

} // namespace

StripWatch::StripWatch(std::function<void()> moved)
    : m_moved(std::move(moved))
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    m_xinputOpcode = xinputOpcode(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

StripWatch::~StripWatch()
{
    followWindows(false);
    selectMotion(false);
}

void StripWatch::watch(QWidget *window, const QRect &strip)
{
    const QWindow *handle = window->windowHandle();
    if (!x11Connection() || !handle || !handle->handle() || strip.isEmpty()) {
        m_strip = QRect();
        followWindows(false);
        selectMotion(false);
        return;
    }
    const qreal ratio = window->devicePixelRatio();
    const QRect native(QPoint(int(std::lround(strip.x() * ratio)), int(std::lround(strip.y() * ratio))),
                       QSize(int(std::lround(strip.width() * ratio)), int(std::lround(strip.height() * ratio))));
    if (native == m_strip && m_window == handle->winId())
        return;
    m_strip = native;
    m_window = std::uint32_t(handle->winId());
    followWindows(true);
    checkCovered();
}

// The root reports the top-level windows' moves, mappings and restacking
// to every client that asks; the program's own choice of its events is kept.
void StripWatch::followWindows(bool on)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || on == m_following)
        return;
    const xcb_window_t root = x11Root(connection);
    if (on) {
        xcb_get_window_attributes_reply_t *attributes =
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, root), nullptr);
        m_rootMask = attributes ? attributes->your_event_mask : 0;
        std::free(attributes);
    }
    const std::uint32_t mask = on ? m_rootMask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : m_rootMask;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    m_following = on;
}

void StripWatch::selectMotion(bool on)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !m_xinputOpcode || on == m_motionSelected)
        return;
    RawMotionMask mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? std::uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0};
    xcb_input_xi_select_events(connection, x11Root(connection), 1, &mask.head);
    xcb_flush(connection);
    m_motionSelected = on;
}

// Covered: a viewable window stacked above the watched one's top-level
// window overlaps the strip.
void StripWatch::checkCovered()
{
    m_checkQueued = false;
    xcb_connection_t *connection = x11Connection();
    if (!connection || m_strip.isEmpty())
        return;
    const xcb_window_t root = x11Root(connection);
    const xcb_window_t own = topLevelOf(connection, m_window, root);
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    int first = 0; // the children come bottom to top
    while (first < count && children[first] != own)
        ++first;
    std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> above;
    for (int i = first + 1; i < count; ++i)
        above.emplace_back(xcb_get_window_attributes(connection, children[i]), xcb_get_geometry(connection, children[i]));
    std::free(tree);
    bool covered = false;
    for (const auto &[attributesCookie, geometryCookie] : above) {
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(connection, attributesCookie, nullptr);
        xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, geometryCookie, nullptr);
        if (attributes && geometry && attributes->map_state == XCB_MAP_STATE_VIEWABLE
            && QRect(geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
                     geometry->height + 2 * geometry->border_width).intersects(m_strip))
            covered = true;
        std::free(attributes);
        std::free(geometry);
    }
    selectMotion(covered);
}

bool StripWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_strip.isEmpty())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const int type = event->response_type & ~0x80;
    switch (type) {
    case XCB_CONFIGURE_NOTIFY:
    case XCB_MAP_NOTIFY:
    case XCB_UNMAP_NOTIFY:
    case XCB_CIRCULATE_NOTIFY:
        // Checked once for a burst, from the event loop.
        if (!m_checkQueued) {
            m_checkQueued = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [this] { checkCovered(); });
        }
        break;
    case XCB_GE_GENERIC:
        if (m_motionSelected) {
            const auto *generic = static_cast<const xcb_ge_generic_event_t *>(message);
            if (generic->extension == m_xinputOpcode && generic->event_type == XCB_INPUT_RAW_MOTION)
                m_moved();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace toolkit
