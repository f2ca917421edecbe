#include "agenda/agenda.h"

#include "agenda/dayline.h"
#include "agenda/filefollower.h"
#include "agenda/icsreader.h"
#include "agenda/notifier.h"
#include "agenda/reminders.h"
#include "toolkit/desktop.h"
#include "toolkit/memory.h"

#include <QtConcurrent/QtConcurrentRun>

namespace agenda {

namespace {

struct Job
{
    QStringList paths; // by source index; empty for one switched off
    QList<DateRange> ranges;
};

AgendaData read(const Job &job)
{
    AgendaData data;
    QStringList files;
    QStringList folders;
    for (int i = 0; i < job.paths.size(); ++i) {
        if (job.paths.at(i).isEmpty())
            continue;
        readSource(job.paths.at(i), job.ranges, i, data);
        const WatchList watch = watchList(job.paths.at(i));
        files << watch.files;
        folders << watch.folders;
    }
    finish(data, job.ranges);
    data.watchFiles = files;
    data.watchFolders = folders;
    return data;
}

} // namespace

Agenda::Agenda(Notifier *notifier, QObject *parent)
    : QObject(parent)
    , m_ownNotifier(notifier ? nullptr : new DBusNotifier)
    , m_reminders(new Reminders(notifier ? *notifier : *m_ownNotifier, this))
    , m_follower(new FileFollower(this))
{
    m_pool.setMaxThreadCount(1);
    connect(&m_result, &QFutureWatcher<AgendaData>::finished, this, &Agenda::takeResult);
    connect(m_follower, &FileFollower::changed, this, &Agenda::reload);
    // A new zone moves timed events between days; a resume may find the
    // files changed while the watch slept.
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::timeChanged, this, [this] {
        if (active())
            reload();
    });
}

Agenda::~Agenda()
{
    // A reading under way finishes first: it reads only, and is short.
    if (m_reading)
        m_result.waitForFinished();
}

void Agenda::setOptions(const AgendaOptions &options)
{
    const auto what = [](const AgendaOptions &o) {
        QStringList read;
        for (const AgendaOptions::Source &source : o.sources)
            read << (source.enabled ? source.path : QString());
        return read;
    };
    const bool sameFiles = what(options) == what(m_options);
    const bool sameLook = options.sources == m_options.sources;
    m_options = options;
    m_reminders->setEnabled(options.reminders);
    if (sameFiles) {
        if (!sameLook)
            emit changed(); // a colour
        return;
    }
    if (!active()) {
        m_follower->watch({}, {});
        m_data = AgendaData();
        m_reminders->setData(m_data);
        emit changed();
        return;
    }
    // Reminders and days follow a clock set, a resume or a new zone even
    // while the clock itself sleeps hidden.
    toolkit::desktop().watchTimeJumps();
    reload();
}

void Agenda::setShownMonth(QDate day)
{
    const QDate month(day.year(), day.month(), 1);
    if (month == m_shownMonth)
        return;
    m_shownMonth = month;
    if (active())
        reload();
}

QList<DateRange> Agenda::ranges() const
{
    const QDate today = toolkit::desktop().now().date();
    QList<DateRange> ranges{{today.addDays(-1), today.addDays(AheadDays)}};
    if (m_shownMonth.isValid())
        ranges.push_back({m_shownMonth.addDays(-MarginDays), m_shownMonth.addMonths(1).addDays(MarginDays)});
    return ranges;
}

void Agenda::reload()
{
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    Job job;
    job.ranges = ranges();
    for (const AgendaOptions::Source &source : std::as_const(m_options.sources))
        job.paths << (source.enabled ? expandHome(source.path) : QString());
    // Each reading fills and empties the reader's heap by megabytes.
    toolkit::returnFreedMemoryPromptly();
    m_reading = true;
    m_result.setFuture(QtConcurrent::run(&m_pool, read, job));
}

void Agenda::takeResult()
{
    if (!m_reading)
        return;
    m_reading = false;
    if (m_readAgain || !active()) {
        // What was read is already out of date.
        m_readAgain = false;
        if (active())
            reload();
        return;
    }
    // Moved out, so that the future keeps no second copy; the old data is
    // freed by the reader's thread, not the window's.
    AgendaData old = std::exchange(m_data, m_result.future().takeResult());
    m_freeing = QtConcurrent::run(&m_pool, [old = std::move(old)] {});
    m_follower->watch(m_data.watchFiles, m_data.watchFolders);
    m_reminders->setData(m_data);
    emit changed();
}

QColor Agenda::colorOf(int source) const
{
    return m_options.sources.value(source).color;
}

QList<DayLine> Agenda::dayLines(QDate day) const
{
    QList<DayLine> lines;
    for (int i : m_data.days.value(day)) {
        const Occurrence &o = m_data.occurrences.at(i);
        lines.push_back({dayLineText(o, day), colorOf(o.source)});
    }
    return lines;
}

QList<DayLine> Agenda::nextLines(QDate day) const
{
    const QDateTime now = toolkit::desktop().now();
    QList<DayLine> lines;
    for (int i : m_data.days.value(day)) {
        const Occurrence &o = m_data.occurrences.at(i);
        if (day != now.date() || notEnded(o, now))
            lines.push_back({dayLineText(o, day), colorOf(o.source)});
    }
    return lines;
}

} // namespace agenda
