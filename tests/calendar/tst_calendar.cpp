// Faults caught: a holiday missing, on the wrong day or in the wrong years (Easter's computus, 2 June and
// 4 October); week numbers not ISO; the user's 29 February lost in a common year; Saturdays red, Sundays or
// holidays not red, or the red unreadable on a dark palette; a day's names not in its tooltip or not read
// with its date by a screen reader; Home not back to today; Tickora.conf's nonsense taken or its values lost.
#include "calendar/calendaroptions.h"
#include "calendar/calendarpage.h"
#include "calendar/holidays.h"
#include "calendar/monthcalendar.h"
#include "tests/support/optionsfixture.h"
#include "toolkit/conffile.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);

// "dd-mm Name" entries, one per holiday, in the order of the year.
QStringList entries(const QList<calendar::Holiday> &holidays)
{
    QStringList list;
    for (const calendar::Holiday &h : holidays)
        list << h.date.toString(u"dd-MM") + u' ' + h.name;
    return list;
}

// The cell of a date on the grid, in the calendar's own coordinates.
QRect cellOf(MonthCalendar &calendar, QDate date)
{
    QAbstractItemView *grid = calendar.grid();
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (calendar.dateAt(row, column) == date) {
                const QRect cell = grid->visualRect(grid->model()->index(row, column));
                return QRect(grid->viewport()->mapTo(&calendar, cell.topLeft()), cell.size());
            }
    return {};
}

// Pixels in a rectangle of the picture that are clearly of a colour.
int pixelsLike(const QImage &image, const QRect &rect, const std::function<bool(QColor)> &like)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += like(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}
bool isRed(QColor c) { return c.red() - std::max(c.green(), c.blue()) > 90; }
bool isAmber(QColor c) { return c.red() > 180 && c.green() > 90 && c.green() < 170 && c.blue() < 60; }

struct ShownCalendar {
    MonthCalendar calendar;
    explicit ShownCalendar(const calendar::CalendarOptions &options = {})
    {
        calendar.setLocale(Italian);
        calendar.setOptions(options);
        calendar.resize(181, 158); // the panel's size
        calendar.show();
        calendar.activateWindow();
    }
    QImage picture(QDate month)
    {
        calendar.setCurrentPage(month.year(), month.month());
        return calendar.grab().toImage();
    }
};

} // namespace

class tst_calendar : public QObject
{
    Q_OBJECT
private slots:
    // Written from the law, not from the code: the years hold the traps.
    void holidays_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2000, 2 June moved") << 2000 << "01-01 Capodanno|06-01 Epifania|23-04 Pasqua|24-04 Lunedì dell'Angelo|25-04 Festa della Liberazione|01-05 Festa del Lavoro|15-08 Ferragosto|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2011, Easter Monday on 25 April") << 2011 << "01-01 Capodanno|06-01 Epifania|24-04 Pasqua|25-04 Festa della Liberazione|25-04 Lunedì dell'Angelo|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2025, no 4 October") << 2025 << "01-01 Capodanno|06-01 Epifania|20-04 Pasqua|21-04 Lunedì dell'Angelo|25-04 Festa della Liberazione|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2026, 4 October") << 2026 << "01-01 Capodanno|06-01 Epifania|05-04 Pasqua|06-04 Lunedì dell'Angelo|25-04 Festa della Liberazione|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|04-10 San Francesco d'Assisi|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2038, Easter on 25 April") << 2038 << "01-01 Capodanno|06-01 Epifania|25-04 Festa della Liberazione|25-04 Pasqua|26-04 Lunedì dell'Angelo|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|04-10 San Francesco d'Assisi|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2100, not a leap year") << 2100 << "01-01 Capodanno|06-01 Epifania|28-03 Pasqua|29-03 Lunedì dell'Angelo|25-04 Festa della Liberazione|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|04-10 San Francesco d'Assisi|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
        QTest::newRow("2160, Easter on 23 March") << 2160 << "01-01 Capodanno|06-01 Epifania|23-03 Pasqua|24-03 Lunedì dell'Angelo|25-04 Festa della Liberazione|01-05 Festa del Lavoro|02-06 Festa della Repubblica|15-08 Ferragosto|04-10 San Francesco d'Assisi|01-11 Ognissanti|08-12 Immacolata Concezione|25-12 Natale|26-12 Santo Stefano";
    }
    void holidays()
    {
        QFETCH(int, year);
        QFETCH(QString, expected);
        QCOMPARE(entries(calendar::italianHolidays(year)).join(u'|'), expected);
    }

    // ISO weeks, Monday first: 28 December 2026 to 3 January 2027 is week 53, then week 1.
    void weekNumbers()
    {
        ShownCalendar shown;
        MonthCalendar &c = shown.calendar;
        c.setCurrentPage(2026, 12);
        QAbstractItemModel *model = c.grid()->model();
        const auto weekOf = [&](QDate date) {
            for (int row = 0; row < model->rowCount(); ++row)
                for (int column = 1; column < model->columnCount(); ++column)
                    if (c.dateAt(row, column) == date)
                        return model->index(row, 0).data().toInt();
            return -1;
        };
        QCOMPARE(weekOf(QDate(2026, 12, 28)), 53);
        QCOMPARE(weekOf(QDate(2027, 1, 3)), 53);
        QCOMPARE(weekOf(QDate(2027, 1, 4)), 1);
        QCOMPARE(c.dateAt(1, 1).dayOfWeek(), int(Qt::Monday));
        calendar::CalendarOptions off;
        off.weekNumbers = false;
        c.setOptions(off);
        QCOMPARE(model->columnCount(), 7);
    }

    // Red where a wall calendar prints red, in light and dark palettes and with holidays off.
    void redDays_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("holidays");
        QTest::newRow("light") << false << true;
        QTest::newRow("dark") << true << true;
        QTest::newRow("holidays off") << false << false;
    }
    void redDays()
    {
        QFETCH(bool, dark);
        QFETCH(bool, holidays);
        calendar::CalendarOptions options;
        options.holidays = holidays;
        ShownCalendar shown(options);
        if (dark) {
            QPalette palette = shown.calendar.palette();
            palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
            palette.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
            shown.calendar.setPalette(palette);
        }
        shown.calendar.setSelectedDate(QDate(2026, 4, 15));
        const QImage image = shown.picture(QDate(2026, 4, 1));
        const auto red = [&](int day) { return pixelsLike(image, cellOf(shown.calendar, QDate(2026, 4, day)), isRed); };
        QVERIFY2(red(5) > 3, "Easter Sunday");
        QVERIFY2(red(12) > 3, "a Sunday");
        QCOMPARE(red(6) > 3, holidays); // Easter Monday
        QCOMPARE(red(25) > 3, holidays); // Liberation Day, a Saturday
        QCOMPARE(red(4), 0); // a Saturday
        QCOMPARE(red(7), 0);
    }

    // 29 February falls on the 28th in a common year: named and marked with the user's dot.
    void userLeapDay_data()
    {
        QTest::addColumn<QDate>("marked");
        QTest::addColumn<QDate>("plain");
        QTest::newRow("2027") << QDate(2027, 2, 28) << QDate(2027, 2, 27);
        QTest::newRow("2028") << QDate(2028, 2, 29) << QDate(2028, 2, 28);
    }
    void userLeapDay()
    {
        QFETCH(QDate, marked);
        QFETCH(QDate, plain);
        calendar::CalendarOptions options;
        options.days = {*calendar::UserDay::fromEntry("29-02 Compleanno di Anna")};
        ShownCalendar shown(options);
        shown.calendar.setSelectedDate(marked.addDays(-10));
        const QImage image = shown.picture(marked);
        QCOMPARE(shown.calendar.dayNames(marked), QStringList{"Compleanno di Anna"});
        QVERIFY(shown.calendar.dayNames(plain).isEmpty());
        QVERIFY(pixelsLike(image, cellOf(shown.calendar, marked), isAmber) > 0);
        QCOMPARE(pixelsLike(image, cellOf(shown.calendar, plain), isAmber), 0);
    }

    // The pointer and the keyboard show a day's names; a screen reader reads them with the date; Home goes back.
    void namesOfADay()
    {
        ShownCalendar shown;
        MonthCalendar &c = shown.calendar;
        QVERIFY(QTest::qWaitForWindowActive(&c));
        c.setToday(QDate(2026, 1, 20));
        c.setSelectedDate(QDate(2026, 4, 5));
        QWidget *viewport = c.grid()->viewport();
        const QPoint hover = viewport->mapFrom(&c, cellOf(c, QDate(2026, 4, 6)).center());
        QHelpEvent help(QEvent::ToolTip, hover, viewport->mapToGlobal(hover));
        QApplication::sendEvent(viewport, &help);
        QTRY_COMPARE(QToolTip::text(), QString("Lunedì dell'Angelo"));
        QToolTip::hideText();

        QAccessible::setActive(true);
        c.grid()->setFocus();
        QTRY_VERIFY(c.grid()->hasFocus());
        QTest::keyClick(c.grid(), Qt::Key_Down); // 12 April: a Sunday without a name
        QTRY_VERIFY(!QToolTip::isVisible());
        QTest::keyClick(c.grid(), Qt::Key_Left);
        QTest::keyClick(c.grid(), Qt::Key_Up);
        QCOMPARE(c.selectedDate(), QDate(2026, 4, 4));
        QTest::keyClick(c.grid(), Qt::Key_Right);
        QTest::keyClick(c.grid(), Qt::Key_Right);
        QTRY_COMPARE(QToolTip::text(), QString("Lunedì dell'Angelo"));
        QAccessibleInterface *focus = QAccessible::queryAccessibleInterface(c.grid())->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->text(QAccessible::Name), QString("lunedì, 06 aprile 2026"));
        QCOMPARE(focus->text(QAccessible::Description), QString("Lunedì dell'Angelo"));

        QTest::keyClick(c.grid(), Qt::Key_Home);
        QCOMPARE(c.selectedDate(), QDate(2026, 1, 20));
        QCOMPARE(c.monthShown(), 1);
        QVERIFY(c.dateTextFormat(QDate(2026, 1, 20)).fontUnderline()); // today's mark
    }

    // A hand-edited Tickora.conf: nonsense gives the defaults, good entries stay; what is written reads back.
    void options_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("weekNumbers");
        QTest::addColumn<bool>("holidays");
        QTest::addColumn<QStringList>("days");
        QTest::newRow("missing") << QByteArray() << true << true << QStringList();
        QTest::newRow("set") << QByteArray("[Calendar]\nWeekNumbers=false\nHolidays=0\nDays=07-12 Sant'Ambrogio\n")
                             << false << false << QStringList{"07-12 Sant'Ambrogio"};
        QTest::newRow("nonsense") << QByteArray("[Calendar]\nWeekNumbers=forse\nHolidays=2\n"
                                                "Days=\"31-04 Nessuno\", 29-02 Anna, 7-12 X, 12-13 Y, \"01-05 \", \"24-06 San Giovanni, patrono\"\n")
                                  << true << true << QStringList{"29-02 Anna", "24-06 San Giovanni, patrono"};
    }
    void options()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, weekNumbers);
        QFETCH(bool, holidays);
        QFETCH(QStringList, days);
        QTemporaryDir dir;
        const QString path = dir.filePath("Tickora.conf");
        if (!file.isEmpty())
            QVERIFY(writeFile(path, file));
        const calendar::CalendarOptions read = calendar::CalendarOptions::read(toolkit::ConfFile(path));
        QCOMPARE(read.weekNumbers, weekNumbers);
        QCOMPARE(read.holidays, holidays);
        QStringList entries;
        for (const calendar::UserDay &day : read.days)
            entries << day.toEntry();
        QCOMPARE(entries, days);

        toolkit::ConfFile conf(path);
        read.write(conf);
        QVERIFY(conf.save());
        QCOMPARE(calendar::CalendarOptions::read(toolkit::ConfFile(path)), read);
    }

    // The page: add, edit and remove the user's days, each change told at once.
    void page()
    {
        CalendarPage page(calendar::CalendarOptions{});
        QSignalSpy changed(&page, &CalendarPage::changed);
        const auto days = [&] {
            QStringList list;
            for (const calendar::UserDay &day : page.options().days)
                list << day.toEntry();
            return list.join(u'|');
        };
        QVERIFY(!page.addButton()->isEnabled()); // no name yet
        page.dayName()->setText("Sant'Ambrogio");
        page.month()->setCurrentIndex(11);
        page.dayOfMonth()->setValue(7);
        page.addButton()->click();
        page.dayName()->setText("San Giovanni");
        page.month()->setCurrentIndex(5);
        page.dayOfMonth()->setValue(24);
        page.addButton()->click();
        QCOMPARE(days(), QString("24-06 San Giovanni|07-12 Sant'Ambrogio"));
        QCOMPARE(page.days()->currentItem()->text(), QString("24 giugno: San Giovanni"));

        page.days()->setCurrentRow(1);
        QCOMPARE(page.dayName()->text(), QString("Sant'Ambrogio"));
        page.month()->setCurrentIndex(3); // April has no 31st
        page.dayOfMonth()->setValue(31);
        page.editButton()->click();
        QCOMPARE(days(), QString("30-04 Sant'Ambrogio|24-06 San Giovanni"));

        page.days()->setCurrentRow(1);
        page.removeButton()->click();
        QCOMPARE(days(), QString("30-04 Sant'Ambrogio"));
        page.holidays()->setChecked(false);
        QVERIFY(!page.options().holidays);
        QCOMPARE(changed.count(), 5);
    }
};

QTEST_MAIN(tst_calendar)
#include "tst_calendar.moc"
