// Faults caught: the main window's labels, schedule, docking, hiding or drag wrong; the edge not claimed
// while hidden; the minimum sizes, the bar's title or the border width's normal form wrong; "Opzioni" made
// early, opened by the wrong input, Cancel not restoring the file or a hand edit not applied; a screen reader
// told of the clock more than once a minute; the bar's title over the buttons; a window that grows at each
// opening and closing of the panel; zone lines that push the dial, overlap the calendar or outlive Annulla;
// the agenda's events missing from the panel, or its room kept when it is switched off.
#include "tests/support/clockfixture.h"
#include "agenda/agendapage.h"
#include "agenda/agendaview.h"
#include "app/docking.h"
#include "app/extras.h"
#include "app/worldview.h"
#include "worldclock/zonespage.h"
#include "settings/controls.h"
#include "settings/frmoption.h"
#include "translucency/ctranslucentform.h"
#include "dial/tickdial.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// The notifications that make a screen reader speak, as Qt sends them out.
QList<std::pair<QObject *, QAccessible::Event>> g_spoken;
void recordSpoken(QAccessibleEvent *event)
{
    static const QSet<QAccessible::Event> spoken{QAccessible::NameChanged, QAccessible::DescriptionChanged,
                                                 QAccessible::ValueChanged, QAccessible::TextUpdated};
    if (spoken.contains(event->type()))
        g_spoken.append({event->object(), event->type()});
}
int spokenBy(QObject *object)
{
    return int(std::count_if(g_spoken.cbegin(), g_spoken.cend(), [=](const auto &n) { return n.first == object; }));
}

using Action = std::function<void(frmMain &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class tst_app : public QObject, ClockFixture
{
    Q_OBJECT
    QByteArray readOptions() const { return readFile(m_dir->filePath("Options.dat")); }

private slots:
    void initTestCase()
    {
        // The bridge to assistive technology turns itself on once it reaches the accessibility bus (desktop run).
        QAccessible::setActive(true);
        QAccessible::queryAccessibleInterface(qApp);
        if (QGuiApplication::platformName() == QLatin1String("xcb") && qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            QTRY_VERIFY(QAccessible::isActive());
    }

    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // Zones from Tickora.conf: a line under the time label, the calendar and the open window lower by it, the
    // dial as designed; in "Altre opzioni…" a new zone shows at once, Annulla takes it back, OK keeps and saves it.
    void otherZones()
    {
        fake->time = QDateTime(QDate(2026, 3, 20), QTime(12, 0), QTimeZone("Europe/Rome"));
        open().cmdMonth_Click();
        const QRect designedDial = m_window->Tickdial1()->geometry();
        const int designedCalendar = m_window->mthView()->y();
        const int designedHeight = m_window->height();
        m_window.reset();

        const QString conf = confPath();
        QVERIFY(writeFile(conf, "[Zones]\nList=America/New_York|Ufficio NY\n"));
        frmMain &w = open();
        w.cmdMonth_Click();
        QLabel *lines = w.world()->linesLabel();
        const QString newYork = QStringLiteral("Ufficio NY  07:00  \u22125 h");
        QVERIFY(lines->isVisible());
        QCOMPARE(lines->text(), newYork);
        QCOMPARE(w.Tickdial1()->geometry(), designedDial);
        const int room = w.mthView()->y() - designedCalendar;
        QCOMPARE(w.height() - designedHeight, room);
        QVERIFY(lines->y() > w.lblTime()->geometry().bottom());
        QVERIFY(lines->geometry().bottom() < w.mthView()->y());

        const QString both = newYork + QStringLiteral("\nMumbai  16:30  +4:30 h");
        int grown = 0;
        for (const int answer : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
            fake->onModal = [&, answer](QDialog *dialog) {
                auto *page = dialog->findChild<worldclock::ZonesPage *>();
                page->cityEdit()->setText("kolkata");
                page->labelEdit()->setText("Mumbai");
                page->addButton()->click();
                [&] { QCOMPARE(lines->text(), both); }();
                grown = w.height() - designedHeight;
                return answer;
            };
            w.showMoreOptions();
            QCOMPARE(w.Tickdial1()->geometry(), designedDial);
            QVERIFY(grown > room);
            QCOMPARE(lines->text(), answer == QDialog::Accepted ? both : newYork);
            QCOMPARE(w.height() - designedHeight, answer == QDialog::Accepted ? grown : room);
            QCOMPARE(readFile(conf).contains("Asia/Kolkata|Mumbai"), answer == QDialog::Accepted);
        }
    }

    // Two ticks in a row: the labels and the calendar's today mark show what the second found.
    void labelsFollowTheClock_data()
    {
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("second");
        QTest::addColumn<QString>("secondLocale");
        QTest::addColumn<QString>("shown"); // date | time
        const QDate day(2026, 12, 6);
        QTest::newRow("past midnight") << QDateTime(day, QTime(23, 59, 59, 900)) << QDateTime(day.addDays(1), QTime(0, 0))
                                       << "en_GB" << "Monday, 07 December 2026 | 0:00 00";
        QTest::newRow("language changed") << QDateTime(day, QTime(9, 5, 7)) << QDateTime(day, QTime(9, 5, 7, 300))
                                          << "it_IT" << "domenica, 06 dicembre 2026 | 9:05 07";
    }

    void labelsFollowTheClock()
    {
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, second);
        QFETCH(QString, secondLocale);
        QFETCH(QString, shown);
        const QLocale previous;
        frmMain &w = open();
        QLocale::setDefault(QLocale("en_GB"));
        fake->time = first;
        w.Timer1_Timer();
        w.mthView()->setSelectedDate(first.date().addDays(2)); // the user picks another day
        QLocale::setDefault(QLocale(secondLocale));
        fake->time = second;
        w.Timer1_Timer();
        QLocale::setDefault(previous);
        QCOMPARE(w.lblDate()->text() + " | " + w.lblTime()->text(), shown);
        const auto marked = [&w](QDate day) { return w.mthView()->dateTextFormat(day).fontUnderline(); };
        QVERIFY(marked(second.date()));
        QCOMPARE(marked(first.date()), first.date() == second.date());
        QVERIFY(!marked(first.date().addDays(2)));
    }

    // The one wake-up, at the next change shown, and what the clock shows after it (or after a jump of the time).
    void schedule_data()
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
        QTest::newRow("spring forward") << "seconds" << at(3, 29, QTime(1, 59, 59)) << at(3, 29, QTime(3, 0)) << QDateTime()
                                        << "Ore 3:00|3:00 00" << at(3, 29, QTime(3, 0, 1));
        // 02:59:59 CEST, then 02:00:00 CET.
        const QDateTime fallBack = QDateTime(QDate(2026, 10, 25), QTime(1, 0), QTimeZone::utc()).toTimeZone(rome);
        QTest::newRow("fall back") << "seconds" << fallBack.addSecs(-1) << fallBack << QDateTime() << "Ore 2:00|2:00 00"
                                   << fallBack.addSecs(1);
        const QDateTime dhaka = at(3, 4, QTime(3, 0, 20)).toTimeZone(QTimeZone("Asia/Dhaka"));
        QTest::newRow("zone change") << "minutes" << at(3, 4, QTime(3, 0, 20)) << at(3, 4, QTime(3, 1)) << dhaka
                                     << "Ore 8:00|8:00 20" << dhaka.addSecs(40);
    }

    void schedule()
    {
        QFETCH(QString, state);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, wake);
        QFETCH(QDateTime, jump);
        QFETCH(QString, shown);
        QFETCH(QDateTime, next);
        writeOptions({state == "hidden" ? "AutoHide=1" : "AutoHide=0", state == "seconds" ? "ViewSecond=1" : "ViewSecond=0"});
        fake->time = start;
        frmMain &w = open();
        fake->movePointer(state == "hidden" ? QPoint(0, 500) : w.mapToGlobal(QPoint(10, 10)));
        if (state == "panel")
            w.cmdMonth_Click();
        QCOMPARE(fake->wake, wake);
        if (jump.isValid())
            fake->jumpTo(jump);
        else
            fake->fireWake();
        fake->movePointer(w.mapToGlobal(QPoint(10, 10)));
        QCOMPARE(w.Tickdial1()->accessibleName() + "|" + w.lblTime()->text(), shown);
        QCOMPARE(fake->wake, next);
    }

    // Where the window goes and whether it shows, from the situation alone: a 200 x 186 px window with an
    // 18 px bar and a 4 px frame, beside the 1280 x 1024 primary screen at (0, 0).
    void docking_data()
    {
        QTest::addColumn<QList<QRect>>("more");   // screens beside the primary
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("pointer");      // in the client area's pixels
        QTest::addColumn<QString>("flags");       // autohide, hidebar, heldout, popup, button (held), new (never shown yet)
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QString>("expected");    // shown|hidden, and follow when the pointer must be followed
        const QList<QRect> none;
        const QRect at(1080, 300, 200, 186);
        const int withBar = 1280 - 18 - 5;  // 19200 - 270 - 70 twips = 1257.3 px
        const int strip = 1280 - 5;         // 19200 - 70 twips = 1275.3 px
        QTest::newRow("auto-hide off") << none << at << QPoint(-300, 50) << "" << QPoint(1080, 300) << "shown";
        QTest::newRow("x -4 is near") << none << at << QPoint(-4, 50) << "autohide" << QPoint(1080, 300) << "shown";
        QTest::newRow("x -5 is away") << none << at << QPoint(-5, 50) << "autohide" << QPoint(withBar, 300) << "hidden";
        QTest::newRow("y -5 is away") << none << at << QPoint(50, -5) << "autohide" << QPoint(withBar, 300) << "hidden";
        QTest::newRow("y at the height is away") << none << at << QPoint(50, 186) << "autohide" << QPoint(withBar, 300)
                                                 << "hidden";
        QTest::newRow("just below, near") << none << at << QPoint(50, 185) << "autohide" << QPoint(1080, 300) << "shown follow";
        QTest::newRow("on the window") << none << at << QPoint(50, 50) << "autohide" << QPoint(1080, 300) << "shown";
        QTest::newRow("far right is near") << none << at << QPoint(5000, 10) << "autohide" << QPoint(1080, 300)
                                           << "shown follow";
        QTest::newRow("away, the strip watched") << none << at << QPoint(-300, 50) << "autohide strip" << QPoint(withBar, 300)
                                                 << "hidden strip 23x186";
        QTest::newRow("away, bar hidden too") << none << at << QPoint(-300, 50) << "autohide hidebar" << QPoint(strip, 300)
                                              << "hidden";
        QTest::newRow("away, held out") << none << at << QPoint(-300, 50) << "autohide heldout" << QPoint(1080, 300)
                                        << "shown heldout";
        QTest::newRow("away, a popup of its own open") << none << at << QPoint(-300, 50) << "autohide popup"
                                                       << QPoint(1080, 300) << "shown follow";
        QTest::newRow("away, a button held while out") << none << at << QPoint(-300, 50) << "autohide button"
                                                       << QPoint(1080, 300) << "shown follow";
        QTest::newRow("away, a button held while hidden") << none << QRect(withBar, 300, 200, 186) << QPoint(-300, 50)
                                                          << "autohide button" << QPoint(withBar, 300) << "hidden";
        QTest::newRow("away, never shown yet") << none << at << QPoint(-300, 50) << "autohide new" << QPoint(1080, 300)
                                               << "shown";
        QTest::newRow("below the bottom") << none << QRect(10, 900, 200, 186) << QPoint(0, 0) << "" << QPoint(1080, 838)
                                          << "shown";
        QTest::newRow("taller than the screen") << none << QRect(10, 30, 200, 1200) << QPoint(0, 0) << ""
                                                << QPoint(1080, 0) << "shown";
        const QRect right(1280, 0, 1920, 1080);
        QTest::newRow("primary left of another") << QList{right} << QRect(10, 100, 200, 186) << QPoint(0, 0) << ""
                                                 << QPoint(3000, 100) << "shown";
        QTest::newRow("another, not at its height") << QList{QRect(1280, 0, 1920, 600)} << QRect(10, 700, 200, 186)
                                                    << QPoint(0, 0) << "" << QPoint(1080, 700) << "shown";
        QTest::newRow("left outside every screen") << none << QRect(10, 1500, 200, 186) << QPoint(0, 0) << ""
                                                   << QPoint(1080, 1024 - 186) << "shown";
    }

    void docking()
    {
        QFETCH(QList<QRect>, more);
        QFETCH(QRect, frame);
        QFETCH(QPoint, pointer);
        QFETCH(QString, flags);
        QFETCH(QPoint, topLeft);
        QFETCH(QString, expected);
        Docking::Situation s;
        s.screens = QList<QRect>{QRect(0, 0, 1280, 1024)} + more;
        s.frame = frame;
        s.clientOrigin = frame.topLeft() + QPoint(4, 4);
        s.barWidth = 18;
        s.pointer = s.clientOrigin + pointer;
        s.pointerOnWindow = frame.contains(s.pointer);
        s.autoHideOn = flags.contains("autohide");
        s.hideBarOn = flags.contains("hidebar");
        s.heldOut = flags.contains("heldout");
        s.popupOpen = flags.contains("popup");
        s.shownOnce = !flags.contains("new");
        s.buttonHeld = flags.contains("button");
        const Docking::Decision d = Docking::decide(s);
        QCOMPARE(d.topLeft, topLeft);
        QStringList got{d.shown ? "shown" : "hidden"};
        if (d.followPointer)
            got << "follow";
        if (d.heldOut)
            got << "heldout";
        if (flags.contains("strip"))
            got << QStringLiteral("strip %1x%2").arg(d.strip.width()).arg(d.strip.height());
        else if (!d.shown != !d.strip.isEmpty())
            got << "strip shown";
        QCOMPARE(got.join(' '), expected);
    }

    // What the window does with that: docks on the rightmost screen when the screens change.
    void docksWhenTheScreensChange()
    {
        frmMain &w = open();
        w.move(10, 100);
        fake->moreScreens = {QRect(1280, 0, 1920, 1080)};
        fake->changeScreens();
        QCOMPARE(w.frameGeometry().topRight() + QPoint(1, 0), QPoint(3200, 100));
    }

    // No docking during the drag; at the release it docks, shown or hidden by where the pointer is then.
    void dragByTheBar_data()
    {
        QTest::addColumn<QByteArray>("autoHide");
        QTest::addColumn<QPoint>("release");  // from the last move
        QTest::addColumn<bool>("late");       // the pointer is already at the release when the press is handled
        QTest::addColumn<bool>("comingOut");  // pressed on the hidden strip before its arrival was reported
        QTest::addColumn<int>("expectedX");
        QTest::newRow("events handled late") << QByteArray("0") << QPoint(-300, 400) << true << false << 1080;
        QTest::newRow("auto-hide, released on the bar") << QByteArray("1") << QPoint(30, 0) << false << false << 1080;
        QTest::newRow("auto-hide, released far away") << QByteArray("1") << QPoint(-300, 400) << false << false
                                                      << 1280 - 18 - 5;
        QTest::newRow("auto-hide, dragged off before the press is handled") << QByteArray("1") << QPoint(30, 0) << true
                                                                           << false << 1080;
        QTest::newRow("auto-hide, pressed as it comes out") << QByteArray("1") << QPoint(30, 0) << false << true << 1080;
    }

    void dragByTheBar()
    {
        QFETCH(QByteArray, autoHide);
        QFETCH(QPoint, release);
        QFETCH(bool, late);
        QFETCH(bool, comingOut);
        QFETCH(int, expectedX);
        writeOptions({"AutoHide=" + autoHide});
        frmMain &w = open();
        fake->movePointer(comingOut ? QPoint(0, 500) : QPoint(1090, 210));
        w.move(1080, 200);
        QCOMPARE(w.x(), comingOut ? 1280 - 18 - 5 : 1080);
        const QPoint start = w.picBar()->mapToGlobal(QPoint(5, 100));
        const QPoint end = start + QPoint(-30, 100) + release;
        fake->cursor = end;
        if (late) {
            // Reported before the press is handled, the button already down: the clock stays out.
            fake->buttonHeld = true;
            fake->movePointer(end);
            QCOMPARE(w.x(), 1080);
        }
        auto send = [&](QEvent::Type type, Qt::MouseButton button, QPoint global) {
            if (!late)
                fake->cursor = global;
            fake->buttonHeld = type != QEvent::MouseButtonRelease;
            const QPointF local = w.picBar()->mapFromGlobal(global);
            QMouseEvent event(type, local, local, QPointF(global), button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
            QCoreApplication::sendEvent(w.picBar(), &event);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton, start);
        send(QEvent::MouseMove, Qt::LeftButton, start + QPoint(-30, 100));
        fake->changeScreens();
        QCOMPARE(w.pos(), QPoint(1050, 300));
        // The release undoes the sideways part and keeps the vertical one.
        send(QEvent::MouseButtonRelease, Qt::LeftButton, end);
        QCOMPARE(w.pos(), QPoint(expectedX, 300));
        // Hidden, the clock claims the edge's strip; docked in full, no strip was ever claimed.
        QCOMPARE(fake->edgeClaims.contains(&w), expectedX + w.width() > 1280);
    }

    // Shrunk by its frame, the window keeps its minimum: 1300 x 1500 twips, 4000 high with the panel open.
    void minimumSize_data()
    {
        QTest::addColumn<bool>("panel");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("too low") << false << QSize(200, 40) << QSize(200, 87);
        QTest::newRow("too narrow") << false << QSize(50, 200) << QSize(100, 200);
        QTest::newRow("panel open, too low") << true << QSize(200, 100) << QSize(200, 267);
    }

    void minimumSize()
    {
        QFETCH(bool, panel);
        QFETCH(QSize, asked);
        QFETCH(QSize, expected);
        frmMain &w = open();
        if (panel)
            w.cmdMonth_Click();
        const int width = panel ? w.width() : asked.width(); // the open panel sets the width
        w.setMinimumSize(1, 1); // as a window manager that ignores the hint would
        w.resize(asked);
        QTRY_COMPARE(w.size(), QSize(panel ? width : expected.width(), expected.height()));
    }

    // The title and version in yellow, a column about 12 px wide reading upwards, ending 10 px above the bar's
    // bottom, and drawn again after a layout; at the minimum size cut off below the buttons, still there below.
    void barTitle()
    {
        frmMain &w = open();
        const auto yellow = [&w] {
            const QImage bar = w.picBar()->image();
            const qreal d = bar.devicePixelRatio();
            QRect ink;
            for (int y = 0; y < bar.height(); ++y)
                for (int x = 0; x < bar.width(); ++x) {
                    const QColor c = bar.pixelColor(x, y);
                    if (c.red() > 160 && c.green() > 160 && c.blue() < 100)
                        ink |= QRect(x, y, 1, 1);
                }
            return QRectF(ink.x() / d, ink.y() / d, ink.width() / d, ink.height() / d);
        };
        w.setHeight(w.Height() + 600);
        const QRectF px = yellow();
        const int bottom = w.picBar()->height() - 10;
        QVERIFY2(px.height() > 60 && px.width() < 14 && px.left() < 4 && qAbs(px.bottom() - bottom) <= 3,
                 qPrintable(QStringLiteral("yellow in %1,%2 %3x%4, bar %5 high").arg(px.x()).arg(px.y())
                                .arg(px.width()).arg(px.height()).arg(w.picBar()->height())));
        w.resize(1, 1);
        QCOMPARE(w.size(), QSize(100, 87));
        const QRectF cut = yellow();
        QVERIFY(cut.height() > 3 && cut.top() >= w.cmdAbout()->geometry().bottom() + 1);
    }

    // At activation the border width is put in a normal form: what "Opzioni" then shows and the dial's ring.
    void borderWidthNormalised_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("ring");
        QTest::newRow("comma") << QByteArray("12,0") << "12" << 12;
        QTest::newRow("blanks and letters") << QByteArray(" 7abc") << "7" << 7;
        QTest::newRow("zero") << QByteArray("0") << "1" << 1;
    }

    void borderWidthNormalised()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(int, ring);
        writeOptions({"AutoHide=0", "BorderWidth=" + stored});
        frmMain &w = open();
        QString inDialog;
        fake->onModal = [&](QDialog *dialog) {
            inDialog = static_cast<frmOption *>(dialog)->txtBorderWidth()->text();
            return int(QDialog::Rejected);
        };
        w.picBar_MouseUp(2);
        QCOMPARE(inDialog, shown);
        QCOMPARE(int(w.Tickdial1()->BorderWidth()), ring);
        QVERIFY(fake->messages.isEmpty());
    }

    // Edited by hand while the clock runs, applied when the window is next activated (here: the About box closes).
    void activationAppliesTheFile()
    {
        frmMain &w = open();
        writeOptions({"Translucent=128", "BringToFront=0", "AutoHide=1", "HideBar=1", "ViewDate=0", "ViewBorder=0",
                      "BorderWidth=9", "ColorBorder=65280", "ViewTextHours=0", "ColorTextHours=8421504", "ViewSecond=0",
                      "ColorLancetSecond=255", "ColorLancetMinute=65535", "ColorLancetHour=4210752"});
        w.cmdAbout_Click();
        const Tickdial *d = w.Tickdial1();
        QCOMPARE(QList<bool>({d->VisibleTextDate(), d->VisibleBorder(), d->VisibleTextHours(), d->VisibleSecond(),
                              w.AutoHideOn(), w.HideBarOn(), fake->onTop.value(&w, true)}),
                 QList<bool>({false, false, false, false, true, true, false}));
        QCOMPARE(QList<int>({int(d->BorderWidth()), d->BorderColor(), d->TextHoursColor(), d->LancetSecondColor(),
                             d->LancetMinuteColor(), d->LancetHourColor()}),
                 QList<int>({9, 65280, 8421504, 255, 65535, 4210752}));
        QCOMPARE(fake->opacity.value(&w), 128 / 255.0);
    }

    // "Opzioni" is made as it opens, beside the clock, gone once closed; the clock stays out meanwhile.
    void optionsOpen_data()
    {
        QTest::addColumn<Action>("input");
        QTest::addColumn<bool>("opens");
        const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers) {
            return Action([=](frmMain &) { QTest::keyClick(QApplication::focusWidget(), pressed, modifiers); });
        };
        const auto click = [](Qt::MouseButton button) {
            return Action([=](frmMain &w) { QTest::mouseClick(w.picBar(), button, {}, QPoint(5, 100)); });
        };
        QTest::newRow("right click on the bar") << click(Qt::RightButton) << true;
        QTest::newRow("left click on the bar") << click(Qt::LeftButton) << false;
        QTest::newRow("Menu") << key(Qt::Key_Menu, {}) << true;
        QTest::newRow("Shift+F10") << key(Qt::Key_F10, Qt::ShiftModifier) << true;
        QTest::newRow("F10") << key(Qt::Key_F10, {}) << false;
    }

    void optionsOpen()
    {
        QFETCH(Action, input);
        QFETCH(bool, opens);
        writeOptions({"AutoHide=1"});
        frmMain &w = open();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.Tickdial1());
        fake->movePointer(w.mapToGlobal(QPoint(10, 10)));
        QVERIFY(w.findChildren<frmOption *>().isEmpty());
        const QPoint docked = w.pos();
        fake->onModal = [&](QDialog *dialog) {
            fake->movePointer(QPoint(0, 500)); // the pointer over the dialog does not hide the clock
            [&] {
                QCOMPARE(w.pos(), docked);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Opzioni"));
                QVERIFY(dialog->geometry().right() < w.x() && qAbs(dialog->y() - w.y()) < 40);
            }();
            fake->movePointer(w.mapToGlobal(QPoint(10, 10)));
            writeOptions({"AutoHide=1", "ViewSecond=0"});
            return int(QDialog::Rejected);
        };
        input(w);
        QCOMPARE(fake->modalCount, opens ? 1 : 0);
        QCOMPARE(w.Tickdial1()->VisibleSecond(), !opens);
        QVERIFY(w.findChildren<frmOption *>().isEmpty());
    }

    // The dialog previews at once; Cancel puts the file back on the clock, OK saves and keeps what was chosen.
    void optionsClose_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK") << true;
    }

    void optionsClose()
    {
        QFETCH(bool, ok);
        frmMain &w = open();
        const QByteArray before = readOptions();
        fake->colorAnswer = QColor(0, 255, 0);
        const auto shown = [&] {
            Tickdial *d = w.Tickdial1();
            return QVariantList{d->VisibleSecond(), fake->onTop.value(&w), int(d->BorderWidth()), d->LancetHourColor(),
                                int(w.settings().Translucency()->Alpha())};
        };
        const QVariantList chosen{false, false, 30, toolkit::rgbColor(0, 255, 0), 100};
        fake->onModal = [&](QDialog *dialog) {
            auto *options = static_cast<frmOption *>(dialog);
            options->chkViewSecond()->setChecked(false);
            options->chkBringToFront()->setChecked(false);
            options->txtBorderWidth()->setText("30");
            options->Slider1()->setValue(101);
            options->Slider1()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            QTest::mouseClick(options->picColorHour(), Qt::LeftButton);
            [&] { QCOMPARE(shown(), chosen); }();
            (ok ? options->cmdOK() : options->cmdCancel())->click();
            return int(ok ? QDialog::Accepted : QDialog::Rejected);
        };
        w.picBar_MouseUp(2);
        if (ok) {
            QCOMPARE(shown(), chosen);
            QCOMPARE(readOptions(),
                     QByteArray("Translucent=100\r\nBringToFront=0\r\nAutoHide=0\r\nHideBar=0\r\nViewDate=1\r\n"
                                "ViewBorder=1\r\nBorderWidth=30\r\nColorBorder=12632256\r\nViewTextHours=1\r\n"
                                "ColorTextHours=0\r\nViewSecond=0\r\nColorSecond=0\r\nMinuteSecond=255\r\nHourSecond=65280\r\n"));
        } else {
            QCOMPARE(shown(), QVariantList({true, true, 4, 16711680, 255}));
            QCOMPARE(readOptions(), before);
        }
    }

    // ">" opened and closed twenty times: the window comes back to the same height each time.
    void panelKeepsItsHeights()
    {
        frmMain &w = open();
        const int closed = w.height();
        w.cmdMonth_Click();
        const int opened = w.height();
        QVERIFY(opened > closed);
        for (int i = 0; i < 20; ++i) {
            w.cmdMonth_Click();
            QCOMPARE(w.height(), closed);
            w.cmdMonth_Click();
            QCOMPARE(w.height(), opened);
        }
    }

    // What a screen reader reads of the clock changes once a minute, though the time label's text changes every
    // second; with a bridge (the desktop run) it is told once a minute too, and a colour box once a change.
    void announcements()
    {
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordSpoken);
        frmMain &w = open();
        w.cmdMonth_Click(); // the panel in view
        w.Timer1()->stop();
        w.Tickdial1()->Timer1()->stop();
        const auto read = [&] {
            QStringList texts;
            for (QObject *o : {static_cast<QObject *>(w.lblTime()), static_cast<QObject *>(w.Tickdial1())}) {
                QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
                texts << iface->text(QAccessible::Name) << iface->text(QAccessible::Description);
            }
            return texts.join('|');
        };
        const auto tick = [&](QTime time) {
            fake->time.setTime(time);
            w.Tickdial1()->Timer1_Timer();
            w.Timer1_Timer();
        };
        tick(QTime(3, 0));
        g_spoken.clear();
        QSet<QString> heard;
        for (int ms = 0; ms < 60000; ms += 300) {
            tick(QTime(3, 0).addMSecs(ms));
            heard << read();
        }
        w.Tickdial1()->setLancetHourColor(toolkit::ColorRed);
        QCOMPARE(heard.size(), 1);
        QCOMPARE(g_spoken.size(), 0);
        tick(QTime(3, 1));
        tick(QTime(3, 1, 0, 300));
        QVERIFY(read().startsWith("Ore 3:01|"));
        if (!QAccessible::isActive()) { // no bridge: no notifications to count
            QAccessible::installUpdateHandler(previous);
            return;
        }
        QCOMPARE(QList<int>({spokenBy(w.lblTime()), spokenBy(w.Tickdial1()), spokenBy(w.lblDate())}), QList<int>({1, 1, 0}));
        settings::ColorBox box(&w);
        box.show();
        g_spoken.clear();
        box.setBackColor(toolkit::rgbColor(0x12, 0x34, 0x56));
        box.setBackColor(toolkit::rgbColor(0x12, 0x34, 0x56));
        QCOMPARE(spokenBy(&box), 1);
        QAccessible::installUpdateHandler(previous);
    }

    // An agenda configured: its events are the calendar's day names and the list under the calendar, which the
    // open panel makes room for; switched off in "Altre opzioni…" the panel is as designed, Annulla brings it back.
    void agendaInThePanel()
    {
        QVERIFY(writeFile(confPath(),
                          "[Agenda]\nSources=" TICKORA_AGENDA_DATA_DIR "/alarm.ics\nColors=#00c000\n"));
        fake->time = QDateTime(QDate(2026, 3, 9), QTime(8, 0));
        frmMain &window = open();
        window.cmdMonth()->click();
        MonthCalendar *calendar = window.mthView();
        QTRY_COMPARE_WITH_TIMEOUT(calendar->dayNames(QDate(2026, 3, 9)),
                                  (QStringList{"Compleanno di Anna", "09:30\u201310:00 Dentista",
                                               "18:00\u201320:00 Treno per Milano"}),
                                  10000);
        agenda::AgendaView *list = window.agendaView();
        QVERIFY(list && !list->isHidden());
        QCOMPARE(list->shownLines().first(), QString("Compleanno di Anna"));
        // What has ended leaves the list, and what a screen reader reads of it, as the clock ticks on.
        QVERIFY(list->accessibleDescription().contains("Dentista"));
        fake->wake = QDateTime(QDate(2026, 3, 9), QTime(10, 1));
        fake->fireWake();
        QVERIFY(!list->accessibleDescription().contains("Dentista"));
        const int openHeight = window.height();
        QVERIFY(list->y() > calendar->geometry().bottom());
        QVERIFY(list->geometry().bottom() < window.clientArea()->height() + 1);

        fake->onModal = [&](QDialog *dialog) {
            auto *page = dialog->findChild<agenda::AgendaPage *>();
            page->sourceList()->item(0)->setCheckState(Qt::Unchecked);
            [&] { QTRY_VERIFY_WITH_TIMEOUT(list->isHidden(), 10000); }();
            // The designed panel: the calendar at the window's foot again.
            [&] { QVERIFY(window.height() < openHeight); }();
            [&] { QVERIFY(calendar->dayNames(QDate(2026, 3, 9)).isEmpty()); }();
            return int(QDialog::Rejected);
        };
        window.extras()->showDialog(&window);
        QTRY_VERIFY_WITH_TIMEOUT(!list->isHidden(), 10000);
        QCOMPARE(window.height(), openHeight);
        QCOMPARE(calendar->dayNames(QDate(2026, 3, 9)).size(), 3);
    }
};

QTEST_MAIN(tst_app)
#include "tst_app.moc"
