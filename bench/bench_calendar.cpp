// Times the panel's calendar as the panel opens (made, laid out and painted
// at its size) and as it turns to the next month (repainted), against Qt's
// plain calendar set up as the panel had it before holidays, week numbers
// and the user's days. Run: QT_QPA_PLATFORM=offscreen bench_calendar
// [repeats [plain|month]]; under callgrind, one kind and few repeats.
#include "calendar/monthcalendar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const QSize PanelCalendarPx(181, 158); // 2715 x 2370 twips
const QDate Shown(2026, 4, 15);

double medianMs(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

void run(const char *name, int repeats, const std::function<QCalendarWidget *()> &make)
{
    std::vector<qint64> open, turn;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        QCalendarWidget *calendar = make();
        calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        calendar->setSelectedDate(Shown);
        calendar->resize(PanelCalendarPx);
        calendar->grab();
        open.push_back(timer.nsecsElapsed());
        timer.restart();
        calendar->showNextMonth();
        calendar->grab();
        turn.push_back(timer.nsecsElapsed());
        delete calendar;
    }
    if (repeats == 0)
        return;
    std::printf("%-28s open %.3f ms  next month %.3f ms\n", name, medianMs(open), medianMs(turn));
}

QCalendarWidget *plainCalendar()
{
    auto *calendar = new QCalendarWidget;
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    return calendar;
}

QCalendarWidget *monthCalendar()
{
    auto *calendar = new MonthCalendar;
    calendar::CalendarOptions options;
    options.days = {*calendar::UserDay::fromEntry(QStringLiteral("07-04 Compleanno di Anna"))};
    calendar->setOptions(options);
    calendar->setToday(Shown);
    return calendar;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 200;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    for (int round = 0; round < 2; ++round) {
        if (only != "month")
            run("plain QCalendarWidget", repeats, plainCalendar);
        if (only != "plain")
            run("MonthCalendar", repeats, monthCalendar);
    }
    return 0;
}
