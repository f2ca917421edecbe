#include "dateformat.h"
#include "dialface.h"
#include "fakedesktop.h"
#include "tickdial.h"
#include "twips.h"

#include <QLabel>
#include <QtTest>
#include <cmath>

namespace {

constexpr double Tolerance = 0.5; // twips
constexpr double DegToRad = 3.14159265358979 / 180;

// The end of a hand of the 3000-twip dial at an angle in degrees.
QPointF handEnd(double length, double degrees)
{
    return {1500 + length * std::sin(degrees * DegToRad), 1500 - length * std::cos(degrees * DegToRad)};
}

#define COMPARE_POINT(actual, expected)                                                                        \
    do {                                                                                                       \
        const QPointF a_ = (actual), e_ = (expected);                                                          \
        QVERIFY2(std::abs(a_.x() - e_.x()) <= Tolerance && std::abs(a_.y() - e_.y()) <= Tolerance,             \
                 qPrintable(QStringLiteral("(%1, %2) instead of (%3, %4)").arg(a_.x()).arg(a_.y())             \
                                .arg(e_.x()).arg(e_.y())));                                                    \
    } while (false)
#define COMPARE_END(line, expected) COMPARE_POINT(QPointF((line)->X2(), (line)->Y2()), expected)

// A dial of w x h pixels laid out and painted, with the second hand shown.
void layOut(Tickdial &dial, int w, int h, bool ring = false, int ringWidth = 1)
{
    dial.Timer1()->stop();
    dial.resize(w, h);
    dial.setBorderWidth(quint8(ringWidth));
    dial.setVisibleBorder(ring);
    dial.setVisibleSecond(true);
}

} // namespace

class TestTickdialLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("ringWidth"); // 0: no ring
        QTest::addColumn<double>("radius");
        QTest::addColumn<QPointF>("pivot");
        QTest::addColumn<QPointF>("date");
        QTest::newRow("3000 square") << QSize(200, 200) << 0 << 1400.0 << QPointF(1500, 1500) << QPointF(1850, 1150);
        QTest::newRow("ring 4") << QSize(200, 200) << 4 << 1340.0 << QPointF(1500, 1500) << QPointF(1835, 1165);
        QTest::newRow("ring 80") << QSize(200, 200) << 80 << 200.0 << QPointF(1500, 1500) << QPointF(1550, 1450);
        QTest::newRow("wide") << QSize(266, 134) << 0 << 905.0 << QPointF(1995, 1005) << QPointF(2221.25, 778.75);
        QTest::newRow("tall") << QSize(120, 300) << 0 << 800.0 << QPointF(900, 2250) << QPointF(1100, 2050);
        QTest::newRow("tiny: no minimum") << QSize(10, 10) << 0 << -25.0 << QPointF(75, 75) << QPointF(68.75, 81.25);
    }
    void layout()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, ringWidth);
        QFETCH(double, radius);
        QFETCH(QPointF, pivot);
        QFETCH(QPointF, date);
        FakeDesktop fake;
        Tickdial dial;
        layOut(dial, pixels.width(), pixels.height(), ringWidth > 0, qMax(ringWidth, 1));
        QCOMPARE(dial.DialRadius(), radius);
        QCOMPARE(dial.SecondHandLength(), radius * 0.9);
        QCOMPARE(dial.MinuteHandLength(), radius * 0.8);
        QCOMPARE(dial.HourHandLength(), radius * 0.65);
        for (const toolkit::LineObject *hand : {dial.LineH(), dial.LineM(), dial.LineS()})
            COMPARE_POINT(QPointF(hand->X1(), hand->Y1()), pivot);
        COMPARE_POINT(dial.lblDatePosition(), date);
        QCOMPARE(dial.lblDate()->pos(), toolkit::rectFromTwips(date.x(), date.y(), 0, 0).topLeft());
        QCOMPARE(dial.pic()->geometry(), QRect(QPoint(0, 0), pixels));
        if (ringWidth > 0) {
            QCOMPARE(dial.shapeBorder()->Width(), pixels.width() * 15.0);
            QCOMPARE(dial.shapeBorder()->Height(), pixels.height() * 15.0);
            QCOMPARE(dial.shapeBorder()->BorderWidth(), ringWidth);
        }
    }

    void aHiddenRingIsNotLaidOut()
    {
        FakeDesktop fake;
        Tickdial dial;
        layOut(dial, 200, 200, true, 2);
        dial.setVisibleBorder(false);
        dial.resize(100, 100);
        dial.UserControl_Resize();
        QCOMPARE(dial.shapeBorder()->Width(), 3000.0);
        QCOMPARE(dial.DialRadius(), 650.0);
    }

    void faceBands_data()
    {
        QTest::addColumn<double>("faceSize");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("points");
        QTest::addColumn<QList<double>>("offsets"); // two digits, one digit, y
        QTest::newRow("A 2900") << 2900.0 << "arial" << 8.0 << QList<double>{80, 30, 100};
        QTest::newRow("B 2000") << 2000.0 << "arial" << 7.0 << QList<double>{70, 20, 80};
        QTest::newRow("C 1350.5") << 1350.5 << "arial" << 6.0 << QList<double>{60, 15, 70};
        QTest::newRow("1350 takes D") << 1350.0 << "small fonts" << 5.0 << QList<double>{50, 27, 50};
        QTest::newRow("D negative") << -200.0 << "small fonts" << 5.0 << QList<double>{50, 27, 50};
    }
    void faceBands()
    {
        QFETCH(double, faceSize);
        QFETCH(QString, font);
        QFETCH(double, points);
        QFETCH(QList<double>, offsets);
        const dial::FaceBand &band = dial::faceBandFor(faceSize);
        QCOMPARE(QString::fromLatin1(band.fontName), font);
        QCOMPARE(band.points, points);
        QCOMPARE(band.bold, font == "arial");
        QCOMPARE((QList<double>{band.xOffsetTwoDigits, band.xOffsetOneDigit, band.yOffset}), offsets);
    }

    // The surface keeps the font of the last numeral painted.
    void paintingPicksTheBandOfTheFace_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("points");
        QTest::newRow("3000: A") << 200 << "arial" << 8.0;
        QTest::newRow("1800 (face 1700): C") << 120 << "arial" << 6.0;
        QTest::newRow("1395 (face 1295): D") << 93 << "small fonts" << 5.0;
    }
    void paintingPicksTheBandOfTheFace()
    {
        QFETCH(int, pixels);
        QFETCH(QString, font);
        QFETCH(double, points);
        FakeDesktop fake;
        Tickdial dial;
        layOut(dial, pixels, pixels);
        dial.setVisibleTextHours(true);
        QCOMPARE(dial.pic()->FontName, font);
        QCOMPARE(dial.pic()->FontSize, points);
        QCOMPARE(dial.pic()->FontBold, font == "arial");
        QCOMPARE(dial.pic()->ForeColor(), dial.TextHoursColor());
    }

    void paintAppliesVisibility()
    {
        FakeDesktop fake;
        Tickdial dial;
        layOut(dial, 200, 200);
        dial.setVisibleTextDate(true);
        dial.setVisibleSecond(false);
        QVERIFY(!dial.lblDate()->isHidden());
        QVERIFY(!dial.LineS()->Visible());
        QVERIFY(!dial.shapeBorder()->Visible());
    }

    void hands_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QPointF>("hour");
        QTest::addColumn<QPointF>("minute");
        QTest::addColumn<QPointF>("second");
        QTest::newRow("03:00:00") << QTime(3, 0, 0) << QPointF(2410, 1500) << QPointF(1500, 380) << QPointF(1500, 240);
        QTest::newRow("15:30:00") << QTime(15, 30, 0) << QPointF(2379.0, 1735.5) << QPointF(1500, 2620)
                                  << QPointF(1500, 240);
        QTest::newRow("45 s") << QTime(3, 0, 45) << QPointF(2410, 1500) << QPointF(1500, 380) << QPointF(240, 1500);
        QTest::newRow("00:00") << QTime(0, 0, 15) << QPointF(1500, 590) << QPointF(1500, 380) << QPointF(2760, 1500);
        QTest::newRow("12:00") << QTime(12, 0, 30) << QPointF(1500, 590) << QPointF(1500, 380) << QPointF(1500, 2760);
    }
    void hands()
    {
        QFETCH(QTime, time);
        QFETCH(QPointF, hour);
        QFETCH(QPointF, minute);
        QFETCH(QPointF, second);
        FakeDesktop fake;
        fake.time.setTime(time);
        Tickdial dial;
        layOut(dial, 200, 200);
        dial.Timer1_Timer();
        COMPARE_END(dial.LineH(), hour);
        COMPARE_END(dial.LineM(), minute);
        COMPARE_END(dial.LineS(), second);
    }

    // The hour and minute hands step at second 0, and follow whenever the
    // minute they show is not the current one.
    void handsFollowTheClock_data()
    {
        QTest::addColumn<QTime>("before");
        QTest::addColumn<QTime>("after");
        QTest::addColumn<double>("hourDegrees");
        QTest::addColumn<double>("minuteDegrees");
        QTest::newRow("second 0") << QTime(10, 20, 59) << QTime(10, 21, 0) << 310.5 << 126.0;
        QTest::newRow("second 0 missed") << QTime(10, 20, 58) << QTime(10, 21, 1) << 310.5 << 126.0;
        QTest::newRow("suspended for hours") << QTime(10, 20, 58) << QTime(17, 45, 30) << 172.5 << 270.0;
        QTest::newRow("set back one hour") << QTime(10, 21, 5) << QTime(9, 21, 5) << 280.5 << 126.0;
        QTest::newRow("set forward a minute") << QTime(10, 21, 5) << QTime(10, 22, 5) << 311.0 << 132.0;
    }
    void handsFollowTheClock()
    {
        QFETCH(QTime, before);
        QFETCH(QTime, after);
        QFETCH(double, hourDegrees);
        QFETCH(double, minuteDegrees);
        FakeDesktop fake;
        fake.time.setTime(before);
        Tickdial dial;
        layOut(dial, 200, 200);
        dial.Timer1_Timer();
        COMPARE_END(dial.LineM(), handEnd(1120, before.minute() * 6));
        fake.time.setTime(after);
        dial.Timer1_Timer();
        COMPARE_END(dial.LineM(), handEnd(1120, minuteDegrees));
        COMPARE_END(dial.LineH(), handEnd(910, hourDegrees));
    }

    void aHiddenSecondHandIsLeftAlone()
    {
        FakeDesktop fake;
        fake.time.setTime(QTime(3, 0, 10));
        Tickdial dial;
        layOut(dial, 200, 200);
        dial.Timer1_Timer();
        const QPointF parked(dial.LineS()->X2(), dial.LineS()->Y2());
        dial.setVisibleSecond(false);
        fake.time.setTime(QTime(3, 0, 20));
        dial.Timer1_Timer();
        COMPARE_END(dial.LineS(), parked);
        QVERIFY(!dial.LineS()->Visible());
    }

    void theDateWindowFollowsTheCalendar_data()
    {
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("after");
        QTest::newRow("midnight") << QDateTime(QDate(2026, 3, 4), QTime(23, 59, 59, 800))
                                  << QDateTime(QDate(2026, 3, 5), QTime(0, 0, 0));
        QTest::newRow("new month") << QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))
                                   << QDateTime(QDate(2026, 4, 1), QTime(0, 0, 0, 100));
        QTest::newRow("clock set back a day") << QDateTime(QDate(2026, 3, 4), QTime(12, 0, 0))
                                              << QDateTime(QDate(2026, 3, 3), QTime(12, 0, 0));
    }
    void theDateWindowFollowsTheCalendar()
    {
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, after);
        FakeDesktop fake;
        fake.time = before;
        Tickdial dial;
        layOut(dial, 200, 200);
        dial.Timer1_Timer();
        QCOMPARE(dial.lblDate()->text(), toolkit::shortDayMonth(before.date()));
        fake.time = after;
        dial.Timer1_Timer();
        QCOMPARE(dial.lblDate()->text(), toolkit::shortDayMonth(after.date()));
    }
};

QTEST_MAIN(TestTickdialLayout)
#include "tst_tickdial_layout.moc"
