// Faults caught: hands of the wrong length or angle, or stale after the clock jumps; a dial off-centre or of
// the wrong radius; a date window that misses midnight; a tick that repaints the face; wrong colours on the
// face; numerals in the wrong type for the face's size; a border width outside 1 to 80 accepted; a second-zone
// hand at the wrong angle, above the designed hands, or leaving a trace when taken away.
#include "tests/support/fakedesktop.h"
#include "dial/tickdial.h"

#include <QtTest>
#include <QtWidgets>
#include <cmath>

using toolkit::toQColor;

namespace {

// Hand lengths of the 3000-twip dial (radius 1400): 0.65, 0.8, 0.9 of it.
constexpr double HourLength = 910, MinuteLength = 1120, SecondLength = 1260;

QPointF handEnd(double length, double degrees)
{
    const double radians = degrees * M_PI / 180;
    return {1500 + length * std::sin(radians), 1500 - length * std::cos(radians)};
}

bool near(QPointF a, QPointF b) { return std::abs(a.x() - b.x()) <= 0.5 && std::abs(a.y() - b.y()) <= 0.5; }
QPointF endOf(const toolkit::LineObject *hand) { return {hand->X2(), hand->Y2()}; }
bool reddish(QColor c) { return c.red() > 180 && c.green() < 110 && c.blue() < 110; }
bool bluish(QColor c) { return c.blue() > 180 && c.red() < 110 && c.green() < 110; }

} // namespace

class TestDial : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<Tickdial> dial;
    int d = 1; // device pixels per pixel

    QColor at(const QImage &shot, int x, int y) const { return shot.pixelColor(x * d, y * d); }
    QColor background() const { return toQColor(toolkit::ColorButtonFace); }
    void tick(QDateTime now)
    {
        fake->time = now;
        dial->Timer1_Timer();
    }
    // The ink on the face (numerals and dots) of a dial of side x side pixels, in pixels' worth of black.
    double faceInk(int side)
    {
        dial->resize(side, side);
        const QImage &face = dial->pic()->image();
        const int paper = background().lightness();
        double ink = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                ink += qMax(0, paper - face.pixelColor(x, y).lightness()) / double(paper);
        return ink / (d * d);
    }
    // The area painted since the last call, once a 1-pixel sentinel is in.
    qint64 repaintedArea()
    {
        dial->pic()->update(QRect(0, 0, 1, 1));
        qint64 area = 0;
        return QTest::qWaitFor([&] { return (area += dial->pic()->takeRepaintedArea()) > 0; }) ? area : -1;
    }

private slots:
    // A user who reads Italian.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init()
    {
        fake = std::make_unique<FakeDesktop>();
        fake->time.setTime(QTime(3, 0, 45));
        dial = std::make_unique<Tickdial>();
        dial->Timer1()->stop();
        dial->resize(200, 200);
        dial->setVisibleSecond(true);
        dial->show();
        QVERIFY(QTest::qWaitForWindowExposed(dial.get()));
        dial->Timer1_Timer();
        d = int(dial->devicePixelRatioF());
    }
    void cleanup() { dial.reset(), fake.reset(); }

    void layout_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("ring"); // width, 0: none
        QTest::addColumn<double>("radius");
        QTest::addColumn<QPointF>("pivot");
        QTest::addColumn<QPointF>("date");
        QTest::newRow("square") << QSize(200, 200) << 0 << 1400.0 << QPointF(1500, 1500) << QPointF(1850, 1150);
        QTest::newRow("ring 4") << QSize(200, 200) << 4 << 1340.0 << QPointF(1500, 1500) << QPointF(1835, 1165);
        QTest::newRow("wide") << QSize(266, 134) << 0 << 905.0 << QPointF(1995, 1005) << QPointF(2221.25, 778.75);
    }
    void layout()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, ring);
        QFETCH(double, radius);
        QFETCH(QPointF, pivot);
        QFETCH(QPointF, date);
        dial->setBorderWidth(quint8(qMax(ring, 1)));
        dial->setVisibleBorder(ring > 0);
        dial->resize(pixels);
        QCOMPARE(dial->DialRadius(), radius);
        for (const toolkit::LineObject *hand : {dial->LineH(), dial->LineM(), dial->LineS()})
            QVERIFY(near(QPointF(hand->X1(), hand->Y1()), pivot));
        QVERIFY(near(dial->lblDatePosition(), date));
    }

    void hands_data()
    {
        QTest::addColumn<QTime>("before");
        QTest::addColumn<QTime>("after");
        QTest::addColumn<QList<double>>("degrees"); // hour, minute, second hand after
        QTest::newRow("15:30:45") << QTime(1, 0) << QTime(15, 30, 45) << QList<double>{105, 180, 270};
        QTest::newRow("second 0") << QTime(10, 20, 59) << QTime(10, 21, 0) << QList<double>{310.5, 126, 0};
        QTest::newRow("second 0 missed") << QTime(10, 20, 58) << QTime(10, 21, 1) << QList<double>{310.5, 126, 6};
        QTest::newRow("suspended for hours") << QTime(10, 20, 58) << QTime(17, 45, 30) << QList<double>{172.5, 270, 180};
        QTest::newRow("set back an hour") << QTime(10, 21, 5) << QTime(9, 21, 5) << QList<double>{280.5, 126, 30};
    }
    void hands()
    {
        QFETCH(QTime, before);
        QFETCH(QTime, after);
        QFETCH(QList<double>, degrees);
        tick(QDateTime(fake->time.date(), before));
        tick(QDateTime(fake->time.date(), after));
        QVERIFY(near(endOf(dial->LineH()), handEnd(HourLength, degrees[0])));
        QVERIFY(near(endOf(dial->LineM()), handEnd(MinuteLength, degrees[1])));
        QVERIFY(near(endOf(dial->LineS()), handEnd(SecondLength, degrees[2])));
    }

    // The date window follows the date at midnight and when the clock is set back, in the user's language.
    void dateWindow_data()
    {
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("after");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("midnight") << QDateTime(QDate(2026, 3, 4), QTime(23, 59, 59, 800))
                                  << QDateTime(QDate(2026, 3, 5), QTime(0, 0)) << QStringList{"04 mar", "05 mar"};
        QTest::newRow("new year") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                                  << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1)) << QStringList{"31 dic", "01 gen"};
        QTest::newRow("set back a day") << QDateTime(QDate(2026, 3, 4), QTime(12, 0))
                                        << QDateTime(QDate(2026, 3, 3), QTime(12, 0)) << QStringList{"04 mar", "03 mar"};
    }
    void dateWindow()
    {
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, after);
        QFETCH(QStringList, shown);
        tick(before);
        const QString first = dial->lblDate()->text();
        tick(after);
        QCOMPARE((QStringList{first, dial->lblDate()->text()}), shown);
    }

    // Set by name, each property keeps its new value and tells the host once, under its own name; a border
    // width of 0 or above 80 is refused with a message and changes nothing.
    void properties_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value"); // none: the opposite of what the dial shows
        QTest::addColumn<QString>("refusal");
        for (const char *name : {"VisibleTextDate", "VisibleTextHours", "VisibleSecond", "VisibleBorder"})
            QTest::newRow(name) << QString(name) << QVariant() << QString();
        for (const char *name : {"BorderColor", "TextHoursColor", "LancetHourColor", "LancetMinuteColor",
                                 "LancetSecondColor"})
            QTest::newRow(name) << QString(name) << QVariant(0x123456) << QString();
        QTest::newRow("width 1") << "BorderWidth" << QVariant(1) << QString();
        QTest::newRow("width 80") << "BorderWidth" << QVariant(80) << QString();
        QTest::newRow("width 81") << "BorderWidth" << QVariant(81) << "Il valore deve essere compreso tra 0 e 80.";
        QTest::newRow("width 0") << "BorderWidth" << QVariant(0) << "Il valore non può essere uguale a 0.";
    }
    void properties()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QString, refusal);
        dial->setBorderWidth(7);
        const QByteArray key = name.toLatin1();
        const QVariant before = dial->property(key);
        if (!value.isValid())
            value = !before.toBool();
        QSignalSpy changed(dial.get(), &Tickdial::PropertyChanged);
        QVERIFY(dial->setProperty(key, value));
        QCOMPARE(dial->property(key).toInt(), (refusal.isEmpty() ? value : before).toInt());
        QCOMPARE(changed.count(), refusal.isEmpty() ? 1 : 0);
        if (refusal.isEmpty())
            QCOMPARE(changed.at(0).at(0).toString(), name);
        QCOMPARE(fake->messages, refusal.isEmpty() ? QStringList() : QStringList{refusal});
    }

    // The numerals keep one type within a band of face sizes: a face just above 1350 twips (a 97 px dial)
    // prints them as large and bold as a 115 px one; a 96 px dial in the small band's lighter type.
    void numeralBands_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("likeLarger");
        QTest::newRow("96 px") << 96 << false;
        QTest::newRow("97 px") << 97 << true;
    }
    void numeralBands()
    {
        QFETCH(int, side);
        QFETCH(bool, likeLarger);
        dial->setTextHoursColor(toolkit::ColorBlack);
        dial->setVisibleTextHours(true);
        const double reference = faceInk(115);
        const double ratio = faceInk(side) / reference;
        QVERIFY2(likeLarger ? qAbs(ratio - 1) < 0.1 : ratio < 0.85, qPrintable(QString::number(ratio)));
    }

    // Dots of three sizes: 3 px at 3, 6, 9 and 12, 2 px at the other hours, 1 px at the minutes. (The hands'
    // pixels are checked on a real X server, scenario_hands.)
    void dots()
    {
        const QColor dot = toQColor(toolkit::ColorButtonText);
        const QImage &face = dial->pic()->image();
        for (auto [mark, size] : {std::pair{QPoint(193, 100), 3}, {QPoint(146, 19), 2}, {QPoint(109, 7), 1}}) {
            int n = 0;
            for (int y = (mark.y() - 3) * d; y < (mark.y() + 4) * d; ++y)
                for (int x = (mark.x() - 3) * d; x < (mark.x() + 4) * d; ++x)
                    n += face.pixelColor(x, y) == dot;
            QCOMPARE(n, size * size * d * d);
        }
    }

    void ringInItsColour()
    {
        dial->setBorderColor(toolkit::ColorRed);
        dial->setBorderWidth(4);
        dial->setVisibleBorder(true);
        const QImage shot = dial->grab().toImage();
        QVERIFY(reddish(at(shot, 100, 1)));
        QVERIFY(reddish(at(shot, 0, 98)));
        QCOMPARE(at(shot, 3, 3), background());
    }

    // A whole turn a day, midnight up; drawn in its own colour under the designed hands; gone without a trace.
    void secondZoneHand_data()
    {
        QTest::addColumn<int>("minuteOfDay");
        QTest::addColumn<double>("degrees");
        QTest::newRow("06:00") << 360 << 90.0;
        QTest::newRow("13:00") << 780 << 195.0;
        QTest::newRow("18:30") << 1110 << 277.5;
    }
    void secondZoneHand()
    {
        QFETCH(int, minuteOfDay);
        QFETCH(double, degrees);
        const QImage designed = dial->grab().toImage();
        dial->setSecondZoneHand(minuteOfDay);
        QVERIFY(near(endOf(dial->LineZone()), handEnd(SecondLength, degrees)));
        const QImage shown = dial->grab().toImage();
        QVERIFY(shown != designed);
        if (minuteOfDay == 360) // across the hour hand at 3 o'clock: the hour hand stays on top
            QVERIFY(bluish(at(shown, 150, 100)));
        if (minuteOfDay == 780) {
            const QColor own = toQColor(Tickdial::SecondZoneColor);
            const QColor c = at(shown, 84, 158); // 60 px along the hand
            QVERIFY(std::abs(c.green() - own.green()) < 50 && c.red() < 100 && c.blue() < 140);
        }
        dial->setSecondZoneHand(std::nullopt);
        QCOMPARE(dial->grab().toImage(), designed);
    }

    // A tick repaints only what moved, and never redraws the face.
    void tickRepaints_data()
    {
        QTest::addColumn<int>("advanceMs");
        QTest::addColumn<int>("maxArea"); // logical pixels, beside the sentinel
        QTest::newRow("nothing moves") << 200 << 0;
        // The second hand at 45 and 46 s, with margins: 12..104 x 88..104 px.
        QTest::newRow("the second hand moves") << 1000 << 92 * 16;
    }
    void tickRepaints()
    {
        QFETCH(int, advanceMs);
        QFETCH(int, maxArea);
        QVERIFY(QTest::qWaitFor([&] { return repaintedArea() == d * d; }));
        const qint64 face = dial->pic()->image().cacheKey();
        tick(fake->time.addMSecs(advanceMs));
        const qint64 area = repaintedArea() - d * d;
        QVERIFY2(area >= 0 && area <= qint64(maxArea) * d * d && (maxArea == 0 || area > 0), qPrintable(QString::number(area)));
        QCOMPARE(dial->pic()->image().cacheKey(), face);
    }
};

QTEST_MAIN(TestDial)
#include "tst_dial.moc"
