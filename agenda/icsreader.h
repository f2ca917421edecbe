#pragma once

#include "agenda/agendadata.h"

#include <QByteArray>

namespace agenda {

// A file bigger than this is refused: an agenda of tens of thousands of
// events is a few megabytes.
inline constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

// Reads one iCalendar text into `into`, expanding every event's
// recurrences (RRULE, RDATE, EXDATE, moved or cancelled occurrences) over
// the given days; occurrences are tagged with `source`. Returns what is
// wrong with the text, in a few Italian words, or an empty string.
QString readCalendar(const QByteArray &text, const QList<DateRange> &ranges, int source, AgendaData &into);

// Reads a file or, for a folder, every ".ics" file in it and its
// subfolders; each problem becomes one line naming the file. Never writes.
void readSource(const QString &path, const QList<DateRange> &ranges, int source, AgendaData &into);

// Sorts the occurrences and reminders and builds the per-day index with
// the local zone in force now.
void finish(AgendaData &data, const QList<DateRange> &ranges);

// Every file and folder a source names, for the watch: the files read and
// the folders whose content tells of new, renamed or removed files.
struct WatchList
{
    QStringList files;
    QStringList folders;
};
WatchList watchList(const QString &path);

} // namespace agenda
