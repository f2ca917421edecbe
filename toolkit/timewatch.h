#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace toolkit {

// Notices the jumps of the time of day that no timer sees: the system
// clock set forward or back, a resume from suspend, and a new time zone
// (the zone file replaced, re-pointed or updated).
//
// The kernel cancels a CLOCK_REALTIME timerfd armed with
// TFD_TIMER_CANCEL_ON_SET whenever the clock is set, also on resume; one
// armed far in the future becomes readable then and at no other time. The
// zone file is watched, and in its folder only the entries of its own name
// (tools replace the file by a rename): other changes there cost nothing.
class TimeWatch final : public QObject
{
    Q_OBJECT
public:
    explicit TimeWatch(QObject *parent = nullptr);
    ~TimeWatch() override;
    TimeWatch(const TimeWatch &) = delete;
    TimeWatch &operator=(const TimeWatch &) = delete;

    // Settles the TZ variable for the reloads to come. The C library reads
    // the zone again only when the value of TZ changes (or TZ is unset and
    // the file changed); changing the environment once other threads run
    // could free it under a reader. So, at start-up, before the first
    // thread other than the main one: a TZ naming a zone file is replaced
    // by one of two spellings of that file's path, equally long and one
    // byte apart, which a reload later flips in place.
    static void settleZoneVariable();

signals:
    void changed();

private:
    void armClockWatch();
    void clockSet();
    void zoneEvents();
    void watchZoneFile();

    int m_timerFd = -1;
    QSocketNotifier *m_clockNotifier = nullptr;
    int m_inotifyFd = -1;
    QSocketNotifier *m_zoneNotifier = nullptr;
    int m_fileWatch = -1;
    QString m_zoneFile;
};

} // namespace toolkit
