#include "tests/support/fakedesktop.h"
#include "app/frmmain.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "translucency/ctranslucentform.h"
#include "toolkit/singleinstance.h"
#include "toolkit/surface.h"
#include "dial/tickdial.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QCheckBox>
#include <QSlider>
#include "settings/controls.h"
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTimeZone>
#include <QtTest>

// The main window: its layout at any size, the calendar panel, the schedule,
// docking and auto-hide, the clock labels and dragging by the bar.
class tst_frmmain : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startsAtItsDesignSize();
    void layout_data();
    void layout();
    void minimumSizes_data();
    void minimumSizes();
    void calendarPanelOpensAndCloses();
    void buttonsStayInOrder();
    void barTitleIsDrawnUpwardsInYellow();
    void labels_data();
    void labels();
    void labelsFollowTheClockFromTickToTick_data();
    void labelsFollowTheClockFromTickToTick();
    void ticksOnTheWallClock_data();
    void ticksOnTheWallClock();
    void docksOnTheRightmostScreen_data();
    void docksOnTheRightmostScreen();
    void dragByTheBar_data();
    void dragByTheBar();
    void dragStartsWhereTheButtonWentDown();
    void autoHide_data();
    void autoHide();
    void activationAppliesTheFile_data();
    void activationAppliesTheFile();
    void borderWidthIsNormalised_data();
    void borderWidthIsNormalised();
    void optionsOpenOnRightReleaseWithDockingFrozen();
    void cancelRestoresTheFile();
    void okAppliesWhatWasSaved();
    void rightClickOnTheDialRedrawsIt();
    void secondStartBringsTheClockOut();
    void commandLine_data();
    void commandLine();

private:
    // Writes Options.dat in the test's folder: the default file with some
    // lines (0-based) replaced.
    void writeOptions(const QMap<int, QByteArray> &lines);
    QByteArray readOptions() const;
    // A shown main window whose settings live in the test's folder.
    void open(frmMain &w)
    {
        w.settings().setSettingsFolder(m_dir->path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    std::unique_ptr<QTemporaryDir> m_dir;

    static QRect twips(QWidget *w) { return QRect(w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15); }
};

void tst_frmmain::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeOptions({{2, "AutoHide=0"}});
}

static const QList<QByteArray> DefaultLines = {
    "Translucent=255", "BringToFront=1", "AutoHide=1", "HideBar=0", "ViewDate=1", "ViewBorder=1",
    "BorderWidth=4", "ColorBorder=12632256", "ViewTextHours=1", "ColorTextHours=0", "ViewSecond=1",
    "ColorLancetSecond=0", "ColorLancetMinute=255", "ColorLancetHour=16711680"};

void tst_frmmain::writeOptions(const QMap<int, QByteArray> &lines)
{
    QByteArray bytes;
    for (int i = 0; i < DefaultLines.size(); ++i)
        bytes += lines.value(i, DefaultLines[i]) + "\r\n";
    QFile file(m_dir->filePath("Options.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray tst_frmmain::readOptions() const
{
    QFile file(m_dir->filePath("Options.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_frmmain::startsAtItsDesignSize()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    QCOMPARE(w.ScaleWidth(), 2880.0);
    QCOMPARE(w.ScaleHeight(), 2670.0);
    // Docked at the right edge, half-way down the 1280 x 1024 screen.
    QCOMPARE(w.pos(), QPoint(1280 - w.width(), (1024 - w.height()) / 2));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.mthView()->selectedDate(), fake.time.date());
    QCOMPARE(w.lblTime()->text(), "3:00 00"); // current from the first showing
}

void tst_frmmain::layout_data()
{
    QTest::addColumn<QSize>("windowPx");
    QTest::addColumn<QRect>("dialTwips");
    QTest::addColumn<int>("barHeight");
    QTest::addColumn<int>("dateTop");
    QTest::addColumn<int>("timeTop");
    QTest::addColumn<int>("calendarTop");
    // Client area = window less the 4 px frame on each side.
    QTest::newRow("design size") << QSize(200, 186) << QRect(270, 0, 2610, 2670) << 2670 << 2730 << 2985 << 3240;
    QTest::newRow("larger") << QSize(308, 408) << QRect(270, 0, 4230, 6000) << 6000 << 6060 << 6315 << 6570;
    QTest::newRow("wide and low") << QSize(500, 100) << QRect(270, 0, 7110, 1380) << 1380 << 1440 << 1695 << 1950;
}

void tst_frmmain::layout()
{
    QFETCH(QSize, windowPx);
    QFETCH(QRect, dialTwips);
    QFETCH(int, barHeight);
    QFETCH(int, dateTop);
    QFETCH(int, timeTop);
    QFETCH(int, calendarTop);
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.resize(windowPx);
    QCOMPARE(twips(w.Tickdial1()), dialTwips);
    QCOMPARE(twips(w.picBar()), QRect(0, 0, 270, barHeight));
    QCOMPARE(w.lblDate()->y() * 15, dateTop);
    QCOMPARE(w.lblTime()->y() * 15, timeTop);
    QCOMPARE(w.mthView()->y() * 15, calendarTop);
    // The panel keeps its design left edge and widths.
    QCOMPARE(twips(w.lblDate()).left(), 300);
    QCOMPARE(w.lblDate()->width() * 15, 2655);
    QCOMPARE(w.mthView()->width() * 15, 2715);
}

void tst_frmmain::minimumSizes_data()
{
    QTest::addColumn<QSize>("requestedPx");
    QTest::addColumn<QSize>("expectedTwips");
    QTest::newRow("too low") << QSize(200, 50) << QSize(3000, 1305);
    QTest::newRow("too narrow") << QSize(60, 186) << QSize(1500, 2790);
    QTest::newRow("both") << QSize(10, 10) << QSize(1500, 1305);
    QTest::newRow("at the minimum") << QSize(100, 87) << QSize(1500, 1305);
}

void tst_frmmain::minimumSizes()
{
    QFETCH(QSize, requestedPx);
    QFETCH(QSize, expectedTwips);
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.resize(requestedPx);
    // 1300 and 1500 twips, rounded to whole pixels (87 px and 100 px).
    QCOMPARE(QSize(int(w.Width()), int(w.Height())), expectedTwips);
    QCOMPARE(w.Tickdial1()->height(), w.clientArea()->height());
}

void tst_frmmain::calendarPanelOpensAndCloses()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    QVERIFY(!w.CalendarOpen());
    // Closed: the panel lies below the window's bottom edge.
    QVERIFY(w.lblDate()->y() >= w.clientArea()->height());

    w.cmdMonth_Click();
    QVERIFY(w.CalendarOpen());
    // Height = calendar top + calendar height + 120 = 3240 + 2370 + 120.
    QCOMPARE(w.Height(), 5730.0);
    // Width forced to the calendar's width + bar + 180.
    QCOMPARE(w.Width(), 3165.0);
    // The dial leaves 3050 twips below it for the panel.
    QCOMPARE(w.Tickdial1()->height(), 179); // 5730 - 3050 = 2680 twips
    QVERIFY(w.mthView()->geometry().bottom() <= w.clientArea()->height() + 1);
    // The user cannot make it narrower or lower than the panel needs.
    w.resize(150, 200);
    QCOMPARE(w.Width(), 3165.0);
    QCOMPARE(w.Height(), 4005.0); // 4000 twips, rounded to 267 px

    w.resize(211, 382);
    w.cmdMonth_Click();
    QVERIFY(!w.CalendarOpen());
    // Back to the dial's height as laid out while open, plus 120.
    QCOMPARE(w.Height(), 179 * 15 + 120.0);
    QCOMPARE(w.Width(), 3165.0); // closing leaves the width
    QCOMPARE(w.Tickdial1()->height(), w.clientArea()->height());
}

void tst_frmmain::buttonsStayInOrder()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    for (QSize size : {QSize(200, 186), QSize(400, 600), QSize(100, 87)}) {
        w.resize(size);
        QCOMPARE(w.cmdClose()->text(), QString("X"));
        QCOMPARE(w.cmdMonth()->text(), QString(">"));
        QCOMPARE(w.cmdAbout()->text(), QString("?"));
        QCOMPARE(w.cmdClose()->y(), 4);   // 60 twips
        QCOMPARE(w.cmdMonth()->y(), 20);  // 300 twips
        QCOMPARE(w.cmdAbout()->y(), 36);  // 540 twips
        for (QPushButton *b : {w.cmdClose(), w.cmdMonth(), w.cmdAbout()}) {
            QCOMPARE(b->x(), 3); // (18 - 13) / 2 px, rounded
            QCOMPARE(b->size(), QSize(13, 14));
        }
    }
}

void tst_frmmain::barTitleIsDrawnUpwardsInYellow()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.resize(200, 300);
    const QImage bar = w.picBar()->image().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = bar.devicePixelRatio();
    // Yellow pixels lie in a column about 12 px wide at the bar's left edge,
    // from 10 px (150 twips) above the bottom upwards.
    int top = bar.height(), bottom = -1, right = -1;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x) {
            const QColor c = bar.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 80) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                right = std::max(right, x);
            }
        }
    QVERIFY2(bottom >= 0, "no yellow title on the bar");
    const int barHeight = int(w.picBar()->height() * dpr);
    QVERIFY(bottom <= barHeight - int(10 * dpr));
    QVERIFY(bottom >= barHeight - int(10 * dpr) - 2);
    QVERIFY(right <= int(13 * dpr));
    // "Plomb Tickora 1.0" is far longer than it is tall.
    QVERIFY(bottom - top > int(50 * dpr));
}

void tst_frmmain::labels_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("it morning") << "it_IT" << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7))
                                << "domenica, 06 dicembre 2026" << "9:05 07";
    QTest::newRow("en evening") << "en_GB" << QDateTime(QDate(2024, 3, 15), QTime(23, 59, 59))
                                << "Friday, 15 March 2024" << "23:59 59";
    QTest::newRow("it midnight") << "it_IT" << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0))
                                 << "venerdì, 01 gennaio 2027" << "0:00 00";
}

void tst_frmmain::labels()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, now);
    QFETCH(QString, date);
    QFETCH(QString, time);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    FakeDesktop fake;
    frmMain w;
    open(w);
    fake.time = now;
    w.Timer1_Timer();
    QLocale::setDefault(previous);
    QCOMPARE(w.lblDate()->text(), date);
    QCOMPARE(w.lblTime()->text(), time);
    // The long date is written in red, the time in blue.
    auto inks = [](QWidget *label) {
        const QImage image = label->grab().toImage();
        int red = 0, blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
                blue += c.blue() > 150 && c.red() < 100 && c.green() < 100;
            }
        return std::pair(red, blue);
    };
    const auto [dateRed, dateBlue] = inks(w.lblDate());
    QVERIFY(dateRed > 20 && dateBlue == 0);
    const auto [timeRed, timeBlue] = inks(w.lblTime());
    QVERIFY(timeBlue > 20 && timeRed == 0);
}

// Two ticks in a row: the labels show what the second tick found, whether
// the second, the day or the language changed in between or nothing did.
void tst_frmmain::labelsFollowTheClockFromTickToTick_data()
{
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QString>("firstLocale");
    QTest::addColumn<QDateTime>("second");
    QTest::addColumn<QString>("secondLocale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    const QDate day(2026, 12, 6);
    QTest::newRow("same second") << QDateTime(day, QTime(9, 5, 7)) << "en_GB"
                                 << QDateTime(day, QTime(9, 5, 7, 250)) << "en_GB"
                                 << "Sunday, 06 December 2026" << "9:05 07";
    QTest::newRow("next second") << QDateTime(day, QTime(9, 5, 7, 900)) << "en_GB"
                                 << QDateTime(day, QTime(9, 5, 8, 100)) << "en_GB"
                                 << "Sunday, 06 December 2026" << "9:05 08";
    QTest::newRow("past midnight") << QDateTime(day, QTime(23, 59, 59, 900)) << "en_GB"
                                   << QDateTime(day.addDays(1), QTime(0, 0, 0, 100)) << "en_GB"
                                   << "Monday, 07 December 2026" << "0:00 00";
    QTest::newRow("same second, other day") << QDateTime(day, QTime(9, 5, 7)) << "en_GB"
                                            << QDateTime(day.addDays(7), QTime(9, 5, 7)) << "en_GB"
                                            << "Sunday, 13 December 2026" << "9:05 07";
    QTest::newRow("language changed") << QDateTime(day, QTime(9, 5, 7)) << "en_GB"
                                      << QDateTime(day, QTime(9, 5, 7, 300)) << "it_IT"
                                      << "domenica, 06 dicembre 2026" << "9:05 07";
}

void tst_frmmain::labelsFollowTheClockFromTickToTick()
{
    QFETCH(QDateTime, first);
    QFETCH(QString, firstLocale);
    QFETCH(QDateTime, second);
    QFETCH(QString, secondLocale);
    QFETCH(QString, date);
    QFETCH(QString, time);
    const QLocale previous;
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.Timer1()->stop();
    QLocale::setDefault(QLocale(firstLocale));
    fake.time = first;
    w.Timer1_Timer();
    w.mthView()->setSelectedDate(first.date().addDays(2)); // the user picks another day
    QLocale::setDefault(QLocale(secondLocale));
    fake.time = second;
    w.Timer1_Timer();
    QLocale::setDefault(previous);
    QCOMPARE(w.lblDate()->text(), date);
    QCOMPARE(w.lblTime()->text(), time);
    // The calendar marks the day of the last tick, and that day only.
    const auto marked = [&w](QDate day) { return w.mthView()->dateTextFormat(day).fontUnderline(); };
    QVERIFY(marked(second.date()));
    QCOMPARE(marked(first.date()), first.date() == second.date());
    QVERIFY(!marked(first.date().addDays(2)));
}

// The one wake-up, asked for the next moment something shown changes, and
// what the clock shows after it (or after a jump of the time of day).
void tst_frmmain::ticksOnTheWallClock_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("wake");  // asked for at the start; invalid: none
    QTest::addColumn<QDateTime>("jump");  // invalid: the wake-up comes instead
    QTest::addColumn<QString>("shown");   // the dial's time | the time label
    QTest::addColumn<QDateTime>("next");  // asked for afterwards
    const QTimeZone rome("Europe/Rome");
    auto at = [&](int month, int day, QTime time) { return QDateTime(QDate(2026, month, day), time, rome); };
    QTest::newRow("second hand") << "seconds" << at(3, 4, QTime(3, 0, 0, 400)) << at(3, 4, QTime(3, 0, 1)) << QDateTime()
                                 << "Ore 3:00|3:00 01" << at(3, 4, QTime(3, 0, 2));
    QTest::newRow("minutes only") << "minutes" << at(3, 4, QTime(3, 0, 20)) << at(3, 4, QTime(3, 1)) << QDateTime()
                                  << "Ore 3:01|3:01 00" << at(3, 4, QTime(3, 2));
    QTest::newRow("panel open") << "panel" << at(3, 4, QTime(3, 0, 20)) << at(3, 4, QTime(3, 0, 21)) << QDateTime()
                                << "Ore 3:00|3:00 21" << at(3, 4, QTime(3, 0, 22));
    QTest::newRow("hidden, then shown") << "hidden" << at(3, 4, QTime(3, 0, 20)) << QDateTime() << at(3, 4, QTime(5, 6, 7))
                                        << "Ore 5:06|5:06 07" << at(3, 4, QTime(5, 7));
    QTest::newRow("midnight") << "minutes" << at(3, 4, QTime(23, 59, 59)) << at(3, 5, QTime(0, 0)) << QDateTime()
                              << "Ore 0:00|0:00 00" << at(3, 5, QTime(0, 1));
    QTest::newRow("spring forward") << "seconds" << at(3, 29, QTime(1, 59, 59)) << at(3, 29, QTime(3, 0)) << QDateTime()
                                    << "Ore 3:00|3:00 00" << at(3, 29, QTime(3, 0, 1));
    // 02:59:59 CEST, then 02:00:00 CET.
    const QDateTime fallBack = QDateTime(QDate(2026, 10, 25), QTime(1, 0), QTimeZone::utc()).toTimeZone(rome);
    QTest::newRow("fall back") << "seconds" << fallBack.addSecs(-1) << fallBack << QDateTime() << "Ore 2:00|2:00 00"
                               << fallBack.addSecs(1);
    QTest::newRow("clock set back") << "seconds" << at(3, 4, QTime(3, 0, 20, 500)) << at(3, 4, QTime(3, 0, 21))
                                    << at(3, 4, QTime(2, 0, 5, 300)) << "Ore 2:00|2:00 05" << at(3, 4, QTime(2, 0, 6));
    const QDateTime dhaka = at(3, 4, QTime(3, 0, 20)).toTimeZone(QTimeZone("Asia/Dhaka"));
    QTest::newRow("zone change") << "minutes" << at(3, 4, QTime(3, 0, 20)) << at(3, 4, QTime(3, 1)) << dhaka
                                 << "Ore 8:00|8:00 20" << dhaka.addSecs(40);
}

void tst_frmmain::ticksOnTheWallClock()
{
    QFETCH(QString, state);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, wake);
    QFETCH(QDateTime, jump);
    QFETCH(QString, shown);
    QFETCH(QDateTime, next);
    writeOptions({{2, state == "hidden" ? "AutoHide=1" : "AutoHide=0"}, {10, state == "seconds" ? "ViewSecond=1" : "ViewSecond=0"}});
    FakeDesktop fake;
    fake.time = start;
    frmMain w;
    open(w);
    fake.movePointer(state == "hidden" ? QPoint(0, 500) : w.mapToGlobal(QPoint(10, 10)));
    if (state == "panel")
        w.cmdMonth_Click();
    QCOMPARE(fake.wake, wake);
    if (jump.isValid())
        fake.jumpTo(jump);
    else
        fake.fireWake();
    fake.movePointer(w.mapToGlobal(QPoint(10, 10)));
    QCOMPARE(w.Tickdial1()->accessibleName() + "|" + w.lblTime()->text(), shown);
    QCOMPARE(fake.wake, next);
}

// The rightmost screen at the clock's height, followed as screens change,
// and the clock kept inside that screen's height (pinned at its top when
// taller).
void tst_frmmain::docksOnTheRightmostScreen_data()
{
    QTest::addColumn<QList<QRect>>("before");  // beside the 1280 x 1024 primary at (0, 0)
    QTest::addColumn<QList<QRect>>("after");
    QTest::addColumn<QSize>("primaryAfter");
    QTest::addColumn<int>("top");
    QTest::addColumn<QPoint>("expected");     // the top-right corner
    QTest::addColumn<int>("height");
    const QList<QRect> none;
    const QRect right(1280, 0, 1920, 1080);
    const QSize primary(1280, 1024);
    QTest::newRow("above the top") << none << none << primary << -40 << QPoint(1280, 0) << 186;
    QTest::newRow("exactly at the bottom") << none << none << primary << 838 << QPoint(1280, 838) << 186;
    QTest::newRow("below the bottom") << none << none << primary << 900 << QPoint(1280, 838) << 186;
    QTest::newRow("taller than the screen, from below") << none << none << primary << 30 << QPoint(1280, 0) << 1200;
    QTest::newRow("taller than the screen, from above") << none << none << primary << -50 << QPoint(1280, 0) << 1200;
    QTest::newRow("primary left of another") << none << QList{right} << primary << 100 << QPoint(3200, 100) << 186;
    QTest::newRow("primary right of another") << none << QList{QRect(-1920, 0, 1920, 1080)} << primary << 100
                                              << QPoint(1280, 100) << 186;
    QTest::newRow("another, not at its height") << none << QList{QRect(1280, 0, 1920, 600)} << primary << 700
                                                << QPoint(1280, 700) << 186;
    QTest::newRow("the other removed") << QList{right} << none << primary << 100 << QPoint(1280, 100) << 186;
    QTest::newRow("resized") << none << none << QSize(1024, 768) << 100 << QPoint(1024, 100) << 186;
    QTest::newRow("left outside every screen") << QList{QRect(1280, 0, 1920, 1800)} << none << primary << 1500
                                               << QPoint(1280, 1024 - 186) << 186;
}

void tst_frmmain::docksOnTheRightmostScreen()
{
    QFETCH(QList<QRect>, before);
    QFETCH(QList<QRect>, after);
    QFETCH(QSize, primaryAfter);
    QFETCH(int, top);
    QFETCH(QPoint, expected);
    QFETCH(int, height);
    FakeDesktop fake;
    fake.moreScreens = before;
    frmMain w;
    open(w);
    w.resize(200, height);
    w.move(10, top);
    fake.moreScreens = after;
    fake.screen = primaryAfter;
    fake.changeScreens();
    QCOMPARE(w.frameGeometry().topRight() + QPoint(1, 0), expected);
}

// Nothing docks the window during the drag; at the release it docks, shown
// or hidden by where the pointer is then.
void tst_frmmain::dragByTheBar_data()
{
    QTest::addColumn<QByteArray>("autoHide");
    QTest::addColumn<QPoint>("release");  // from the last move
    QTest::addColumn<int>("expectedX");
    QTest::newRow("released far away") << QByteArray("0") << QPoint(-300, 400) << 1080;
    QTest::newRow("auto-hide, released on the bar") << QByteArray("1") << QPoint(30, 0) << 1080;
    QTest::newRow("auto-hide, released far away") << QByteArray("1") << QPoint(-300, 400) << 1280 - 18 - 5;
}

void tst_frmmain::dragByTheBar()
{
    QFETCH(QByteArray, autoHide);
    QFETCH(QPoint, release);
    QFETCH(int, expectedX);
    writeOptions({{2, "AutoHide=" + autoHide}});
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.move(1080, 200);
    fake.movePointer(w.mapToGlobal(QPoint(10, 10)));
    auto send = [&](QEvent::Type type, Qt::MouseButton button, QPoint global) {
        fake.cursor = global;
        const QPointF local = w.picBar()->mapFromGlobal(global);
        QMouseEvent event(type, local, local, QPointF(global), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QCoreApplication::sendEvent(w.picBar(), &event);
    };
    const QPoint start = w.picBar()->mapToGlobal(QPoint(5, 100));
    send(QEvent::MouseButtonPress, Qt::LeftButton, start);
    send(QEvent::MouseMove, Qt::LeftButton, start + QPoint(-30, 100));
    fake.changeScreens();
    QCOMPARE(w.pos(), QPoint(1050, 300));
    // The release undoes the sideways part and keeps the vertical one.
    send(QEvent::MouseButtonRelease, Qt::LeftButton, start + QPoint(-30, 100) + release);
    QCOMPARE(w.pos(), QPoint(expectedX, 300));
}

// The events arrive late on a busy desktop: the pointer is already further
// on when the press is handled. The drag counts from the press's position.
void tst_frmmain::dragStartsWhereTheButtonWentDown()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.move(1080, 200);
    const QPoint start = w.picBar()->mapToGlobal(QPoint(5, 100));
    const QPoint end = start + QPoint(0, 100);
    fake.cursor = end;
    auto send = [&](QEvent::Type type, Qt::MouseButton button, QPoint global) {
        const QPointF local = w.picBar()->mapFromGlobal(global);
        QMouseEvent event(type, local, local, QPointF(global), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QCoreApplication::sendEvent(w.picBar(), &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, start);
    send(QEvent::MouseMove, Qt::LeftButton, start + QPoint(0, 50));
    send(QEvent::MouseMove, Qt::LeftButton, end);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, end);
    QCOMPARE(w.pos(), QPoint(1080, 300));
}

void tst_frmmain::autoHide_data()
{
    QTest::addColumn<QByteArray>("hideBar");
    QTest::addColumn<QPoint>("cursor"); // in the client area's pixels
    QTest::addColumn<int>("expectedX");
    // 1280 px screen, 200 px window, 18 px bar; 70 twips are 4.67 px.
    const int docked = 1280 - 200;
    const int withBar = 1280 - 18 - 5;  // 19200 - 270 - 70 twips = 1257.3 px
    const int strip = 1280 - 5;         // 19200 - 70 twips = 1275.3 px
    QTest::newRow("inside") << QByteArray("0") << QPoint(50, 50) << docked;
    QTest::newRow("x -4 is near") << QByteArray("0") << QPoint(-4, 50) << docked;
    QTest::newRow("x -5 is away") << QByteArray("0") << QPoint(-5, 50) << withBar;
    QTest::newRow("y -4 is near") << QByteArray("0") << QPoint(50, -4) << docked;
    QTest::newRow("y -5 is away") << QByteArray("0") << QPoint(50, -5) << withBar;
    QTest::newRow("y just inside the height") << QByteArray("0") << QPoint(50, 185) << docked;
    QTest::newRow("y at the height is away") << QByteArray("0") << QPoint(50, 186) << withBar;
    QTest::newRow("far right is near") << QByteArray("0") << QPoint(5000, 10) << docked;
    QTest::newRow("away, bar hidden too") << QByteArray("1") << QPoint(-300, 50) << strip;
    QTest::newRow("near, bar hidden too") << QByteArray("1") << QPoint(0, 0) << docked;
}

void tst_frmmain::autoHide()
{
    QFETCH(QByteArray, hideBar);
    QFETCH(QPoint, cursor);
    QFETCH(int, expectedX);
    writeOptions({{2, "AutoHide=1"}, {3, "HideBar=" + hideBar}});
    FakeDesktop fake;
    frmMain w;
    open(w);
    QVERIFY(w.AutoHideOn());
    QCOMPARE(w.HideBarOn(), hideBar == "1");
    w.move(1080, 300);
    // The near test counts from the client area, inside the 4 px frame.
    fake.movePointer(w.clientArea()->mapToGlobal(cursor));
    QCOMPARE(w.x(), expectedX);
    QCOMPARE(w.y(), 300);
}

// At start-up, or edited by hand while the clock runs and applied when
// the window is next activated (here: the About box closes).
void tst_frmmain::activationAppliesTheFile_data()
{
    QTest::addColumn<bool>("editedWhileRunning");
    QTest::newRow("at start-up") << false;
    QTest::newRow("edited while running") << true;
}

void tst_frmmain::activationAppliesTheFile()
{
    QFETCH(bool, editedWhileRunning);
    const QMap<int, QByteArray> edited{
        {0, "Translucent=128"}, {1, "BringToFront=0"}, {2, "AutoHide=1"}, {3, "HideBar=1"},
        {4, "ViewDate=0"}, {5, "ViewBorder=0"}, {6, "BorderWidth=9"}, {7, "ColorBorder=65280"},
        {8, "ViewTextHours=0"}, {9, "ColorTextHours=8421504"}, {10, "ViewSecond=0"},
        {11, "ColorSecond=255"}, {12, "MinuteSecond=65535"}, {13, "HourSecond=4210752"}};
    if (!editedWhileRunning)
        writeOptions(edited);
    FakeDesktop fake;
    frmMain w;
    open(w);
    if (editedWhileRunning) {
        writeOptions(edited);
        w.cmdAbout_Click();
    }
    Tickdial *d = w.Tickdial1();
    QCOMPARE(d->VisibleTextDate(), false);
    QCOMPARE(d->VisibleBorder(), false);
    QCOMPARE(int(d->BorderWidth()), 9);
    QCOMPARE(d->BorderColor(), 65280);
    QCOMPARE(d->VisibleTextHours(), false);
    QCOMPARE(d->TextHoursColor(), 8421504);
    QCOMPARE(d->VisibleSecond(), false);
    QCOMPARE(d->LancetSecondColor(), 255);
    QCOMPARE(d->LancetMinuteColor(), 65535);
    QCOMPARE(d->LancetHourColor(), 4210752);
    QVERIFY(w.AutoHideOn());
    QVERIFY(w.HideBarOn());
    QCOMPARE(fake.onTop.value(&w, true), false);
    QCOMPARE(int(w.settings().Translucency()->Alpha()), 128);
    QCOMPARE(fake.opacity.value(&w), 128 / 255.0);
    QVERIFY(fake.messages.isEmpty());
}

void tst_frmmain::borderWidthIsNormalised_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("zero") << QByteArray("BorderWidth=0") << "en_US" << "1" << 1;
    QTest::newRow("empty") << QByteArray("BorderWidth=") << "en_US" << "1" << 1;
    QTest::newRow("not a number") << QByteArray("BorderWidth=abc") << "en_US" << "1" << 1;
    QTest::newRow("blanks") << QByteArray("BorderWidth= 1 2") << "en_US" << "12" << 12;
    QTest::newRow("fraction") << QByteArray("BorderWidth=7.5") << "en_US" << "7.5" << 8;
    QTest::newRow("fraction, Italian") << QByteArray("BorderWidth=6.5") << "it_IT" << "6.5" << 6;
    QTest::newRow("below one") << QByteArray("BorderWidth=0.4") << "it_IT" << "0.4" << 1;
    QTest::newRow("trailing letters") << QByteArray("BorderWidth=5px") << "en_US" << "5" << 5;
}

void tst_frmmain::borderWidthIsNormalised()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, width);
    writeOptions({{2, "AutoHide=0"}, {6, line}});
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    FakeDesktop fake;
    frmMain w;
    open(w);
    QLocale::setDefault(previous);
    QCOMPARE(w.settings().Settings().BorderWidth, text);
    QCOMPARE(int(w.Tickdial1()->BorderWidth()), width);
    QVERIFY2(fake.messages.isEmpty(), "no width the dial refuses may reach it");
}

void tst_frmmain::optionsOpenOnRightReleaseWithDockingFrozen()
{
    writeOptions({{2, "AutoHide=1"}});
    FakeDesktop fake;
    frmMain w;
    open(w);
    fake.movePointer(w.mapToGlobal(QPoint(10, 10)));
    QPoint posWhileOpen;
    QString title;
    QRect dialogRect;
    // "Opzioni" is made as it opens and gone once it has closed.
    QVERIFY(w.findChildren<frmOption *>().isEmpty());
    fake.onModal = [&](QDialog *dialog) {
        // The pointer over the dialog does not hide the clock.
        fake.movePointer(QPoint(0, 500));
        posWhileOpen = w.pos();
        fake.movePointer(w.mapToGlobal(QPoint(10, 10)));
        title = dialog->windowTitle();
        dialogRect = dialog->geometry();
        return int(QDialog::Rejected);
    };
    QTest::mousePress(w.picBar(), Qt::RightButton, {}, QPoint(5, 100));
    QCOMPARE(fake.modalCount, 0); // the press only starts a drag
    QTest::mouseRelease(w.picBar(), Qt::RightButton, {}, QPoint(5, 100));
    QCOMPARE(fake.modalCount, 1);
    QCOMPARE(title, QString("Opzioni"));
    QVERIFY(w.findChildren<frmOption *>().isEmpty());
    QCOMPARE(posWhileOpen, w.pos());
    // It opens beside the clock, not over it.
    QVERIFY(dialogRect.right() < w.x());
    QVERIFY(dialogRect.left() >= 0);
    QVERIFY(qAbs(dialogRect.top() - w.y()) < 40);
    // A left click opens nothing.
    QTest::mouseClick(w.picBar(), Qt::LeftButton, {}, QPoint(5, 100));
    QCOMPARE(fake.modalCount, 1);
}

void tst_frmmain::cancelRestoresTheFile()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    const QByteArray before = readOptions();
    fake.colorAnswer = QColor(0, 255, 0);
    fake.onModal = [&](QDialog *dialog) {
        auto *options = static_cast<frmOption *>(dialog);
        options->chkViewSecond()->setChecked(false);
        options->chkBringToFront()->setChecked(false);
        options->txtBorderWidth()->setText("30");
        options->Slider1()->setValue(100);
        options->Slider1()->triggerAction(QAbstractSlider::SliderPageStepSub);
        QTest::mouseClick(options->picColorHour(), Qt::LeftButton);
        // Live preview while the dialog is open.
        [&] {
            QCOMPARE(w.Tickdial1()->VisibleSecond(), false);
            QCOMPARE(fake.onTop.value(&w), false);
            QCOMPARE(int(w.Tickdial1()->BorderWidth()), 30);
            QCOMPARE(w.Tickdial1()->LancetHourColor(), toolkit::rgbColor(0, 255, 0));
            QVERIFY(w.settings().Translucency()->Alpha() < 255);
        }();
        options->cmdCancel()->click();
        return int(QDialog::Rejected);
    };
    w.picBar_MouseUp(2);
    QCOMPARE(readOptions(), before);
    QCOMPARE(w.Tickdial1()->VisibleSecond(), true);
    QCOMPARE(fake.onTop.value(&w), true);
    QCOMPARE(int(w.Tickdial1()->BorderWidth()), 4);
    QCOMPARE(w.Tickdial1()->LancetHourColor(), 16711680);
    QCOMPARE(int(w.settings().Translucency()->Alpha()), 255);
}

void tst_frmmain::okAppliesWhatWasSaved()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    fake.onModal = [&](QDialog *dialog) {
        auto *options = static_cast<frmOption *>(dialog);
        options->chkViewSecond()->setChecked(false);
        options->chkAutoHide()->setChecked(true);
        options->txtBorderWidth()->setText("100");
        options->cmdOK()->click();
        return int(QDialog::Accepted);
    };
    w.picBar_MouseUp(2);
    const QList<QByteArray> lines = readOptions().split('\n');
    QCOMPARE(lines.value(2), QByteArray("AutoHide=1\r"));
    QCOMPARE(lines.value(6), QByteArray("BorderWidth=1\r")); // above 80 is saved as 1
    QCOMPARE(lines.value(10), QByteArray("ViewSecond=0\r"));
    QCOMPARE(lines.value(11), QByteArray("ColorSecond=0\r"));
    QVERIFY(w.AutoHideOn());
    QCOMPARE(w.Tickdial1()->VisibleSecond(), false);
    QCOMPARE(int(w.Tickdial1()->BorderWidth()), 1);
}

void tst_frmmain::rightClickOnTheDialRedrawsIt()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    int hides = 0;
    struct Counter : QObject {
        int *hides;
        explicit Counter(int *h) : hides(h) {}
        bool eventFilter(QObject *, QEvent *e) override { if (e->type() == QEvent::Hide) ++*hides; return false; }
    } counter(&hides);
    w.Tickdial1()->installEventFilter(&counter);
    w.Tickdial1_MouseUp(1, 0, 0, 0);
    QCOMPARE(hides, 0);
    w.Tickdial1_MouseUp(2, 0, 0, 0);
    QCOMPARE(hides, 1);
    QVERIFY(w.Tickdial1()->isVisible());
}

// A second start hands over to the running clock, which comes out of
// hiding until the pointer has been over it; the second start may end.
void tst_frmmain::secondStartBringsTheClockOut()
{
    writeOptions({{2, "AutoHide=1"}});
    FakeDesktop fake; // the pointer away, at 0, 0
    frmMain w;
    open(w);
    QTRY_COMPARE(w.x(), 1257);
    const int hidden = w.x();
    toolkit::SingleInstance first(QStringLiteral("tickora"), m_dir->path());
    QVERIFY(first.claim());
    connect(&first, &toolkit::SingleInstance::activationRequested, &w, &frmMain::bringToFront);
    bool secondEnds = false;
    const std::unique_ptr<QThread> second(QThread::create(
        [&] { secondEnds = !toolkit::SingleInstance(QStringLiteral("tickora"), m_dir->path()).claim(); }));
    second->start();
    QTRY_VERIFY(second->isFinished());
    QVERIFY(secondEnds);
    for (const QPoint cursor : {QPoint(0, 0), w.clientArea()->mapToGlobal(QPoint(50, 50)), QPoint(0, 0)}) {
        QCOMPARE(w.x(), 1280 - w.width());
        fake.movePointer(cursor);
    }
    QCOMPARE(w.x(), hidden);
}

// Answered without a display: the exit status and what is printed where.
void tst_frmmain::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // patterns
    QTest::addColumn<QString>("err");
    const QString none = QStringLiteral("^$");
    const QString usage = QStringLiteral("Usage: tickora \\[options\\]\n(.|\n)*-v, --version");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringLiteral("^Plomb Tickora 1\\.0\n$") << none;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << QLatin1Char('^') + usage << none;
    QTest::newRow("unknown option") << QStringList{"--help", "--bogus"} << 2 << none
                                    << QStringLiteral("^Unknown option 'bogus'.\n\n") + usage;
    QTest::newRow("argument") << QStringList{"now"} << 2 << none
                              << QStringLiteral("^Unexpected argument 'now'.\n\n") + usage;
    QTest::newRow("no X server") << QStringList{} << 1 << none << QStringLiteral("^tickora: [^\n]*DISPLAY[^\n]*\n$");
}

void tst_frmmain::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QString::fromUtf8(TICKORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitCode(), status);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(QRegularExpression(out).match(printed).hasMatch(), qPrintable(printed));
    QVERIFY2(QRegularExpression(err).match(errors).hasMatch(), qPrintable(errors));
}

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
