// Faults caught: the opacity setting not reaching the window, or left on a window after the form has moved on or
// gone; a desktop that cannot blend asked to; a window destroyed first crashing the form.
#include "translucency/ctranslucentform.h"
#include "tests/support/fakedesktop.h"

#include <QtTest>

class TestCTranslucentForm : public QObject
{
    Q_OBJECT

private slots:
    // The opacity windows A and B are left with (-1: never set) after the steps.
    void opacity_data()
    {
        QTest::addColumn<bool>("supported");
        QTest::addColumn<QString>("steps"); // a: alpha 128, n: mode none, 2: alpha mode, b: moved to B, x: form gone, w: A gone
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::newRow("attached: opaque") << true << "" << 1.0 << -1.0;
        QTest::newRow("alpha") << true << "a" << 128 / 255.0 << -1.0;
        QTest::newRow("unsupported does nothing") << false << "a" << -1.0 << -1.0;
        QTest::newRow("mode none makes opaque") << true << "an" << 1.0 << -1.0;
        QTest::newRow("alpha mode again") << true << "an2" << 128 / 255.0 << -1.0;
        QTest::newRow("moved to another window") << true << "ab" << 1.0 << 1.0;
        QTest::newRow("gone, the window opaque") << true << "ax" << 1.0 << -1.0;
        QTest::newRow("window destroyed first") << true << "wa" << -1.0 << -1.0;
    }
    void opacity()
    {
        QFETCH(bool, supported);
        QFETCH(QString, steps);
        QFETCH(double, a);
        QFETCH(double, b);
        FakeDesktop desktop;
        desktop.opacityWorks = supported;
        auto windowA = std::make_unique<QWidget>();
        QWidget *const keyA = windowA.get();
        QWidget windowB;
        auto form = std::make_unique<CTranslucentForm>();
        form->setHWnd(keyA);
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'a': form->setAlpha(128); break;
            case 'n': form->setMode(0); break;
            case '2': form->setMode(CTranslucentForm::ModeAlpha); break;
            case 'b': form->setHWnd(&windowB); break;
            case 'x': form.reset(); break;
            case 'w': desktop.opacity.clear(); windowA.reset(); break;
            }
        }
        QCOMPARE(desktop.opacity.value(keyA, -1), a);
        QCOMPARE(desktop.opacity.value(&windowB, -1), b);
    }
};

QTEST_MAIN(TestCTranslucentForm)
#include "tst_ctranslucentform.moc"
