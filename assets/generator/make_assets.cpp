// Draws every picture Tickora carries: the bar strip, the window icons, the
// About box's title banner, its link pointer and the frames of About.gif.
//
//   make_assets <output dir> <frames dir>
//
// The pictures go to <output dir>; the animation frames go to <frames dir>
// as frame-NN.png for make-assets.sh to assemble with ImageMagick.
// Nothing here uses a font: the banner's letters are drawn as strokes, so
// the output is the same on every machine.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr int JpegQuality = 92;

constexpr QSize BarSize(20, 2000);
constexpr QSize IconSize(32, 32);
constexpr QSize BigIconSize(256, 256);
constexpr QSize TitleSize(300, 80);
constexpr QSize PointerSize(32, 32);
constexpr QSize AnimationSize(197, 153);
constexpr int AnimationFrames = 12;

const QColor Navy(0x12, 0x24, 0x4a);
const QColor Steel(0x3c, 0x5a, 0x8c);
const QColor FaceLight(0xfd, 0xfb, 0xf2);
const QColor FaceShade(0xdc, 0xd6, 0xc4);
const QColor RimDark(0x1c, 0x2c, 0x50);
const QColor RimLight(0x8a, 0xa4, 0xd0);
const QColor HandColor(0x1a, 0x1a, 0x22);
const QColor SecondColor(0xc8, 0x1e, 0x1e);

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    // Baseline JPEG: no progressive scans, no optimised tables.
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image)) {
        QTextStream(stderr) << "cannot write " << path << ": " << writer.errorString() << '\n';
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- bar strip

// A dark steel strip, lit from the middle column like a rounded rail, with a
// faint horizontal brushing and a slow change of tone from top to bottom.
QImage drawBar()
{
    QImage image(BarSize, QImage::Format_RGB32);
    QRandomGenerator noise(20030101u);
    const double width = BarSize.width();
    for (int y = 0; y < BarSize.height(); ++y) {
        const double along = double(y) / (BarSize.height() - 1);
        const double tone = 0.85 + 0.15 * std::cos(along * 2.0 * M_PI * 3.0);
        const double brush = (noise.bounded(100) - 50) / 1400.0;
        for (int x = 0; x < BarSize.width(); ++x) {
            const double across = (x + 0.5) / width;          // 0..1
            const double round = std::sin(across * M_PI);        // 0 at the edges
            const double light = std::clamp(0.35 + 0.55 * std::pow(round, 1.6) * tone + brush, 0.0, 1.0);
            const int r = int(Navy.red() + (Steel.red() + 60 - Navy.red()) * light);
            const int g = int(Navy.green() + (Steel.green() + 60 - Navy.green()) * light);
            const int b = int(Navy.blue() + (Steel.blue() + 60 - Navy.blue()) * light);
            image.setPixel(x, y, qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return image;
}

// --------------------------------------------------------------- clock face

struct ClockTime
{
    double hour = 10.0;   // 0..12, fractional
    double minute = 10.0; // 0..60, fractional
    double second = 38.0; // 0..60
    bool showSecond = true;
};

QPointF onDial(QPointF centre, double turns, double length)
{
    const double angle = turns * 2.0 * M_PI;
    return {centre.x() + length * std::sin(angle), centre.y() - length * std::cos(angle)};
}

void drawHand(QPainter &p, QPointF centre, double turns, double length, double width, const QColor &color)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onDial(centre, turns, -length * 0.15), onDial(centre, turns, length));
}

void drawClock(QPainter &p, const QRectF &box, const ClockTime &time)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double radius = std::min(box.width(), box.height()) / 2.0;
    const QPointF centre = box.center();
    const bool tiny = radius < 20.0;

    // Rim: a ring lit from the top left.
    QLinearGradient rim(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    rim.setColorAt(0.0, RimLight);
    rim.setColorAt(1.0, RimDark);
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(centre, radius - 0.5, radius - 0.5);

    const double faceRadius = radius * (tiny ? 0.80 : 0.86);
    QRadialGradient face(centre - QPointF(faceRadius * 0.3, faceRadius * 0.35), faceRadius * 1.4);
    face.setColorAt(0.0, FaceLight);
    face.setColorAt(1.0, FaceShade);
    p.setBrush(face);
    p.drawEllipse(centre, faceRadius, faceRadius);

    // Marks: twelve hour strokes, the quarters longer; minute dots when there is room.
    for (int mark = 0; mark < 60; ++mark) {
        const double turns = mark / 60.0;
        if (mark % 5 == 0) {
            const bool quarter = mark % 15 == 0;
            const double inner = faceRadius * (quarter ? 0.74 : 0.82);
            p.setPen(QPen(RimDark, std::max(1.0, faceRadius * (quarter ? 0.07 : 0.045)), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(onDial(centre, turns, inner), onDial(centre, turns, faceRadius * 0.94));
        } else if (!tiny) {
            p.setPen(Qt::NoPen);
            p.setBrush(RimDark);
            p.drawEllipse(onDial(centre, turns, faceRadius * 0.9), faceRadius * 0.015, faceRadius * 0.015);
        }
    }

    drawHand(p, centre, time.hour / 12.0, faceRadius * 0.52, std::max(1.6, faceRadius * 0.09), HandColor);
    drawHand(p, centre, time.minute / 60.0, faceRadius * 0.78, std::max(1.2, faceRadius * 0.06), HandColor);
    if (time.showSecond)
        drawHand(p, centre, time.second / 60.0, faceRadius * 0.86, std::max(0.8, faceRadius * 0.025), SecondColor);

    p.setPen(Qt::NoPen);
    p.setBrush(tiny ? HandColor : SecondColor);
    p.drawEllipse(centre, std::max(1.0, faceRadius * 0.06), std::max(1.0, faceRadius * 0.06));
    p.restore();
}

QImage drawIcon(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    ClockTime time;
    time.showSecond = size.width() > 48;
    drawClock(p, QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5), time);
    return image;
}

// ------------------------------------------------------------ title banner

// The letters of "Tickora" as strokes in a box one unit high, the baseline
// at y = 1 and the x-height at y = 0.42. Each glyph gives its path and its
// advance.
struct Glyph
{
    QPainterPath path;
    double advance;
};

constexpr double XHeight = 0.42;

QPainterPath arcPath(QPointF centre, double rx, double ry, double startDeg, double sweepDeg)
{
    const QRectF box(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, sweepDeg);
    return path;
}

QPainterPath linePath(QPointF from, QPointF to)
{
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

std::array<Glyph, 7> tickoraGlyphs()
{
    const double bowlRy = (1.0 - XHeight) / 2.0;
    const double bowlCy = XHeight + bowlRy;

    Glyph T{linePath({0.0, 0.0}, {0.62, 0.0}), 0.74};
    T.path.addPath(linePath({0.31, 0.0}, {0.31, 1.0}));

    Glyph i{linePath({0.05, XHeight}, {0.05, 1.0}), 0.24};
    i.path.addEllipse(QPointF(0.05, 0.15), 0.045, 0.045);

    Glyph c{arcPath({0.26, bowlCy}, 0.26, bowlRy, 50, 260), 0.62};

    Glyph k{linePath({0.0, 0.0}, {0.0, 1.0}), 0.56};
    k.path.addPath(linePath({0.42, XHeight}, {0.0, 0.78}));
    k.path.addPath(linePath({0.14, 0.66}, {0.44, 1.0}));

    Glyph o{QPainterPath(), 0.66};
    o.path.addEllipse(QPointF(0.27, bowlCy), 0.27, bowlRy);

    Glyph r{linePath({0.0, XHeight}, {0.0, 1.0}), 0.42};
    r.path.addPath(arcPath({0.26, XHeight + 0.26}, 0.26, 0.22, 180, -80));

    Glyph a{QPainterPath(), 0.62};
    a.path.addEllipse(QPointF(0.25, bowlCy), 0.25, bowlRy);
    a.path.addPath(linePath({0.50, XHeight}, {0.50, 1.0}));

    return {T, i, c, k, o, r, a};
}

QPainterPath tickoraOutline(double height, double strokeWidth)
{
    QPainterPath centreLine;
    double x = 0.0;
    for (const Glyph &glyph : tickoraGlyphs()) {
        centreLine.addPath(glyph.path.translated(x, 0.0));
        x += glyph.advance;
    }
    QTransform scale;
    scale.scale(height, height);
    const QPainterPath scaled = scale.map(centreLine);

    QPainterPathStroker stroker;
    stroker.setWidth(strokeWidth);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(scaled).simplified();
}

QImage drawTitle()
{
    QImage image(TitleSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, TitleSize.height());
    sky.setColorAt(0.0, Steel.lighter(135));
    sky.setColorAt(0.55, Steel);
    sky.setColorAt(1.0, Navy);
    p.fillRect(image.rect(), sky);

    // A thin double rule along the bottom edge.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(6, TitleSize.height() - 6, TitleSize.width() - 7, TitleSize.height() - 6);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(6, TitleSize.height() - 5, TitleSize.width() - 7, TitleSize.height() - 5);

    // A small clock on the left.
    drawClock(p, QRectF(10, 12, 54, 54), ClockTime{});

    // The name, embossed: a dark shadow below right, a light edge above
    // left, then the letter face with its own vertical gradient.
    constexpr double letterHeight = 52.0;
    constexpr double strokeWidth = 7.5;
    QPainterPath letters = tickoraOutline(letterHeight, strokeWidth);
    const QRectF bounds = letters.boundingRect();
    const QPointF origin(78 + (TitleSize.width() - 78 - 10 - bounds.width()) / 2.0 - bounds.left(),
                         (TitleSize.height() - bounds.height()) / 2.0 - bounds.top() - 2);
    letters.translate(origin);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(letters.translated(2.5, 2.5));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPath(letters.translated(-1.2, -1.2));
    QLinearGradient metal(0, letters.boundingRect().top(), 0, letters.boundingRect().bottom());
    metal.setColorAt(0.0, QColor(0xf6, 0xe7, 0x9a));
    metal.setColorAt(0.5, QColor(0xe0, 0xb8, 0x3a));
    metal.setColorAt(1.0, QColor(0xa8, 0x7c, 0x12));
    p.setBrush(metal);
    p.drawPath(letters);
    return image;
}

// ------------------------------------------------------------ link pointer

// A white hand with a black outline, the index finger pointing up; the
// fingertip's top pixel is the pointer's hot spot (5, 0).
QImage drawPointer()
{
    QImage image(PointerSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(3.5, 0.5, 4, 16), 2, 2);            // index finger
    hand.addRoundedRect(QRectF(7.5, 8.5, 4, 10), 2, 2);            // middle finger
    hand.addRoundedRect(QRectF(11.5, 9.5, 4, 10), 2, 2);           // ring finger
    hand.addRoundedRect(QRectF(15.5, 11.5, 4, 10), 2, 2);          // little finger
    hand.addRoundedRect(QRectF(3.5, 14.5, 16, 12), 4, 4);          // palm
    QPainterPath thumb;
    thumb.moveTo(4.0, 15.5);
    thumb.lineTo(1.5, 12.5);
    thumb.lineTo(0.5, 13.5);
    thumb.lineTo(0.5, 16.5);
    thumb.lineTo(4.0, 22.5);
    thumb.closeSubpath();
    hand.addPath(thumb);
    hand.addRect(QRectF(6.5, 25.5, 11, 5));                          // wrist
    hand = hand.simplified();

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);

    // Finger creases.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(7.5, 14), QPointF(7.5, 18));
    p.drawLine(QPointF(11.5, 15), QPointF(11.5, 18));
    p.drawLine(QPointF(15.5, 16), QPointF(15.5, 18));
    p.end();

    // The fingertip reaches the top row at the hot spot.
    image.setPixel(5, 0, qRgba(0, 0, 0, 255));
    return image;
}

// --------------------------------------------------------------- animation

QImage drawAnimationFrame(int frame)
{
    QImage image(AnimationSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient back(0, 0, AnimationSize.width(), AnimationSize.height());
    back.setColorAt(0.0, QColor(0xe8, 0xee, 0xf8));
    back.setColorAt(1.0, QColor(0xb4, 0xc4, 0xe0));
    p.fillRect(image.rect(), back);

    // The minute hand goes once round while the hour hand moves an hour on.
    const double step = double(frame) / AnimationFrames;
    ClockTime time;
    time.minute = step * 60.0;
    time.hour = 10.0 + step;
    time.second = std::fmod(step * 60.0 * 4.0, 60.0);

    const double size = AnimationSize.height() - 12.0;
    const QRectF dial((AnimationSize.width() - size) / 2.0, 6.0, size, size);
    // A soft shadow under the clock.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(dial.translated(3, 3));
    drawClock(p, dial, time);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: make_assets <output dir> <frames dir>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir frames(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(out.path()) || !QDir().mkpath(frames.path())) {
        QTextStream(stderr) << "cannot create the output directories\n";
        return 1;
    }

    bool ok = save(drawBar(), out.filePath("bar.png"), "png");
    ok = save(drawIcon(IconSize), out.filePath("tickora.png"), "png") && ok;
    ok = save(drawIcon(BigIconSize), out.filePath("tickora-256.png"), "png") && ok;
    ok = save(drawTitle(), out.filePath("title.jpg"), "jpeg", JpegQuality) && ok;
    ok = save(drawPointer(), out.filePath("hand.png"), "png") && ok;
    for (int frame = 0; frame < AnimationFrames; ++frame) {
        const QString name = QStringLiteral("frame-%1.png").arg(frame, 2, 10, QLatin1Char('0'));
        ok = save(drawAnimationFrame(frame), frames.filePath(name), "png") && ok;
    }
    return ok ? 0 : 1;
}
