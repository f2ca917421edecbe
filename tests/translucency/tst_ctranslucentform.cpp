#include "ctranslucentform.h"
#include "fakewindowsystem.h"

#include <QTest>
#include <memory>

using namespace translucency;

namespace {
constexpr long Layered = WS_EX_LAYERED;
}

class TestCTranslucentForm : public QObject
{
    Q_OBJECT

private:
    FakeWindowSystem ws;
    std::unique_ptr<QWidget> a;
    std::unique_ptr<QWidget> b;

    // An object attached to window A, with the call log cleared.
    std::unique_ptr<CTranslucentForm> attached()
    {
        auto form = std::make_unique<CTranslucentForm>(ws);
        form->setHWnd(a.get());
        ws.calls.clear();
        return form;
    }

private slots:
    void init()
    {
        ws = FakeWindowSystem();
        a = std::make_unique<QWidget>();
        a->setObjectName("A");
        b = std::make_unique<QWidget>();
        b->setObjectName("B");
    }

    void creation_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("supported");
        QTest::newRow("version 4") << 4 << false;
        QTest::newRow("version 5") << 5 << true;
        QTest::newRow("version 10") << 10 << true;
    }
    void creation()
    {
        QFETCH(int, version);
        QFETCH(bool, supported);
        ws.version = version;
        CTranslucentForm form(ws);
        QCOMPARE(form.Supported(), supported);
        QCOMPARE(form.Alpha(), quint8(255));
        QCOMPARE(form.ColorKey(), toolkit::OleColor(0x8000000F));
        QCOMPARE(form.Mode(), 2);
        QCOMPARE(form.hWnd(), nullptr);
        QVERIFY(ws.calls.isEmpty());
    }

    void unsupportedSystemDoesNothing()
    {
        ws.version = 4;
        CTranslucentForm form(ws);
        form.setHWnd(a.get());
        form.setAlpha(128);
        form.setColorKey(0x123456);
        QCOMPARE(form.hWnd(), nullptr);
        QCOMPARE(form.Alpha(), quint8(255));
        QCOMPARE(form.ColorKey(), toolkit::OleColor(0x8000000F));
        form.setMode(1); // stored, but there is no window to act on
        QCOMPARE(form.Mode(), 1);
        QVERIFY(ws.calls.isEmpty());
    }

    void attachingMakesTheWindowLayeredAndOpaque()
    {
        CTranslucentForm form(ws);
        form.setMode(0);
        form.setAlpha(100); // no window yet: stored, mode back to alpha
        QCOMPARE(form.Alpha(), quint8(100));
        ws.styles[a.get()] = 0x100;
        form.setHWnd(a.get());
        QCOMPARE(form.hWnd(), a.get());
        QCOMPARE(form.Alpha(), quint8(255));
        QCOMPARE(ws.calls, QStringList({"GetWindowLong(A)", "SetWindowLong(A,0x80100)", "SetLayered(A,0,255,2)"}));
    }

    void alphaInAlphaMode_data()
    {
        QTest::addColumn<bool>("works");
        QTest::addColumn<int>("expected");
        QTest::newRow("call succeeds") << true << 128;
        QTest::newRow("call fails") << false << 255;
    }
    void alphaInAlphaMode()
    {
        QFETCH(int, expected);
        QFETCH(bool, works);
        auto form = attached();
        ws.setLayeredResults = {works};
        form->setAlpha(128);
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,0,128,2)"}));
        QCOMPARE(int(form->Alpha()), expected);
        QCOMPARE(form->Mode(), 2);
    }

    void alphaInColorKeyModeSwitchesToAlpha()
    {
        auto form = attached();
        form->setMode(1);
        ws.calls.clear();
        form->setAlpha(128);
        QCOMPARE(form->Mode(), 2);
        QCOMPARE(form->Alpha(), quint8(128));
        QCOMPARE(ws.calls, QStringList({"GetWindowLong(A)", "SetWindowLong(A,0x0)", "SetWindowLong(A,0x80000)",
                                        "SetLayered(A,0,128,2)"}));
    }

    void colorKeyInAlphaModeSwitchesToColorKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("calls");
        const QStringList reset = {"GetWindowLong(A)", "SetWindowLong(A,0x0)", "SetWindowLong(A,0x80000)"};
        QTest::newRow("rgb colour") << 0x00FF00 << reset + QStringList{"SetLayered(A,65280,0,1)"};
        QTest::newRow("button face") << int(0x8000000F)
                                     << reset + QStringList{"GetSysColor(15)",
                                                                QStringLiteral("SetLayered(A,%1,0,1)").arg(FakeWindowSystem::ButtonFace)};
    }
    void colorKeyInAlphaModeSwitchesToColorKey()
    {
        QFETCH(QStringList, calls);
        QFETCH(int, key);
        auto form = attached();
        form->setColorKey(key);
        QCOMPARE(form->Mode(), 1);
        QCOMPARE(form->ColorKey(), key);
        QCOMPARE(ws.calls, calls);
    }

    void colorKeyInColorKeyMode_data()
    {
        QTest::addColumn<bool>("works");
        QTest::addColumn<int>("expected");
        QTest::newRow("call succeeds") << true << 0x0000FF;
        QTest::newRow("call fails") << false << int(0x8000000F);
    }
    void colorKeyInColorKeyMode()
    {
        QFETCH(int, expected);
        QFETCH(bool, works);
        auto form = attached();
        form->setMode(1);
        ws.calls.clear();
        ws.setLayeredResults = {works};
        form->setColorKey(0x0000FF);
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,255,0,1)"}));
        QCOMPARE(int(form->ColorKey()), expected);
    }

    void invalidModeIgnored_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("3") << 3;
        QTest::newRow("-1") << -1;
        QTest::newRow("256") << 256;
    }
    void invalidModeIgnored()
    {
        QFETCH(int, mode);
        auto form = attached();
        form->setMode(mode);
        QCOMPARE(form->Mode(), 2);
        QVERIFY(ws.calls.isEmpty());
        form->setAlpha(64); // still in alpha mode: only the opacity changes
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,0,64,2)"}));
    }

    void modeNoneThenAlphaReappliesStoredAlpha()
    {
        auto form = attached();
        form->setAlpha(90);
        ws.calls.clear();
        form->setMode(0);
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,0,255,2)", "GetWindowLong(A)", "SetWindowLong(A,0x0)"}));
        QCOMPARE(ws.styles.value(a.get()) & Layered, 0);
        QCOMPARE(form->Mode(), 0);
        QCOMPARE(form->Alpha(), quint8(90));
        ws.calls.clear();
        form->setMode(2);
        QCOMPARE(ws.calls, QStringList({"GetWindowLong(A)", "SetWindowLong(A,0x0)", "SetWindowLong(A,0x80000)",
                                        "SetLayered(A,0,90,2)"}));
    }

    void modeNoneKeepsOtherStyleBits()
    {
        ws.styles[a.get()] = 0x208;
        auto form = attached();
        form->setMode(0);
        QCOMPARE(ws.styles.value(a.get()), 0x208L);
    }

    void movingToAnotherWindow()
    {
        auto form = attached();
        form->setAlpha(128);
        ws.calls.clear();
        form->setHWnd(b.get());
        QCOMPARE(form->hWnd(), b.get());
        QCOMPARE(form->Alpha(), quint8(255));
        QCOMPARE(form->Mode(), 2);
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,0,255,2)", "GetWindowLong(A)", "SetWindowLong(A,0x0)",
                                        "GetWindowLong(B)", "SetWindowLong(B,0x80000)", "SetLayered(B,0,255,2)"}));
    }

    void movingInColorKeyModeKeepsTheMode()
    {
        auto form = attached();
        form->setColorKey(0xFF);
        ws.calls.clear();
        form->setHWnd(b.get());
        QCOMPARE(form->Mode(), 1);
        QCOMPARE(ws.calls.last(), QStringLiteral("SetLayered(B,0,255,2)"));
    }

    // Which call fails, and the calls that are made before the operation stops.
    void failures_data()
    {
        QTest::addColumn<QList<bool>>("setWindowLong");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("alpha");
        QTest::newRow("clearing the style fails")
            << QList<bool>{false} << QStringList{"GetWindowLong(A)", "SetWindowLong(A,0x0)"} << 200;
        QTest::newRow("setting the style fails")
            << QList<bool>{true, false}
            << QStringList{"GetWindowLong(A)", "SetWindowLong(A,0x0)", "SetWindowLong(A,0x80000)"} << 200;
    }
    void failures()
    {
        QFETCH(int, alpha);
        QFETCH(QStringList, calls);
        QFETCH(QList<bool>, setWindowLong);
        auto form = attached();
        form->setMode(1);
        ws.calls.clear();
        ws.setWindowLongResults = setWindowLong;
        form->setAlpha(200); // mode 1: stores, switches to 2 and applies
        QCOMPARE(ws.calls, calls);
        QCOMPARE(int(form->Alpha()), alpha);
        QCOMPARE(form->Mode(), 2);
    }

    void attachingFailsWhenTheStyleCannotBeSet()
    {
        CTranslucentForm form(ws);
        form.setMode(1);
        form.setAlpha(77); // no window: stored
        ws.setWindowLongResults = {false};
        form.setHWnd(a.get());
        QCOMPARE(form.hWnd(), a.get());
        QCOMPARE(form.Alpha(), quint8(77));
        QCOMPARE(ws.calls, QStringList({"GetWindowLong(A)", "SetWindowLong(A,0x80000)"}));
    }

    void withoutWindow()
    {
        CTranslucentForm form(ws);
        form.setAlpha(10); // alpha mode without a window: the call fails
        QCOMPARE(form.Alpha(), quint8(255));
        QCOMPARE(ws.calls, QStringList({"SetLayered(0,0,10,2)"}));
        ws.calls.clear();
        form.setMode(1);
        form.setMode(0);
        form.setHWnd(nullptr);
        QVERIFY(ws.calls.isEmpty());
    }

    void destructionRemovesLayering()
    {
        auto form = attached();
        form->setAlpha(50);
        ws.calls.clear();
        form.reset();
        QCOMPARE(ws.calls, QStringList({"SetLayered(A,0,255,2)", "GetWindowLong(A)", "SetWindowLong(A,0x0)"}));
    }

    void windowDestroyedFirst()
    {
        auto form = attached();
        a.reset();
        QCOMPARE(form->hWnd(), nullptr);
        form.reset();
        QVERIFY(ws.calls.isEmpty());
    }
};

QTEST_MAIN(TestCTranslucentForm)
#include "tst_ctranslucentform.moc"
