#pragma once

#include <QGuiApplication>

struct xcb_connection_t;

namespace toolkit {

// The application's connection to the X server; none on other platforms
// (the tests' offscreen one, Wayland).
inline xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace toolkit
