#include "toolkit/dockedwindow.h"

#include "toolkit/desktop.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

namespace toolkit {

DockedWindow::DockedWindow(QWidget *window)
    : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void DockedWindow::move(QPoint topLeft)
{
    m_placed = topLeft;
    desktop().claimRightEdge(m_window, QRect(topLeft, m_window->size()));
    desktop().moveWindow(m_window, topLeft);
}

void DockedWindow::place(QPoint topLeft)
{
    if (topLeft != m_window->pos()) {
        if (topLeft != m_asked) {
            m_asked = topLeft;
            m_askedTwice = false;
        } else if (m_askedTwice) {
            return;
        } else {
            m_askedTwice = true;
        }
    }
    move(topLeft);
}

bool DockedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint && !m_shownOnce) {
        // On screen now: the place may be the hidden one.
        m_shownOnce = true;
        QMetaObject::invokeMethod(this, &DockedWindow::firstShown, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace toolkit
