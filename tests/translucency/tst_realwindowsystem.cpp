#include "ctranslucentform.h"
#include "fakedesktop.h"
#include "windowsystem.h"

#include <QPalette>
#include <QTest>

using namespace translucency;

namespace {
constexpr QSize WindowSize(40, 20);

// A window red on its left half and green on its right half.
class TwoColourWindow : public QWidget
{
public:
    TwoColourWindow()
    {
        resize(WindowSize);
        setAutoFillBackground(true);
        QPalette red = palette();
        red.setColor(QPalette::Window, Qt::red);
        setPalette(red);
        auto *right = new QWidget(this);
        right->setGeometry(WindowSize.width() / 2, 0, WindowSize.width() / 2, WindowSize.height());
        right->setAutoFillBackground(true);
        QPalette green = right->palette();
        green.setColor(QPalette::Window, Qt::green);
        right->setPalette(green);
    }
};
} // namespace

class TestRealWindowSystem : public QObject
{
    Q_OBJECT

private slots:
    void layeredAttributesNeedTheLayeredStyle()
    {
        FakeDesktop fake;
        WindowSystem &ws = realWindowSystem();
        TwoColourWindow window;
        QVERIFY(!ws.SetLayeredWindowAttributes(&window, 0, 128, LWA_ALPHA));
        QVERIFY(!ws.SetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
        QVERIFY(!ws.SetWindowLong(nullptr, WS_EX_LAYERED));
        QVERIFY(fake.opacity.isEmpty());
        QVERIFY(ws.SetWindowLong(&window, WS_EX_LAYERED | 0x8));
        QCOMPARE(ws.GetWindowLong(&window), WS_EX_LAYERED | 0x8);
        QVERIFY(ws.SetLayeredWindowAttributes(&window, 0, 51, LWA_ALPHA));
        QCOMPARE(fake.opacity.value(&window), 0.2);
        QVERIFY(fake.masks.value(&window).isEmpty());
    }

    // The key colour is cut out of the window; clearing the style restores it.
    void colourKeyCutsOutTheKeyColourUntilCleared()
    {
        FakeDesktop fake;
        WindowSystem &ws = realWindowSystem();
        TwoColourWindow window;
        QVERIFY(ws.SetWindowLong(&window, WS_EX_LAYERED));
        QVERIFY(ws.SetLayeredWindowAttributes(&window, toolkit::rgbColor(255, 0, 0), 0, LWA_COLORKEY));
        QCOMPARE(fake.masks.value(&window),
                 QRegion(WindowSize.width() / 2, 0, WindowSize.width() / 2, WindowSize.height()));
        QCOMPARE(fake.opacity.value(&window), 1.0);
        QVERIFY(ws.SetWindowLong(&window, 0));
        QCOMPARE(fake.opacity.value(&window), 1.0);
        QVERIFY(fake.masks.value(&window).isEmpty());
        QVERIFY(!ws.SetLayeredWindowAttributes(&window, 0, 10, LWA_ALPHA));
    }

    void systemColours()
    {
        const QColor face = QPalette().color(QPalette::Active, QPalette::Button);
        QCOMPARE(realWindowSystem().GetSysColor(15), toolkit::fromQColor(face));
    }

    void translucentFormOnTheDesktop()
    {
        FakeDesktop fake;
        TwoColourWindow window;
        {
            CTranslucentForm form;
            QVERIFY(form.Supported());
            form.setHWnd(&window);
            form.setAlpha(128);
            QCOMPARE(form.Alpha(), quint8(128));
            QCOMPARE(fake.opacity.value(&window), 128 / 255.0);
        }
        QCOMPARE(fake.opacity.value(&window), 1.0);
        QCOMPARE(realWindowSystem().GetWindowLong(&window), 0L);
    }
};

QTEST_MAIN(TestRealWindowSystem)
#include "tst_realwindowsystem.moc"
