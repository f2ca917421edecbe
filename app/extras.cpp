#include "app/extras.h"

#include "calendar/calendarpage.h"
#include "calendar/monthcalendar.h"
#include "moreoptions/frmmoreoptions.h"
#include "toolkit/conffile.h"
#include "toolkit/desktop.h"

#include <QDir>

Extras::Extras(QString confPath, QObject *parent)
    : QObject(parent)
    , m_confPath(std::move(confPath))
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
    applyAll();
}

// Each feature reads its own group; a value that makes no sense gives its
// default there.
void Extras::readFrom(const toolkit::ConfFile &file)
{
    m_calendar = calendar::CalendarOptions::read(file);
}

void Extras::writeTo(toolkit::ConfFile &file) const
{
    m_calendar.write(file);
}

void Extras::applyAll()
{
    if (m_monthCalendar)
        m_monthCalendar->setOptions(m_calendar);
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

    const bool accepted = toolkit::desktop().execModal(&dialog) == QDialog::Accepted;
    if (!accepted) {
        applyAll(); // the held options are still those shown before
        return;
    }
    // Each feature takes its page's options as the ones it holds.
    m_calendar = calendarPage->options();
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
