#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QMenu;
class QWidget;
class MonthCalendar;

// The calendar panel's context menu: "Oggi", "Copia data", "Copia ora",
// "Altre opzioni…". It opens on a right click on the date or time label or
// on the calendar, and on the Menu key or Shift+F10 while the keyboard is
// in the calendar; elsewhere in the clock those keys open "Opzioni".
class PanelMenu : public QObject
{
    Q_OBJECT
public:
    // moreOptions opens "Altre opzioni…".
    PanelMenu(QLabel *date, QLabel *time, std::function<void()> moreOptions, QObject *parent = nullptr);

    // The calendar, once it is made.
    void setCalendar(MonthCalendar *calendar);

    // Opens the menu at a point of the screen; made as it opens and gone
    // when it closes.
    void popup(QPoint globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copy(const QString &text);

    QLabel *m_date;
    QLabel *m_time;
    QPointer<MonthCalendar> m_calendar;
    std::function<void()> m_moreOptions;
};
