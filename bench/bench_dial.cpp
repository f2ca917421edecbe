// Times the dial's face painting and its ticks, and the area each repaints.
// Run: bench_dial (QT_QPA_PLATFORM=offscreen works too).
#include "toolkit/desktop.h"
#include "dial/tickdial.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Repeats = 200;
constexpr int MainWindowDialPx = 169; // 2535 twips

// A desktop whose clock the benchmark sets.
class BenchDesktop final : public toolkit::Desktop
{
public:
    QDateTime time = QDateTime(QDate(2026, 3, 4), QTime(10, 20, 30));
    QDateTime now() const override { return time; }
    QPoint cursorPos() const override { return {}; }
    bool pointerButtonHeld() const override { return false; }
    QSize primaryScreenSize() const override { return {}; }
    QList<QRect> screens() const override { return {}; }
    void wakeAt(const QDateTime &) override {}
    void watchTimeJumps() override {}
    void watchScreens() override {}
    void watchPointer() override {}
    void followPointer(bool) override {}
    void watchStrip(QWidget *, const QRect &) override {}
    void moveWindow(QWidget *, QPoint) override {}
    void claimRightEdge(QWidget *, const QRect &) override {}
    bool canSetWindowOpacity() const override { return false; }
    void setWindowOpacity(QWidget *, double) override {}
    void setAlwaysOnTop(QWidget *, bool) override {}
    bool startSystemResize(QWidget *, Qt::Edges) override { return false; }
    int execModal(QDialog *) override { return 0; }
    void messageBox(QWidget *, const QString &, const QString &, toolkit::MessageIcon) override {}
    std::optional<QColor> chooseColor(QWidget *) override { return {}; }
    void openUrl(const QUrl &) override {}
};

double medianMicroseconds(std::vector<qint64> &nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds[nanoseconds.size() / 2] / 1000.0;
}

// Lets the queued paints run, then returns the area they painted.
qint64 flushPaints(Tickdial &dial)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return dial.pic()->takeRepaintedArea();
}

struct Result { double micros; qint64 area; };

template <typename Step> Result measureTicks(Tickdial &dial, Step step)
{
    std::vector<qint64> times;
    qint64 area = 0;
    for (int i = 0; i < Repeats; ++i) {
        step();
        QElapsedTimer timer;
        timer.start();
        dial.Timer1_Timer();
        times.push_back(timer.nsecsElapsed());
        area += flushPaints(dial);
    }
    return {medianMicroseconds(times), area / Repeats};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BenchDesktop desktop;
    toolkit::setDesktop(&desktop);

    Tickdial dial;
    dial.Timer1()->stop();
    dial.resize(MainWindowDialPx, MainWindowDialPx);
    dial.UserControl_ReadProperties(Tickdial::mainWindowDesignState());
    dial.show();
    flushPaints(dial);
    dial.Timer1_Timer();
    flushPaints(dial);

    std::vector<qint64> paintTimes;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        dial.UserControl_Paint();
        paintTimes.push_back(timer.nsecsElapsed());
    }
    const double paintMicros = medianMicroseconds(paintTimes);
    const qint64 paintArea = flushPaints(dial);

    const Result moving = measureTicks(dial, [&] { desktop.time = desktop.time.addSecs(1); });
    const Result still = measureTicks(dial, [] {});

    const double dpr = dial.devicePixelRatioF();
    std::printf("Tickdial 2535 x 2535 twips, device-pixel ratio %.1f, median of %d\n", dpr, Repeats);
    std::printf("%-34s %12s %22s\n", "step", "time (us)", "repainted (device px)");
    std::printf("%-34s %12.1f %22lld\n", "UserControl_Paint", paintMicros, static_cast<long long>(paintArea));
    std::printf("%-34s %12.1f %22lld\n", "tick moving the second hand", moving.micros,
                static_cast<long long>(moving.area));
    std::printf("%-34s %12.1f %22lld\n", "tick moving nothing", still.micros, static_cast<long long>(still.area));
    toolkit::setDesktop(nullptr);
    return 0;
}
