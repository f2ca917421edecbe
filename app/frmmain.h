#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>

#include "app/panel.h"
#include "calendar/monthcalendar.h" // what mthView() gives, whole for its callers

class Extras;
class QDialog;
class QPushButton;
class Tickdial;
class mdlMain;
class WindowBar;
class WindowFrame;
namespace toolkit { class DockedWindow; class PictureBox; class Ticker; }

// The clock's main window: a frameless, resizable window docked at the
// right edge of the screen, with the bar on its left, the dial beside it
// and the calendar panel below the dial.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The window's outer rectangle in twips.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    double ScaleWidth() const;  // client area, twips
    double ScaleHeight() const;

    bool CalendarOpen() const { return m_calendarOpen; }
    bool AutoHideOn() const { return m_autoHideOn; }
    bool HideBarOn() const { return m_hideBarOn; }

    // Handlers, public so that the program's other windows and the tests can
    // drive them as the windowing system does.
    void Form_Load();
    void Form_Resize();
    void Form_Activate();
    void Timer1_Timer();
    void cmdMonth_Click();
    void cmdClose_Click();
    void cmdAbout_Click();
    void picBar_MouseDown(int button);
    void picBar_MouseUp(int button);
    void Tickdial1_MouseUp(int button, int shift, float x, float y);
    // Another start of the program asks for the clock: it comes to the
    // front, and out when auto-hide had slid it away, until the pointer has
    // been over it.
    void bringToFront();
    // "Altre opzioni…", modal.
    void showMoreOptions();

    // Children, for the tests.
    toolkit::PictureBox *picBar() const { return m_picBar; }
    QPushButton *cmdClose() const { return m_cmdClose; }
    QPushButton *cmdMonth() const { return m_cmdMonth; }
    QPushButton *cmdAbout() const { return m_cmdAbout; }
    Tickdial *Tickdial1() const { return m_dial; }
    QLabel *lblDate() const { return m_panel->lblDate(); }
    QLabel *lblTime() const { return m_panel->lblTime(); }
    MonthCalendar *mthView() { return m_panel->mthView(); }
    // The agenda's list under the calendar, once both are made; shown
    // only while an agenda is configured.
    agenda::AgendaView *agendaView() const { return m_panel->agendaView(); }
    // The features beyond the classic clock, from the first activation on.
    Extras *extras() const { return m_extras; }
    toolkit::Ticker *Timer1() const { return m_timer; }
    QWidget *clientArea() const { return m_client; }
    mdlMain &settings() const { return *m_mdlMain; }
    WorldView *world() const { return m_panel->world(); }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectHandlers();
    void panelRowsChanged();
    void agendaShown(double roomBefore);
    void Dock();
    void dockFor(QPoint pointer);
    void setClockRunning(bool running);
    double minimumHeight() const; // twips, as the panel is open or not
    QSize minimumPx() const;
    void showModal(QDialog *dialog);

    QWidget *m_client = nullptr;
    toolkit::PictureBox *m_picBar = nullptr;
    QPushButton *m_cmdClose = nullptr;
    QPushButton *m_cmdAbout = nullptr;
    QPushButton *m_cmdMonth = nullptr;
    Tickdial *m_dial = nullptr;
    std::unique_ptr<WindowBar> m_bar;  // the bar's layout and title
    Panel *m_panel = nullptr;          // what folds out under the dial
    Extras *m_extras = nullptr;
    toolkit::Ticker *m_timer = nullptr;
    std::unique_ptr<mdlMain> m_mdlMain; // the settings module and the shared translucency
    WindowFrame *m_frame = nullptr;      // the edges, the sizing cursors and resizing
    toolkit::DockedWindow *m_docked = nullptr; // placing at the edge, as window managers allow

    bool m_calendarOpen = false;
    int m_closedHeightPx = 0;    // the window's height before the panel opened
    bool m_autoHideOn = false;
    bool m_hideBarOn = false;
    bool m_heldOut = false;      // shown on request, until the pointer comes

    bool m_shownOnce = false;
    // A drag by the bar: where the button went down and where the window was.
    bool m_dragging = false;
    bool m_optionsOpen = false;
    QPoint m_dragStartCursor;
    QPoint m_dragStartWindow;
};
