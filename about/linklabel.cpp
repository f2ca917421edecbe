#include "about/linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(int index, QWidget *parent)
    : QLabel(parent), m_arrayIndex(index)
{
    setMouseTracking(true);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(m_arrayIndex);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(m_arrayIndex);
}
