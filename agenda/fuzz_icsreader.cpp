// Feeds any bytes to the iCalendar reader: it must neither crash nor hang,
// and what it gives must make sense: occurrences inside the days asked for,
// an end never before the start, reminders pointing at an occurrence.
#include "agenda/icsreader.h"

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<agenda::DateRange> ranges{{QDate(2026, 2, 22), QDate(2026, 4, 7)}};
    agenda::AgendaData read;
    agenda::readCalendar(bytes, ranges, 0, read);
    agenda::finish(read, ranges);
    for (const agenda::Occurrence &o : std::as_const(read.occurrences)) {
        if (o.allDay) {
            require(o.firstDay.isValid() && o.lastDay >= o.firstDay);
            require(o.lastDay >= ranges.first().from.addDays(-2) && o.firstDay <= ranges.first().to.addDays(2));
        } else {
            require(o.start.isValid() && o.end >= o.start);
        }
        require(!o.summary.isEmpty());
    }
    for (const agenda::Reminder &r : std::as_const(read.reminders))
        require(r.occurrence >= 0 && r.occurrence < read.occurrences.size() && r.at.isValid());
    return 0;
}
