#pragma once

#include <QAbstractNativeEventFilter>
#include <QRect>

#include <cstdint>
#include <functional>

class QWidget;

namespace toolkit {

// Tells when the pointer may have reached the strip a hidden window leaves
// on screen, also when another window covers the strip and no crossing of
// the hidden window's own can tell. While a strip is watched, the stacking
// and places of the top-level windows are followed (the X server reports
// their changes: nothing when nothing changes), and only while one of them
// covers the strip is every motion of the pointer reported (XInput 2 raw
// motion): a still pointer costs nothing, and an uncovered strip no motion.
class StripWatch final : public QAbstractNativeEventFilter
{
public:
    explicit StripWatch(std::function<void()> moved);
    ~StripWatch() override;
    StripWatch(const StripWatch &) = delete;
    StripWatch &operator=(const StripWatch &) = delete;

    // The window's strip on the screen, in device-independent pixels; an
    // empty one stops the watch.
    void watch(QWidget *window, const QRect &strip);
    bool covered() const { return m_motionSelected; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void followWindows(bool on);
    void selectMotion(bool on);
    void checkCovered();

    std::function<void()> m_moved;
    std::uint8_t m_xinputOpcode = 0;
    std::uint32_t m_window = 0; // the watched window's own X window
    QRect m_strip;              // in the X server's pixels
    std::uint32_t m_rootMask = 0; // the root's events the program chose before
    bool m_following = false;
    bool m_motionSelected = false;
    bool m_checkQueued = false;
};

} // namespace toolkit
