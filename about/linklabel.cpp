#include "about/linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(int index, QWidget *parent)
    : QLabel(parent), arrayIndex(index)
{
    setMouseTracking(true);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(arrayIndex);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked(arrayIndex);
}
