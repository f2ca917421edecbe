#include "surface.h"
#include "twips.h"

#include <QFontDatabase>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace toolkit;

namespace {

constexpr int BoxPx = 100;
constexpr OleColor Back = ColorWhite;
constexpr OleColor Fore = ColorRed;

int countColor(const QImage &image, QColor color, QRect deviceArea)
{
    int n = 0;
    for (int y = deviceArea.top(); y <= deviceArea.bottom(); ++y)
        for (int x = deviceArea.left(); x <= deviceArea.right(); ++x)
            if (image.rect().contains(x, y) && image.pixelColor(x, y) == color)
                ++n;
    return n;
}

// The bounding box, in device pixels, of every pixel that is not white.
QRect inkBounds(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
    return box;
}

using Change = std::function<void(LineObject *, ShapeObject *)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestSurface : public QObject
{
    Q_OBJECT

private:
    // A 3 px line between two points given in pixels.
    LineObject *addLine(toolkit::OleColor color, QLineF px, bool movesOften)
    {
        LineObject *line = box->addLine();
        line->setMovesOften(movesOften);
        line->setBorderColor(color);
        line->setBorderWidth(3);
        line->setX1(px.x1() * TwipsPerPixel);
        line->setY1(px.y1() * TwipsPerPixel);
        line->setX2(px.x2() * TwipsPerPixel);
        line->setY2(px.y2() * TwipsPerPixel);
        return line;
    }

    std::unique_ptr<PictureBox> box;
    qreal dpr() const { return box->devicePixelRatioF(); }
    QRect device(QRect logical) const
    {
        const int d = int(dpr());
        return QRect(logical.topLeft() * d, logical.size() * d);
    }
    // Waits for the next paint after marking a one-pixel sentinel dirty and
    // returns the area painted with it.
    qint64 areaPaintedWithSentinel()
    {
        box->update(QRect(0, 0, 1, 1));
        qint64 area = 0;
        const bool painted = QTest::qWaitFor([&] { return (area += box->takeRepaintedArea()) > 0; });
        return painted ? area : -1;
    }
    QImage grabbed() { return box->grab().toImage(); }

private slots:
    void init()
    {
        box = std::make_unique<PictureBox>();
        box->resize(BoxPx, BoxPx);
        box->setBackColor(Back);
        box->setForeColor(Fore);
        box->Cls();
    }
    void cleanup() { box.reset(); }

    void psetDrawsDotsOfDrawWidth_data()
    {
        QTest::addColumn<int>("drawWidth");
        QTest::addColumn<QPoint>("twips");
        QTest::addColumn<QRect>("dotPx");
        QTest::newRow("1 px, last column") << 1 << QPoint(1485, 750) << QRect(99, 50, 1, 1);
        QTest::newRow("2 px") << 2 << QPoint(300, 450) << QRect(20, 30, 2, 2);
        QTest::newRow("3 px") << 3 << QPoint(600, 600) << QRect(39, 39, 3, 3);
        QTest::newRow("between pixels") << 1 << QPoint(307, 322) << QRect(20, 21, 1, 1);
        QTest::newRow("3 px on the corner, clipped") << 3 << QPoint(0, 0) << QRect(0, 0, 2, 2);
        QTest::newRow("3 px past the last row") << 3 << QPoint(750, 1500) << QRect(49, 99, 3, 1);
    }
    void psetDrawsDotsOfDrawWidth()
    {
        QFETCH(int, drawWidth);
        QFETCH(QPoint, twips);
        QFETCH(QRect, dotPx);
        box->DrawWidth = drawWidth;
        box->PSet(twips.x(), twips.y());
        const QImage &image = box->image();
        const QColor red = toQColor(Fore);
        QCOMPARE(countColor(image, red, image.rect()), dotPx.width() * dotPx.height() * int(dpr() * dpr()));
        QCOMPARE(countColor(image, red, device(dotPx)), dotPx.width() * dotPx.height() * int(dpr() * dpr()));
    }

    void printPlacesTextAndMovesToTheNextLine()
    {
        box->FontName = QStringLiteral("arial");
        box->FontSize = 8;
        box->FontBold = true;
        box->CurrentX = 450;
        box->CurrentY = 300;
        box->Print(QStringLiteral("12"));
        const QRect ink = inkBounds(box->image());
        const int d = int(dpr());
        QVERIFY2(!ink.isEmpty(), "nothing printed");
        // Top-left corner at (30, 20) px, give or take the glyphs' bearings.
        QVERIFY2(qAbs(ink.left() - 30 * d) <= 2 * d, qPrintable(QString::number(ink.left())));
        QVERIFY2(ink.top() >= 20 * d && ink.top() <= 24 * d, qPrintable(QString::number(ink.top())));
        QVERIFY(ink.width() >= 8 * d);
        QCOMPARE(box->CurrentX, 0.0);
        QVERIFY(box->CurrentY > 300 + 10 * TwipsPerPixel);
        QVERIFY(box->CurrentY < 300 + 20 * TwipsPerPixel);
    }

    void printAtTwiceTheDensityIsNotScaledUp()
    {
        if (dpr() < 2)
            QSKIP("needs two device pixels per pixel (QT_SCALE_FACTOR=2)");
        box->FontName = QStringLiteral("arial");
        box->FontSize = 8;
        box->Print(QStringLiteral("8"));
        const QImage &image = box->image();
        bool blockWithDetail = false;
        for (int y = 0; y + 1 < image.height() && !blockWithDetail; y += 2)
            for (int x = 0; x + 1 < image.width() && !blockWithDetail; x += 2) {
                const QColor c = image.pixelColor(x, y);
                blockWithDetail = image.pixelColor(x + 1, y) != c || image.pixelColor(x, y + 1) != c
                    || image.pixelColor(x + 1, y + 1) != c;
            }
        QVERIFY2(blockWithDetail, "text drawn as 2x2 blocks: rendered at one pixel per pixel and scaled");
    }

    void clsClearsToBackColourKeepsPictureResetsPositionAndFollowsTheSize()
    {
        QPixmap picture(10, 10);
        picture.fill(Qt::blue);
        box->setPicture(picture);
        box->DrawWidth = 3;
        box->PSet(750, 750);
        box->CurrentX = 100;
        box->CurrentY = 200;
        box->Cls();
        const QImage &image = box->image();
        QCOMPARE(countColor(image, toQColor(Fore), image.rect()), 0);
        QCOMPARE(image.pixelColor(device(QRect(5, 5, 1, 1)).topLeft()), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(device(QRect(50, 50, 1, 1)).topLeft()), QColor(Qt::white));
        QCOMPARE(box->CurrentX, 0.0);
        QCOMPARE(box->CurrentY, 0.0);
        box->resize(BoxPx * 2, BoxPx); // a new size, a new image at the screen's density
        box->Cls();
        QCOMPARE(box->image().size(), QSize(BoxPx * 2, BoxPx) * int(dpr()));
    }

    void linesAreDrawnAboveTheImage_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("1 px") << 1;
        QTest::newRow("3 px") << 3;
    }
    void linesAreDrawnAboveTheImage()
    {
        QFETCH(int, width);
        box->DrawWidth = 3;
        box->PSet(50 * 15, 50 * 15); // under the line
        LineObject *line = box->addLine();
        line->setBorderColor(ColorBlue);
        line->setBorderWidth(width);
        line->setX1(150);
        line->setY1(50.5 * 15);
        line->setX2(90 * 15);
        line->setY2(50.5 * 15);
        const QImage shot = grabbed();
        const QPoint mid = device(QRect(50, 50, 1, 1)).topLeft();
        QCOMPARE(shot.pixelColor(mid), toQColor(ColorBlue));
        QCOMPARE(shot.pixelColor(device(QRect(95, 50, 1, 1)).topLeft()), QColor(Qt::white));
        line->setVisible(false);
        QCOMPARE(grabbed().pixelColor(mid), toQColor(Fore));
    }

    // Lines that move often are drawn afresh above a composed still layer;
    // any change of a still line or of the drawing must reach that layer.
    void stillLayerFollowsChangesUnderAMovingLine_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QPoint>("at");       // logical pixel checked
        QTest::addColumn<QColor>("expected"); // its colour after the change
        const QColor yellow = toQColor(ColorYellow);
        const QColor blue = toQColor(ColorBlue);
        QTest::newRow("still line recoloured")
            << Change([](LineObject *l, ShapeObject *) { l->setBorderColor(ColorYellow); }) << QPoint(30, 50) << yellow;
        QTest::newRow("still line moved")
            << Change([](LineObject *l, ShapeObject *) { l->setY1(70.5 * 15); l->setY2(70.5 * 15); })
            << QPoint(30, 70) << blue;
        QTest::newRow("still line moved away")
            << Change([](LineObject *l, ShapeObject *) { l->setY1(70.5 * 15); l->setY2(70.5 * 15); })
            << QPoint(30, 50) << QColor(Qt::white);
        QTest::newRow("still line hidden")
            << Change([](LineObject *l, ShapeObject *) { l->setVisible(false); }) << QPoint(30, 50)
            << QColor(Qt::white);
        QTest::newRow("ring recoloured")
            << Change([](LineObject *, ShapeObject *s) { s->setBorderColor(ColorYellow); }) << QPoint(30, 6) << yellow;
    }
    void stillLayerFollowsChangesUnderAMovingLine()
    {
        QFETCH(Change, change);
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        ShapeObject *ring = box->addShape();
        ring->setBorderColor(ColorBlue);
        ring->setBorderWidth(4);
        ring->setWidth(BoxPx * TwipsPerPixel);
        ring->setHeight(BoxPx * TwipsPerPixel);
        LineObject *still = addLine(ColorBlue, QLineF(10, 50.5, 90, 50.5), false);
        LineObject *moving = addLine(Fore, QLineF(30.5, 0, 30.5, 90), true);
        const QPoint point = device(QRect(at, QSize(1, 1))).topLeft();
        QCOMPARE(grabbed().pixelColor(point), toQColor(Fore)); // the still layer is composed under it
        change(still, ring);
        // The moving line swings away, uncovering the point.
        moving->setX1(60.5 * 15);
        moving->setX2(60.5 * 15);
        QCOMPARE(grabbed().pixelColor(point), expected);
    }

    void linesThatMoveOftenLieAboveTheOthers()
    {
        addLine(Fore, QLineF(50.5, 10, 50.5, 90), true); // added first, drawn last
        LineObject *still = addLine(ColorBlue, QLineF(10, 50.5, 90, 50.5), false);
        const QImage shot = grabbed();
        auto at = [&](int x, int y) { return shot.pixelColor(device(QRect(x, y, 1, 1)).topLeft()); };
        QCOMPARE(at(50, 50), toQColor(Fore));
        QCOMPARE(at(30, 50), toQColor(ColorBlue));
        QCOMPARE(at(50, 30), toQColor(Fore));
        still->setMovesOften(true); // now the later of two moving lines
        QCOMPARE(grabbed().pixelColor(device(QRect(50, 50, 1, 1)).topLeft()), toQColor(ColorBlue));
    }

    void shapeIsACentredCircleWithItsLineInside()
    {
        ShapeObject *ring = box->addShape();
        ring->setBorderColor(ColorBlue);
        ring->setBorderWidth(4);
        ring->setLeft(0);
        ring->setTop(0);
        ring->setWidth(BoxPx * TwipsPerPixel);
        ring->setHeight(60 * TwipsPerPixel); // a circle of 60 px, centred at x = 50
        const QImage shot = grabbed();
        auto at = [&](int x, int y) { return shot.pixelColor(device(QRect(x, y, 1, 1)).topLeft()); };
        const QColor blue = toQColor(ColorBlue);
        QCOMPARE(at(21, 30), blue);   // left edge, inside the circle
        QCOMPARE(at(78, 30), blue);   // right edge
        QCOMPARE(at(50, 1), blue);    // top
        QCOMPARE(at(18, 30), QColor(Qt::white)); // outside: not an ellipse over the box
        QCOMPARE(at(25, 30), QColor(Qt::white)); // line no wider than 4 px
        QCOMPARE(at(50, 30), QColor(Qt::white));
    }

    // A change repaints only the area the object left and entered; setting a
    // value it already holds repaints nothing.
    void repaintedArea_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("maxArea"); // logical pixels; 0: only the sentinel
        // Old and new line with their margins lie within 8..24 x 5..17 px.
        QTest::newRow("line moved") << Change([](LineObject *l, ShapeObject *) { l->setY2(12 * 15); }) << 16 * 12;
        // Swung to a diagonal 80 px across: a strip along it, not the
        // 86 x 86 px box around it, is repainted.
        QTest::newRow("line swung to a diagonal")
            << Change([](LineObject *l, ShapeObject *) { l->setX2(90 * 15); l->setY2(90 * 15); }) << 86 * 86 / 2;
        QTest::newRow("same line end") << Change([](LineObject *l, ShapeObject *) { l->setX2(20 * 15); }) << 0;
        QTest::newRow("same line colour")
            << Change([](LineObject *l, ShapeObject *) { l->setBorderColor(l->BorderColor()); }) << 0;
        QTest::newRow("same shape width")
            << Change([](LineObject *, ShapeObject *s) { s->setBorderWidth(s->BorderWidth()); }) << 0;
        QTest::newRow("same visibility") << Change([](LineObject *l, ShapeObject *) { l->setVisible(true); }) << 0;
    }
    void repaintedArea()
    {
        QFETCH(Change, change);
        QFETCH(int, maxArea);
        LineObject *line = box->addLine();
        line->setX1(10 * 15);
        line->setY1(10 * 15);
        line->setX2(20 * 15);
        line->setY2(10 * 15);
        ShapeObject *shape = box->addShape();
        shape->setWidth(40 * 15);
        shape->setHeight(40 * 15);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        areaPaintedWithSentinel();
        change(line, shape);
        const qint64 area = areaPaintedWithSentinel();
        const qint64 sentinel = qint64(dpr() * dpr());
        if (maxArea == 0)
            QCOMPARE(area, sentinel);
        else
            QVERIFY2(area > sentinel && area <= maxArea * sentinel, qPrintable(QString::number(area)));
    }

    void mouseButtonsAreReportedInTwips_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << 1 << 0;
        QTest::newRow("right with shift") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2 << 1;
        QTest::newRow("middle with ctrl+alt")
            << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << 4 << 6;
    }
    void mouseButtonsAreReportedInTwips()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, code);
        QFETCH(int, shift);
        QWidget parent;
        box->setParent(&parent);
        QSignalSpy up(box.get(), &PictureBox::MouseUp);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QTest::mouseClick(box.get(), button, modifiers, QPoint(10, 20));
        QCOMPARE(up.count(), 1);
        QCOMPARE(up.at(0).at(0).toInt(), code);
        QCOMPARE(up.at(0).at(1).toInt(), shift);
        QCOMPARE(up.at(0).at(2).toFloat(), 150.0f);
        QCOMPARE(up.at(0).at(3).toFloat(), 300.0f);
        box->setParent(nullptr);
    }

    void fontsMapToInstalledFaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("arial 8") << "arial" << 8.0 << 11;
        QTest::newRow("small fonts 5") << "small fonts" << 5.0 << 7;
        QTest::newRow("MS Sans Serif 8.25") << "MS Sans Serif" << 8.25 << 11;
    }
    void fontsMapToInstalledFaces()
    {
        QFETCH(QString, name);
        QFETCH(double, points);
        QFETCH(int, pixels);
        const QFont font = PictureBox::fontFor(name, points, false);
        QCOMPARE(font.pixelSize(), pixels);
        if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
            QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
