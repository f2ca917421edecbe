#include "app/frmmain.h"

#include "app/docking.h"
#include "app/mainparts.h"
#include "app/windowframe.h"
#include "agenda/agenda.h"
#include "agenda/agendaview.h"
#include "app/extras.h"
#include "app/panelmenu.h"
#include "calendar/monthcalendar.h"

#include "toolkit/dateformat.h"
#include "translucency/ctranslucentform.h"
#include "about/frmabout.h"
#include "app/extras.h"
#include "app/worldview.h"
#include "moreoptions/frmmoreoptions.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "settings/borderwidth.h"
#include "assets/tickoraassets.h"
#include "tickoraversion.h"
#include "toolkit/desktop.h"
#include "toolkit/dockedwindow.h"
#include "toolkit/fonts.h"
#include "toolkit/mousecodes.h"
#include "toolkit/olecolor.h"
#include "toolkit/surface.h"
#include "toolkit/windowguard.h"
#include "dial/tickdial.h"
#include "toolkit/ticker.h"
#include "toolkit/twips.h"

#include <QAccessible>
#include <QApplication>
#include <algorithm>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

using toolkit::toPx;
using toolkit::toPxInt;
using toolkit::TwipsPerPixel;

namespace {

// Client area when the window is first shown, twips.
constexpr double InitialClientWidth = 2880;
constexpr double InitialClientHeight = 2670;
// How long another start holds the clock out before the pointer decides.
constexpr int HeldOutMs = 3000;

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

// The calendar's design place and size.
constexpr TwipsRect CalendarRect{300, 3240, 2715, 2370};

constexpr double LabelFontPt = 8.25;

// The bar title: Arial 6 points, drawn 150 twips above the bar's bottom,
// turned by 90 degrees so that it reads upwards.
constexpr double BarTitlePt = 6;
constexpr double BarTitleBottom = 150;
constexpr float BarTitleAngle = 90;

constexpr int MsecsPerSecond = 1000;

double twipsOf(int px) { return double(px) * TwipsPerPixel; }

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QString());
    setWindowIcon(assets::windowIcon());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The window's own font, which the panel's labels and the calendar take.
    setFont(toolkit::PictureBox::fontFor(QStringLiteral("MS Sans Serif"), LabelFontPt, false));

    m_client = new QWidget(this);
    m_client->setBackgroundRole(QPalette::Button);
    m_client->setAutoFillBackground(true);
    m_client->setCursor(Qt::ArrowCursor);
    m_frame = new WindowFrame(this, m_client, [this] { Form_Resize(); });
    m_docked = new toolkit::DockedWindow(this);

    const MainParts parts(m_client, this);
    m_dial = parts.dial;
    m_picBar = parts.bar;
    m_cmdClose = parts.close;
    m_lblDate = parts.date;
    m_lblTime = parts.time;
    m_cmdMonth = parts.month;
    m_cmdAbout = parts.about;
    m_calendarTop = CalendarRect.top;
    // What assistive technology reads of the window; its children say their own.
    setAccessibleName(QStringLiteral("Orologio %1").arg(QLatin1String(tickora::ProductName)));
    m_panelMenu = new PanelMenu(m_lblDate, m_lblTime, [this] { showMoreOptions(); }, this);
    // Other time zones, under the time label while there are any.
    m_world = new WorldView(*m_dial, m_client);
    connect(m_world, &WorldView::panelHeightChanged, this, &frmMain::panelRowsChanged);

    m_mdlMain = std::make_unique<mdlMain>(*this, *m_dial);
    connectHandlers();

    // The client area starts at 2880 x 2670 twips, centred on the screen's
    // height and already docked at its right edge: some compositors
    // (weston's XWayland) place a window only where it is first mapped and
    // ignore its later moves.
    m_frame->resize(WindowFrame::outerSize(QSize(toPxInt(InitialClientWidth), toPxInt(InitialClientHeight))),
                    minimumPx());
    const QSize screen = toolkit::desktop().primaryScreenSize();
    m_docked->move(QPoint(screen.width() - width(), (screen.height() - height()) / 2));

    Form_Load();
    Form_Resize();
    // The clock runs from the moment it shows (Dock): hidden, nothing ticks.
    // The labels hold a time from the start, for whoever reads them first.
    m_dial->Timer1()->stop();
    Timer1_Timer();
    toolkit::guardMainWindow(this); // never left minimised or maximised
}

void frmMain::connectHandlers()
{
    connect(m_cmdClose, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
    connect(m_cmdMonth, &QPushButton::clicked, this, &frmMain::cmdMonth_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(m_dial, &Tickdial::MouseUp, this, &frmMain::Tickdial1_MouseUp);

    // The labels change every second while the panel is open, else at
    // most every minute.
    m_timer = new toolkit::Ticker(this);
    m_timer->setEvery(toolkit::Ticker::Every::Minute);
    connect(m_timer, &toolkit::Ticker::timeout, this, &frmMain::Timer1_Timer);
    // Docking follows the pointer, the screens and the first showing.
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::pointerMoved, this, &frmMain::Dock);
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::screensChanged, this, &frmMain::Dock);
    connect(m_docked, &toolkit::DockedWindow::firstShown, this, &frmMain::Dock);
    toolkit::desktop().watchPointer();
    toolkit::desktop().watchScreens();
}

frmMain::~frmMain() = default;

// --- Geometry in twips --------------------------------------------------

double frmMain::Left() const { return twipsOf(x()); }
double frmMain::Top() const { return twipsOf(y()); }
double frmMain::Width() const { return twipsOf(width()); }
double frmMain::Height() const { return twipsOf(height()); }
double frmMain::ScaleWidth() const { return twipsOf(m_client->width()); }
double frmMain::ScaleHeight() const { return twipsOf(m_client->height()); }

void frmMain::setLeft(double twips) { m_docked->move(QPoint(toPxInt(twips), y())); }
void frmMain::setTop(double twips) { m_docked->move(QPoint(x(), toPxInt(twips))); }

// A size change runs the layout again, also one made by the layout itself.
void frmMain::setWidth(double twips) { m_frame->resize(QSize(toPxInt(twips), height()), minimumPx()); }
void frmMain::setHeight(double twips) { m_frame->resize(QSize(width(), toPxInt(twips)), minimumPx()); }

void frmMain::setChildTwips(QWidget *child, double left, double top, double width, double height)
{
    child->setGeometry(toolkit::rectFromTwips(left, top, width, height));
}

// --- Start-up and layout ------------------------------------------------

void frmMain::Form_Load()
{
    auto translucency = std::make_unique<CTranslucentForm>();
    translucency->setHWnd(this);
    translucency->setAlpha(CTranslucentForm::Opaque);
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
    m_frame->holdMinimum(minimumPx()); // window-manager hook: a higher minimum once the size is set
    const double minHeight = m_calendarOpen ? MinHeightOpen + panelRowsRoom() : MinHeightClosed;
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
    const double dialHeight = m_calendarOpen ? Height() - PanelRoom - panelRowsRoom() : ScaleHeight();
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
    m_calendarTop = timeTop + twipsOf(m_lblTime->height()) + m_world->placeBelow(m_lblTime) + PanelGap;
    if (m_mthView)
        m_mthView->move(m_mthView->x(), toPxInt(m_calendarTop));
    if (m_agendaView && m_mthView)
        m_agendaView->move(m_mthView->x(), m_mthView->y() + m_mthView->height() + toPxInt(PanelGap));

    if (m_calendarOpen)
        setWidth(twipsOf(mthView()->width()) + barLeft + barWidth + CalendarSideMargin);

    DrawBarTitle();
}

// The window manager is told the minimum size as well (WindowFrame).
QSize frmMain::minimumPx() const
{
    return {toPxInt(MinWidth), toPxInt(m_calendarOpen ? MinHeightOpen + panelRowsRoom() : MinHeightClosed)};
}

void frmMain::DrawBarTitle()
{
    const QFont font = toolkit::designFont(QStringLiteral("Arial"), BarTitlePt, false);

    m_picBar->Cls();
    const QString text = QString::fromLatin1(tickora::TitleAndVersion);
    // On a short window the title is cut off short of the buttons rather
    // than showing between and beside them.
    const int buttonsBottom = std::max({m_cmdClose->geometry().bottom(), m_cmdMonth->geometry().bottom(),
                                        m_cmdAbout->geometry().bottom()}) + 1;
    const double clipTop = twipsOf(buttonsBottom) + ButtonGap;
    const QRectF below(0, clipTop, twipsOf(m_picBar->width()), std::max(0.0, twipsOf(m_picBar->height()) - clipTop));
    PrintRotated(*m_picBar, font, text, BarTitleAngle,
                 0, float(twipsOf(m_picBar->height()) - BarTitleBottom), below);
}

// Prints text turned by the angle (degrees, anticlockwise) with its cell's
// top-left corner at (x, y) twips, inside the clip rectangle (twips) when
// one is given. As with a system font asked for a cell height, the font is
// sized so that its line (ascent + descent) is twice its size in points,
// in pixels: 12 px for a 6-point font.
void frmMain::PrintRotated(toolkit::PictureBox &surface, const QFont &font, const QString &text,
                           float angle, float x, float y, const QRectF &clip)
{
    constexpr double ReferencePixels = 100;
    QFont turned(font.family());
    turned.setBold(font.bold());
    turned.setItalic(font.italic());
    turned.setUnderline(font.underline());
    turned.setStrikeOut(font.strikeOut());
    turned.setPixelSize(int(ReferencePixels));
    const double cellHeight = std::round(2 * toolkit::pointsOf(font));
    const double lineAtReference = QFontMetricsF(turned).height();
    turned.setPixelSize(std::max(1, int(std::lround(cellHeight * ReferencePixels / lineAtReference))));
    turned.setStyleStrategy(QFont::PreferAntialias);

    const QColor color = toolkit::toQColor(surface.ForeColor());
    surface.CurrentX = x;
    surface.CurrentY = y;
    surface.paintOnImage([&](QPainter &painter) {
        if (clip.isValid())
            painter.setClipRect(clip);
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
        m_extras->attachWorld(m_world);
        if (m_mthView)
            m_extras->setCalendar(m_mthView);
        placeAgenda();
    }
    m_mdlMain->LoadSettings();

    settings::OptionsRecord record = m_mdlMain->Settings();
    record.BorderWidth = settings::normalisedBorderWidth(record.BorderWidth);
    m_mdlMain->setSettings(record);

    m_autoHideOn = record.AutoHide == 1;
    m_hideBarOn = record.HideBar == 1;
    m_mdlMain->ApplySettings(record, mdlMain::Apply::Everything);
    // Settings applied, or the options dialog closed: the place may change.
    m_docked->askAgain();
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
    m_world->showTime(now);
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
    dockFor(toolkit::desktop().cursorPos());
}

void frmMain::dockFor(QPoint pointer)
{
    // A window manager that maximised the clock is putting it back.
    if (!isVisible() || m_dragging || m_optionsOpen || toolkit::isStretched(this))
        return;
    Docking::Situation situation;
    situation.screens = toolkit::desktop().screens();
    situation.frame = frameGeometry();
    situation.clientOrigin = m_client->mapToGlobal(QPoint(0, 0));
    situation.barWidth = m_picBar->width();
    situation.pointer = pointer;
    situation.pointerOnWindow = underMouse();
    situation.autoHideOn = m_autoHideOn;
    situation.hideBarOn = m_hideBarOn;
    situation.heldOut = m_heldOut;
    const QWidget *popup = QApplication::activePopupWidget();
    situation.popupOpen = popup && popup->parentWidget() && isAncestorOf(popup->parentWidget());
    situation.shownOnce = m_docked->shownOnce();
    situation.buttonHeld = toolkit::desktop().pointerButtonHeld();
    const Docking::Decision decision = Docking::decide(situation);

    // The cursor in the client area's pixels.
    m_mdlMain->setCursorPos(m_client->mapFromGlobal(situation.pointer));
    m_heldOut = decision.heldOut;
    // Brought up to date before it shows; nothing ticks while it is hidden.
    setClockRunning(decision.shown);
    m_docked->place(decision.topLeft);
    toolkit::desktop().followPointer(decision.followPointer);
    toolkit::desktop().watchStrip(this, decision.strip);
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

void frmMain::bringToFront()
{
    // Out for a moment, then as the pointer says: hidden again if it has
    // stayed away.
    m_heldOut = true;
    QTimer::singleShot(HeldOutMs, this, [this] {
        m_heldOut = false;
        Dock();
    });
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

// What the open panel holds beyond its classic rows: the other zones' lines
// under the time, the agenda under the calendar.
double frmMain::panelRowsRoom() const
{
    return m_world->panelHeight() + agendaRoom();
}

void frmMain::cmdMonth_Click()
{
    if (m_calendarOpen) {
        m_calendarOpen = false;
        // Back to the height the window had before the panel opened: the
        // dial's height as laid out while open, plus the margin, comes out
        // a rounding (a pixel) taller at every opening.
        m_frame->resize(QSize(width(), m_closedHeightPx), minimumPx());
    } else {
        m_closedHeightPx = height();
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

// Zones added or removed: an open panel grows or shrinks by their lines,
// the dial keeping its size.
void frmMain::panelRowsChanged()
{
    if (m_calendarOpen)
        setHeight(twipsOf(m_dial->y() + m_dial->height()) + PanelRoom + panelRowsRoom());
    Form_Resize();
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
    // Out first, where the drag starts from: a press that came at once may
    // be handled before the report that the pointer arrived, and when the
    // pointer has already moved on, where the button went down decides.
    dockFor(m_dragStartCursor);
    m_dragging = true;
    m_dragStartWindow = m_docked->placeAsked();
}

void frmMain::picBar_MouseUp(int button)
{
    if (m_dragging) {
        m_dragging = false;
        m_docked->askAgain();
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
            // Where the button went down: on a busy desktop the pointer may
            // have moved on by the time the press is handled.
            m_dragStartCursor = mouse->globalPosition().toPoint();
            picBar_MouseDown(toolkit::mouseButtonCode(mouse->button()));
            // Every motion until the release comes to the bar, also those
            // that come while the window slides out under the pointer.
            m_picBar->grabMouse();
            return true;
        }
        case QEvent::MouseMove:
            if (m_dragging) {
                const QPoint cursor = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
                const QPoint delta = cursor - m_dragStartCursor;
                m_docked->move(m_dragStartWindow + delta);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            m_picBar->releaseMouse();
            picBar_MouseUp(toolkit::mouseButtonCode(static_cast<QMouseEvent *>(event)->button()));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Size and place ----------------------------------------------------

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (toolkit::isStretched(this))
        return; // not laid out at a size that is going away
    Form_Resize();
    Dock();
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    Dock();
}
