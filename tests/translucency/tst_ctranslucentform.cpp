#include "ctranslucentform.h"
#include "fakewindowsystem.h"

#include <QTest>
#include <functional>
#include <memory>

namespace {

// Window A with a form attached to it and the call log cleared; window B.
struct Fixture
{
    FakeWindowSystem ws;
    std::unique_ptr<QWidget> a = named("A");
    std::unique_ptr<QWidget> b = named("B");
    std::unique_ptr<CTranslucentForm> form;

    Fixture()
    {
        form = std::make_unique<CTranslucentForm>(ws);
        form->setHWnd(a.get());
        ws.calls.clear();
    }
    // A new form with no window, on a system of the given version.
    void fresh(int version = 5)
    {
        form.reset();
        ws = FakeWindowSystem();
        ws.version = version;
        form = std::make_unique<CTranslucentForm>(ws);
    }
    // The form in colour-key mode, the log cleared.
    void keyed()
    {
        form->setMode(CTranslucentForm::ModeColorKey);
        ws.calls.clear();
    }
    static std::unique_ptr<QWidget> named(const char *name)
    {
        auto w = std::make_unique<QWidget>();
        w->setObjectName(name);
        return w;
    }
};

using Steps = std::function<void(Fixture &)>;

// What the window system was asked and the state of the form after the steps
// (a destroyed form is not looked at).
struct Expect
{
    QStringList calls = {};
    int alpha = 255;
    int mode = CTranslucentForm::ModeAlpha;
    qint64 key = qint64(toolkit::ColorButtonFace);
    QString window = "A"; // empty: none
    bool supported = true;
    long styleA = -1;     // -1: not looked at
};

const QStringList Relayer = {"GetWindowLong(A)", "SetWindowLong(A,0x0)", "SetWindowLong(A,0x80000)"};
const QStringList Unlayer = {"SetLayered(A,0,255,2)", "GetWindowLong(A)", "SetWindowLong(A,0x0)"};

} // namespace

Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Expect)

class TestCTranslucentForm : public QObject
{
    Q_OBJECT

private slots:
    void scenario_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Expect>("expect");
        auto add = [](const char *name, Steps steps, Expect expect) { QTest::newRow(name) << steps << expect; };

        for (int version : {4, 5, 10})
            add(qPrintable(QStringLiteral("created, version %1").arg(version)), [=](Fixture &f) { f.fresh(version); },
                {.window = "", .supported = version >= 5});
        add("unsupported system does nothing", [](Fixture &f) {
            f.fresh(4);
            f.form->setHWnd(f.a.get());
            f.form->setAlpha(128);
            f.form->setColorKey(0x123456);
            f.form->setMode(1); // stored, but there is no window to act on
        }, {.mode = 1, .window = "", .supported = false});
        add("attaching makes layered and opaque", [](Fixture &f) {
            f.fresh();
            f.form->setMode(0);
            f.form->setAlpha(100); // no window: stored, mode back to alpha
            f.ws.styles[f.a.get()] = 0x100;
            f.form->setHWnd(f.a.get());
        }, {.calls = {"GetWindowLong(A)", "SetWindowLong(A,0x80100)", "SetLayered(A,0,255,2)"}});
        add("attaching fails without the style", [](Fixture &f) {
            f.fresh();
            f.form->setMode(1);
            f.form->setAlpha(77);
            f.ws.setWindowLongResults = {false};
            f.form->setHWnd(f.a.get());
        }, {.calls = {"GetWindowLong(A)", "SetWindowLong(A,0x80000)"}, .alpha = 77});
        add("alpha without a window fails", [](Fixture &f) { f.fresh(); f.form->setAlpha(10); },
            {.calls = {"SetLayered(0,0,10,2)"}, .window = ""});
        add("modes without a window do nothing", [](Fixture &f) {
            f.fresh();
            f.form->setMode(1);
            f.form->setMode(0);
            f.form->setHWnd(nullptr);
        }, {.mode = 0, .window = ""});

        add("alpha", [](Fixture &f) { f.form->setAlpha(128); }, {.calls = {"SetLayered(A,0,128,2)"}, .alpha = 128});
        add("alpha, call fails", [](Fixture &f) { f.ws.setLayeredResults = {false}; f.form->setAlpha(128); },
            {.calls = {"SetLayered(A,0,128,2)"}});
        add("alpha in colour-key mode switches", [](Fixture &f) { f.keyed(); f.form->setAlpha(128); },
            {.calls = Relayer + QStringList{"SetLayered(A,0,128,2)"}, .alpha = 128});
        add("colour key switches", [](Fixture &f) { f.form->setColorKey(0x00FF00); },
            {.calls = Relayer + QStringList{"SetLayered(A,65280,0,1)"}, .mode = 1, .key = 0x00FF00});
        add("system colour key is translated", [](Fixture &f) { f.form->setColorKey(toolkit::ColorButtonFace); },
            {.calls = Relayer + QStringList{"GetSysColor(15)",
                                             QStringLiteral("SetLayered(A,%1,0,1)").arg(FakeWindowSystem::ButtonFace)},
             .mode = 1});
        add("colour key in colour-key mode", [](Fixture &f) { f.keyed(); f.form->setColorKey(0xFF); },
            {.calls = {"SetLayered(A,255,0,1)"}, .mode = 1, .key = 0xFF});
        add("colour key, call fails", [](Fixture &f) {
            f.keyed();
            f.ws.setLayeredResults = {false};
            f.form->setColorKey(0xFF);
        }, {.calls = {"SetLayered(A,255,0,1)"}, .mode = 1});
        for (int mode : {3, -1, 256})
            add(qPrintable(QStringLiteral("mode %1 ignored").arg(mode)), [=](Fixture &f) {
                f.form->setMode(mode);
                f.form->setAlpha(64); // still alpha mode: only the opacity changes
            }, {.calls = {"SetLayered(A,0,64,2)"}, .alpha = 64});
        add("mode none", [](Fixture &f) { f.form->setAlpha(90); f.ws.calls.clear(); f.form->setMode(0); },
            {.calls = Unlayer, .alpha = 90, .mode = 0, .styleA = 0});
        add("mode none, then alpha again", [](Fixture &f) {
            f.form->setAlpha(90);
            f.form->setMode(0);
            f.ws.calls.clear();
            f.form->setMode(2);
        }, {.calls = Relayer + QStringList{"SetLayered(A,0,90,2)"}, .alpha = 90});
        add("mode none keeps other style bits", [](Fixture &f) {
            f.fresh();
            f.ws.styles[f.a.get()] = 0x208;
            f.form->setHWnd(f.a.get());
            f.form->setMode(0);
        }, {.calls = {"GetWindowLong(A)", "SetWindowLong(A,0x80208)", "SetLayered(A,0,255,2)",
                      "SetLayered(A,0,255,2)", "GetWindowLong(A)", "SetWindowLong(A,0x208)"},
            .mode = 0, .styleA = 0x208});
        add("moving to another window", [](Fixture &f) {
            f.form->setAlpha(128);
            f.ws.calls.clear();
            f.form->setHWnd(f.b.get());
        }, {.calls = Unlayer + QStringList{"GetWindowLong(B)", "SetWindowLong(B,0x80000)", "SetLayered(B,0,255,2)"},
            .window = "B"});
        add("moving in colour-key mode keeps the mode", [](Fixture &f) {
            f.form->setColorKey(0xFF);
            f.ws.calls.clear();
            f.form->setHWnd(f.b.get());
        }, {.calls = Unlayer + QStringList{"GetWindowLong(B)", "SetWindowLong(B,0x80000)", "SetLayered(B,0,255,2)"},
            .mode = 1, .key = 0xFF, .window = "B"});
        add("clearing the style fails", [](Fixture &f) {
            f.keyed();
            f.ws.setWindowLongResults = {false};
            f.form->setAlpha(200);
        }, {.calls = Relayer.mid(0, 2), .alpha = 200});
        add("setting the style fails", [](Fixture &f) {
            f.keyed();
            f.ws.setWindowLongResults = {true, false};
            f.form->setAlpha(200);
        }, {.calls = Relayer, .alpha = 200});
        add("destruction removes layering", [](Fixture &f) {
            f.form->setAlpha(50);
            f.ws.calls.clear();
            f.form.reset();
        }, {.calls = Unlayer});
        add("window destroyed first", [](Fixture &f) { f.a.reset(); }, {.window = ""});
        add("window destroyed, then the form", [](Fixture &f) { f.a.reset(); f.form.reset(); }, {});
    }
    void scenario()
    {
        QFETCH(Steps, steps);
        QFETCH(Expect, expect);
        Fixture f;
        steps(f);
        QCOMPARE(f.ws.calls, expect.calls);
        if (expect.styleA != -1)
            QCOMPARE(f.ws.styles.value(f.a.get()), expect.styleA);
        if (!f.form)
            return;
        QCOMPARE(int(f.form->Alpha()), expect.alpha);
        QCOMPARE(f.form->Mode(), expect.mode);
        QCOMPARE(qint64(f.form->ColorKey()), expect.key);
        QCOMPARE(f.form->hWnd() ? f.form->hWnd()->objectName() : QString(), expect.window);
        QCOMPARE(f.form->Supported(), expect.supported);
    }
};

QTEST_MAIN(TestCTranslucentForm)
#include "tst_ctranslucentform.moc"
