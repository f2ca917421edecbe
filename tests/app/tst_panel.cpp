// Faults caught: the panel's menu not opening from the labels, the calendar or its keys (or "Opzioni"
// opening instead); the date or time copied other than the labels show them; "Altre opzioni…" not showing a
// change at once, Annulla not putting it back, OK not writing Tickora.conf; the settings not applied to the
// calendar made later.
#include "tests/support/clockfixture.h"
#include "app/extras.h"
#include "calendar/calendarpage.h"
#include "calendar/monthcalendar.h"

#include <QtTest>
#include <QtWidgets>

class tst_panel : public QObject, ClockFixture
{
    Q_OBJECT
    // The clock with its panel open, on Easter Monday 2026 in Italian.
    frmMain &open(const QByteArray &conf)
    {
        if (!conf.isEmpty())
            [&] { QVERIFY(writeFile(confPath(), conf)); }();
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        fake->time = QDateTime(QDate(2026, 4, 6), QTime(9, 5, 7));
        frmMain &w = ClockFixture::open();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&w)); }();
        w.cmdMonth_Click();
        return w;
    }
    // The menu now open, and its action of that caption (without its "&").
    static QAction *menuAction(const QString &caption)
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return nullptr;
        for (QAction *action : menu->actions())
            if (action->text().remove(u'&') == caption)
                return action;
        return nullptr;
    }
    static void rightClick(QWidget *widget)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, widget->rect().center(), widget->mapToGlobal(widget->rect().center()));
        QApplication::sendEvent(widget, &event);
    }

private slots:
    void init() { setUp(); }
    void cleanup()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        tearDown();
        QLocale::setDefault(QLocale::c());
    }

    // Each way in opens the panel's menu, not "Opzioni"; its items copy what the labels show.
    void menu_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("copied");
        QTest::newRow("date label") << "lblDate" << "Copia data" << QString("lunedì, 06 aprile 2026");
        QTest::newRow("time label") << "lblTime" << "Copia ora" << QString("9:05 07");
        QTest::newRow("calendar") << "calendar" << "Copia data" << QString("lunedì, 06 aprile 2026");
        QTest::newRow("Menu key") << "Menu" << "Copia data" << QString("lunedì, 06 aprile 2026");
        QTest::newRow("Shift+F10") << "Shift+F10" << "Copia ora" << QString("9:05 07");
    }
    void menu()
    {
        QFETCH(QString, way);
        QFETCH(QString, item);
        QFETCH(QString, copied);
        frmMain &w = open({});
        QGuiApplication::clipboard()->clear();
        MonthCalendar *calendar = w.mthView();
        if (way == "lblDate")
            rightClick(w.lblDate());
        else if (way == "lblTime")
            rightClick(w.lblTime());
        else if (way == "calendar")
            rightClick(calendar->grid()->viewport());
        else {
            calendar->grid()->setFocus();
            QTRY_VERIFY(calendar->grid()->hasFocus());
            if (way == "Menu")
                QTest::keyClick(calendar->grid(), Qt::Key_Menu);
            else
                QTest::keyClick(calendar->grid(), Qt::Key_F10, Qt::ShiftModifier);
        }
        QTRY_VERIFY(menuAction(item));
        QCOMPARE(fake->modalCount, 0);
        menuAction(item)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // "Oggi" brings back today's month with today selected.
    void today()
    {
        frmMain &w = open({});
        w.mthView()->setSelectedDate(QDate(2025, 11, 3));
        rightClick(w.lblDate());
        QTRY_VERIFY(menuAction("Oggi"));
        menuAction("Oggi")->trigger();
        QCOMPARE(w.mthView()->selectedDate(), QDate(2026, 4, 6));
        QCOMPARE(w.mthView()->monthShown(), 4);
    }

    // A change shows at once; Annulla puts back what was shown and leaves the file; OK writes it.
    void moreOptions_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("weekNumbersAfter");
        QTest::addColumn<QByteArray>("fileAfter");
        const QByteArray before("[Calendar]\nWeekNumbers=true\nDays=07-12 Sant'Ambrogio\n");
        QTest::newRow("Annulla") << int(QDialog::Rejected) << true << before;
        QTest::newRow("OK") << int(QDialog::Accepted) << false
                            << QByteArray("[Calendar]\nDays=07-12 Sant'Ambrogio\nHolidays=true\nWeekNumbers=false\n");
    }
    void moreOptions()
    {
        QFETCH(int, result);
        QFETCH(bool, weekNumbersAfter);
        QFETCH(QByteArray, fileAfter);
        frmMain &w = open("[Calendar]\nWeekNumbers=true\nDays=07-12 Sant'Ambrogio\n");
        MonthCalendar *calendar = w.mthView();
        QCOMPARE(calendar->dayNames(QDate(2026, 12, 7)), QStringList{"Sant'Ambrogio"}); // read at start-up
        bool shownAtOnce = false;
        fake->onModal = [&](QDialog *dialog) {
            auto *page = dialog->findChild<CalendarPage *>();
            page->weekNumbers()->setChecked(false);
            shownAtOnce = calendar->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader;
            return result;
        };
        rightClick(calendar->grid()->viewport());
        QTRY_VERIFY(menuAction("Altre opzioni…"));
        menuAction("Altre opzioni…")->trigger();
        QCOMPARE(fake->modalCount, 1);
        QVERIFY(shownAtOnce);
        QCOMPARE(calendar->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers, weekNumbersAfter);
        // The calendar's group comes first; the other features write theirs after it.
        QCOMPARE(readFile(confPath()).left(fileAfter.size()), fileAfter);
    }
};

QTEST_MAIN(tst_panel)
#include "tst_panel.moc"
