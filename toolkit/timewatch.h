#pragma once

#include <QObject>

class QFileSystemWatcher;
class QSocketNotifier;

namespace toolkit {

// Notices the jumps of the time of day that no timer sees: the system
// clock set forward or back, a resume from suspend, and a new time zone
// (the zone file replaced, re-pointed or updated).
//
// The kernel cancels a CLOCK_REALTIME timerfd armed with
// TFD_TIMER_CANCEL_ON_SET whenever the clock is set, also on resume; one
// armed far in the future becomes readable then and at no other time. The
// zone file and its folder are watched (tools replace the file by a
// rename). The C library reloads a zone only when the value of TZ changes,
// so the watch changes it and sets it back before telling.
class TimeWatch final : public QObject
{
    Q_OBJECT
public:
    explicit TimeWatch(QObject *parent = nullptr);
    ~TimeWatch() override;

signals:
    void changed();

private:
    void armClockWatch();
    void clockSet();
    void zoneChanged();
    void watchZoneFile();

    int m_timerFd = -1;
    QSocketNotifier *m_clockNotifier = nullptr;
    QFileSystemWatcher *m_zoneWatcher = nullptr;
};

} // namespace toolkit
