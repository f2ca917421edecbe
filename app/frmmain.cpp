#include "app/frmmain.h"

#include "app/docking.h"
#include "app/extras.h"
#include "app/mainparts.h"
#include "app/windowbar.h"
#include "app/windowframe.h"
#include "about/frmabout.h"
#include "assets/tickoraassets.h"
#include "dial/tickdial.h"
#include "settings/borderwidth.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "tickoraversion.h"
#include "toolkit/desktop.h"
#include "toolkit/dockedwindow.h"
#include "toolkit/mousecodes.h"
#include "toolkit/surface.h"
#include "toolkit/ticker.h"
#include "toolkit/twips.h"
#include "toolkit/windowguard.h"
#include "translucency/ctranslucentform.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>
#include <QTimer>

using toolkit::toPxInt;
using toolkit::toTwips;

namespace {

// Client area when the window is first shown, twips.
constexpr double InitialClientWidth = 2880;
constexpr double InitialClientHeight = 2670;
// How long another start holds the clock out before the pointer decides.
constexpr int HeldOutMs = 3000;

// Minimum sizes kept by the layout with the panel closed, twips (the
// panel knows its own).
constexpr double MinHeightClosed = 1300;
constexpr double MinWidth = 1500;

constexpr double LabelFontPt = 8.25;

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
    m_cmdMonth = parts.month;
    m_cmdAbout = parts.about;
    m_bar = std::make_unique<WindowBar>(parts);
    // What assistive technology reads of the window; its children say their own.
    setAccessibleName(QStringLiteral("Orologio %1").arg(QLatin1String(tickora::ProductName)));
    m_panel = new Panel(parts, m_client, [this] { showMoreOptions(); }, this);
    connect(m_panel, &Panel::rowsChanged, this, &frmMain::panelRowsChanged);
    connect(m_panel, &Panel::agendaShown, this, &frmMain::agendaShown);

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

double frmMain::Left() const { return toTwips(x()); }
double frmMain::Top() const { return toTwips(y()); }
double frmMain::Width() const { return toTwips(width()); }
double frmMain::Height() const { return toTwips(height()); }
double frmMain::ScaleWidth() const { return toTwips(m_client->width()); }
double frmMain::ScaleHeight() const { return toTwips(m_client->height()); }

void frmMain::setLeft(double twips) { m_docked->move(QPoint(toPxInt(twips), y())); }
void frmMain::setTop(double twips) { m_docked->move(QPoint(x(), toPxInt(twips))); }

// A size change runs the layout again, also one made by the layout itself.
void frmMain::setWidth(double twips) { m_frame->resize(QSize(toPxInt(twips), height()), minimumPx()); }
void frmMain::setHeight(double twips) { m_frame->resize(QSize(width(), toPxInt(twips)), minimumPx()); }

// --- Start-up and layout ------------------------------------------------

void frmMain::Form_Load()
{
    auto translucency = std::make_unique<CTranslucentForm>();
    translucency->setHWnd(this);
    translucency->setAlpha(CTranslucentForm::Opaque);
    m_mdlMain->setTranslucency(std::move(translucency));
    m_panel->setLoadDate(toolkit::desktop().now().date());
}

void frmMain::Form_Resize()
{
    m_frame->holdMinimum(minimumPx()); // window-manager hook: a higher minimum once the size is set
    const double minHeight = minimumHeight();
    if (Height() < minHeight) {
        setHeight(minHeight);
        return;
    }
    if (Width() < MinWidth) {
        setWidth(MinWidth);
        return;
    }

    const QRect bar = m_picBar->geometry();
    const double barLeft = toTwips(bar.x());
    const double barWidth = toTwips(bar.width());

    const double dialTop = 0;
    const double dialLeft = barLeft + barWidth;
    const double dialWidth = ScaleWidth() - barWidth;
    const double dialHeight = m_calendarOpen ? m_panel->dialHeightOpen(Height()) : ScaleHeight();
    placeTwips(m_dial, {dialLeft, dialTop, dialWidth, dialHeight});

    m_bar->layout(ScaleHeight());
    m_panel->layout();

    if (m_calendarOpen)
        setWidth(m_panel->widthBeside(barLeft + barWidth));

    m_bar->drawTitle();
}

double frmMain::minimumHeight() const
{
    return m_calendarOpen ? m_panel->minimumOpenHeight() : MinHeightClosed;
}

// The window manager is told the minimum size as well (WindowFrame).
QSize frmMain::minimumPx() const
{
    return {toPxInt(MinWidth), toPxInt(minimumHeight())};
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
    m_bar->drawTitle();
    if (!m_extras) { // Tickora.conf lives beside Options.dat, known from now on
        m_extras = new Extras(m_mdlMain->confPath(), this);
        m_extras->load();
        m_panel->attachExtras(m_extras);
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
    m_panel->showTime(toolkit::desktop().now());
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
        m_panel->prepareOpening();
        m_calendarOpen = true;
        setHeight(m_panel->heightToFit());
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
        setHeight(m_panel->heightUnderDial());
    Form_Resize();
}

// The agenda's list came or went: an open panel grows or shrinks by it.
void frmMain::agendaShown(double roomBefore)
{
    if (m_calendarOpen)
        setHeight(Height() + m_panel->agendaRoom() - roomBefore);
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
