#pragma once

#include <QFrame>

// A frame that tells when the mouse moves over its own surface, not over
// one of the elements it holds.
class SurfaceFrame : public QFrame
{
    Q_OBJECT

public:
    explicit SurfaceFrame(QWidget *parent);

signals:
    void surfaceMouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
