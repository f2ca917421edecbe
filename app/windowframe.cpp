#include "app/windowframe.h"

#include "toolkit/desktop.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <qdrawutil.h>

#include <utility>

WindowFrame::WindowFrame(QWidget *window, QWidget *client, std::function<void()> layout)
    : QObject(window), m_window(window), m_client(client), m_layout(std::move(layout))
{
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

void WindowFrame::resize(QSize size, QSize minimum)
{
    m_window->setMinimumSize(m_window->minimumSize().boundedTo(minimum)); // a lower minimum at once
    if (size == m_window->size())
        return;
    m_resizeSeen = false;
    m_window->resize(size);
    if (!m_resizeSeen) {
        placeClient();
        m_layout();
    }
}

void WindowFrame::holdMinimum(QSize minimum)
{
    m_window->setMinimumSize(minimum);
}

void WindowFrame::placeClient()
{
    m_client->setGeometry(m_window->rect().adjusted(FramePx, FramePx, -FramePx, -FramePx));
}

Qt::Edges WindowFrame::edgesAt(QPoint pos) const
{
    Qt::Edges edges;
    if (pos.x() < FramePx) edges |= Qt::LeftEdge;
    if (pos.x() >= m_window->width() - FramePx) edges |= Qt::RightEdge;
    if (pos.y() < FramePx) edges |= Qt::TopEdge;
    if (pos.y() >= m_window->height() - FramePx) edges |= Qt::BottomEdge;
    return edges;
}

namespace {

Qt::CursorShape sizingCursor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

bool WindowFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        m_resizeSeen = true;
        placeClient();
        break;
    case QEvent::Paint: {
        // A raised frame, as thick as the sizing border.
        QPainter painter(m_window);
        qDrawWinPanel(&painter, m_window->rect(), m_window->palette(), false);
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::Edges edges = edgesAt(mouse->position().toPoint());
        if (edges && mouse->button() == Qt::LeftButton)
            toolkit::desktop().startSystemResize(m_window, edges);
        break;
    }
    case QEvent::MouseMove:
        m_window->setCursor(sizingCursor(edgesAt(static_cast<QMouseEvent *>(event)->position().toPoint())));
        break;
    default:
        break;
    }
    return false;
}
