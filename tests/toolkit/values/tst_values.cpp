#include "dateformat.h"
#include "olecolor.h"
#include "propertybag.h"
#include "val.h"

#include <QApplication>
#include <QPalette>
#include <QtTest>

// The small conversions every window relies on: numbers read from text,
// rounding, colours, dates and named saved values.
class tst_values : public QObject
{
    Q_OBJECT
private slots:
    void val_data();
    void val();
    void roundHalfEven_data();
    void roundHalfEven();
    void numberToText_data();
    void numberToText();
    void colors_data();
    void colors();
    void systemColorsFollowThePalette();
    void dates_data();
    void dates();
    void clockTime_data();
    void clockTime();
    void propertyBag();
};

void tst_values::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("integer") << "4" << 4.0;
    QTest::newRow("leading blanks") << "   12" << 12.0;
    QTest::newRow("blanks inside") << "1 2 3" << 123.0;
    QTest::newRow("tab and line feed") << "\t7\n" << 7.0;
    QTest::newRow("decimal point") << "2.75" << 2.75;
    QTest::newRow("comma stops") << "2,75" << 2.0;
    QTest::newRow("trailing letters") << "80px" << 80.0;
    QTest::newRow("letters first") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e2" << 100.0;
    QTest::newRow("D exponent") << "1D2" << 100.0;
    QTest::newRow("dangling exponent") << "12E" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("equals stops") << "7=9" << 7.0;
    QTest::newRow("huge exponent gives 0") << "1e999" << 0.0;
}

void tst_values::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(toolkit::Val(text), expected);
}

void tst_values::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qlonglong>("expected");
    QTest::newRow("2.5 down") << 2.5 << 2LL;
    QTest::newRow("3.5 up") << 3.5 << 4LL;
    QTest::newRow("0.5 down") << 0.5 << 0LL;
    QTest::newRow("2.6 up") << 2.6 << 3LL;
    QTest::newRow("-2.5") << -2.5 << -2LL;
    QTest::newRow("79.5") << 79.5 << 80LL;
}

void tst_values::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qlonglong, expected);
    QCOMPARE(toolkit::roundHalfEven(value), expected);
}

void tst_values::numberToText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << "en_US" << 4.0 << "4";
    QTest::newRow("fraction en") << "en_US" << 4.5 << "4.5";
    QTest::newRow("fraction it") << "it_IT" << 4.5 << "4,5";
    QTest::newRow("thousands without separator") << "it_IT" << 12345.0 << "12345";
    QTest::newRow("zero") << "it_IT" << 0.0 << "0";
}

void tst_values::numberToText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    const QString text = toolkit::numberToText(value);
    QLocale::setDefault(previous);
    QCOMPARE(text, expected);
}

void tst_values::colors_data()
{
    QTest::addColumn<int>("ole");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red is the low byte") << int(toolkit::ColorRed) << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << 16711680 << QColor(0, 0, 255);
    QTest::newRow("light grey") << 12632256 << QColor(192, 192, 192);
    QTest::newRow("yellow") << 0x0000FFFF << QColor(255, 255, 0);
    QTest::newRow("header blue") << 0xFFC0C0 << QColor(0xC0, 0xC0, 0xFF);
}

void tst_values::colors()
{
    QFETCH(int, ole);
    QFETCH(QColor, color);
    QCOMPARE(toolkit::toQColor(ole), color);
    QCOMPARE(toolkit::fromQColor(color), ole);
}

void tst_values::systemColorsFollowThePalette()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::ButtonText, QColor(4, 5, 6));
    const QPalette previous = QApplication::palette();
    QApplication::setPalette(palette);
    const QColor face = toolkit::toQColor(toolkit::ColorButtonFace);
    const QColor text = toolkit::toQColor(toolkit::ColorButtonText);
    QApplication::setPalette(previous);
    QCOMPARE(face, QColor(1, 2, 3));
    QCOMPARE(text, QColor(4, 5, 6));
    QVERIFY(toolkit::isSystemColor(toolkit::ColorButtonFace));
    QVERIFY(toolkit::ColorButtonFace < 0); // stored as a negative number
}

void tst_values::dates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shortText");
    QTest::addColumn<QString>("longText");
    QTest::newRow("it") << "it_IT" << QDate(2026, 12, 6) << "06 dic" << "domenica, 06 dicembre 2026";
    QTest::newRow("en") << "en_GB" << QDate(2024, 3, 15) << "15 Mar" << "Friday, 15 March 2024";
    QTest::newRow("it first of year") << "it_IT" << QDate(2027, 1, 1) << "01 gen" << "venerdì, 01 gennaio 2027";
}

void tst_values::dates()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, shortText);
    QFETCH(QString, longText);
    QCOMPARE(toolkit::shortDayMonth(date, QLocale(locale)), shortText);
    QCOMPARE(toolkit::longDate(date, QLocale(locale)), longText);
}

void tst_values::clockTime_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("morning") << QTime(9, 5, 7) << "9:05 07";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "0:00 00";
    QTest::newRow("evening") << QTime(23, 59, 59) << "23:59 59";
}

void tst_values::clockTime()
{
    QFETCH(QTime, time);
    QFETCH(QString, expected);
    QCOMPARE(toolkit::clockTime(time), expected);
}

void tst_values::propertyBag()
{
    toolkit::PropertyBag bag;
    bag.WriteProperty("BorderWidth", 4, 1);
    bag.WriteProperty("VisibleSecond", true, true); // equal to its default: not stored
    QCOMPARE(bag.count(), 1);
    QCOMPARE(bag.ReadProperty("borderwidth", 1).toInt(), 4);
    QCOMPARE(bag.ReadProperty("VisibleSecond", true).toBool(), true);
    QCOMPARE(bag.ReadProperty("Missing", 255).toInt(), 255);
    bag.WriteProperty("BORDERWIDTH", 1, 1); // back to the default: removed
    QCOMPARE(bag.count(), 0);
    bag.WriteProperty("a", 1, 0);
    bag.WriteProperty("b", 2, 0);
    bag.WriteProperty("A", 3, 0);
    QCOMPARE(bag.names(), QStringList({"a", "b"}));
    QCOMPARE(bag.ReadProperty("a").toInt(), 3);
}

QTEST_MAIN(tst_values)
#include "tst_values.moc"
