#include "controls.h"

#include <QMouseEvent>

namespace settings {

namespace {
bool isClick(QMouseEvent *event, const QWidget *widget)
{
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}
} // namespace

ColorBox::ColorBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setBackColor(m_color);
}

void ColorBox::setBackColor(toolkit::OleColor color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, toolkit::toQColor(color));
    setPalette(colors);
}

void ColorBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (isEnabled() && isClick(event, this))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (isEnabled() && isClick(event, this))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace settings
