// The toolkit's floor for the benchmark: an empty Qt Widgets window of the
// clock's size that does nothing at all once shown. With --timers it also
// runs the two timers the clock once polled with (200 and 300 ms): the cost
// of polling alone.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int WindowWidth = 200;
constexpr int WindowHeight = 186;
constexpr int DialTimerMs = 200;
constexpr int WindowTimerMs = 300;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(WindowWidth, WindowHeight);
    window.show();
    QTimer dialTimer;
    QTimer windowTimer;
    if (QApplication::arguments().contains(QStringLiteral("--timers"))) {
        dialTimer.start(DialTimerMs);
        windowTimer.start(WindowTimerMs);
    }
    return QApplication::exec();
}
