#include "dateformat.h"
#include "fakedesktop.h"
#include "tickdial.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using toolkit::MessageIcon;
using toolkit::PropertyBag;

namespace {

const QStringList LoadingOrder = {
    "VisibleTextHours", "VisibleTextDate", "VisibleSecond", "VisibleBorder", "BorderWidth",
    "BorderColor", "TextHoursColor", "LancetHourColor", "LancetMinuteColor", "LancetSecondColor",
};

QStringList names(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &args : spy)
        result << args.at(0).toString();
    return result;
}

} // namespace

class TestTickdialProperties : public QObject
{
    Q_OBJECT

private slots:
    void newInstanceDefaults()
    {
        FakeDesktop fake;
        Tickdial dial;
        QCOMPARE(int(dial.BorderWidth()), 1);
        QCOMPARE(dial.VisibleSecond(), false);
        QCOMPARE(dial.VisibleTextDate(), false);
        QCOMPARE(dial.VisibleTextHours(), false);
        QCOMPARE(dial.VisibleBorder(), false);
        QCOMPARE(dial.LancetHourColor(), 16711680);
        QCOMPARE(dial.LancetMinuteColor(), 255);
        QCOMPARE(dial.LancetSecondColor(), 0);
        QCOMPARE(dial.lblDate()->text(), toolkit::shortDayMonth(fake.time.date()));
        QCOMPARE(dial.pic()->toolTip(), QStringLiteral("Click col tasto destro del mouse per un refresh del controllo"));
        QCOMPARE(dial.lblDate()->toolTip(), dial.pic()->toolTip());
        QVERIFY(dial.Timer1()->isActive());
        QCOMPARE(dial.Timer1()->interval(), 200);
    }

    void borderWidthValidation_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("0") << 0 << QStringLiteral("Il valore non può essere uguale a 0.");
        QTest::newRow("81") << 81 << QStringLiteral("Il valore deve essere compreso tra 0 e 80.");
        QTest::newRow("255") << 255 << QStringLiteral("Il valore deve essere compreso tra 0 e 80.");
        QTest::newRow("1") << 1 << QString();
        QTest::newRow("80") << 80 << QString();
    }
    void borderWidthValidation()
    {
        QFETCH(int, value);
        QFETCH(QString, message);
        FakeDesktop fake;
        Tickdial dial;
        dial.setBorderWidth(7);
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        QVERIFY(dial.setProperty("BorderWidth", value));
        if (message.isEmpty()) {
            QVERIFY(fake.messages.isEmpty());
            QCOMPARE(int(dial.BorderWidth()), value);
            QCOMPARE(names(changed), QStringList{"BorderWidth"});
        } else {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].text, message);
            QCOMPARE(fake.messages[0].title, QStringLiteral("Valore non valido"));
            QCOMPARE(fake.messages[0].icon, MessageIcon::Critical);
            QCOMPARE(int(dial.BorderWidth()), 7);
            QCOMPARE(changed.count(), 0);
        }
    }

    void everySetNotifiesAgain_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("VisibleTextDate") << "VisibleTextDate" << QVariant(true);
        QTest::newRow("VisibleTextHours") << "VisibleTextHours" << QVariant(true);
        QTest::newRow("VisibleSecond") << "VisibleSecond" << QVariant(false);
        QTest::newRow("VisibleBorder") << "VisibleBorder" << QVariant(true);
        QTest::newRow("BorderWidth") << "BorderWidth" << QVariant(12);
        QTest::newRow("BorderColor") << "BorderColor" << QVariant(0x123456);
        QTest::newRow("TextHoursColor") << "TextHoursColor" << QVariant(0x00FF00);
        QTest::newRow("LancetHourColor") << "LancetHourColor" << QVariant(0x0000FF);
        QTest::newRow("LancetMinuteColor") << "LancetMinuteColor" << QVariant(0x00FF00);
        QTest::newRow("LancetSecondColor") << "LancetSecondColor" << QVariant(int(0x8000000F));
    }
    void everySetNotifiesAgain()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        FakeDesktop fake;
        Tickdial dial;
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        const QByteArray key = name.toLatin1();
        QVERIFY(dial.setProperty(key, value));
        QVERIFY(dial.setProperty(key, value));
        QCOMPARE(names(changed), (QStringList{name, name}));
        QCOMPARE(dial.property(key).toInt(), value.toInt());
    }

    // The ring and numeral colours wait for the next face painting; the
    // hand colours show at once.
    void whenAColourReachesTheDial_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("BorderColor") << "BorderColor" << false;
        QTest::newRow("LancetHourColor") << "LancetHourColor" << true;
        QTest::newRow("LancetMinuteColor") << "LancetMinuteColor" << true;
        QTest::newRow("LancetSecondColor") << "LancetSecondColor" << true;
    }
    void whenAColourReachesTheDial()
    {
        QFETCH(QString, name);
        QFETCH(bool, atOnce);
        FakeDesktop fake;
        Tickdial dial;
        const toolkit::OleColor green = toolkit::rgbColor(0, 200, 0);
        auto shown = [&] {
            if (name == "BorderColor")
                return dial.shapeBorder()->BorderColor();
            if (name == "LancetHourColor")
                return dial.LineH()->BorderColor();
            if (name == "LancetMinuteColor")
                return dial.LineM()->BorderColor();
            return dial.LineS()->BorderColor();
        };
        dial.setProperty(name.toLatin1(), green);
        QCOMPARE(shown() == green, atOnce);
        dial.UserControl_Paint();
        QCOMPARE(shown(), green);
    }

    void loadingAnEmptyStateRunsEverySetterOnceInOrder()
    {
        FakeDesktop fake;
        Tickdial dial;
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        dial.UserControl_ReadProperties(PropertyBag());
        QCOMPARE(names(changed), LoadingOrder);
        QCOMPARE(dial.VisibleSecond(), true);
        QCOMPARE(dial.VisibleTextHours(), false);
        QCOMPARE(int(dial.BorderWidth()), 1);
        QCOMPARE(dial.BorderColor(), 0);
        QCOMPARE(dial.LancetHourColor(), 16711680);
        QCOMPARE(dial.LancetMinuteColor(), 255);
        QVERIFY(fake.messages.isEmpty());
    }

    void savingDefaultsStoresNothing()
    {
        FakeDesktop fake;
        Tickdial dial;
        dial.UserControl_ReadProperties(PropertyBag());
        PropertyBag bag;
        dial.UserControl_WriteProperties(bag);
        QCOMPARE(bag.names(), QStringList());
    }

    void savedStateRoundTripsInOrder()
    {
        FakeDesktop fake;
        Tickdial dial;
        dial.UserControl_ReadProperties(PropertyBag());
        dial.setVisibleTextHours(true);
        dial.setVisibleTextDate(true);
        dial.setVisibleSecond(false);
        dial.setVisibleBorder(true);
        dial.setBorderWidth(9);
        dial.setBorderColor(1);
        dial.setTextHoursColor(2);
        dial.setLancetHourColor(3);
        dial.setLancetMinuteColor(4);
        dial.setLancetSecondColor(5);
        PropertyBag bag;
        dial.UserControl_WriteProperties(bag);
        QCOMPARE(bag.names(), LoadingOrder);

        Tickdial copy;
        copy.UserControl_ReadProperties(bag);
        for (const QString &name : LoadingOrder)
            QCOMPARE(copy.property(name.toLatin1()).toInt(), dial.property(name.toLatin1()).toInt());
    }

    void namesMatchWithoutRegardToCase()
    {
        FakeDesktop fake;
        PropertyBag bag;
        bag.WriteProperty("visibletexthours", true);
        bag.WriteProperty("BORDERWIDTH", 7);
        bag.WriteProperty("lancetsecondcolor", 0x00FFFF);
        Tickdial dial;
        dial.UserControl_ReadProperties(bag);
        QCOMPARE(dial.VisibleTextHours(), true);
        QCOMPARE(int(dial.BorderWidth()), 7);
        QCOMPARE(dial.LancetSecondColor(), 0x00FFFF);
    }

    void anInvalidSavedWidthIsRefusedWhileLoading()
    {
        FakeDesktop fake;
        PropertyBag bag;
        bag.WriteProperty("BorderWidth", 0);
        Tickdial dial;
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        dial.UserControl_ReadProperties(bag);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(!names(changed).contains("BorderWidth"));
        QCOMPARE(int(dial.BorderWidth()), 1);
    }

    void mainWindowDesignState()
    {
        FakeDesktop fake;
        Tickdial dial;
        dial.UserControl_ReadProperties(Tickdial::mainWindowDesignState());
        QCOMPARE(dial.VisibleTextHours(), true);
        QCOMPARE(dial.VisibleTextDate(), true);
        QCOMPARE(dial.VisibleBorder(), true);
        QCOMPARE(dial.VisibleSecond(), true);
        QCOMPARE(int(dial.BorderWidth()), 4);
        QCOMPARE(dial.BorderColor(), 12632256);
        QCOMPARE(dial.LancetHourColor(), 16711680);
    }

    // A release over the face or the date window refreshes the face with the
    // right button only, and no mouse activity there reaches the host.
    void rightButtonRefreshesFromFaceAndDateWindow_data()
    {
        QTest::addColumn<bool>("onLabel");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("face, right") << false << Qt::RightButton << true;
        QTest::newRow("face, left") << false << Qt::LeftButton << false;
        QTest::newRow("face, middle") << false << Qt::MiddleButton << false;
        QTest::newRow("date, right") << true << Qt::RightButton << true;
        QTest::newRow("date, left") << true << Qt::LeftButton << false;
    }
    void rightButtonRefreshesFromFaceAndDateWindow()
    {
        QFETCH(bool, onLabel);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, refreshed);
        FakeDesktop fake;
        Tickdial dial;
        dial.resize(200, 200);
        dial.setVisibleTextDate(true);
        dial.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dial));
        // A new ring colour shows only at the next painting of the face.
        dial.setBorderColor(toolkit::ColorRed);
        QSignalSpy clicks(&dial, &Tickdial::Click);
        QSignalSpy ups(&dial, &Tickdial::MouseUp);
        QSignalSpy downs(&dial, &Tickdial::MouseDown);
        QSignalSpy picUps(dial.pic(), &toolkit::PictureBox::MouseUp);
        QWidget *target = onLabel ? static_cast<QWidget *>(dial.lblDate()) : dial.pic();
        QTest::mouseClick(target, button, {}, QPoint(5, 5));
        QCOMPARE(dial.shapeBorder()->BorderColor() == toolkit::ColorRed, refreshed);
        QCOMPARE(clicks.count() + ups.count() + downs.count(), 0);
        QCOMPARE(picUps.count(), onLabel ? 0 : 1);
    }

    void theControlsOwnSurfaceRaisesItsEvents()
    {
        FakeDesktop fake;
        Tickdial dial;
        QSignalSpy clicks(&dial, &Tickdial::Click);
        QSignalSpy downs(&dial, &Tickdial::MouseDown);
        QSignalSpy ups(&dial, &Tickdial::MouseUp);
        QSignalSpy doubles(&dial, &Tickdial::DblClick);
        QTest::mouseClick(&dial, Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 6));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(downs.count(), 1);
        QCOMPARE(ups.count(), 1);
        const QList<QVariant> args = ups.at(0);
        QCOMPARE(args.at(0).toInt(), 1);
        QCOMPARE(args.at(1).toInt(), 1);
        QCOMPARE(args.at(2).toFloat(), 60.0f);
        QCOMPARE(args.at(3).toFloat(), 90.0f);
        // The second click of a double click: DblClick and MouseUp, no Click.
        const QPointF at(4, 6);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, dial.mapToGlobal(at), Qt::RightButton, Qt::RightButton, {});
        QCoreApplication::sendEvent(&dial, &dbl);
        QMouseEvent release(QEvent::MouseButtonRelease, at, dial.mapToGlobal(at), Qt::RightButton, {}, {});
        QCoreApplication::sendEvent(&dial, &release);
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(ups.count(), 2);
        QCOMPARE(ups.last().at(0).toInt(), 2);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestTickdialProperties)
#include "tst_tickdial_properties.moc"
