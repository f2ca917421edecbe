// The agenda's reading, measured (not a test):
//   bench_agenda FILE.ics [reloads]
// The time from asking to having the events (read off the window's thread)
// and the CPU time the program spent meanwhile (which a loaded machine does
// not inflate), the longest the window's thread was busy (its own CPU time)
// without running its event loop meanwhile, the peak memory the reading
// added; then the times of the given number of readings of the same file
// (1,000 by default) and the resident memory after the last against that
// after the first, both once the reader's thread is idle.
#include "agenda/agenda.h"
#include "agenda/notifier.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

class Silent : public agenda::Notifier
{
public:
    void notify(const QString &, const QString &) override {}
};

qint64 cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// CPU time of the calling thread, in milliseconds: what the window's thread
// itself spent, not the time it waited for a core on a loaded machine.
qint64 threadCpuMs()
{
    return cpuMs(CLOCK_THREAD_CPUTIME_ID);
}

// Waits for one reading, timing the event loop's longest gap meanwhile, in
// the thread's own CPU time.
qint64 waitForReading(agenda::Agenda &agenda, qint64 *longestGapMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = threadCpuMs();
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = threadCpuMs();
        *longestGapMs = std::max(*longestGapMs, now - last);
        last = now;
    });
    probe.start();
    QEventLoop loop;
    QObject::connect(&agenda, &agenda::Agenda::changed, &loop, &QEventLoop::quit);
    loop.exec();
    return clock.elapsed();
}

// Resident memory once the reader's thread has also freed what the last
// reading replaced.
long settledRssKb(const agenda::Agenda &agenda)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!agenda.isReading())
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return statusKb("VmRSS:");
}

} // namespace

int main(int argc, char *argv[])
{
    // Each figure as soon as it is known, also into a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_agenda FILE.ics [reloads]\n");
        return 2;
    }
    const int reloads = argc > 2 ? std::atoi(argv[2]) : 1000;
    Silent silent;
    agenda::Agenda agenda(&silent);
    const QDate today = QDate::currentDate();
    agenda.setShownMonth(today);
    const long peakBefore = statusKb("VmHWM:");

    agenda::AgendaOptions options;
    options.sources.push_back({QString::fromLocal8Bit(argv[1]), agenda::AgendaOptions::defaultColor(0), true});
    qint64 gap = 0;
    const qint64 cpuBefore = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    agenda.setOptions(options);
    const qint64 firstMs = waitForReading(agenda, &gap);
    const qint64 firstCpuMs = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpuBefore;
    const long peakAfter = statusKb("VmHWM:");
    int occurrences = 0;
    for (QDate d = today.addMonths(-1); d <= today.addMonths(2); d = d.addDays(1))
        occurrences += int(agenda.dayLines(d).size());
    std::printf("first reading: %lld ms (CPU %lld ms), window thread busy at most %lld ms, peak +%.1f MB, %d day entries, "
                "errors: %s\n",
                firstMs, firstCpuMs, gap, double(peakAfter - peakBefore) / 1024, occurrences,
                qPrintable(agenda.errors().join(QStringLiteral("; "))));

    // The same file read again and again (the shown month going back and forth).
    qint64 gaps = 0;
    QList<qint64> times;
    long rssFirst = 0;
    for (int i = 0; i < reloads; ++i) {
        agenda.setShownMonth(today.addMonths(i % 2 ? 0 : 1));
        times.push_back(waitForReading(agenda, &gaps));
        if (i == 0)
            rssFirst = settledRssKb(agenda);
    }
    const long rssLast = settledRssKb(agenda);
    std::sort(times.begin(), times.end());
    std::printf("%d readings: median %lld ms, slowest %lld ms, window thread busy at most %lld ms, VmRSS %ld kB after "
                "the first, %ld kB after the last (%+.2f MB)\n",
                reloads, times.value(times.size() / 2), times.value(times.size() - 1), gaps, rssFirst, rssLast,
                double(rssLast - rssFirst) / 1024);
    return 0;
}
