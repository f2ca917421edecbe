#include "toolkit/surface.h"

#include "toolkit/fonts.h"
#include "toolkit/mousecodes.h"
#include "toolkit/twips.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

// Antialiased edges bleed about a pixel beyond the geometric outline.
constexpr double AntialiasMargin = 2.0;
// A line's repaint area is made of pieces this long (pixels) along it.
constexpr double LinePieceLength = 20.0;
// One point is 20 twips: 4/3 of a pixel at 15 twips per pixel.
// Dots up to this size are squares; larger ones are round.
constexpr int LargestSquareDot = 3;

} // namespace

// ---- LineObject -----------------------------------------------------------

template <typename T> void LineObject::change(T &field, T value)
{
    if (field == value)
        return;
    const QRegion before = m_visible ? m_area : QRegion();
    const bool wasStill = !m_movesOften;
    field = value;
    m_area = m_owner->lineRegion(*this);
    const QRegion area = m_visible ? before | m_area : before;
    // A line changing layers changes the still layer too.
    if (wasStill || !m_movesOften)
        m_owner->stillChanged(area);
    else
        m_owner->update(area);
}

void LineObject::setX1(double v) { change(m_x1, v); }
void LineObject::setY1(double v) { change(m_y1, v); }
void LineObject::setX2(double v) { change(m_x2, v); }
void LineObject::setY2(double v) { change(m_y2, v); }
void LineObject::setBorderColor(OleColor c) { change(m_color, c); }
void LineObject::setBorderWidth(int px) { change(m_width, px); }
void LineObject::setVisible(bool v) { change(m_visible, v); }
void LineObject::setMovesOften(bool v) { change(m_movesOften, v); }

// ---- ShapeObject ----------------------------------------------------------

template <typename T> void ShapeObject::change(T &field, T value)
{
    if (field == value)
        return;
    const QRect before = m_visible ? m_owner->shapeBounds(*this) : QRect();
    field = value;
    const QRect after = m_visible ? m_owner->shapeBounds(*this) : QRect();
    m_owner->stillChanged(QRegion(before) | after);
}

void ShapeObject::setLeft(double v) { change(m_left, v); }
void ShapeObject::setTop(double v) { change(m_top, v); }
void ShapeObject::setWidth(double v) { change(m_width, v); }
void ShapeObject::setHeight(double v) { change(m_height, v); }
void ShapeObject::setBorderColor(OleColor c) { change(m_color, c); }
void ShapeObject::setBorderWidth(int px) { change(m_borderWidth, px); }
void ShapeObject::setVisible(bool v) { change(m_visible, v); }

// ---- PictureBox -----------------------------------------------------------

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    ensureImage();
}

PictureBox::~PictureBox() = default;

void PictureBox::setBackColor(OleColor c)
{
    m_backColor = c;
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
}

void PictureBox::Cls()
{
    ensureImage();
    clearImage();
    CurrentX = 0;
    CurrentY = 0;
    stillChanged(rect());
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::PSet(double x, double y)
{
    ensureImage();
    if (m_image.isNull())
        return;
    const int size = qMax(1, DrawWidth);
    const int left = int(std::floor(toPx(x))) - (size - 1) / 2;
    const int top = int(std::floor(toPx(y))) - (size - 1) / 2;
    const QRect dot(left, top, size, size);
    const QColor color = toQColor(m_foreColor);
    if (size <= LargestSquareDot) {
        // A square of a few pixels, set directly: a face has sixty dots, and
        // starting a painter for each costs more than the dots themselves.
        const qreal dpr = m_image.devicePixelRatio();
        const QRect device = QRect(QPoint(qRound(left * dpr), qRound(top * dpr)),
                                   QPoint(qRound((left + size) * dpr) - 1, qRound((top + size) * dpr) - 1))
                                 .intersected(m_image.rect());
        const QRgb pixel = color.rgb();
        for (int row = device.top(); row <= device.bottom(); ++row) {
            auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(row));
            std::fill(line + device.left(), line + device.right() + 1, pixel);
        }
    } else {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(dot);
    }
    stillChanged(dot);
}

void PictureBox::Print(const QString &text)
{
    ensureImage();
    const QFont font = currentFont();
    const QFontMetricsF metrics(font);
    const QPointF topLeft(toPx(CurrentX), toPx(CurrentY));
    if (!m_image.isNull()) {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(toQColor(m_foreColor));
        painter.drawText(topLeft + QPointF(0, metrics.ascent()), text);
        const QRectF area(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        stillChanged(area.toAlignedRect().adjusted(-1, -1, 1, 1));
    }
    CurrentX = 0;
    CurrentY += toTwips(metrics.height());
}

void PictureBox::paintOnImage(const std::function<void(QPainter &)> &draw)
{
    ensureImage();
    if (m_image.isNull())
        return;
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(1.0 / TwipsPerPixel, 1.0 / TwipsPerPixel);
        draw(painter);
    }
    stillChanged(rect());
}

QFont PictureBox::currentFont() const
{
    return fontFor(FontName, FontSize, FontBold);
}

QFont PictureBox::fontFor(const QString &name, double points, bool bold)
{
    return designFont(name, points, bold);
}

LineObject *PictureBox::addLine()
{
    m_lines.push_back(std::unique_ptr<LineObject>(new LineObject(this)));
    LineObject &line = *m_lines.back();
    line.m_area = lineRegion(line);
    stillChanged(line.m_area);
    return m_lines.back().get();
}

ShapeObject *PictureBox::addShape()
{
    m_shapes.push_back(std::unique_ptr<ShapeObject>(new ShapeObject(this)));
    stillChanged(shapeBounds(*m_shapes.back()));
    return m_shapes.back().get();
}

qint64 PictureBox::takeRepaintedArea()
{
    return std::exchange(m_repaintedArea, 0);
}

// Once shown, the box follows its window's screen: a move to a screen of
// another pixel density, or a change of the screen's density, recreates
// the image at once rather than at the next paint.
void PictureBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QWindow *handle = window()->windowHandle();
    if (!handle || handle == m_watchedWindow)
        return;
    if (m_watchedWindow)
        disconnect(m_watchedWindow, nullptr, this, nullptr);
    m_watchedWindow = handle;
    connect(handle, &QWindow::screenChanged, this, &PictureBox::watchScreen);
    watchScreen(handle->screen());
}

void PictureBox::watchScreen(QScreen *screen)
{
    disconnect(m_screenDensity);
    if (screen)
        m_screenDensity = connect(screen, &QScreen::logicalDotsPerInchChanged, this, &PictureBox::densityMayHaveChanged);
    densityMayHaveChanged();
}

void PictureBox::densityMayHaveChanged()
{
    if (ensureImage())
        emit imageReset();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    if (ensureImage())
        emit imageReset();
    composeStill();
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    for (const QRect &r : event->region()) {
        painter.drawImage(r, m_still, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
        m_repaintedArea += qint64(std::lround(r.width() * dpr)) * std::lround(r.height() * dpr);
    }
    drawObjects(painter, event->region(), Layer::MovingOften);
}

void PictureBox::stillChanged(const QRegion &area)
{
    m_staleStill += area;
    update(area);
}

void PictureBox::composeStill()
{
    const QRegion stale = std::exchange(m_staleStill, QRegion()) & rect();
    if (stale.isEmpty() || m_still.isNull())
        return;
    QPainter painter(&m_still);
    painter.setClipRegion(stale);
    const qreal dpr = m_still.devicePixelRatio();
    for (const QRect &r : stale)
        painter.drawImage(r, m_image, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    drawObjects(painter, stale, Layer::Still);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    ensureImage();
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * TwipsPerPixel;
    emit MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * TwipsPerPixel;
    emit MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
    event->accept();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

QRect PictureBox::lineBounds(const LineObject &line) const
{
    const double margin = line.m_width / 2.0 + AntialiasMargin;
    const QRectF span(QPointF(toPx(line.m_x1), toPx(line.m_y1)), QPointF(toPx(line.m_x2), toPx(line.m_y2)));
    return span.normalized().adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

// A thin band along the line: pieces of at most LinePieceLength pixels, each
// with its bounding box, so that a slanting hand dirties a strip of pixels
// rather than the whole rectangle it spans.
QRegion PictureBox::lineRegion(const LineObject &line) const
{
    const double margin = line.m_width / 2.0 + AntialiasMargin;
    const QPointF from(toPx(line.m_x1), toPx(line.m_y1));
    const QPointF to(toPx(line.m_x2), toPx(line.m_y2));
    const QPointF span = to - from;
    const int pieces = qMax(1, qCeil(qMax(qAbs(span.x()), qAbs(span.y())) / LinePieceLength));
    QRegion region;
    for (int i = 0; i < pieces; ++i) {
        const QRectF piece(from + span * (double(i) / pieces), from + span * (double(i + 1) / pieces));
        region += piece.normalized().adjusted(-margin, -margin, margin, margin).toAlignedRect();
    }
    return region;
}

// Whether a circle's stroke of the given width reaches into the region:
// some part of the region lies between the stroke's inner and outer edge.
bool PictureBox::strokeTouches(const QRectF &circle, double strokeWidth, const QRegion &region)
{
    const QPointF centre = circle.center();
    const double outer = circle.width() / 2 + strokeWidth / 2 + AntialiasMargin;
    const double inner = circle.width() / 2 - strokeWidth / 2 - AntialiasMargin;
    for (const QRect &r : region) {
        const double nearX = qBound(double(r.left()), centre.x(), double(r.right() + 1)) - centre.x();
        const double nearY = qBound(double(r.top()), centre.y(), double(r.bottom() + 1)) - centre.y();
        const double farX = qMax(qAbs(r.left() - centre.x()), qAbs(r.right() + 1 - centre.x()));
        const double farY = qMax(qAbs(r.top() - centre.y()), qAbs(r.bottom() + 1 - centre.y()));
        if (std::hypot(nearX, nearY) <= outer && std::hypot(farX, farY) >= inner)
            return true;
    }
    return false;
}

QRectF PictureBox::shapeCircle(const ShapeObject &shape) const
{
    const QRectF box(toPx(shape.m_left), toPx(shape.m_top), toPx(shape.m_width), toPx(shape.m_height));
    const double diameter = qMin(qAbs(box.width()), qAbs(box.height()));
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.normalized().center());
    return circle;
}

QRect PictureBox::shapeBounds(const ShapeObject &shape) const
{
    return shapeCircle(shape)
        .adjusted(-AntialiasMargin, -AntialiasMargin, AntialiasMargin, AntialiasMargin)
        .toAlignedRect();
}

bool PictureBox::ensureImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels(qCeil(width() * dpr), qCeil(height() * dpr));
    if (m_image.size() == pixels && m_image.devicePixelRatio() == dpr)
        return false;
    const QImage old = m_image;
    m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(dpr);
    m_still = QImage(pixels, QImage::Format_RGB32);
    m_still.setDevicePixelRatio(dpr);
    m_staleStill = rect();
    clearImage();
    if (!old.isNull() && !m_image.isNull() && old.devicePixelRatio() == dpr) {
        QPainter painter(&m_image);
        painter.drawImage(QPointF(0, 0), old);
    }
    return true;
}

void PictureBox::clearImage()
{
    if (m_image.isNull())
        return;
    m_image.fill(toQColor(m_backColor));
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawPixmap(QPointF(0, 0), m_picture);
    }
}

// Draws the layer's shapes and lines that reach into the region being
// painted; the others are left alone (the painter is clipped to the region
// anyway). Shapes are all still.
void PictureBox::drawObjects(QPainter &painter, const QRegion &region, Layer layer) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const bool movingOften = layer == Layer::MovingOften;
    for (const auto &shape : m_shapes) {
        if (movingOften || !shape->m_visible || shape->m_borderWidth <= 0)
            continue;
        const double inset = shape->m_borderWidth / 2.0;
        const QRectF circle = shapeCircle(*shape).adjusted(inset, inset, -inset, -inset);
        if (circle.width() <= 0 || !strokeTouches(circle, shape->m_borderWidth, region))
            continue;
        painter.setPen(QPen(toQColor(shape->m_color), shape->m_borderWidth));
        painter.drawEllipse(circle);
    }
    for (const auto &line : m_lines) {
        if (line->m_movesOften != movingOften || !line->m_visible || !region.intersects(lineBounds(*line)))
            continue;
        painter.setPen(QPen(toQColor(line->m_color), line->m_width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(toPx(line->m_x1), toPx(line->m_y1)), QPointF(toPx(line->m_x2), toPx(line->m_y2)));
    }
}

} // namespace toolkit
