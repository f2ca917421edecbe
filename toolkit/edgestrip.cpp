#include "edgestrip.h"
#include "x11connection.h"

#include <QRect>
#include <QWidget>

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
    const int stripPx = place.right() >= screenWidth ? screenWidth - place.left() : 0;
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->internalWinId())
        return;
    static const xcb_atom_t partial = atom(connection, "_NET_WM_STRUT_PARTIAL");
    static const xcb_atom_t strut = atom(connection, "_NET_WM_STRUT");
    const auto id = xcb_window_t(window->internalWinId());
    if (stripPx <= 0) {
        xcb_delete_property(connection, id, partial);
        xcb_delete_property(connection, id, strut);
    } else {
        std::array<std::uint32_t, StrutFields> fields{};
        fields[Right] = std::uint32_t(stripPx);
        fields[RightStartY] = std::uint32_t(std::max(0, place.top()));
        fields[RightEndY] = std::uint32_t(std::max(0, place.bottom()));
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, partial, XCB_ATOM_CARDINAL, 32,
                            StrutFields, fields.data());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, strut, XCB_ATOM_CARDINAL, 32, 4,
                            fields.data());
    }
    xcb_flush(connection);
}

} // namespace toolkit
