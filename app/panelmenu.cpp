#include "app/panelmenu.h"

#include "calendar/monthcalendar.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

PanelMenu::PanelMenu(QLabel *date, QLabel *time, std::function<void()> moreOptions, QObject *parent)
    : QObject(parent)
    , m_date(date)
    , m_time(time)
    , m_moreOptions(std::move(moreOptions))
{
    m_date->installEventFilter(this);
    m_time->installEventFilter(this);
}

void PanelMenu::setCalendar(MonthCalendar *calendar)
{
    m_calendar = calendar;
    // Key presses and right clicks the calendar's parts leave unhandled
    // come up to the calendar itself.
    calendar->installEventFilter(this);
}

void PanelMenu::popup(QPoint globalPos)
{
    auto *menu = new QMenu(m_date->window());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_calendar) {
        connect(menu->addAction(QStringLiteral("&Oggi")), &QAction::triggered, m_calendar.data(),
                &MonthCalendar::showToday);
    }
    // The texts as the labels show them.
    connect(menu->addAction(QStringLiteral("Copia &data")), &QAction::triggered, this,
            [this] { copy(m_date->text()); });
    connect(menu->addAction(QStringLiteral("Copia o&ra")), &QAction::triggered, this,
            [this] { copy(m_time->text()); });
    menu->addSeparator();
    connect(menu->addAction(QString::fromUtf8("&Altre opzioni…")), &QAction::triggered, this,
            [this] { m_moreOptions(); });
    menu->popup(globalPos);
}

void PanelMenu::copy(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool PanelMenu::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::ContextMenu) {
        const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        // The Menu key's own context-menu event follows its key press,
        // which has already opened the menu.
        if (menuEvent->reason() != QContextMenuEvent::Keyboard)
            popup(menuEvent->globalPos());
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == m_calendar) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (menuKey || shiftF10) {
            // Below the selected day, where the keyboard is.
            QAbstractItemView *grid = m_calendar->grid();
            const QRect cell = grid->visualRect(grid->currentIndex());
            popup(grid->hasFocus() ? grid->viewport()->mapToGlobal(cell.center())
                                   : widget->mapToGlobal(widget->rect().center()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
