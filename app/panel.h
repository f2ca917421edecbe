#pragma once

#include "app/todaymark.h"

#include <QDate>
#include <QLocale>
#include <QObject>
#include <functional>

class Extras;
class MonthCalendar;
class PanelMenu;
class QDateTime;
class QLabel;
class QWidget;
class Tickdial;
class WorldView;
struct MainParts;
namespace agenda { class AgendaView; }

// The fold-out panel under the dial: the long date, the time, the other
// zones' lines, the month calendar with today's mark, the agenda's list
// under the calendar, and the panel's menu. It owns what it shows and lays
// out its rows; the window decides when it is open and how tall it is, and
// asks the panel how much room its rows take.
class Panel : public QObject
{
    Q_OBJECT
public:
    // The labels are the window's designed children, made with the others
    // on the client area; the calendar comes between the close and month
    // buttons in tab order. moreOptions opens "Altre opzioni…".
    Panel(const MainParts &parts, QWidget *client, std::function<void()> moreOptions, QObject *parent);

    QLabel *lblDate() const { return m_lblDate; }
    QLabel *lblTime() const { return m_lblTime; }
    // The month calendar, made the first time it is asked for.
    MonthCalendar *mthView();
    // The agenda's list under the calendar, once both are made.
    agenda::AgendaView *agendaView() const { return m_agendaView; }
    WorldView *world() const { return m_world; }

    // The day the window loaded on, which the calendar selects.
    void setLoadDate(QDate date);
    // The features' settings, known from the window's first activation:
    // the zones, the calendar's settings, the agenda's list.
    void attachExtras(Extras *extras);
    // Brings the labels, today's mark, the agenda's list and the zones to
    // that moment.
    void showTime(const QDateTime &now);
    // Makes what the open panel shows, while it is still closed: the
    // window's height as it opens makes the room for it.
    void prepareOpening();

    // Heights of the window with the panel open, twips: the least it may
    // have, what the dial gets of the given one, the one that keeps the
    // dial's size, the one that fits the calendar where it is now.
    double minimumOpenHeight() const;
    double dialHeightOpen(double windowHeight) const;
    double heightUnderDial() const;
    double heightToFit();
    // The window's width with the panel open, the bar's right edge given.
    double widthBeside(double barRight);
    // What the agenda's list takes, twips: nothing while it is hidden.
    double agendaRoom() const;

    // Lays the rows out under the dial, whether the panel shows or not.
    void layout();

signals:
    // The zones' lines came or went: an open panel grows or shrinks by them.
    void rowsChanged();
    // The agenda's list showed or hid; roomBefore is what it took before.
    void agendaShown(double roomBefore);

private:
    void placeAgenda();
    double rowsRoom() const;

    QWidget *m_client;
    Tickdial &m_dial;
    QLabel *m_lblDate;
    QLabel *m_lblTime;
    QWidget *m_tabBefore;        // the calendar's neighbours in tab order
    QWidget *m_tabAfter;
    PanelMenu *m_menu;
    WorldView *m_world;
    MonthCalendar *m_mthView = nullptr;
    agenda::AgendaView *m_agendaView = nullptr;
    Extras *m_extras = nullptr;

    QDate m_loadDate;            // the day the calendar shows
    TodayMark m_todayMark;
    double m_calendarTop;        // twips, where the layout puts the calendar

    // What the labels show: day, language and second of the day.
    QDate m_labelsDate;
    QLocale m_labelsLocale;
    int m_labelsSecond = -1;
};
