// Faults caught: the opacity setting not reaching the window, or left on a window after the form has moved on or
// gone; a desktop that cannot blend asked to; a window destroyed first crashing the form.
#include "translucency/ctranslucentform.h"
#include "tests/support/fakedesktop.h"

#include <QTest>
#include <functional>
#include <memory>

namespace {

// Windows A and B; a form made on a desktop that can (or cannot) set
// opacity, attached to A.
struct Fixture
{
    FakeDesktop desktop;
    std::unique_ptr<QWidget> a = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> b = std::make_unique<QWidget>();
    std::unique_ptr<CTranslucentForm> form;

    explicit Fixture(bool supported)
    {
        desktop.opacityWorks = supported;
        form = std::make_unique<CTranslucentForm>();
        form->setHWnd(a.get());
    }
};

using Steps = std::function<void(Fixture &)>;

// The opacity each window is left with (none: never set) and the form's
// state (a destroyed form is not looked at).
struct Expect
{
    std::optional<double> opacityA = 1.0;
    std::optional<double> opacityB = std::nullopt;
    int alpha = 255;
    int mode = CTranslucentForm::ModeAlpha;
    bool onA = true;
};

} // namespace

Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Expect)

class TestCTranslucentForm : public QObject
{
    Q_OBJECT

private slots:
    void scenario_data()
    {
        QTest::addColumn<bool>("supported");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Expect>("expect");
        auto add = [](const char *name, bool supported, Steps steps, Expect expect) {
            QTest::newRow(name) << supported << steps << expect;
        };
        add("attached: opaque", true, [](Fixture &) {}, {});
        add("alpha", true, [](Fixture &f) { f.form->setAlpha(128); }, {.opacityA = 128 / 255.0, .alpha = 128});
        add("unsupported does nothing", false, [](Fixture &f) { f.form->setAlpha(128); },
            {.opacityA = std::nullopt, .onA = false});
        add("mode none makes opaque", true, [](Fixture &f) { f.form->setAlpha(90); f.form->setMode(0); },
            {.alpha = 90, .mode = 0});
        add("moving to another window", true, [](Fixture &f) { f.form->setAlpha(128); f.form->setHWnd(f.b.get()); },
            {.opacityB = 1.0, .onA = false});
        add("destruction makes opaque", true, [](Fixture &f) { f.form->setAlpha(50); f.form.reset(); }, {});
        add("window destroyed first", true, [](Fixture &f) { f.a.reset(); f.form->setAlpha(50); }, {.onA = false});
    }
    void scenario()
    {
        QFETCH(bool, supported);
        QFETCH(Steps, steps);
        QFETCH(Expect, expect);
        Fixture f(supported);
        QWidget *a = f.a.get();
        steps(f);
        QCOMPARE(f.desktop.opacity.value(a, -1), expect.opacityA.value_or(-1));
        QCOMPARE(f.desktop.opacity.value(f.b.get(), -1), expect.opacityB.value_or(-1));
        if (!f.form)
            return;
        QCOMPARE(f.form->Supported(), supported);
        QCOMPARE(int(f.form->Alpha()), expect.alpha);
        QCOMPARE(f.form->Mode(), expect.mode);
        QCOMPARE(f.form->hWnd() == a && a, expect.onA);
    }
};

QTEST_MAIN(TestCTranslucentForm)
#include "tst_ctranslucentform.moc"
