// Faults caught: an About box off-centre or with cut-off texts; links that open the wrong address, or open it
// behind the box; highlights that stick or never show; an animation that is not found beside the program or
// in the data folder, does not move, or breaks the box; keys that close it or fail to.
#include "tests/support/fakedesktop.h"
#include "about/frmabout.h"
#include "about/gifview.h"
#include "about/linklabel.h"
#include "tests/support/optionsfixture.h"
#include "about/surfaceframe.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SourceGif = QStringLiteral(TICKORA_ASSETS_DIR "/About.gif");
const QColor Blue(0, 0, 0xC0);
const QColor Red(0xFF, 0, 0);

// Notes whether the box was still on screen when a link was handed over.
class LinkDesktop : public FakeDesktop
{
public:
    const QWidget *box = nullptr;
    bool boxVisibleAtOpen = false;
    void openUrl(const QUrl &url) override
    {
        boxVisibleAtOpen = box && box->isVisible();
        FakeDesktop::openUrl(url);
    }
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void placedInTheMiddleWithWholeTexts_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("topLeft"); // of a 434 x 213 px box
        QTest::newRow("1280x1024") << QSize(1280, 1024) << QPoint(423, 405);
        QTest::newRow("800x600") << QSize(800, 600) << QPoint(183, 193);
    }
    void placedInTheMiddleWithWholeTexts()
    {
        QFETCH(QSize, screen);
        QFETCH(QPoint, topLeft);
        FakeDesktop fake;
        fake.screen = screen;
        frmAbout box(QFileInfo(SourceGif).path());
        QCOMPARE(box.pos(), topLeft);
        for (const QLabel *label : box.findChildren<QLabel *>())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
    }

    void links_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("site") << 0 << QUrl("https://tickora.example/");
        QTest::newRow("mail") << 1 << QUrl("mailto:mf@example.org");
    }
    void links()
    {
        QFETCH(int, index);
        QFETCH(QUrl, url);
        LinkDesktop fake;
        frmAbout box(QFileInfo(SourceGif).path());
        fake.box = &box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.lblIperText(index), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(fake.openedUrls, QVector<QUrl>{url});
        QVERIFY(!fake.boxVisibleAtOpen);
    }

    // The link under the pointer turns red and underlined; the bare surface
    // of the frame clears it; other elements keep it.
    void highlight_data()
    {
        QTest::addColumn<QStringList>("path"); // where the pointer goes
        QTest::addColumn<QList<bool>>("lit");  // link 0, link 1
        QTest::newRow("at rest") << QStringList() << QList<bool>{false, false};
        QTest::newRow("over the mail link") << QStringList{"link1"} << QList<bool>{false, true};
        QTest::newRow("frame surface clears") << QStringList{"link0", "frame"} << QList<bool>{false, false};
        QTest::newRow("the animation keeps") << QStringList{"link0", "Gif"} << QList<bool>{true, false};
    }
    void highlight()
    {
        QFETCH(QStringList, path);
        QFETCH(QList<bool>, lit);
        FakeDesktop fake;
        frmAbout box(QFileInfo(SourceGif).path());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        for (const QString &where : path) {
            QWidget *w = where == "frame"   ? box.Frame1()
                : where.startsWith("link") ? box.lblIperText(where.back().digitValue())
                                           : box.findChild<QWidget *>(where);
            QTest::mouseMove(w, where == "frame" ? QPoint(3, 70) : QPoint(4, 4));
        }
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(box.lblIperText(i)->palette().color(QPalette::WindowText), lit[i] ? Red : Blue);
            QCOMPARE(box.lblIperText(i)->font().underline(), lit[i]);
        }
    }

    // The animation is read beside the program, else from the installed
    // data folder; missing or broken, the box still works without it.
    void animation_data()
    {
        QTest::addColumn<QByteArray>("beside"); // "copy": the real animation
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("plays");
        QTest::newRow("beside the program") << QByteArray("copy") << false << true;
        QTest::newRow("installed data folder") << QByteArray() << true << true;
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("broken") << QByteArray("GIF89a not really") << false << false;
    }
    void animation()
    {
        QFETCH(QByteArray, beside);
        QFETCH(bool, installed);
        QFETCH(bool, plays);
        QTemporaryDir root;
        const QString bin = root.filePath("bin");
        const QString data = QDir::cleanPath(bin + "/" + QLatin1String(frmAbout::InstalledDataFolder));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(data));
        if (beside == "copy")
            QVERIFY(QFile::copy(SourceGif, bin + "/About.gif"));
        else if (!beside.isEmpty())
            QVERIFY(writeFile(bin + "/About.gif", beside));
        if (installed)
            QVERIFY(QFile::copy(SourceGif, data + "/About.gif"));
        FakeDesktop fake;
        frmAbout box(bin);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QMovie *movie = box.Gif()->movie();
        QCOMPARE(movie != nullptr, plays);
        if (plays) {
            const int first = movie->currentFrameNumber();
            QTRY_VERIFY(movie->currentFrameNumber() != first);
        }
        QVERIFY(fake.messages.isEmpty());
        QTest::mouseClick(box.cmdAboutOK(), Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }

    void keyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Alt+O") << int(Qt::Key_O) << Qt::KeyboardModifiers(Qt::AltModifier) << true;
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
    }
    void keyboard()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, closes);
        FakeDesktop fake;
        frmAbout box(QFileInfo(SourceGif).path());
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QSignalSpy pressed(box.cmdAboutOK(), &QPushButton::pressed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        if (closes)
            QTRY_VERIFY(!box.isVisible());
        else
            QVERIFY(pressed.isEmpty() && box.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
