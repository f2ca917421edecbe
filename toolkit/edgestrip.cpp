#include "toolkit/edgestrip.h"
#include "toolkit/x11connection.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>

namespace toolkit {

namespace {

// _NET_WM_STRUT_PARTIAL: left, right, top, bottom, then the start and end
// of each along its edge.
enum StrutField { Right = 1, RightStartY = 6, RightEndY = 7, StrutFields = 12 };

// A window manager that keeps every normal window partly on screen (xfwm4
// keeps as much as the height of its title bar, 29 px, whatever the strut)
// leaves docks where they are asked to be. A window it kept short of its
// hidden place stands as a dock for as long as it is hidden, and is a
// normal window again before it shows: a dock is stacked above every
// window and never takes the keyboard.
void standAsDock(xcb_connection_t *connection, xcb_window_t id, bool dock)
{
    static const xcb_atom_t type = x11Atom(connection, "_NET_WM_WINDOW_TYPE");
    static const xcb_atom_t dockType = x11Atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    // The types the window had before it stood as a dock.
    static QHash<xcb_window_t, QList<std::uint32_t>> before;
    if (dock == before.contains(id))
        return;
    if (dock) {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, 0, id, type, XCB_ATOM_ATOM, 0, StrutFields);
        xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
        QList<std::uint32_t> types;
        if (reply && reply->format == 32) {
            const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
            types = QList<std::uint32_t>(values, values + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        before.insert(id, types);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1, &dockType);
    } else {
        const QList<std::uint32_t> types = before.take(id);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, types.size(),
                            types.constData());
    }
}

} // namespace

void claimRightEdge(QWidget *window, const QRect &place, int screenWidth)
{
    xcb_connection_t *connection = x11Connection();
    // The window's platform window, which may have been made anew since the
    // widget was given its id.
    const QWindow *handle = window->windowHandle();
    if (!connection || !handle || !handle->handle())
        return;
    static const xcb_atom_t partial = x11Atom(connection, "_NET_WM_STRUT_PARTIAL");
    static const xcb_atom_t strut = x11Atom(connection, "_NET_WM_STRUT");
    const auto id = xcb_window_t(handle->winId());
    // Asked at every move and at every tick that finds the window in place
    // (its window may have been made anew meanwhile); the server is told
    // only what changed. Only windows that hold a claim are remembered.
    // A window shown in full against the edge keeps the strip it claimed
    // while hidden: giving it back at every showing would make maximised
    // windows grow and shrink each time the clock slides in and out.
    static QHash<xcb_window_t, QRect> claimed;
    const bool beyond = place.right() >= screenWidth;
    const bool againstEdge = place.right() == screenWidth - 1;
    const int held = claimed.value(id).width();
    const int stripPx = beyond ? screenWidth - place.left() : againstEdge ? held : 0;
    const QRect claim = stripPx > 0 ? QRect(0, place.top(), stripPx, place.height()) : QRect();
    // Asked again for the same hidden place, partly beyond the edge but
    // not where it was asked to be: kept on screen by the window manager.
    const bool kept = beyond && claimed.value(id) == claim && window->x() != place.x()
                      && window->x() + window->width() > screenWidth;
    if (kept || !beyond)
        standAsDock(connection, id, kept);
    if (kept) {
        const std::array<std::uint32_t, 2> position{std::uint32_t(place.x()), std::uint32_t(place.y())};
        xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position.data());
        xcb_flush(connection);
    }
    if (claimed.value(id) == claim)
        return;
    if (claim.isNull()) {
        claimed.remove(id);
        xcb_delete_property(connection, id, partial);
        xcb_delete_property(connection, id, strut);
    } else {
        claimed.insert(id, claim);
        std::array<std::uint32_t, StrutFields> fields{};
        fields[Right] = std::uint32_t(stripPx);
        fields[RightStartY] = std::uint32_t(std::max(0, place.top()));
        fields[RightEndY] = std::uint32_t(std::max(0, place.bottom()));
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, partial, XCB_ATOM_CARDINAL, 32,
                            StrutFields, fields.data());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, strut, XCB_ATOM_CARDINAL, 32, 4,
                            fields.data());
        // The place asked again, now that the edge is claimed: a window
        // manager may have kept the window on the screen before.
        if (beyond) {
            const std::array<std::uint32_t, 2> position{std::uint32_t(place.x()), std::uint32_t(place.y())};
            xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position.data());
        }
    }
    xcb_flush(connection);
}

} // namespace toolkit
