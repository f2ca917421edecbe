#include "agenda/icsreader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <numeric>

namespace agenda {

namespace {

constexpr qint64 SecsPerDay = 24 * 60 * 60;
// An open-ended rule stops at the end of the days asked for; these bound
// what a rule that never reaches them (or a hostile file) can cost.
constexpr int MaxStepsPerRule = 50000;
constexpr int MaxOccurrencesPerFile = 200000;
constexpr int MaxSummaryChars = 200;
constexpr int MaxDaysPerOccurrence = 366;
constexpr int MaxFolderFiles = 20000;
constexpr int MaxFolderDepth = 4;
// Bytes looked at to tell a text file from a binary one.
constexpr int SniffBytes = 4096;

struct IcalFree
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, IcalFree>;

// A moment as seconds since the epoch. A date counts from its midnight in
// UTC and a floating time as if it were UTC: both only compare against the
// days asked for, which carry a margin of a day for that.
qint64 instantOf(const icaltimetype &t)
{
    if (t.is_date || !t.zone || icaltime_is_utc(t))
        return qint64(icaltime_as_timet(t));
    return qint64(icaltime_as_timet_with_zone(t, t.zone));
}

bool isFloating(const icaltimetype &t)
{
    return !t.is_date && !t.zone && !icaltime_is_utc(t);
}

QDate dateOf(const icaltimetype &t)
{
    return QDate(t.year, t.month, t.day);
}

// The pieces of text between "BEGIN:<kind>" and "END:<kind>" lines directly
// inside the calendar, by kind.
struct Blocks
{
    // Where each block starts in the text and how long it is: the text is
    // not copied a second time.
    QList<std::pair<qsizetype, qsizetype>> timezones;
    QList<std::pair<qsizetype, qsizetype>> events;
    bool calendarEnded = false;
    bool calendarBegun = false;
};

Blocks splitBlocks(const QByteArray &text)
{
    Blocks blocks;
    int depth = 0;
    qsizetype blockStart = -1;
    QByteArray blockKind;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype eol = text.indexOf('\n', pos);
        if (eol < 0)
            eol = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(pos, eol - pos).trimmed();
        const qsizetype lineStart = pos;
        pos = eol + 1;
        // Names are case-insensitive; most lines are neither.
        const bool begin = line.size() > 6 && qstrnicmp(line.data(), "BEGIN:", 6) == 0;
        const bool end = !begin && line.size() > 4 && qstrnicmp(line.data(), "END:", 4) == 0;
        if (!begin && !end)
            continue;
        const QByteArray kind = line.sliced(begin ? 6 : 4).toByteArray().toUpper();
        if (begin) {
            if (depth == 0 && kind == "VCALENDAR")
                blocks.calendarBegun = true;
            if (depth == 1 && (kind == "VEVENT" || kind == "VTIMEZONE")) {
                blockStart = lineStart;
                blockKind = kind;
            }
            ++depth;
        } else {
            --depth;
            if (depth == 1 && blockStart >= 0 && kind == blockKind) {
                (blockKind == "VEVENT" ? blocks.events : blocks.timezones).push_back({blockStart, pos - blockStart});
                blockStart = -1;
            }
            if (depth == 0 && kind == "VCALENDAR")
                blocks.calendarEnded = true;
            depth = std::max(depth, 0);
        }
    }
    return blocks;
}

// Reads the events of one calendar, one VEVENT at a time inside a holder
// that carries the file's time zones, so that a large file never becomes
// one large tree in memory.
class CalendarReader
{
public:
    CalendarReader(const QList<DateRange> &ranges, int source, AgendaData &into)
        : m_source(source)
        , m_into(into)
        , m_firstOccurrence(into.occurrences.size())
        , m_firstReminder(into.reminders.size())
    {
        for (const DateRange &range : ranges) {
            if (!range.from.isValid() || !range.to.isValid())
                continue;
            // A day's margin each side for zones and floating times.
            const qint64 from = QDateTime(range.from, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() - SecsPerDay;
            const qint64 to = QDateTime(range.to, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + 2 * SecsPerDay;
            m_ranges.push_back({from, to});
            m_windowStart = m_ranges.size() == 1 ? from : std::min(m_windowStart, from);
            m_windowEnd = m_ranges.size() == 1 ? to : std::max(m_windowEnd, to);
        }
    }

    QString read(const QByteArray &text)
    {
        const Blocks blocks = splitBlocks(text);
        if (!blocks.calendarBegun)
            return QStringLiteral("non è un file iCalendar");
        m_holder.reset(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
        for (const auto &[start, length] : blocks.timezones) {
            icalcomponent *zone = icalparser_parse_string(text.mid(start, length).constData());
            if (zone && icalcomponent_isa(zone) == ICAL_VTIMEZONE_COMPONENT)
                icalcomponent_add_component(m_holder.get(), zone);
            else if (zone)
                icalcomponent_free(zone);
        }
        for (const auto &[start, length] : blocks.events)
            readEvent(text.mid(start, length));
        dropOverridden();
        if (!blocks.calendarEnded)
            return QStringLiteral("file troncato (manca la fine del calendario)");
        if (m_full)
            return QStringLiteral("troppi eventi: letti i primi %1").arg(MaxOccurrencesPerFile);
        if (m_bad > 0)
            return m_bad == 1 ? QStringLiteral("un evento non valido ignorato")
                              : QStringLiteral("%1 eventi non validi ignorati").arg(m_bad);
        return {};
    }

private:
    struct Span
    {
        qint64 from;
        qint64 to;
    };
    struct Event
    {
        icalcomponent *component;
        icaltimetype start;
        qint64 lengthSecs = 0; // timed events
        int lengthDays = 0;    // all-day events
        QString summary;
        QByteArray uid;
    };

    void readEvent(const QByteArray &block)
    {
        ComponentPtr parsed(icalparser_parse_string(block.constData()));
        if (!parsed || icalcomponent_isa(parsed.get()) != ICAL_VEVENT_COMPONENT) {
            ++m_bad;
            return;
        }
        icalcomponent *component = parsed.get();
        icalcomponent_add_component(m_holder.get(), component);
        readEvent(component);
        icalcomponent_remove_component(m_holder.get(), component);
    }

    void readEvent(icalcomponent *component)
    {
        icalproperty *startProp = icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
        if (!startProp) {
            ++m_bad;
            return;
        }
        Event event{component, icalproperty_get_dtstart(startProp), 0, 0, {}, {}};
        if (icaltime_is_null_time(event.start) || !icaltime_is_valid_time(event.start)
            || !QDate::isValid(event.start.year, event.start.month, event.start.day)) {
            ++m_bad;
            return;
        }
        resolveZone(startProp, event.start);
        setLength(event);
        event.summary = summaryOf(component);
        const char *uid = icalcomponent_get_uid(component);
        event.uid = uid ? QByteArray(uid) : QByteArray();
        const bool cancelled = icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED;

        if (icalproperty *recurrenceId = icalcomponent_get_first_property(component, ICAL_RECURRENCEID_PROPERTY)) {
            // A moved or cancelled occurrence of a recurring event: it
            // replaces the one the rule gives at that moment.
            icaltimetype original = icalproperty_get_recurrenceid(recurrenceId);
            resolveZone(recurrenceId, original);
            m_overridden.insert(overrideKey(event.uid, instantOf(original)));
            if (!cancelled)
                addOccurrence(event, event.start, instantOf(original), false);
            return;
        }
        if (cancelled)
            return;
        for (const icaltimetype &start : instances(event))
            addOccurrence(event, start, instantOf(start), true);
    }

    void setLength(Event &event)
    {
        icalproperty *endProp = icalcomponent_get_first_property(event.component, ICAL_DTEND_PROPERTY);
        icalproperty *durationProp = icalcomponent_get_first_property(event.component, ICAL_DURATION_PROPERTY);
        if (endProp) {
            icaltimetype end = icalproperty_get_dtend(endProp);
            resolveZone(endProp, end);
            if (event.start.is_date && end.is_date && QDate::isValid(end.year, end.month, end.day))
                event.lengthDays = int(dateOf(event.start).daysTo(dateOf(end)));
            else if (!icaltime_is_null_time(end))
                event.lengthSecs = isFloating(event.start) && isFloating(end)
                    ? qint64(icaltime_as_timet(end)) - qint64(icaltime_as_timet(event.start))
                    : instantOf(end) - instantOf(event.start);
        } else if (durationProp) {
            const icaldurationtype duration = icalproperty_get_duration(durationProp);
            const qint64 secs = qint64(icaldurationtype_as_int(duration));
            if (event.start.is_date)
                event.lengthDays = int(secs / SecsPerDay);
            else
                event.lengthSecs = secs;
        }
        // An all-day event without an end lasts its day.
        if (event.start.is_date)
            event.lengthDays = std::clamp(event.lengthDays, 1, MaxDaysPerOccurrence);
        event.lengthSecs = std::clamp<qint64>(event.lengthSecs, 0, MaxDaysPerOccurrence * SecsPerDay);
    }

    // A time-zone identifier of a property: the file's own VTIMEZONE first,
    // then the system's zone of that IANA name. Each name is looked up once
    // a reading: libical finds a system zone by comparing its name with
    // every zone it knows.
    void resolveZone(icalproperty *prop, icaltimetype &t)
    {
        if (t.is_date || icaltime_is_utc(t))
            return;
        icalparameter *param = icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER);
        const char *tzid = param ? icalparameter_get_tzid(param) : nullptr;
        if (!tzid || !*tzid)
            return;
        const QByteArray name(tzid);
        auto found = m_zones.constFind(name);
        if (found == m_zones.cend()) {
            icaltimezone *zone = icalcomponent_get_timezone(m_holder.get(), tzid);
            found = m_zones.insert(name, zone ? zone : icaltimezone_get_builtin_timezone(tzid));
        }
        t.zone = *found;
    }

    static QString summaryOf(icalcomponent *component)
    {
        const char *summary = icalcomponent_get_summary(component);
        QString text = summary ? QString::fromUtf8(summary).simplified() : QString();
        if (text.isEmpty())
            text = QStringLiteral("(senza titolo)");
        if (text.size() > MaxSummaryChars)
            text = text.left(MaxSummaryChars - 1) + QChar(0x2026);
        return text;
    }

    // The first occurrence, those of every RRULE and RDATE, less the EXDATEs.
    QList<icaltimetype> instances(const Event &event)
    {
        QList<icaltimetype> starts{event.start};
        const qint64 reach = event.start.is_date ? event.lengthDays * SecsPerDay : event.lengthSecs;
        for (icalproperty *p = icalcomponent_get_first_property(event.component, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(event.component, ICAL_RRULE_PROPERTY))
            expandRule(icalproperty_get_rrule(p), event.start, reach, starts);
        for (icalproperty *p = icalcomponent_get_first_property(event.component, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event.component, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            icaltimetype t = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
            if (icaltime_is_null_time(t) || !QDate::isValid(t.year, t.month, t.day))
                continue;
            resolveZone(p, t);
            starts.push_back(t);
        }
        QSet<qint64> excluded;
        for (icalproperty *p = icalcomponent_get_first_property(event.component, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event.component, ICAL_EXDATE_PROPERTY)) {
            icaltimetype t = icalproperty_get_exdate(p);
            resolveZone(p, t);
            excluded.insert(t.is_date ? dateOf(t).toJulianDay() : instantOf(t));
        }
        QSet<qint64> seen;
        QList<icaltimetype> kept;
        for (const icaltimetype &t : std::as_const(starts)) {
            const qint64 at = instantOf(t);
            const bool dateExcluded = excluded.contains(dateOf(t).toJulianDay()) && QDate::isValid(t.year, t.month, t.day);
            if (excluded.contains(at) || dateExcluded || seen.contains(at))
                continue;
            seen.insert(at);
            kept.push_back(t);
        }
        return kept;
    }

    void expandRule(const icalrecurrencetype &rule, const icaltimetype &start, qint64 reach, QList<icaltimetype> &starts)
    {
        if (rule.freq == ICAL_NO_RECURRENCE || m_ranges.isEmpty())
            return;
        icalrecur_iterator *it = icalrecur_iterator_new(rule, start);
        if (!it)
            return;
        // A rule started long ago would run through every step up to the
        // days asked for (a second's rule through millions): it starts
        // there instead. A COUNT needs every step from the first.
        if (rule.count == 0 && instantOf(start) < m_windowStart - reach - SecsPerDay) {
            icaltimetype from = icaltime_from_timet_with_zone(time_t(m_windowStart - reach), 0, icaltimezone_get_utc_timezone());
            if (start.zone)
                from = icaltime_convert_to_zone(from, const_cast<icaltimezone *>(start.zone));
            from.is_date = start.is_date;
            icalrecur_iterator_set_start(it, from);
        }
        for (int step = 0; step < MaxStepsPerRule; ++step) {
            icaltimetype next = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(next))
                break;
            next.zone = start.zone;
            next.is_date = start.is_date;
            const qint64 at = instantOf(next);
            if (at > m_windowEnd)
                break;
            if (at + reach >= m_windowStart)
                starts.push_back(next);
        }
        icalrecur_iterator_free(it);
    }

    bool inRanges(qint64 from, qint64 to) const
    {
        return std::any_of(m_ranges.cbegin(), m_ranges.cend(), [&](const Span &s) { return from <= s.to && to >= s.from; });
    }

    void addOccurrence(const Event &event, const icaltimetype &start, qint64 originalAt, bool master)
    {
        const qint64 at = instantOf(start);
        const qint64 length = start.is_date ? event.lengthDays * SecsPerDay : event.lengthSecs;
        if (!inRanges(at, at + length))
            return;
        if (m_into.occurrences.size() - m_firstOccurrence >= MaxOccurrencesPerFile) {
            m_full = true;
            return;
        }
        Occurrence occurrence;
        occurrence.summary = event.summary;
        occurrence.source = m_source;
        occurrence.allDay = start.is_date;
        if (start.is_date) {
            occurrence.firstDay = dateOf(start);
            occurrence.lastDay = occurrence.firstDay.addDays(event.lengthDays - 1);
        } else if (isFloating(start)) {
            occurrence.start = QDateTime(dateOf(start), QTime(start.hour, start.minute, start.second), Qt::LocalTime);
            occurrence.end = occurrence.start.addSecs(length);
        } else {
            occurrence.start = QDateTime::fromSecsSinceEpoch(at, Qt::UTC);
            occurrence.end = occurrence.start.addSecs(length);
        }
        const int index = int(m_into.occurrences.size());
        m_into.occurrences.push_back(occurrence);
        if (master)
            m_masterKeys.push_back({index, overrideKey(event.uid, originalAt)});
        addReminders(event.component, index, originalAt, event.uid);
    }

    // DISPLAY alarms: before or after the start or the end, or at a moment.
    void addReminders(icalcomponent *component, int index, qint64 originalAt, const QByteArray &uid)
    {
        int alarmNumber = 0;
        for (icalcomponent *alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT); alarm;
             alarm = icalcomponent_get_next_component(component, ICAL_VALARM_COMPONENT), ++alarmNumber) {
            icalproperty *action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
            icalproperty *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            if (!action || !trigger || icalproperty_get_action(action) != ICAL_ACTION_DISPLAY)
                continue;
            const Occurrence &occurrence = m_into.occurrences.at(index);
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            QDateTime at;
            if (!icaltime_is_null_time(when.time)) {
                at = QDateTime::fromSecsSinceEpoch(instantOf(when.time), Qt::UTC);
            } else {
                icalparameter *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
                const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
                const QDateTime base = occurrence.allDay
                    ? QDateTime(fromEnd ? occurrence.lastDay.addDays(1) : occurrence.firstDay, QTime(0, 0), Qt::LocalTime)
                    : (fromEnd ? occurrence.end : occurrence.start);
                at = base.addSecs(icaldurationtype_as_int(when.duration));
            }
            if (!at.isValid())
                continue;
            const QString key = QString::fromUtf8(uid) + QLatin1Char('/') + QString::number(originalAt)
                + QLatin1Char('/') + QString::number(alarmNumber) + QLatin1Char('/') + QString::number(m_source);
            m_into.reminders.push_back({at, index, key});
        }
    }

    static QByteArray overrideKey(const QByteArray &uid, qint64 at)
    {
        return uid + '/' + QByteArray::number(at);
    }

    // Takes out the occurrences a RECURRENCE-ID replaced, wherever in the
    // file the replacement came, and renumbers the reminders.
    void dropOverridden()
    {
        if (m_overridden.isEmpty())
            return;
        QSet<int> dropped;
        for (const auto &[index, key] : std::as_const(m_masterKeys))
            if (m_overridden.contains(key))
                dropped.insert(index);
        if (dropped.isEmpty())
            return;
        QList<int> newIndex(m_into.occurrences.size() - m_firstOccurrence, -1);
        QList<Occurrence> kept;
        for (qsizetype i = m_firstOccurrence; i < m_into.occurrences.size(); ++i) {
            if (dropped.contains(int(i)))
                continue;
            newIndex[i - m_firstOccurrence] = int(m_firstOccurrence + kept.size());
            kept.push_back(m_into.occurrences.at(i));
        }
        m_into.occurrences.resize(m_firstOccurrence);
        m_into.occurrences.append(kept);
        QList<Reminder> reminders;
        for (qsizetype i = m_firstReminder; i < m_into.reminders.size(); ++i) {
            Reminder r = m_into.reminders.at(i);
            r.occurrence = newIndex.at(r.occurrence - m_firstOccurrence);
            if (r.occurrence >= 0)
                reminders.push_back(r);
        }
        m_into.reminders.resize(m_firstReminder);
        m_into.reminders.append(reminders);
    }

    int m_source;
    AgendaData &m_into;
    qsizetype m_firstOccurrence;
    qsizetype m_firstReminder;
    QList<Span> m_ranges;
    qint64 m_windowStart = 0;
    qint64 m_windowEnd = 0;
    ComponentPtr m_holder;
    QHash<QByteArray, icaltimezone *> m_zones; // the holder's or libical's own
    QSet<QByteArray> m_overridden;
    QList<std::pair<int, QByteArray>> m_masterKeys;
    int m_bad = 0;
    bool m_full = false;
};

QString shownPath(const QString &path)
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    const QString native = QDir::toNativeSeparators(path);
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : native;
}

bool looksBinary(const QByteArray &head)
{
    return head.contains('\0');
}

// Reads the file whole, or one byte past the limit when it holds more (it
// may have grown since its size was looked at). The buffer starts at the
// file's size: one of the limit's size for every reading would leave the
// reader's heap fragmented, growing with every reload.
QByteArray readAtMost(QFile &file, qint64 limit)
{
    QByteArray text(std::clamp<qint64>(file.size(), 0, limit) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        const qint64 n = file.read(text.data() + got, text.size() - got);
        if (n <= 0)
            break;
        got += n;
        if (got < text.size())
            continue;
        if (got > limit)
            break;
        text.resize(std::min(2 * got, limit + 1));
    }
    text.resize(std::max<qint64>(got, 0));
    return text;
}

void readFile(const QString &path, const QList<DateRange> &ranges, int source, AgendaData &into)
{
    const auto fail = [&](const QString &why) { into.errors << shownPath(path) + QStringLiteral(": ") + why; };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("non trovato"));
    if (info.size() > MaxFileBytes)
        return fail(QStringLiteral("troppo grande (%1 MB, al massimo %2 MB)")
                        .arg(QString::number(double(info.size()) / (1024 * 1024), 'f', 1))
                        .arg(MaxFileBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("impossibile leggerlo (%1)").arg(file.errorString()));
    const QByteArray text = readAtMost(file, MaxFileBytes);
    if (text.size() > MaxFileBytes)
        return fail(QStringLiteral("troppo grande"));
    if (QByteArrayView(text).trimmed().isEmpty())
        return fail(QStringLiteral("vuoto"));
    if (looksBinary(text.left(SniffBytes)))
        return fail(QStringLiteral("non è un file iCalendar"));
    const QString problem = readCalendar(text, ranges, source, into);
    if (!problem.isEmpty())
        fail(problem);
}

QStringList folderFiles(const QString &folder, QStringList *subfolders = nullptr)
{
    QStringList files;
    const auto walk = [&](const auto &self, const QString &dir, int depth) -> void {
        if (subfolders)
            *subfolders << dir;
        const QDir d(dir);
        for (const QFileInfo &entry : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable,
                                                      QDir::Name)) {
            if (files.size() >= MaxFolderFiles)
                return;
            if (entry.isDir() && !entry.isSymLink() && depth < MaxFolderDepth)
                self(self, entry.filePath(), depth + 1);
            else if (entry.isFile() && entry.suffix().compare(u"ics", Qt::CaseInsensitive) == 0)
                files << entry.filePath();
        }
    };
    walk(walk, folder, 0);
    return files;
}

} // namespace

QString readCalendar(const QByteArray &text, const QList<DateRange> &ranges, int source, AgendaData &into)
{
    // Errors in the text are reported as properties of the parsed parts,
    // never by ending the program.
    icalerror_set_errors_are_fatal(0);
    CalendarReader reader(ranges, source, into);
    return reader.read(text);
}

void readSource(const QString &path, const QList<DateRange> &ranges, int source, AgendaData &into)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return readFile(path, ranges, source, into);
    if (!info.isReadable() || !info.isExecutable()) {
        into.errors << shownPath(path) + QStringLiteral(": cartella non leggibile");
        return;
    }
    const QStringList files = folderFiles(path);
    if (files.isEmpty())
        into.errors << shownPath(path) + QStringLiteral(": nessun file .ics nella cartella");
    for (const QString &file : files)
        readFile(file, ranges, source, into);
}

WatchList watchList(const QString &path)
{
    WatchList list;
    const QFileInfo info(path);
    if (info.isDir()) {
        list.files = folderFiles(path, &list.folders);
    } else if (info.exists()) {
        // Saved in place or replaced by a rename (the old file goes), the
        // file's own watch tells; its folder's would wake the clock for
        // every other file there (a download folder, /tmp).
        list.files << path;
    } else {
        // Not there yet: its folder tells when it comes.
        list.folders << info.absolutePath();
    }
    return list;
}

void finish(AgendaData &data, const QList<DateRange> &ranges)
{
    // Sorting by start keeps every day's list in order when it is built.
    QList<int> order(data.occurrences.size());
    std::iota(order.begin(), order.end(), 0);
    const auto startOf = [&](int i) {
        const Occurrence &o = data.occurrences.at(i);
        return o.allDay ? QDateTime(o.firstDay, QTime(0, 0), Qt::LocalTime) : o.start;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return startOf(a) < startOf(b); });
    QList<Occurrence> sorted;
    sorted.reserve(order.size());
    QList<int> newIndex(order.size());
    for (int i = 0; i < order.size(); ++i) {
        newIndex[order.at(i)] = i;
        sorted.push_back(std::move(data.occurrences[order.at(i)]));
    }
    data.occurrences = std::move(sorted);
    for (Reminder &r : data.reminders)
        r.occurrence = newIndex.at(r.occurrence);
    std::stable_sort(data.reminders.begin(), data.reminders.end(),
                     [](const Reminder &a, const Reminder &b) { return a.at < b.at; });

    const auto shown = [&](QDate day) {
        return std::any_of(ranges.cbegin(), ranges.cend(), [&](const DateRange &r) { return day >= r.from && day <= r.to; });
    };
    data.days.clear();
    for (int pass = 0; pass < 2; ++pass) { // all-day ones first
        for (int i = 0; i < data.occurrences.size(); ++i) {
            const Occurrence &o = data.occurrences.at(i);
            if (o.allDay != (pass == 0))
                continue;
            QDate first = o.firstDay;
            QDate last = o.lastDay;
            if (!o.allDay) {
                const QDateTime start = o.start.toLocalTime();
                const QDateTime end = o.end.toLocalTime();
                first = start.date();
                // An event ending at midnight does not reach the next day.
                last = end > start && end.time() == QTime(0, 0) ? end.date().addDays(-1) : end.date();
            }
            for (QDate d = first; d <= last && first.daysTo(d) < MaxDaysPerOccurrence; d = d.addDays(1))
                if (shown(d))
                    data.days[d].push_back(i);
        }
    }
}

} // namespace agenda
