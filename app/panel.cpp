#include "app/panel.h"

#include "agenda/agenda.h"
#include "agenda/agendaview.h"
#include "app/extras.h"
#include "app/mainparts.h"
#include "app/panelmenu.h"
#include "app/worldview.h"
#include "calendar/monthcalendar.h"
#include "dial/tickdial.h"
#include "toolkit/dateformat.h"
#include "toolkit/timeunits.h"
#include "toolkit/twips.h"

#include <QLabel>
#include <QPushButton>

using toolkit::toPxInt;
using toolkit::toTwips;
using toolkit::MsecsPerSecond;
using toolkit::SecondsPerMinute;

namespace {

// The least height of the window with the panel open, twips.
constexpr double MinHeightOpen = 4000;
// Room left below the dial for the panel's classic rows while it is open.
constexpr double PanelRoom = 3050;
// Spacing of the panel's rows.
constexpr double PanelGap = 60;
// Added below the calendar when ">" sets the height, and to the
// calendar's width for the window's while the panel is open.
constexpr double CalendarMargin = 120;
constexpr double CalendarSideMargin = 180;

// The calendar's design place and size.
constexpr TwipsRect CalendarRect{300, 3240, 2715, 2370};

} // namespace

Panel::Panel(const MainParts &parts, QWidget *client, std::function<void()> moreOptions, QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_dial(*parts.dial)
    , m_lblDate(parts.date)
    , m_lblTime(parts.time)
    , m_tabBefore(parts.close)
    , m_tabAfter(parts.month)
    , m_menu(new PanelMenu(m_lblDate, m_lblTime, std::move(moreOptions), this))
    // Other time zones, under the time label while there are any.
    , m_world(new WorldView(m_dial, client))
    , m_calendarTop(CalendarRect.top)
{
    connect(m_world, &WorldView::panelHeightChanged, this, &Panel::rowsChanged);
}

// The month calendar, made the first time the panel opens (or something
// asks for it): a clock that is never unfolded does not pay for it. It
// shows the day the window loaded on, as it would have if made then.
MonthCalendar *Panel::mthView()
{
    if (!m_mthView) {
        m_mthView = new MonthCalendar(m_client);
        // One letter per weekday: the names of the user's locale fit the panel.
        m_mthView->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        m_mthView->setSelectedDate(m_loadDate);
        m_todayMark.setCalendar(m_mthView); // calendar hook: today's mark
        m_menu->setCalendar(m_mthView);
        if (m_extras)
            m_extras->setCalendar(m_mthView);
        placeTwips(m_mthView, {CalendarRect.left, m_calendarTop, CalendarRect.width, CalendarRect.height});
        QWidget::setTabOrder(m_tabBefore, m_mthView);
        QWidget::setTabOrder(m_mthView, m_tabAfter);
        m_mthView->show();
    }
    return m_mthView;
}

void Panel::setLoadDate(QDate date)
{
    m_loadDate = date;
    if (m_mthView)
        m_mthView->setSelectedDate(m_loadDate);
}

void Panel::attachExtras(Extras *extras)
{
    m_extras = extras;
    m_extras->attachWorld(m_world);
    if (m_mthView)
        m_extras->setCalendar(m_mthView);
    placeAgenda();
}

// The labels' texts are formatted only when the second, the date or the
// language they show has changed: most ticks change nothing.
void Panel::showTime(const QDateTime &now)
{
    const QDate date = now.date();
    const QLocale locale;
    if (date != m_labelsDate || locale != m_labelsLocale) {
        m_lblDate->setText(toolkit::longDate(date, locale));
        m_todayMark.setToday(date); // calendar hook: the mark follows the day
        m_labelsDate = date;
        m_labelsLocale = locale;
    }
    const int second = now.time().msecsSinceStartOfDay() / MsecsPerSecond;
    if (second != m_labelsSecond) {
        if (m_agendaView && second / SecondsPerMinute != m_labelsSecond / SecondsPerMinute)
            m_agendaView->refresh(); // what has ended leaves the list
        m_lblTime->setText(toolkit::clockTime(now.time()));
        m_labelsSecond = second;
    }
    m_world->showTime(now);
    // Assistive technology reads the time label to the minute, as the dial
    // says it; its text changes every second and would be announced so.
    if (m_lblTime->accessibleName() != m_dial.accessibleName())
        m_lblTime->setAccessibleName(m_dial.accessibleName());
}

void Panel::prepareOpening()
{
    mthView();
    placeAgenda();
}

// The agenda's list under the calendar: made with the calendar once the
// settings are known, shown while an agenda is configured. The open panel
// grows by its room then, and is as designed otherwise.
void Panel::placeAgenda()
{
    if (!m_extras || !m_mthView)
        return;
    if (!m_agendaView) {
        m_agendaView = new agenda::AgendaView(m_extras->agenda(), m_client);
        m_agendaView->hide();
        m_agendaView->setFixedWidth(m_mthView->width());
        m_agendaView->setDate(m_mthView->selectedDate());
        connect(m_mthView, &QCalendarWidget::selectionChanged, m_agendaView,
                [this] { m_agendaView->setDate(m_mthView->selectedDate()); });
        connect(&m_extras->agenda(), &agenda::Agenda::changed, this, &Panel::placeAgenda);
    }
    const bool shown = m_extras->agenda().active();
    if (shown == !m_agendaView->isHidden())
        return;
    const double before = agendaRoom();
    m_agendaView->setVisible(shown);
    emit agendaShown(before);
}

double Panel::agendaRoom() const
{
    return m_agendaView && !m_agendaView->isHidden() ? toTwips(m_agendaView->height()) + PanelGap : 0;
}

// What the open panel holds beyond its classic rows: the other zones' lines
// under the time, the agenda under the calendar.
double Panel::rowsRoom() const
{
    return m_world->panelHeight() + agendaRoom();
}

double Panel::minimumOpenHeight() const
{
    return MinHeightOpen + rowsRoom();
}

double Panel::dialHeightOpen(double windowHeight) const
{
    return windowHeight - PanelRoom - rowsRoom();
}

double Panel::heightUnderDial() const
{
    return toTwips(m_dial.y() + m_dial.height()) + PanelRoom + rowsRoom();
}

double Panel::heightToFit()
{
    return toTwips(mthView()->y() + mthView()->height()) + CalendarMargin + agendaRoom();
}

double Panel::widthBeside(double barRight)
{
    return toTwips(mthView()->width()) + barRight + CalendarSideMargin;
}

void Panel::layout()
{
    const double dateTop = toTwips(m_dial.y() + m_dial.height()) + PanelGap;
    m_lblDate->move(m_lblDate->x(), toPxInt(dateTop));
    const double timeTop = dateTop + toTwips(m_lblDate->height()) + PanelGap;
    m_lblTime->move(m_lblTime->x(), toPxInt(timeTop));
    m_calendarTop = timeTop + toTwips(m_lblTime->height()) + m_world->placeBelow(m_lblTime) + PanelGap;
    if (m_mthView)
        m_mthView->move(m_mthView->x(), toPxInt(m_calendarTop));
    if (m_agendaView && m_mthView)
        m_agendaView->move(m_mthView->x(), m_mthView->y() + m_mthView->height() + toPxInt(PanelGap));
}
