#include "dateformat.h"
#include "fakedesktop.h"
#include "tickdial.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using toolkit::PropertyBag;
using Props = QVariantMap;

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

PropertyBag bagOf(const Props &values)
{
    PropertyBag bag;
    for (auto it = values.begin(); it != values.end(); ++it)
        bag.WriteProperty(it.key(), it.value());
    return bag;
}

void compareProps(const Tickdial &dial, const Props &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(dial.property(it.key().toLatin1()).toInt() == it.value().toInt(), qPrintable(it.key()));
}

} // namespace

Q_DECLARE_METATYPE(PropertyBag)

class TestTickdialProperties : public QObject
{
    Q_OBJECT

private slots:
    void newInstance()
    {
        FakeDesktop fake;
        Tickdial dial;
        compareProps(dial, {{"BorderWidth", 1}, {"VisibleSecond", false}, {"VisibleTextDate", false},
                            {"VisibleTextHours", false}, {"VisibleBorder", false},
                            {"LancetHourColor", 16711680}, {"LancetMinuteColor", 255}, {"LancetSecondColor", 0}});
        QCOMPARE(dial.lblDate()->text(), toolkit::shortDayMonth(fake.time.date()));
        QCOMPARE(dial.pic()->toolTip(), QStringLiteral("Click col tasto destro del mouse per un refresh del controllo"));
        QCOMPARE(dial.lblDate()->toolTip(), dial.pic()->toolTip());
        // Wakes at the next minute without a second hand, at the next second with one.
        QCOMPARE(fake.wake, fake.time.addSecs(60));
        dial.setVisibleSecond(true);
        QCOMPARE(fake.wake, fake.time.addSecs(1));
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
        const bool accepted = message.isEmpty();
        QCOMPARE(int(dial.BorderWidth()), accepted ? value : 7);
        QCOMPARE(names(changed), accepted ? QStringList{"BorderWidth"} : QStringList());
        QCOMPARE(fake.messages.size(), accepted ? 0 : 1);
        if (!accepted) {
            QCOMPARE(fake.messages[0].text, message);
            QCOMPARE(fake.messages[0].title, QStringLiteral("Valore non valido"));
            QCOMPARE(fake.messages[0].icon, toolkit::MessageIcon::Critical);
        }
    }

    // Setting the value a property already holds notifies again.
    void everySetNotifies_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value");
        const QList<int> values = {1, 1, 0, 1, 12, 0x123456, 0x00FF00, 0x0000FF, 0x00FF00, int(0x8000000F)};
        for (int i = 0; i < LoadingOrder.size(); ++i)
            QTest::newRow(qPrintable(LoadingOrder[i])) << LoadingOrder[i] << values[i];
    }
    void everySetNotifies()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        FakeDesktop fake;
        Tickdial dial;
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        const QVariant v = name.startsWith("Visible") ? QVariant(value != 0) : QVariant(value);
        QVERIFY(dial.setProperty(name.toLatin1(), v));
        QVERIFY(dial.setProperty(name.toLatin1(), v));
        QCOMPARE(names(changed), (QStringList{name, name}));
        QCOMPARE(dial.property(name.toLatin1()).toInt(), value);
    }

    // The ring colour waits for the next face painting; hand colours show at once.
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
            return (name == "LancetHourColor" ? dial.LineH() : name == "LancetMinuteColor" ? dial.LineM()
                                                                                          : dial.LineS())
                ->BorderColor();
        };
        dial.setProperty(name.toLatin1(), green);
        QCOMPARE(shown() == green, atOnce);
        dial.UserControl_Paint();
        QCOMPARE(shown(), green);
    }

    // Reading runs every setter once in loading order; names match without
    // regard to case; a refused width keeps the default.
    void readProperties_data()
    {
        QTest::addColumn<PropertyBag>("saved");
        QTest::addColumn<Props>("expected");
        QTest::addColumn<int>("messages");
        QTest::newRow("empty: defaults")
            << PropertyBag() << Props{{"VisibleSecond", true}, {"VisibleTextHours", false}, {"BorderWidth", 1},
                                {"BorderColor", 0}, {"LancetHourColor", 16711680}, {"LancetMinuteColor", 255}}
            << 0;
        QTest::newRow("any case") << bagOf({{"visibletexthours", true}, {"BORDERWIDTH", 7}, {"lancetsecondcolor", 0xFFFF}})
                                  << Props{{"VisibleTextHours", true}, {"BorderWidth", 7}, {"LancetSecondColor", 0xFFFF}}
                                  << 0;
        QTest::newRow("width 0 refused") << bagOf({{"BorderWidth", 0}}) << Props{{"BorderWidth", 1}} << 1;
        QTest::newRow("main window") << Tickdial::mainWindowDesignState()
                                     << Props{{"VisibleTextHours", true}, {"VisibleTextDate", true},
                                              {"VisibleBorder", true}, {"VisibleSecond", true}, {"BorderWidth", 4},
                                              {"BorderColor", 12632256}, {"LancetHourColor", 16711680}}
                                     << 0;
    }
    void readProperties()
    {
        QFETCH(PropertyBag, saved);
        QFETCH(Props, expected);
        QFETCH(int, messages);
        FakeDesktop fake;
        Tickdial dial;
        QSignalSpy changed(&dial, &Tickdial::PropertyChanged);
        dial.UserControl_ReadProperties(saved);
        QStringList order = LoadingOrder;
        if (messages)
            order.removeAll("BorderWidth");
        QCOMPARE(names(changed), order);
        compareProps(dial, expected);
        QCOMPARE(fake.messages.size(), messages);
    }

    // Defaults are not written; anything else is, in loading order, and reads back.
    void writeProperties()
    {
        FakeDesktop fake;
        Tickdial dial;
        dial.UserControl_ReadProperties(PropertyBag());
        PropertyBag defaults;
        dial.UserControl_WriteProperties(defaults);
        QCOMPARE(defaults.names(), QStringList());

        const Props changed{{"VisibleTextHours", true}, {"VisibleTextDate", true}, {"VisibleSecond", false},
                            {"VisibleBorder", true}, {"BorderWidth", 9}, {"BorderColor", 1}, {"TextHoursColor", 2},
                            {"LancetHourColor", 3}, {"LancetMinuteColor", 4}, {"LancetSecondColor", 5}};
        for (auto it = changed.begin(); it != changed.end(); ++it)
            dial.setProperty(it.key().toLatin1(), it.value());
        PropertyBag bag;
        dial.UserControl_WriteProperties(bag);
        QCOMPARE(bag.names(), LoadingOrder);
        Tickdial copy;
        copy.UserControl_ReadProperties(bag);
        compareProps(copy, changed);
    }

    // A release over the face or the date window refreshes the face with the
    // right button only, and no mouse activity there reaches the host.
    void rightButtonRefreshes_data()
    {
        QTest::addColumn<bool>("onLabel");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("face, right") << false << Qt::RightButton;
        QTest::newRow("face, left") << false << Qt::LeftButton;
        QTest::newRow("face, middle") << false << Qt::MiddleButton;
        QTest::newRow("date, right") << true << Qt::RightButton;
        QTest::newRow("date, left") << true << Qt::LeftButton;
    }
    void rightButtonRefreshes()
    {
        QFETCH(bool, onLabel);
        QFETCH(Qt::MouseButton, button);
        FakeDesktop fake;
        Tickdial dial;
        dial.resize(200, 200);
        dial.setVisibleTextDate(true);
        dial.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dial));
        dial.setBorderColor(toolkit::ColorRed); // shows at the next painting of the face
        QSignalSpy clicks(&dial, &Tickdial::Click);
        QSignalSpy ups(&dial, &Tickdial::MouseUp);
        QSignalSpy downs(&dial, &Tickdial::MouseDown);
        QSignalSpy picUps(dial.pic(), &toolkit::PictureBox::MouseUp);
        QWidget *target = onLabel ? static_cast<QWidget *>(dial.lblDate()) : dial.pic();
        QTest::mouseClick(target, button, {}, QPoint(5, 5));
        QCOMPARE(dial.shapeBorder()->BorderColor() == toolkit::ColorRed, button == Qt::RightButton);
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
        QCOMPARE(ups.at(0), (QList<QVariant>{1, 1, 60.0f, 90.0f}));
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
