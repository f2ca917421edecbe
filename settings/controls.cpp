#include "settings/controls.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace settings {

namespace {
bool isClick(QMouseEvent *event, const QWidget *widget)
{
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

// The frame is drawn thicker while the box has the keyboard focus.
constexpr int FrameLine = 1;
constexpr int FocusedFrameLine = 2;

// A colour box as assistive technology sees it: a button that can be pressed.
class ColorBoxAccessible : public QAccessibleWidget
{
public:
    explicit ColorBoxAccessible(ColorBox *box)
        : QAccessibleWidget(box, QAccessible::Button)
    {
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            emit static_cast<ColorBox *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *colorBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(ColorBox::staticMetaObject.className()) && object->isWidgetType())
        return new ColorBoxAccessible(static_cast<ColorBox *>(object));
    return nullptr;
}
} // namespace

ColorBox::ColorBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(colorBoxAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setBackColor(m_color);
}

void ColorBox::setBackColor(toolkit::OleColor color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, toolkit::toQColor(color));
    setPalette(colors);
    const QString name = toolkit::colorName(color);
    if (accessibleDescription() != name)
        setAccessibleDescription(name);
}

void ColorBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        event->accept();
        if (isEnabled())
            emit clicked();
        return;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

void ColorBox::focusInEvent(QFocusEvent *event)
{
    setLineWidth(FocusedFrameLine);
    QFrame::focusInEvent(event);
}

void ColorBox::focusOutEvent(QFocusEvent *event)
{
    setLineWidth(FrameLine);
    QFrame::focusOutEvent(event);
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
