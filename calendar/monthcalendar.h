#pragma once

#include "calendar/calendaroptions.h"
#include "calendar/daynote.h"
#include "calendar/holidays.h"

#include <QCalendarWidget>

class QAbstractItemView;

// The panel's month calendar: Sundays and Italy's national holidays in red,
// the user's own days and other notes marked with a dot of their colour
// under the number, ISO week numbers at the left, today's number bold and
// underlined. A day's names show in a tooltip when the pointer rests on it
// or the keyboard selects it, and a screen reader reads them with the date.
// Home brings back today.
class MonthCalendar : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget *parent = nullptr);
    ~MonthCalendar() override;

    void setOptions(const calendar::CalendarOptions &options);
    const calendar::CalendarOptions &options() const { return m_options; }

    // Other notes (the agenda's events) asked per day when a cell is
    // painted or its tooltip/accessible text is built. None by default.
    void setDayNotesProvider(calendar::DayNotesProvider provider);
    // The provider's answers changed (files reloaded): repaint the grid
    // and rebuild the texts.
    void refreshDayNotes();

    // The day the clock says it is: its mark, and where Home goes.
    void setToday(QDate today);
    QDate today() const;
    // Today's month, with today selected.
    void showToday();

    // A day's names: its holidays (when shown), the user's days, the notes.
    QStringList dayNames(QDate date) const;
    // The date in a cell of the grid, by the row and column of its model;
    // invalid for the headers and the week numbers.
    QDate dateAt(int row, int column) const;
    // The red of Sundays and holidays, for the palette in use.
    QColor redColor() const;
    // The colour of the dot under the user's days.
    static QColor userDayColor();

    QAbstractItemView *grid() const { return m_grid; }

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refreshPage();
    void showSelectedNames();
    QStringList namesOn(QDate date, const QList<calendar::Holiday> &holidays) const;

    calendar::CalendarOptions m_options;
    calendar::DayNotesProvider m_notes;
    QDate m_today;
    QAbstractItemView *m_grid = nullptr;
};
