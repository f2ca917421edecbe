#pragma once

#include "agenda/agendaoptions.h"
#include "calendar/calendaroptions.h"
#include "worldclock/worldoptions.h"

#include <QObject>
#include <QPointer>
#include <QString>

class MonthCalendar;
class QWidget;
class WorldView;
namespace agenda { class Agenda; }
namespace toolkit { class ConfFile; }
namespace worldclock { class Chime; }

// What the clock does beyond its classic look: each feature's settings, read
// from Tickora.conf at start-up, put on the window, and edited in "Altre
// opzioni…". The main window owns one; a feature with nothing to show
// changes nothing on screen.
class Extras : public QObject
{
    Q_OBJECT
public:
    // confPath: where Tickora.conf lives (beside Options.dat).
    explicit Extras(QString confPath, QObject *parent = nullptr);
    ~Extras() override;

    // Reads Tickora.conf again and puts every feature's settings on screen.
    void load();

    // Where the other time zones show; without one they show nowhere.
    void attachWorld(WorldView *view);
    const worldclock::ZoneOptions &zones() const { return m_zones; }
    const worldclock::ChimeOptions &chimeOptions() const { return m_chimeOptions; }
    worldclock::Chime &chime() const { return *m_chime; }

    // "Altre opzioni…", modal above the given window. Each change shows at
    // once; OK writes Tickora.conf (a failure is told, the settings stay
    // shown), Cancel puts back what was shown before.
    void showDialog(QWidget *parent);

    // The panel's calendar, once it is made: it shows the calendar's
    // settings from then on.
    void setCalendar(MonthCalendar *calendar);
    const calendar::CalendarOptions &calendarOptions() const { return m_calendar; }
    // The user's agenda: its events as the calendar's day notes, and the
    // list the window shows under the calendar while one is configured.
    agenda::Agenda &agenda() const { return *m_agenda; }

private:
    void readFrom(const toolkit::ConfFile &file);
    void writeTo(toolkit::ConfFile &file) const;
    // Puts every feature's held options on screen.
    void applyAll();

    QString m_confPath;
    calendar::CalendarOptions m_calendar;
    agenda::AgendaOptions m_agendaOptions;
    agenda::Agenda *m_agenda = nullptr;
    QPointer<MonthCalendar> m_monthCalendar;
    worldclock::ZoneOptions m_zones;
    worldclock::ChimeOptions m_chimeOptions;
    WorldView *m_world = nullptr;
    worldclock::Chime *m_chime;
};
