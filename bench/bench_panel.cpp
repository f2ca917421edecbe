// Instructions and time of opening the calendar panel (">": the window grows,
// the calendar is made and everything is painted) and of turning the
// calendar to the next month. Run under callgrind with
//   QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --toggle-collect='*openPanel*' \
//       --toggle-collect='*nextMonth*' bench_panel 10
// and compare the collected instructions of two builds.
#include "tests/support/fakedesktop.h"
#include "app/frmmain.h"
#include "settings/mdlmain.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

[[gnu::noinline]] void openPanel(frmMain &window)
{
    window.cmdMonth_Click();
    window.grab();
}

[[gnu::noinline]] void nextMonth(frmMain &window)
{
    window.mthView()->showNextMonth();
    window.grab();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 50;
    FakeDesktop desktop;
    desktop.time = QDateTime(QDate(2026, 4, 15), QTime(10, 0, 0));
    QTemporaryDir folder;
    qint64 openNs = 0, nextNs = 0;
    for (int i = 0; i < repeats; ++i) {
        frmMain window;
        window.settings().setSettingsFolder(folder.path());
        window.show();
        window.grab();
        QElapsedTimer timer;
        timer.start();
        openPanel(window);
        openNs += timer.nsecsElapsed();
        timer.restart();
        nextMonth(window);
        nextNs += timer.nsecsElapsed();
    }
    if (repeats > 0)
        std::printf("open %.3f ms, next month %.3f ms (means of %d)\n", double(openNs) / repeats / 1e6,
                    double(nextNs) / repeats / 1e6, repeats);
    return 0;
}
