#pragma once

#include "toolkit/olecolor.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QPointF>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QScreen;
class QWindow;

namespace toolkit {

class PictureBox;

// A straight line drawn by its picture box above the retained image.
// Coordinates in twips relative to the box; width in pixels.
// Setting a value equal to the current one changes nothing and repaints
// nothing; any other change repaints the area the line left and entered.
// A line that moves often (a second hand) is drawn afresh at each repaint,
// above every other object; the others are kept, with the retained image,
// in a composed still layer that is redrawn only where something changed.
class LineObject
{
public:
    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);

    OleColor BorderColor() const { return m_color; }
    void setBorderColor(OleColor c);
    int BorderWidth() const { return m_width; }
    void setBorderWidth(int px);
    bool Visible() const { return m_visible; }
    void setVisible(bool v);
    bool MovesOften() const { return m_movesOften; }
    void setMovesOften(bool v);

private:
    friend class PictureBox;
    explicit LineObject(PictureBox *owner) : m_owner(owner) {}
    template <typename T> void change(T &field, T value);

    PictureBox *m_owner;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    OleColor m_color = ColorBlack;
    int m_width = 1;
    bool m_visible = true;
    bool m_movesOften = false;
    QRegion m_area; // what the line covers, kept up to date by change()
};

// A circle shape with an inside-solid border: the largest circle that fits
// its bounding rectangle, centred in it, its line lying inside that circle.
class ShapeObject
{
public:
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);

    OleColor BorderColor() const { return m_color; }
    void setBorderColor(OleColor c);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int px);
    bool Visible() const { return m_visible; }
    void setVisible(bool v);

private:
    friend class PictureBox;
    explicit ShapeObject(PictureBox *owner) : m_owner(owner) {}
    template <typename T> void change(T &field, T value);

    PictureBox *m_owner;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    OleColor m_color = ColorBlack;
    int m_borderWidth = 1;
    bool m_visible = true;
};

// A picture box: a drawing surface that keeps what is drawn on it (dots,
// text, an optional picture) in an image at the screen's pixel density, and
// draws its line and shape objects above that image: shapes, then lines in
// the order they were added, then the lines that move often. Positions in
// twips. Moving a line repaints only the area it left and the area it entered.
// Mouse presses and releases on the box are its own: they are reported by
// its signals and do not reach the widget beneath.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    // Drawing state.
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c) { m_foreColor = c; }
    int DrawWidth = 1;        // dot size in pixels
    double CurrentX = 0;      // text position, twips
    double CurrentY = 0;
    QString FontName = QStringLiteral("MS Sans Serif");
    double FontSize = 8.25;   // points
    bool FontBold = false;

    // A picture drawn from the top-left corner under everything else;
    // Cls keeps it.
    void setPicture(const QPixmap &picture);

    // Clears the retained image to the background colour (and the picture)
    // and resets the text position to (0, 0).
    void Cls();
    // Repaints the surface now (schedules a full update).
    void Refresh();
    // A dot of DrawWidth pixels centred at (x, y), in the foreground colour.
    void PSet(double x, double y);
    // Text with its top-left corner at (CurrentX, CurrentY), transparent
    // background; then CurrentX = 0 and CurrentY moves to the next line.
    void Print(const QString &text);
    // Any other drawing on the retained image; the painter's coordinates
    // are twips, antialiased, at the surface's pixel density.
    void paintOnImage(const std::function<void(QPainter &)> &draw);

    QFont currentFont() const;
    // A font by its classic name: "arial" becomes a metric-compatible face
    // when one is installed, "small fonts" and "MS Sans Serif" a small sans
    // face. Sizes in points at 20 twips per point (96 dots per inch).
    static QFont fontFor(const QString &name, double points, bool bold);

    LineObject *addLine();
    ShapeObject *addShape();

    // The retained image (tests and benchmarks read it).
    const QImage &image() const { return m_image; }

    // The device-pixel area repainted since the last call (for measuring).
    qint64 takeRepaintedArea();

signals:
    // The retained image was recreated empty because the box moved to a
    // screen of another pixel density; its owner should draw it again.
    void imageReset();
    // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt;
    // X and Y in twips.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    friend class LineObject;
    friend class ShapeObject;
    void watchScreen(QScreen *screen);
    void densityMayHaveChanged();
    QRect lineBounds(const LineObject &line) const;
    QRegion lineRegion(const LineObject &line) const;
    static bool strokeTouches(const QRectF &circle, double strokeWidth, const QRegion &region);
    QRect shapeBounds(const ShapeObject &shape) const;
    QRectF shapeCircle(const ShapeObject &shape) const;
    // Brings the image to the widget's size and density; true if it changed.
    bool ensureImage();
    void clearImage();
    // Repaints an area whose retained drawing or still objects changed.
    void stillChanged(const QRegion &area);
    // Redraws the stale part of the still layer.
    void composeStill();
    enum class Layer { Still, MovingOften };
    void drawObjects(QPainter &painter, const QRegion &region, Layer layer) const;

    QImage m_image;
    // The retained image with the still objects drawn on it, same size and
    // density; m_staleStill (logical pixels) is where it is out of date.
    QImage m_still;
    QRegion m_staleStill;
    QPixmap m_picture;
    OleColor m_backColor = ColorButtonFace;
    OleColor m_foreColor = ColorButtonText;
    std::vector<std::unique_ptr<LineObject>> m_lines;
    std::vector<std::unique_ptr<ShapeObject>> m_shapes;
    qint64 m_repaintedArea = 0;
    QPointer<QWindow> m_watchedWindow;
    QMetaObject::Connection m_screenDensity;
};

} // namespace toolkit
