#pragma once

#include <QAbstractNativeEventFilter>
#include <QPoint>

#include <cstdint>

struct xcb_connection_t;

namespace toolkit {

// The pointer's position on the screen, asked of the window system only
// when the pointer may have moved since the last answer.
//
// On X11 every question is a round trip that wakes the program twice (its
// own thread and Qt's event reader), and the clock looks at the pointer
// three times a second. So the watch asks the X server (XInput 2) to report
// the next raw pointer motion, and keeps the last answer until that report
// comes. The report is asked for once per answer: however fast the mouse
// moves, it costs at most one event between two looks, and a still mouse
// costs nothing. Crossing one of the program's windows also makes the
// answer stale. Where XInput 2 is missing (other platforms, tests), every
// look asks.
class PointerWatch final : public QAbstractNativeEventFilter
{
public:
    PointerWatch();
    ~PointerWatch() override;
    PointerWatch(const PointerWatch &) = delete;
    PointerWatch &operator=(const PointerWatch &) = delete;

    QPoint pos();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void selectMotion(bool on);

    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint8_t m_xinputOpcode = 0;
    bool m_selected = false;
    bool m_stale = true;
    QPoint m_pos;
};

} // namespace toolkit
