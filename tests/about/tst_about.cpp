// Faults caught: an About box off-centre or with cut-off texts; links that open the wrong address, or open it
// behind the box; an animation that is not found beside the program or
// in the data folder, or does not move, or breaks the box.
#include "tests/support/fakedesktop.h"
#include "about/frmabout.h"
#include "about/gifview.h"
#include "about/linklabel.h"
#include "tests/support/optionsfixture.h"
#include "about/surfaceframe.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString SourceGif = QStringLiteral(TICKORA_ASSETS_DIR "/About.gif");

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
    // The box stands in the middle of the screen, whatever its size, and no text is cut off.
    void placedInTheMiddleWithWholeTexts_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1280 x 1024") << QSize(1280, 1024);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080);
    }
    void placedInTheMiddleWithWholeTexts()
    {
        QFETCH(QSize, screen);
        FakeDesktop fake;
        fake.screen = screen;
        frmAbout box(QFileInfo(SourceGif).path());
        const QRect r = box.geometry();
        QVERIFY2(qAbs(r.left() - (screen.width() - 1 - r.right())) <= 1
                     && qAbs(r.top() - (screen.height() - 1 - r.bottom())) <= 1,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
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

    // The animation beside the program, else in the installed data folder; missing or broken, the box works without.
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
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
