#include "fakedesktop.h"
#include "tickdial.h"

#include <QLabel>
#include <QtTest>

using toolkit::toQColor;

namespace {

constexpr int DialPx = 200; // 3000 twips: radius 1400, centre (100, 100) px

bool reddish(QColor c) { return c.red() > 180 && c.green() < 110 && c.blue() < 110; }
bool bluish(QColor c) { return c.blue() > 180 && c.red() < 110 && c.green() < 110; }

} // namespace

class TestTickdialRender : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<Tickdial> dial;
    QImage shot;
    int d = 1;

    QColor at(int x, int y) const { return shot.pixelColor(x * d, y * d); }
    QColor background() const { return toQColor(toolkit::ColorButtonFace); }
    int count(const QImage &image, QColor color, QRect logical) const
    {
        int n = 0;
        for (int y = logical.top() * d; y < (logical.bottom() + 1) * d; ++y)
            for (int x = logical.left() * d; x < (logical.right() + 1) * d; ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    }
    // The device-pixel box of the pixels matching a test within an area.
    template <typename Test> QRect inkIn(QRect logical, Test test) const
    {
        QRect box;
        for (int y = logical.top() * d; y < (logical.bottom() + 1) * d; ++y)
            for (int x = logical.left() * d; x < (logical.right() + 1) * d; ++x)
                if (test(shot.pixelColor(x, y)))
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    void take() { shot = dial->grab().toImage(); }
    qint64 areaPaintedWithSentinel()
    {
        dial->pic()->update(QRect(0, 0, 1, 1));
        qint64 area = 0;
        const bool painted = QTest::qWaitFor([&] { return (area += dial->pic()->takeRepaintedArea()) > 0; });
        return painted ? area : -1;
    }

    // Waits until the paints that showing the dial started are done.
    bool settled()
    {
        constexpr int Attempts = 10;
        for (int i = 0; i < Attempts; ++i)
            if (areaPaintedWithSentinel() == d * d)
                return true;
        return false;
    }

private slots:
    void init()
    {
        fake = std::make_unique<FakeDesktop>();
        fake->time.setTime(QTime(3, 0, 45));
        dial = std::make_unique<Tickdial>();
        dial->Timer1()->stop();
        dial->resize(DialPx, DialPx);
        dial->show();
        QVERIFY(QTest::qWaitForWindowExposed(dial.get()));
        dial->setVisibleSecond(true);
        dial->Timer1_Timer();
        d = int(dial->devicePixelRatioF());
    }
    void cleanup()
    {
        dial.reset();
        fake.reset();
    }

    void handsAtQuarterPastThreeSeconds()
    {
        take();
        QVERIFY(bluish(at(155, 100)));         // hour hand towards 3
        QCOMPARE(at(166, 100), background());  // ... ending at 160.7 px
        QVERIFY(reddish(at(100, 30)));         // minute hand up
        QCOMPARE(at(100, 20), background());   // ... ending at 25.3 px
        QVERIFY(at(40, 100).lightness() < background().lightness() - 40); // second hand at 45 s
        QCOMPARE(at(8, 100 - 6), background());
    }

    void dotsOfThreeSizes_data()
    {
        QTest::addColumn<QPoint>("mark");
        QTest::addColumn<int>("size");
        QTest::newRow("3 o'clock") << QPoint(193, 100) << 3;
        QTest::newRow("1 o'clock") << QPoint(146, 19) << 2;
        QTest::newRow("1 minute") << QPoint(109, 7) << 1;
        QTest::newRow("12 o'clock") << QPoint(100, 6) << 3;
    }
    void dotsOfThreeSizes()
    {
        QFETCH(QPoint, mark);
        QFETCH(int, size);
        const QColor dot = toQColor(toolkit::ColorButtonText);
        const QImage &face = dial->pic()->image();
        QCOMPARE(count(face, dot, QRect(mark - QPoint(3, 3), QSize(7, 7))), size * size * d * d);
        QCOMPARE(face.pixelColor(mark * d), dot);
    }

    void numeralsInTheirColourWithoutDots()
    {
        dial->setTextHoursColor(toolkit::ColorRed);
        dial->setVisibleTextHours(true);
        take();
        const QRect twelve = inkIn(QRect(91, 0, 18, 20), reddish);
        QVERIFY2(twelve.left() >= 93 * d && twelve.left() <= 97 * d, qPrintable(QString::number(twelve.left())));
        QVERIFY2(twelve.top() >= 0 && twelve.top() <= 4 * d, qPrintable(QString::number(twelve.top())));
        QVERIFY(twelve.width() >= 9 * d);          // two digits
        const QRect three = inkIn(QRect(188, 92, 12, 17), reddish);
        QVERIFY2(three.left() >= 190 * d && three.left() <= 194 * d, qPrintable(QString::number(three.left())));
        QVERIFY2(three.top() >= 93 * d && three.top() <= 97 * d, qPrintable(QString::number(three.top())));
        QVERIFY(three.width() < 9 * d);            // one digit
        const QImage &face = dial->pic()->image();
        QCOMPARE(count(face, toQColor(toolkit::ColorButtonText), QRect(0, 0, DialPx, DialPx)), 0);
        QCOMPARE(face.pixelColor(QPoint(109, 7) * d), toQColor(toolkit::ColorRed));
    }

    void dotsKeepTheLastNumeralColour()
    {
        dial->setTextHoursColor(toolkit::rgbColor(0, 160, 0));
        dial->setVisibleTextHours(true);
        dial->setVisibleTextHours(false);
        QCOMPARE(dial->pic()->image().pixelColor(QPoint(193, 100) * d), QColor(0, 160, 0));
    }

    void ring_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<QPoint>>("onRing");
        QTest::addColumn<QPoint>("outside");
        QTest::newRow("square, 4 px") << QSize(DialPx, DialPx) << 4 << QList<QPoint>{{100, 1}, {0, 98}} << QPoint(3, 3);
        QTest::newRow("wide: round") << QSize(266, 134) << 1 << QList<QPoint>{{133, 0}, {66, 67}} << QPoint(3, 67);
    }
    void ring()
    {
        QFETCH(QSize, size);
        QFETCH(int, width);
        QFETCH(QList<QPoint>, onRing);
        QFETCH(QPoint, outside);
        dial->resize(size);
        dial->setBorderColor(toolkit::ColorRed);
        dial->setBorderWidth(quint8(width));
        dial->setVisibleBorder(true);
        QTRY_COMPARE(dial->pic()->image().size(), size * d);
        take();
        for (QPoint p : onRing)
            QVERIFY(reddish(at(p.x(), p.y())));
        QCOMPARE(at(outside.x(), outside.y()), background());
        const QRect line = inkIn(QRect(onRing[1], QSize(12, 1)), reddish);
        QVERIFY2(qAbs(line.width() - width * d) <= 1, qPrintable(QString::number(line.width())));
    }

    void dateWindow_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::newRow("shown") << true;
        QTest::newRow("hidden") << false;
    }
    void dateWindow()
    {
        QFETCH(bool, visible);
        dial->setVisibleTextDate(visible);
        take();
        const QRect window(124, 77, 32, 15); // (1850, 1150) twips, 495 x 225
        const int white = count(shot, Qt::white, window);
        const int area = window.width() * window.height() * d * d;
        if (visible) {
            QVERIFY2(white > area / 2 && white < area, qPrintable(QString::number(white)));
        } else {
            QCOMPARE(white, 0);
        }
    }

    // A tick repaints only what moved, and never redraws the face.
    void tickRepaints_data()
    {
        QTest::addColumn<int>("advanceMs");
        QTest::addColumn<int>("maxArea"); // logical pixels, beside the sentinel
        QTest::newRow("nothing moves") << 200 << 0;
        // Both positions of the second hand (45 and 46 s, 84 px long) lie
        // within 12..104 x 88..104 px with their margins.
        QTest::newRow("the second hand moves") << 1000 << 92 * 16;
    }
    void tickRepaints()
    {
        QFETCH(int, advanceMs);
        QFETCH(int, maxArea);
        QVERIFY(settled());
        const qint64 face = dial->pic()->image().cacheKey();
        fake->time = fake->time.addMSecs(advanceMs);
        dial->Timer1_Timer();
        const qint64 area = areaPaintedWithSentinel();
        if (maxArea == 0)
            QCOMPARE(area, qint64(d * d));
        else
            QVERIFY2(area > d * d && area <= qint64(maxArea) * d * d, qPrintable(QString::number(area)));
        QCOMPARE(dial->pic()->image().cacheKey(), face);
    }

    void aNewSizeRedrawsTheFaceAtTheScreensDensity()
    {
        QCOMPARE(dial->pic()->image().devicePixelRatio(), qreal(d));
        dial->resize(300, 300);
        QTRY_COMPARE(dial->pic()->image().size(), QSize(300, 300) * d);
        take();
        QCOMPARE(shot.size(), QSize(300, 300) * d);
        // The 3 o'clock dot of a 4500-twip dial: radius 2150, at (4400, 2250).
        QCOMPARE(dial->pic()->image().pixelColor(QPoint(293, 150) * d), toQColor(toolkit::ColorButtonText));
    }
};

QTEST_MAIN(TestTickdialRender)
#include "tst_tickdial_render.moc"
