#pragma once

#include "worldclock/worldoptions.h"

#include <QDateTime>
#include <QObject>
#include <QTimeZone>

class QTimer;
namespace toolkit { class Alarm; }

namespace worldclock {

// The first moment after `after` at which the clock strikes: the start of
// an hour of the zone's wall clock that is not a quiet one. Exactly one per
// hour of the wall clock: on the night the clocks go back the repeated
// hour is struck the first time only; on the night they go forward the
// hour that does not exist is not struck, the one after it is (01:00 is
// followed by 03:00). Invalid when every hour is quiet.
QDateTime nextChime(const QDateTime &after, const QTimeZone &zone, const ChimeOptions &options);

// The number of strokes for the hour that starts at that moment: 1 to 12.
int strokesFor(const QDateTime &chime, const QTimeZone &zone);

// Strikes the hours of the local time through the desktop's event sounds.
// Off, it asks for no wake-up; on, it sets one alarm of the program's one
// wake-up for the next hour it strikes. An hour that passed while the
// machine slept or that a clock set forward skipped is not struck late;
// after a jump of the clock or a new time zone the next hour is worked out
// afresh.
class Chime : public QObject
{
    Q_OBJECT
public:
    // How much later than its hour a chime may still sound: a wake-up
    // delayed by a busy machine still strikes, a resume minutes later not.
    static constexpr int LateLimitSecs = 60;
    // Between two strokes of one hour.
    static constexpr int StrokeSpacingMs = 1200;
    // The freedesktop sound theme's bell, for the single chime and each stroke.
    static constexpr char BellSound[] = "bell";

    explicit Chime(QObject *parent = nullptr);
    ~Chime() override;

    void setOptions(const ChimeOptions &options);
    const ChimeOptions &options() const { return m_options; }
    // The moment of the next chime; invalid while off.
    QDateTime next() const { return m_planned; }
    // Strokes of an hour are still to come.
    bool striking() const { return m_strokesLeft > 0; }

private:
    void plan();
    void strike();
    void playStroke();

    ChimeOptions m_options;
    toolkit::Alarm *m_alarm;
    QTimer *m_strokeTimer;
    QDateTime m_planned;
    int m_strokesLeft = 0;
    int m_hour = 0;
};

} // namespace worldclock
