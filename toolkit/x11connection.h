#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdint>

#include <cstdlib>
#include <cstring>

namespace toolkit {

// The application's connection to the X server; none on other platforms
// (the tests' offscreen one, Wayland).
inline xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The root window of the connection's screen.
inline xcb_window_t x11Root(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The atom of a name, made if the server has none yet.
inline xcb_atom_t x11Atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The major opcode XInput's events carry; 0 when the server has no XInput.
inline std::uint8_t xinputOpcode(xcb_connection_t *connection)
{
    const xcb_query_extension_reply_t *xinput = xcb_get_extension_data(connection, &xcb_input_id);
    return xinput && xinput->present ? xinput->major_opcode : 0;
}

} // namespace toolkit
