#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

struct xcb_connection_t;

namespace toolkit {

// Tells when the pointer may have moved in a way the program cares about:
// it crossed into or out of one of the program's windows (also while a
// modal dialog blocks the window, when Qt drops the crossing), or, while
// followed, it moved at all.
//
// Following asks the X server (XInput 2) for raw pointer motion on the
// root window, a stream of events; the program follows only for as long as
// a crossing cannot tell it what it needs. A still pointer, and a pointer
// moving elsewhere while not followed, cost nothing. Where XInput 2 is
// missing (other platforms) only the crossings are reported.
class PointerWatch final : public QAbstractNativeEventFilter
{
public:
    explicit PointerWatch(std::function<void()> moved);
    ~PointerWatch() override;
    PointerWatch(const PointerWatch &) = delete;
    PointerWatch &operator=(const PointerWatch &) = delete;

    void follow(bool on);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::function<void()> m_moved;
    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint8_t m_xinputOpcode = 0;
    bool m_following = false;
};

} // namespace toolkit
