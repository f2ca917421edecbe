#include "about/surfaceframe.h"

#include <QMouseEvent>

SurfaceFrame::SurfaceFrame(QWidget *parent)
    : QFrame(parent)
{
    setMouseTracking(true);
}

void SurfaceFrame::mouseMoveEvent(QMouseEvent *event)
{
    // A move an element let through arrives here too; only the bare
    // surface counts.
    event->accept();
    if (!childAt(event->position().toPoint()))
        emit surfaceMouseMoved();
}
