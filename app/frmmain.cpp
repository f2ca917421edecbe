#include "app/frmmain.h"

#include "agenda/agenda.h"
#include "agenda/agendaview.h"
#include "app/extras.h"
#include "app/panelmenu.h"
#include "calendar/monthcalendar.h"

#include "toolkit/dateformat.h"
#include "translucency/ctranslucentform.h"
#include "about/frmabout.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "settings/optionsfile.h"
#include "assets/tickoraassets.h"
#include "tickoraversion.h"
#include "toolkit/desktop.h"
#include "toolkit/fonts.h"
#include "toolkit/olecolor.h"
#include "toolkit/surface.h"
#include "toolkit/windowguard.h"
#include "dial/tickdial.h"
#include "toolkit/ticker.h"
#include "toolkit/twips.h"
#include "toolkit/val.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>
#include <QWindow>

using toolkit::toPx;
using toolkit::toPxInt;
using toolkit::TwipsPerPixel;

namespace {

// Client area when the window is first shown, twips.
constexpr double InitialClientWidth = 2880;
constexpr double InitialClientHeight = 2670;

// Minimum sizes kept by the layout, twips.
constexpr double MinHeightClosed = 1300;
constexpr double MinHeightOpen = 4000;
constexpr double MinWidth = 1500;
// Room left below the dial for the calendar panel while it is open.
constexpr double PanelRoom = 3050;
// Spacing of the panel's rows and of the bar's buttons.
constexpr double PanelGap = 60;
constexpr double ButtonGap = 30;
// Added below the dial or the calendar when ">" sets the height, and to
// the calendar's width when the panel is open.
constexpr double CalendarMargin = 120;
constexpr double CalendarSideMargin = 180;

// Design places and sizes of the children: left, top, width, height.
struct TwipsRect { double left, top, width, height; };
constexpr TwipsRect BarRect{0, 0, 270, 5625};
constexpr TwipsRect CloseRect{60, 60, 195, 210};
constexpr TwipsRect AboutRect{60, 300, 195, 210};
constexpr TwipsRect MonthRect{60, 540, 195, 210};
constexpr TwipsRect DialRect{300, 60, 2535, 2535};
constexpr TwipsRect DateRect{300, 2700, 2655, 195};
constexpr TwipsRect TimeRect{300, 3000, 2655, 195};
constexpr TwipsRect CalendarRect{300, 3240, 2715, 2370};

constexpr double ButtonFontPt = 8.25;
constexpr double LabelFontPt = 8.25;

// The bar title: Arial 6 points, drawn 150 twips above the bar's bottom,
// turned by 90 degrees so that it reads upwards.
constexpr double BarTitlePt = 6;
constexpr double BarTitleBottom = 150;
constexpr float BarTitleAngle = 90;

// The auto-hide strip.
constexpr int NearLimitPx = -5;
constexpr double HiddenStrip = 70;
constexpr int MsecsPerSecond = 1000;

double twipsOf(int px) { return double(px) * TwipsPerPixel; }

// The screen the clock docks on: the rightmost one at the window's height,
// so that nothing of a hidden clock shows on a screen to its right; the
// primary one when none lies at that height (a clock left outside every
// screen comes back there).
QRect dockingScreen(const QList<QRect> &screens, const QRect &window)
{
    QRect chosen;
    for (const QRect &screen : screens)
        if (screen.top() <= window.bottom() && window.top() <= screen.bottom()
            && (chosen.isNull() || screen.right() > chosen.right()))
            chosen = screen;
    return chosen.isNull() ? screens.value(0) : chosen;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QString());
    setWindowIcon(assets::windowIcon());
    setMouseTracking(true);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's own font, which the panel's labels and the calendar take.
    setFont(toolkit::PictureBox::fontFor(QStringLiteral("MS Sans Serif"), LabelFontPt, false));

    m_client = new QWidget(this);
    m_client->setBackgroundRole(QPalette::Button);
    m_client->setAutoFillBackground(true);
    m_client->setCursor(Qt::ArrowCursor);

    // Created in tab order: dial, bar, close, date, (calendar,) time, month,
    // about. The calendar is made the first time it is needed (mthView()).
    m_dial = new Tickdial(m_client);
    m_dial->UserControl_ReadProperties(Tickdial::mainWindowDesignState());
    setChildTwips(m_dial, DialRect.left, DialRect.top, DialRect.width, DialRect.height);

    m_picBar = new toolkit::PictureBox(m_client);
    m_picBar->setPicture(assets::picture(assets::BarPicture, "png"));
    m_picBar->setForeColor(toolkit::ColorYellow);
    m_picBar->setToolTip(QStringLiteral("Clicca sulla barra con il tasto destro per le opzioni"));
    m_picBar->installEventFilter(this);
    setChildTwips(m_picBar, BarRect.left, BarRect.top, BarRect.width, BarRect.height);

    auto makeButton = [this](const QString &caption, const TwipsRect &r) {
        auto *button = new QPushButton(caption, m_client);
        button->setFont(toolkit::designFont(QStringLiteral("Arial"), ButtonFontPt, true));
        button->setFocusPolicy(Qt::TabFocus);
        setChildTwips(button, r.left, r.top, r.width, r.height);
        return button;
    };
    m_cmdClose = makeButton(QStringLiteral("X"), CloseRect);

    m_lblDate = new QLabel(QStringLiteral("lblDate"), m_client);
    m_lblDate->setAlignment(Qt::AlignCenter);
    QPalette datePalette = m_lblDate->palette();
    datePalette.setColor(QPalette::WindowText, toolkit::toQColor(toolkit::ColorRed));
    m_lblDate->setPalette(datePalette);
    // The client area's button background would otherwise make the text
    // take the button-text colour.
    m_lblDate->setForegroundRole(QPalette::WindowText);
    setChildTwips(m_lblDate, DateRect.left, DateRect.top, DateRect.width, DateRect.height);

    m_lblTime = new QLabel(QStringLiteral("lblTime"), m_client);
    m_lblTime->setAlignment(Qt::AlignCenter);
    QFont timeFont = font();
    timeFont.setBold(true);
    m_lblTime->setFont(timeFont);
    QPalette timePalette = m_lblTime->palette();
    timePalette.setColor(QPalette::WindowText, toolkit::toQColor(toolkit::ColorBlue));
    m_lblTime->setPalette(timePalette);
    m_lblTime->setForegroundRole(QPalette::WindowText);
    setChildTwips(m_lblTime, TimeRect.left, TimeRect.top, TimeRect.width, TimeRect.height);
    m_calendarTop = CalendarRect.top;
    m_panelMenu = new PanelMenu(m_lblDate, m_lblTime, [this] { showMoreOptions(); }, this);

    m_mdlMain = std::make_unique<mdlMain>(*this, *m_dial);

    m_cmdMonth = makeButton(QStringLiteral(">"), MonthRect);
    m_cmdAbout = makeButton(QStringLiteral("?"), AboutRect);
    for (QPushButton *button : {m_cmdClose, m_cmdMonth, m_cmdAbout})
        button->raise();

    // What assistive technology reads; the captions stay as they are.
    setAccessibleName(QStringLiteral("Orologio Plomb Tickora"));
    m_picBar->setAccessibleName(QStringLiteral("Barra dell'orologio"));
    m_picBar->setAccessibleDescription(
        QStringLiteral("Clic destro sulla barra, o il tasto Menu o Maiusc+F10 sull'orologio, per le opzioni"));
    m_cmdClose->setAccessibleName(QStringLiteral("Chiudi l'orologio"));
    m_cmdMonth->setAccessibleName(QStringLiteral("Mostra o nascondi il calendario"));
    m_cmdAbout->setAccessibleName(QStringLiteral("Informazioni su Plomb Tickora"));

    connect(m_cmdClose, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
    connect(m_cmdMonth, &QPushButton::clicked, this, &frmMain::cmdMonth_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(m_dial, &Tickdial::MouseUp, this, &frmMain::Tickdial1_MouseUp);

    // The labels change every second while the panel is open, else at
    // most every minute.
    m_timer = new toolkit::Ticker(this);
    m_timer->setEvery(toolkit::Ticker::Every::Minute);
    connect(m_timer, &toolkit::Ticker::timeout, this, &frmMain::Timer1_Timer);
    // Docking follows the pointer and the screens.
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::pointerMoved, this, &frmMain::Dock);
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::screensChanged, this, &frmMain::Dock);

    // The client area starts at 2880 x 2670 twips, centred on the screen's
    // height and already docked at its right edge: some compositors
    // (weston's XWayland) place a window only where it is first mapped and
    // ignore its later moves.
    resizeWindowPx(QSize(toPxInt(InitialClientWidth) + 2 * FramePx,
                         toPxInt(InitialClientHeight) + 2 * FramePx));
    const QSize screen = toolkit::desktop().primaryScreenSize();
    toolkit::desktop().moveWindow(this, QPoint(screen.width() - width(), (screen.height() - height()) / 2));

    Form_Load();
    Form_Resize();
    // The clock runs from the moment it shows (Dock): hidden, nothing ticks.
    // The labels hold a time from the start, for whoever reads them first.
    m_dial->Timer1()->stop();
    Timer1_Timer();
    toolkit::keepRestored(this); // never left minimised
}

frmMain::~frmMain() = default;

// --- Geometry in twips --------------------------------------------------

double frmMain::Left() const { return twipsOf(x()); }
double frmMain::Top() const { return twipsOf(y()); }
double frmMain::Width() const { return twipsOf(width()); }
double frmMain::Height() const { return twipsOf(height()); }
double frmMain::ScaleWidth() const { return twipsOf(m_client->width()); }
double frmMain::ScaleHeight() const { return twipsOf(m_client->height()); }

void frmMain::setLeft(double twips)
{
    toolkit::desktop().moveWindow(this, QPoint(toPxInt(twips), y()));
}

void frmMain::setTop(double twips)
{
    toolkit::desktop().moveWindow(this, QPoint(x(), toPxInt(twips)));
}

void frmMain::setWidth(double twips) { resizeWindowPx(QSize(toPxInt(twips), height())); }
void frmMain::setHeight(double twips) { resizeWindowPx(QSize(width(), toPxInt(twips))); }

// A size change runs the layout again, also one made by the layout itself.
void frmMain::resizeWindowPx(QSize size)
{
    setMinimumSize(minimumSize().boundedTo(minimumPx())); // window-manager hook: a lower minimum at once
    if (size == this->size())
        return;
    m_resizeSeen = false;
    resize(size);
    if (!m_resizeSeen) {
        m_client->setGeometry(rect().adjusted(FramePx, FramePx, -FramePx, -FramePx));
        Form_Resize();
    }
}

void frmMain::setChildTwips(QWidget *child, double left, double top, double width, double height)
{
    child->setGeometry(toolkit::rectFromTwips(left, top, width, height));
}

// --- Start-up and layout ------------------------------------------------

void frmMain::Form_Load()
{
    auto translucency = std::make_unique<CTranslucentForm>();
    translucency->setHWnd(this);
    translucency->setAlpha(255);
    m_mdlMain->setTranslucency(std::move(translucency));
    m_loadDate = toolkit::desktop().now().date();
    if (m_mthView)
        m_mthView->setSelectedDate(m_loadDate);
}

// The month calendar, made the first time the panel opens (or something
// asks for it): a clock that is never unfolded does not pay for it. It
// shows the day the window loaded on, as it would have if made then.
MonthCalendar *frmMain::mthView()
{
    if (!m_mthView) {
        m_mthView = new MonthCalendar(m_client);
        // One letter per weekday: the names of the user's locale fit the panel.
        m_mthView->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        m_mthView->setSelectedDate(m_loadDate);
        m_todayMark.setCalendar(m_mthView); // calendar hook: today's mark
        m_panelMenu->setCalendar(m_mthView);
        if (m_extras)
            m_extras->setCalendar(m_mthView);
        setChildTwips(m_mthView, CalendarRect.left, m_calendarTop, CalendarRect.width, CalendarRect.height);
        setTabOrder(m_cmdClose, m_mthView);
        setTabOrder(m_mthView, m_cmdMonth);
        m_mthView->show();
    }
    return m_mthView;
}

void frmMain::Form_Resize()
{
    setMinimumSize(minimumPx()); // window-manager hook: a higher minimum once the size is set
    const double minHeight = m_calendarOpen ? MinHeightOpen + agendaRoom() : MinHeightClosed;
    if (Height() < minHeight) {
        setHeight(minHeight);
        return;
    }
    if (Width() < MinWidth) {
        setWidth(MinWidth);
        return;
    }

    const QRect bar = m_picBar->geometry();
    const double barLeft = twipsOf(bar.x());
    const double barWidth = twipsOf(bar.width());

    const double dialTop = 0;
    const double dialLeft = barLeft + barWidth;
    const double dialWidth = ScaleWidth() - barWidth;
    const double dialHeight = m_calendarOpen ? Height() - PanelRoom - agendaRoom() : ScaleHeight();
    setChildTwips(m_dial, dialLeft, dialTop, dialWidth, dialHeight);

    setChildTwips(m_picBar, barLeft, twipsOf(bar.y()), barWidth, ScaleHeight());

    const double buttonWidth = twipsOf(m_cmdClose->width());
    const double buttonHeight = twipsOf(m_cmdClose->height());
    const double closeLeft = barWidth / 2 - buttonWidth / 2;
    const double closeTop = twipsOf(m_cmdClose->y());
    setChildTwips(m_cmdClose, closeLeft, closeTop, buttonWidth, buttonHeight);
    const double monthTop = closeTop + buttonHeight + ButtonGap;
    setChildTwips(m_cmdMonth, closeLeft, monthTop, twipsOf(m_cmdMonth->width()), twipsOf(m_cmdMonth->height()));
    const double aboutTop = monthTop + twipsOf(m_cmdMonth->height()) + ButtonGap;
    setChildTwips(m_cmdAbout, closeLeft, aboutTop, twipsOf(m_cmdAbout->width()), twipsOf(m_cmdAbout->height()));

    const double dateTop = twipsOf(m_dial->y() + m_dial->height()) + PanelGap;
    m_lblDate->move(m_lblDate->x(), toPxInt(dateTop));
    const double timeTop = dateTop + twipsOf(m_lblDate->height()) + PanelGap;
    m_lblTime->move(m_lblTime->x(), toPxInt(timeTop));
    m_calendarTop = timeTop + twipsOf(m_lblTime->height()) + PanelGap;
    if (m_mthView)
        m_mthView->move(m_mthView->x(), toPxInt(m_calendarTop));
    if (m_agendaView && m_mthView)
        m_agendaView->move(m_mthView->x(), m_mthView->y() + m_mthView->height() + toPxInt(PanelGap));

    if (m_calendarOpen)
        setWidth(twipsOf(mthView()->width()) + barLeft + barWidth + CalendarSideMargin);

    DrawBarTitle();
}

// The window manager is told the minimum size as well, so that resizing by
// the frame stops there: the layout's snap-back after the fact would race
// with the window manager's interactive resize. The hint is lowered before
// a size change and raised after it, never making a resize of its own that
// could overtake the one asked for.
QSize frmMain::minimumPx() const
{
    return {toPxInt(MinWidth), toPxInt(m_calendarOpen ? MinHeightOpen + agendaRoom() : MinHeightClosed)};
}

void frmMain::DrawBarTitle()
{
    const QFont font = toolkit::designFont(QStringLiteral("Arial"), BarTitlePt, false);

    m_picBar->Cls();
    const QString text = QString::fromLatin1(tickora::TitleAndVersion);
    PrintRotated(*m_picBar, font, text, BarTitleAngle,
                 0, float(twipsOf(m_picBar->height()) - BarTitleBottom));
}

// Prints text turned by the angle (degrees, anticlockwise) with its cell's
// top-left corner at (x, y) twips. As with a system font asked for a cell
// height, the font is sized so that its line (ascent + descent) is twice
// its size in points, in pixels: 12 px for a 6-point font.
void frmMain::PrintRotated(toolkit::PictureBox &surface, const QFont &font, const QString &text,
                           float angle, float x, float y)
{
    constexpr double ReferencePixels = 100;
    QFont turned(font.family());
    turned.setBold(font.bold());
    turned.setItalic(font.italic());
    turned.setUnderline(font.underline());
    turned.setStrikeOut(font.strikeOut());
    turned.setPixelSize(int(ReferencePixels));
    const double cellHeight = std::round(2 * font.pointSizeF());
    const double lineAtReference = QFontMetricsF(turned).height();
    turned.setPixelSize(std::max(1, int(std::lround(cellHeight * ReferencePixels / lineAtReference))));
    turned.setStyleStrategy(QFont::PreferAntialias);

    const QColor color = toolkit::toQColor(surface.ForeColor());
    surface.CurrentX = x;
    surface.CurrentY = y;
    surface.paintOnImage([&](QPainter &painter) {
        // The surface's painter measures in twips; turn it into pixels.
        painter.scale(TwipsPerPixel, TwipsPerPixel);
        painter.translate(toPx(x), toPx(y));
        painter.rotate(-angle);
        painter.setFont(turned);
        painter.setPen(color);
        const QFontMetricsF metrics(turned);
        painter.drawText(QPointF(0, metrics.ascent()), text);
    });
}

// --- Activation ---------------------------------------------------------

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        Form_Activate();
    }
}

// Runs when the window becomes the program's active window: at its first
// showing and whenever a modal window of the program closes. Switching to
// another program and back does not run it.
void frmMain::Form_Activate()
{
    DrawBarTitle();
    if (!m_extras) { // Tickora.conf lives beside Options.dat, known from now on
        m_extras = new Extras(m_mdlMain->confPath(), this);
        m_extras->load();
        if (m_mthView)
            m_extras->setCalendar(m_mthView);
        placeAgenda();
    }
    m_mdlMain->LoadSettings();

    // The border width in a normal form: "," read as ".", the number written
    // back in the user's format with "." again; a width of 0 becomes "1".
    settings::OptionsRecord record = m_mdlMain->Settings();
    QString width = record.BorderWidth.replace(u',', u'.');
    width = toolkit::numberToText(toolkit::Val(width)).replace(u',', u'.');
    record.BorderWidth = toolkit::Val(width) == 0 ? QStringLiteral("1") : width;
    m_mdlMain->setSettings(record);

    m_autoHideOn = record.AutoHide == 1;
    m_hideBarOn = record.HideBar == 1;
    m_mdlMain->ApplySettings(record, mdlMain::Apply::Everything);
    // Settings applied, or the options dialog closed: the place may change.
    m_placeAskedTwice = false;
    Dock();
}

void frmMain::showModal(QDialog *dialog)
{
    toolkit::desktop().execModal(dialog);
    Form_Activate();
}

// "Altre opzioni…", from the panel's menu: the window stays in place while
// it is open, as for "Opzioni".
void frmMain::showMoreOptions()
{
    m_optionsOpen = true;
    m_extras->showDialog(this);
    m_optionsOpen = false;
    Form_Activate();
}

// --- Running ------------------------------------------------------------

void frmMain::Timer1_Timer()
{
    const QDateTime now = toolkit::desktop().now();
    showDateAndTime(now);
    // Assistive technology reads the time label to the minute, as the dial
    // says it; its text changes every second and would be announced so.
    if (m_lblTime->accessibleName() != m_dial->accessibleName())
        m_lblTime->setAccessibleName(m_dial->accessibleName());
}

// Docks the window at the right edge, hides or shows it when auto-hide is
// on, and keeps it inside the screen's height. Runs when the pointer
// crosses the window, the window moves or changes size, a screen changes,
// a drag ends and the settings are applied; never during a drag or while
// the options dialog is open.
void frmMain::Dock()
{
    if (!isVisible() || m_dragging || m_optionsOpen)
        return;
    const QRect screen = dockingScreen(toolkit::desktop().screens(), frameGeometry());

    // The cursor in the client area's pixels.
    const QPoint global = toolkit::desktop().cursorPos();
    m_mdlMain->setCursorPos(m_client->mapFromGlobal(global));
    const QPoint cursor = m_mdlMain->CursorPos();
    const bool near = cursor.x() > NearLimitPx && cursor.y() > NearLimitPx
                      && cursor.y() < Height() / TwipsPerPixel;
    // A second start holds the clock out until the pointer has been over it.
    m_heldOut = m_heldOut && !near;
    // The clock first comes up shown and only then hides: some compositors
    // (weston's XWayland) place a window where it is first mapped and
    // ignore its later moves, and a clock mapped hidden would stay so.
    const bool shown = !m_autoHideOn || near || m_heldOut || !m_paintedOnce;

    const double right = twipsOf(screen.x() + screen.width());
    double left = right - Width();
    if (!shown)
        left = m_hideBarOn ? right - HiddenStrip : right - twipsOf(m_picBar->width()) - HiddenStrip;

    // Inside the screen's height. A window taller than the screen stays
    // pinned at the top.
    int top = y();
    if (top < screen.top())
        top = screen.top();
    else if (screen.bottom() + 1 - height() < top)
        top = std::max(screen.top(), screen.bottom() + 1 - height());

    // Brought up to date before it shows; nothing ticks while it is hidden.
    setClockRunning(shown);
    placeAt(QPoint(toPxInt(left), top));
    // Near but not in the window (just below it, or over another window
    // that covers it) no crossing tells when the pointer goes away: follow
    // it until then.
    toolkit::desktop().followPointer(m_autoHideOn && near && !(frameGeometry().contains(global) && underMouse()));
}

void frmMain::setClockRunning(bool running)
{
    // A screen reader reads the time of a hidden clock too: with one
    // listening, the clock keeps time while hidden.
    running = running || QAccessible::isActive();
    if (running == m_timer->isActive())
        return;
    if (running) {
        m_dial->Timer1_Timer();
        Timer1_Timer();
        m_dial->Timer1()->start();
        m_timer->start();
    } else {
        m_dial->Timer1()->stop();
        m_timer->stop();
    }
}

void frmMain::placeAt(QPoint topLeft)
{
    // Asked even in place: the desktop keeps the hidden strip's claim on
    // the screen edge up to date, whatever moved the window.
    if (topLeft == pos()) {
        toolkit::desktop().moveWindow(this, topLeft);
        return;
    }
    if (topLeft != m_placeAsked) {
        m_placeAsked = topLeft;
        m_placeAskedTwice = false;
    } else if (m_placeAskedTwice) {
        return;
    } else {
        m_placeAskedTwice = true;
    }
    toolkit::desktop().moveWindow(this, topLeft);
}

void frmMain::bringToFront()
{
    m_heldOut = true;
    show();
    raise();
    activateWindow();
    // Out now, unless a drag or the options dialog holds the place.
    Dock();
}

// The panel's labels. The texts are formatted only when the second, the
// date or the language they show has changed: most ticks change nothing.
void frmMain::showDateAndTime(const QDateTime &now)
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
        if (m_agendaView && second / 60 != m_labelsSecond / 60)
            m_agendaView->refresh(); // what has ended leaves the list
        m_lblTime->setText(toolkit::clockTime(now.time()));
        m_labelsSecond = second;
    }
}

// The agenda's list under the calendar: made with the calendar once the
// settings are known, shown while an agenda is configured. The open panel
// grows by its room then, and is as designed otherwise.
void frmMain::placeAgenda()
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
        connect(&m_extras->agenda(), &agenda::Agenda::changed, this, &frmMain::placeAgenda);
    }
    const bool shown = m_extras->agenda().active();
    if (shown == !m_agendaView->isHidden())
        return;
    const double before = agendaRoom();
    m_agendaView->setVisible(shown);
    if (m_calendarOpen)
        setHeight(Height() + agendaRoom() - before);
    Form_Resize();
}

double frmMain::agendaRoom() const
{
    return m_agendaView && !m_agendaView->isHidden() ? twipsOf(m_agendaView->height()) + PanelGap : 0;
}

void frmMain::cmdMonth_Click()
{
    if (m_calendarOpen) {
        m_calendarOpen = false;
        setHeight(twipsOf(m_dial->y() + m_dial->height()) + CalendarMargin);
    } else {
        mthView();
        placeAgenda(); // while the panel is still closed: the height below makes its room
        m_calendarOpen = true;
        setHeight(twipsOf(mthView()->y() + mthView()->height()) + CalendarMargin + agendaRoom());
    }
    Form_Resize();
    // The time label shows seconds; it opens showing the current ones.
    m_timer->setEvery(m_calendarOpen ? toolkit::Ticker::Every::Second : toolkit::Ticker::Every::Minute);
    Timer1_Timer();
}

void frmMain::cmdClose_Click()
{
    // Ends the program at once; nothing is saved.
    QCoreApplication::exit(0);
}

void frmMain::cmdAbout_Click()
{
    frmAbout box(this);
    showModal(&box);
}

void frmMain::Tickdial1_MouseUp(int button, int, float, float)
{
    if (button == toolkit::RightButtonCode) {
        m_dial->setVisible(false);
        m_dial->setVisible(true);
    }
}

// Dragging by the bar: the window follows the mouse while any button is
// held; docking waits for exactly that long, then goes by where the pointer
// is at the release.
void frmMain::picBar_MouseDown(int)
{
    m_dragging = true;
    m_dragStartCursor = toolkit::desktop().cursorPos();
    m_dragStartWindow = pos();
}

void frmMain::picBar_MouseUp(int button)
{
    if (m_dragging) {
        m_dragging = false;
        m_placeAskedTwice = false;
        Dock();
    }
    if (button == toolkit::RightButtonCode) {
        // Made as it opens and gone when it closes: a clock whose options
        // are never opened does not carry the dialog.
        m_optionsOpen = true;
        frmOption options(*m_mdlMain);
        toolkit::desktop().execModal(&options);
        m_optionsOpen = false;
        Form_Activate();
    }
}

// The keyboard's way to the options: the Menu key, or Shift+F10, anywhere
// in the clock does what a right click on the bar does.
void frmMain::keyPressEvent(QKeyEvent *event)
{
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    picBar_MouseUp(toolkit::RightButtonCode);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            picBar_MouseDown(toolkit::mouseButtonCode(mouse->button()));
            // Where the button went down: on a busy desktop the pointer may
            // have moved on by the time the press is handled.
            m_dragStartCursor = mouse->globalPosition().toPoint();
            return true;
        }
        case QEvent::MouseMove:
            if (m_dragging) {
                const QPoint cursor = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
                const QPoint delta = cursor - m_dragStartCursor;
                toolkit::desktop().moveWindow(this, m_dragStartWindow + delta);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            picBar_MouseUp(toolkit::mouseButtonCode(static_cast<QMouseEvent *>(event)->button()));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- The resizable frame ------------------------------------------------

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_resizeSeen = true;
    m_client->setGeometry(rect().adjusted(FramePx, FramePx, -FramePx, -FramePx));
    Form_Resize();
    Dock();
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    Dock();
}

void frmMain::paintEvent(QPaintEvent *)
{
    // A raised frame, as thick as the sizing border.
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
    if (!m_paintedOnce) {
        // On screen now: the place may be the hidden one.
        m_paintedOnce = true;
        QMetaObject::invokeMethod(this, &frmMain::Dock, Qt::QueuedConnection);
    }
}

Qt::Edges frmMain::edgesAt(QPoint pos) const
{
    Qt::Edges edges;
    if (pos.x() < FramePx) edges |= Qt::LeftEdge;
    if (pos.x() >= width() - FramePx) edges |= Qt::RightEdge;
    if (pos.y() < FramePx) edges |= Qt::TopEdge;
    if (pos.y() >= height() - FramePx) edges |= Qt::BottomEdge;
    return edges;
}

void frmMain::mousePressEvent(QMouseEvent *event)
{
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    if (edges && event->button() == Qt::LeftButton)
        toolkit::desktop().startSystemResize(this, edges);
    QWidget::mousePressEvent(event);
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        shape = Qt::SizeHorCursor;
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        shape = Qt::SizeVerCursor;
    setCursor(shape);
    QWidget::mouseMoveEvent(event);
}
