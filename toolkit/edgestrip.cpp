#include "toolkit/edgestrip.h"
#include "toolkit/x11connection.h"

#include <QHash>
#include <QRect>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace toolkit {

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// _NET_WM_STRUT_PARTIAL: left, right, top, bottom, then the start and end
// of each along its edge.
enum StrutField { Right = 1, RightStartY = 6, RightEndY = 7, StrutFields = 12 };

} // namespace

void claimRightEdge(QWidget *window, const QRect &place, int screenWidth)
{
    xcb_connection_t *connection = x11Connection();
    // The window's platform window, which may have been made anew since the
    // widget was given its id.
    const QWindow *handle = window->windowHandle();
    if (!connection || !handle || !handle->handle())
        return;
    static const xcb_atom_t partial = atom(connection, "_NET_WM_STRUT_PARTIAL");
    static const xcb_atom_t strut = atom(connection, "_NET_WM_STRUT");
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
