#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

namespace toolkit {

// Tells when the pointer crosses into or out of one of the program's
// windows, from the X server's crossing events (core or XInput 2), also
// while a modal dialog blocks the window and Qt drops the crossing. A still
// pointer, and a pointer moving elsewhere, cost nothing.
class PointerWatch final : public QAbstractNativeEventFilter
{
public:
    explicit PointerWatch(std::function<void()> crossed);
    ~PointerWatch() override;
    PointerWatch(const PointerWatch &) = delete;
    PointerWatch &operator=(const PointerWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::function<void()> m_crossed;
    std::uint8_t m_xinputOpcode = 0;
};

} // namespace toolkit
