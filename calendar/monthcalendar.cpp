#include "calendar/monthcalendar.h"

#include "calendar/daygridaccessible.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolTip>

namespace {

// Qt's grid keeps at least one day of the previous month in its first row:
// a month starting on the first column begins on the second row.
constexpr int MinimumLeadingDays = 1;
constexpr int DaysPerWeek = 7;
constexpr int WeeksShown = 6;
// Dates around the 1st of the shown month that the grid may show.
constexpr int DaysBeforeFirst = 2 * DaysPerWeek;
constexpr int DaysAfterFirst = (WeeksShown + 1) * DaysPerWeek;

// Reds readable on a light and on a dark base: a dark red keeps its
// contrast on white, a light one on a near-black background.
const QColor RedOnLight(0xd0, 0x00, 0x00);
const QColor RedOnDark(0xff, 0x70, 0x70);
constexpr int DarkBaseLightness = 128;
// Amber: apart from the red of holidays, the blue of the selection and
// the grey of other months, on light and dark bases alike.
const QColor UserDayColor(0xe8, 0x8a, 0x00);

constexpr qreal DotRadius = 1.5;
constexpr qreal DotSpacing = 4.5;
constexpr qreal DotBottomMargin = 2.5;
constexpr int MaxDots = 3;

} // namespace

// The screen reader's view of the grid is installed before Qt's calendar
// makes its grid: a screen reader already listening would otherwise get
// Qt's own, which names a day by its number alone.
MonthCalendar::MonthCalendar(QWidget *parent)
    : QCalendarWidget((DayGridAccessible::install(), parent))
{
    m_grid = findChild<QAbstractItemView *>();
    m_grid->installEventFilter(this);
    // The calendar keeps the size it is given: with the week numbers, eight
    // columns share the width that seven had, narrower than the headers'
    // own minimum.
    if (auto *table = qobject_cast<QTableView *>(m_grid)) {
        table->horizontalHeader()->setMinimumSectionSize(1);
        table->verticalHeader()->setMinimumSectionSize(1);
    }
    setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    // Saturday is a working day: only Sundays are red.
    setWeekdayTextFormat(Qt::Saturday, QTextCharFormat());
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::refreshPage);
    connect(this, &QCalendarWidget::selectionChanged, this, &MonthCalendar::showSelectedNames);
    refreshPage();
}

MonthCalendar::~MonthCalendar() = default;

void MonthCalendar::setOptions(const calendar::CalendarOptions &options)
{
    if (options == m_options)
        return;
    m_options = options;
    setVerticalHeaderFormat(options.weekNumbers ? QCalendarWidget::ISOWeekNumbers
                                                : QCalendarWidget::NoVerticalHeader);
    refreshPage();
}

void MonthCalendar::setDayNotesProvider(calendar::DayNotesProvider provider)
{
    m_notes = std::move(provider);
    refreshPage();
}

void MonthCalendar::refreshDayNotes()
{
    refreshPage();
}

void MonthCalendar::setToday(QDate today)
{
    if (today == m_today)
        return;
    m_today = today;
    refreshPage();
}

QDate MonthCalendar::today() const
{
    return m_today.isValid() ? m_today : QDate::currentDate();
}

void MonthCalendar::showToday()
{
    const QDate day = today();
    setSelectedDate(day);
    setCurrentPage(day.year(), day.month());
}

QColor MonthCalendar::redColor() const
{
    return palette().color(QPalette::Base).lightness() < DarkBaseLightness ? RedOnDark : RedOnLight;
}

QColor MonthCalendar::userDayColor()
{
    return UserDayColor;
}

QStringList MonthCalendar::dayNames(QDate date) const
{
    return date.isValid() ? namesOn(date, calendar::italianHolidays(date.year())) : QStringList();
}

QStringList MonthCalendar::namesOn(QDate date, const QList<calendar::Holiday> &holidays) const
{
    QStringList names;
    if (m_options.holidays) {
        for (const calendar::Holiday &holiday : holidays)
            if (holiday.date == date)
                names.append(holiday.name);
    }
    names.append(m_options.userDayNames(date));
    if (m_notes) {
        for (const calendar::DayNote &note : m_notes(date))
            names.append(note.text);
    }
    return names;
}

// Mirrors the grid of Qt's calendar: row and column 0 are the headers when
// shown, and the first row holds at least one day of the previous month.
QDate MonthCalendar::dateAt(int row, int column) const
{
    const int firstRow = horizontalHeaderFormat() == NoHorizontalHeader ? 0 : 1;
    const int firstColumn = verticalHeaderFormat() == NoVerticalHeader ? 0 : 1;
    if (row < firstRow || row >= firstRow + WeeksShown || column < firstColumn
        || column >= firstColumn + DaysPerWeek)
        return {};
    const QDate first(yearShown(), monthShown(), 1);
    int leading = (first.dayOfWeek() - firstDayOfWeek() + DaysPerWeek) % DaysPerWeek;
    if (leading < MinimumLeadingDays)
        leading += DaysPerWeek;
    return first.addDays((row - firstRow) * DaysPerWeek + (column - firstColumn) - leading);
}

// The shown dates' looks and tooltips, as text formats of the grid: red for
// holidays, the names as tooltip, today bold and underlined (no colour of
// its own, so that it reads on red and on the selection alike).
void MonthCalendar::refreshPage()
{
    QTextCharFormat sunday;
    sunday.setForeground(redColor());
    setWeekdayTextFormat(Qt::Sunday, sunday);

    setDateTextFormat(QDate(), QTextCharFormat()); // forgets every date's format
    const QDate first(yearShown(), monthShown(), 1);
    QList<calendar::Holiday> holidays = calendar::italianHolidays(first.year() - 1);
    holidays += calendar::italianHolidays(first.year());
    holidays += calendar::italianHolidays(first.year() + 1);
    QList<QDate> dates;
    for (QDate date = first.addDays(-DaysBeforeFirst); date < first.addDays(DaysAfterFirst); date = date.addDays(1))
        dates.append(date);
    // Today keeps its mark while another month is shown.
    if (m_today.isValid() && !dates.contains(m_today))
        dates.append(m_today);
    for (const QDate date : dates) {
        QTextCharFormat format;
        const QStringList names = namesOn(date, holidays);
        if (!names.isEmpty())
            format.setToolTip(names.join(QLatin1Char('\n')));
        const bool holiday = std::any_of(holidays.cbegin(), holidays.cend(),
                                         [&](const calendar::Holiday &h) { return h.date == date; });
        if (m_options.holidays && holiday)
            format.setForeground(redColor());
        if (date == m_today) {
            format.setFontWeight(QFont::Bold);
            format.setFontUnderline(true);
        }
        if (!format.properties().isEmpty())
            setDateTextFormat(date, format);
    }
}

// Dots under the number: one for the user's days, one per colour of the
// other notes, a few at most.
void MonthCalendar::paintCell(QPainter *painter, const QRect &rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    QList<QColor> colors;
    if (!m_options.userDayNames(date).isEmpty())
        colors.append(UserDayColor);
    if (m_notes) {
        for (const calendar::DayNote &note : m_notes(date))
            if (note.color.isValid() && !colors.contains(note.color) && colors.size() < MaxDots)
                colors.append(note.color);
    }
    if (colors.isEmpty())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const qreal y = rect.bottom() + 1 - DotBottomMargin - DotRadius;
    qreal x = rect.center().x() + 0.5 - (colors.size() - 1) * DotSpacing / 2;
    for (const QColor &color : colors) {
        painter->setBrush(color);
        painter->drawEllipse(QPointF(x, y), DotRadius, DotRadius);
        x += DotSpacing;
    }
    painter->restore();
}

// A day chosen with the keyboard shows its names as the pointer's tooltip
// would.
void MonthCalendar::showSelectedNames()
{
    if (!m_grid->hasFocus())
        return;
    const QStringList names = dayNames(selectedDate());
    if (names.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QRect cell = m_grid->visualRect(m_grid->currentIndex());
    QToolTip::showText(m_grid->viewport()->mapToGlobal(cell.bottomLeft()), names.join(QLatin1Char('\n')),
                       m_grid->viewport(), cell);
}

bool MonthCalendar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Home && key->modifiers() == Qt::NoModifier) {
            showToday();
            return true;
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

void MonthCalendar::changeEvent(QEvent *event)
{
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        refreshPage();
}
