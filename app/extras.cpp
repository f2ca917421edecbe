#include "app/extras.h"

#include "agenda/agenda.h"
#include "agenda/agendapage.h"
#include "calendar/calendarpage.h"
#include "calendar/monthcalendar.h"
#include "app/worldview.h"
#include "moreoptions/frmmoreoptions.h"
#include "toolkit/conffile.h"
#include "toolkit/desktop.h"
#include "worldclock/chime.h"
#include "worldclock/soundspage.h"
#include "worldclock/zonespage.h"

#include <QDir>

Extras::Extras(QString confPath, QObject *parent)
    : QObject(parent)
    , m_confPath(std::move(confPath))
    , m_agenda(new agenda::Agenda(nullptr, this))
    , m_chime(new worldclock::Chime(this))
{
}

Extras::~Extras() = default;

void Extras::load()
{
    readFrom(toolkit::ConfFile(m_confPath));
    applyAll();
}

void Extras::setCalendar(MonthCalendar *calendar)
{
    m_monthCalendar = calendar;
    // The agenda's events are the calendar's day notes; the agenda reads
    // the days around the month shown.
    const QPointer<agenda::Agenda> events(m_agenda);
    calendar->setDayNotesProvider([events](const QDate &day) {
        QList<calendar::DayNote> notes;
        if (events) {
            for (const agenda::DayLine &line : events->dayLines(day))
                notes.push_back({line.text, line.color});
        }
        return notes;
    });
    connect(m_agenda, &agenda::Agenda::changed, calendar, &MonthCalendar::refreshDayNotes);
    connect(calendar, &QCalendarWidget::currentPageChanged, m_agenda,
            [this](int year, int month) { m_agenda->setShownMonth(QDate(year, month, 1)); });
    m_agenda->setShownMonth(calendar->selectedDate());
    applyAll();
}

// Each feature reads its own group; a value that makes no sense gives its
// default there.
void Extras::readFrom(const toolkit::ConfFile &file)
{
    m_calendar = calendar::CalendarOptions::read(file);
    m_zones = worldclock::ZoneOptions::read(file);
    m_chimeOptions = worldclock::ChimeOptions::read(file);
    m_agendaOptions = agenda::AgendaOptions::read(file);
}

void Extras::writeTo(toolkit::ConfFile &file) const
{
    m_calendar.write(file);
    m_agendaOptions.write(file);
    m_zones.write(file);
    m_chimeOptions.write(file);
}

void Extras::attachWorld(WorldView *view)
{
    m_world = view;
    if (m_world)
        m_world->setOptions(m_zones);
}

void Extras::applyAll()
{
    m_agenda->setOptions(m_agendaOptions);
    if (m_monthCalendar)
        m_monthCalendar->setOptions(m_calendar);
    if (m_world)
        m_world->setOptions(m_zones);
    m_chime->setOptions(m_chimeOptions);
}

void Extras::showDialog(QWidget *parent)
{
    frmMoreOptions dialog(parent);
    // Each feature adds its page here, made from the options it holds, and
    // puts the page's options on screen whenever the page says it changed.
    auto *calendarPage = new CalendarPage(m_calendar);
    dialog.addPage(calendarPage, QString::fromUtf8(CalendarPage::Title));
    connect(calendarPage, &CalendarPage::changed, this, [this, calendarPage] {
        if (m_monthCalendar)
            m_monthCalendar->setOptions(calendarPage->options());
    });
    auto *agendaPage = new agenda::AgendaPage(m_agendaOptions);
    agendaPage->setErrors(m_agenda->errors());
    dialog.addPage(agendaPage, QString::fromUtf8(agenda::AgendaPage::Title));
    connect(agendaPage, &agenda::AgendaPage::changed, this,
            [this, agendaPage] { m_agenda->setOptions(agendaPage->options()); });
    // What is wrong with which file, as the files are read again.
    connect(m_agenda, &agenda::Agenda::changed, agendaPage, [this, agendaPage] { agendaPage->setErrors(m_agenda->errors()); });
    auto *zonesPage = new worldclock::ZonesPage(m_zones);
    dialog.addPage(zonesPage, QString::fromUtf8(worldclock::ZonesPage::Title));
    connect(zonesPage, &worldclock::ZonesPage::changed, this, [this, zonesPage] {
        if (m_world)
            m_world->setOptions(zonesPage->options());
    });
    auto *soundsPage = new worldclock::SoundsPage(m_chimeOptions);
    dialog.addPage(soundsPage, QString::fromUtf8(worldclock::SoundsPage::Title));
    connect(soundsPage, &worldclock::SoundsPage::changed, this,
            [this, soundsPage] { m_chime->setOptions(soundsPage->options()); });

    const bool accepted = toolkit::desktop().execModal(&dialog) == QDialog::Accepted;
    if (!accepted) {
        applyAll(); // the held options are still those shown before
        return;
    }
    // Each feature takes its page's options as the ones it holds.
    m_calendar = calendarPage->options();
    m_zones = zonesPage->options();
    m_chimeOptions = soundsPage->options();
    m_agendaOptions = agendaPage->options();
    toolkit::ConfFile file(m_confPath);
    writeTo(file);
    QString error;
    if (!file.save(&error)) {
        toolkit::MsgBox(parent,
                        QStringLiteral("Impossibile salvare le impostazioni in %1: %2")
                            .arg(QDir::toNativeSeparators(m_confPath), error),
                        toolkit::MessageIcon::Exclamation, QString::fromUtf8(frmMoreOptions::Caption));
    }
}
