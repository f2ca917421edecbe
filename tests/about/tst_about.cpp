#include "fakedesktop.h"
#include "frmabout.h"
#include "gifview.h"
#include "linklabel.h"
#include "surfaceframe.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SourceAssets = QStringLiteral(TICKORA_ASSETS_DIR);
const QColor Blue(0, 0, 0xC0);
const QColor Red(0xFF, 0, 0);

// Notes whether the box was still on screen when a link was handed over.
class LinkDesktop : public FakeDesktop
{
public:
    const QWidget *box = nullptr;
    QVector<bool> boxVisibleAtOpen;

    void openUrl(const QUrl &url) override
    {
        boxVisibleAtOpen.push_back(box && box->isVisible());
        FakeDesktop::openUrl(url);
    }
};

QColor textColor(const QWidget *w) { return w->palette().color(QPalette::WindowText); }
bool underlined(const QWidget *w) { return w->font().underline(); }

// Points over an element, or over the bare surface of the window or frame.
QPair<QWidget *, QPoint> spot(frmAbout &box, const QString &where)
{
    if (where == QLatin1String("window"))
        return {&box, QPoint(3, 100)};
    if (where == QLatin1String("between"))
        return {&box, QPoint(box.Frame1()->x() - 3, 100)};
    if (where == QLatin1String("frame"))
        return {box.Frame1(), QPoint(3, 70)};
    if (where == QLatin1String("link0"))
        return {box.lblIperText(0), QPoint(4, 4)};
    if (where == QLatin1String("link1"))
        return {box.lblIperText(1), QPoint(4, 4)};
    auto *w = box.findChild<QWidget *>(where);
    return {w, w ? w->rect().center() : QPoint()};
}

bool showAndActivate(QDialog &box)
{
    box.show();
    box.activateWindow();
    return QTest::qWaitForWindowActive(&box);
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void placement_data();
    void placement();
    void pictures_data();
    void pictures();
    void links_data();
    void links();
    void highlight_data();
    void highlight();
    void animation_data();
    void animation();
    void animationFolder_data();
    void animationFolder();
    void keyboard_data();
    void keyboard();
    void closeBoxCloses();
};

void TestAbout::texts_data()
{
    QTest::addColumn<QString>("element"); // empty: the window
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("expected");

    QTest::newRow("caption") << QString() << QByteArray("windowTitle") << "About Plomb Tickora 1.0";
    QTest::newRow("name and version") << "lblAppName" << QByteArray("text") << "Plomb Tickora 1.0";
    QTest::newRow("year") << "lblAnno" << QByteArray("text") << "2003";
    QTest::newRow("author") << "Label2" << QByteArray("text") << "Marta Ferrandi";
    QTest::newRow("site caption") << "Label5" << QByteArray("text") << "Sito:";
    QTest::newRow("mail caption") << "Label6" << QByteArray("text") << "E-m@il:";
    QTest::newRow("site link") << "lblIperText_0" << QByteArray("text") << "tickora.example";
    QTest::newRow("site address") << "lblIperText_0" << QByteArray("toolTip") << "https://tickora.example/";
    QTest::newRow("mail link") << "lblIperText_1" << QByteArray("text") << "mf@example.org";
    QTest::newRow("mail tip") << "lblIperText_1" << QByteArray("toolTip") << "Invia una E-mail all'autore";
    QTest::newRow("button") << "cmdAboutOK" << QByteArray("text") << "&OK";
}

void TestAbout::texts()
{
    QFETCH(QString, element);
    QFETCH(QByteArray, property);
    QFETCH(QString, expected);

    FakeDesktop fake;
    frmAbout box(SourceAssets);
    QObject *target = element.isEmpty() ? static_cast<QObject *>(&box) : box.findChild<QObject *>(element);
    QVERIFY2(target, qPrintable(element));
    QCOMPARE(target->property(property.constData()).toString(), expected);

    // A label's text is not cut off at its right edge.
    if (const auto *label = qobject_cast<const QLabel *>(target); label && property == "text")
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
}

void TestAbout::placement_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("topLeft");

    // 6510 x 3195 twips are 434 x 213 pixels.
    QTest::newRow("1280x1024") << QSize(1280, 1024) << QPoint(423, 405);
    QTest::newRow("800x600") << QSize(800, 600) << QPoint(183, 193);
}

void TestAbout::placement()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, topLeft);

    FakeDesktop fake;
    fake.screen = screen;
    frmAbout box(SourceAssets);
    QCOMPARE(box.pos(), topLeft);
    QCOMPARE(box.minimumSize(), QSize(434, 213));
    QCOMPARE(box.maximumSize(), QSize(434, 213));

    const Qt::WindowFlags flags = box.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!box.windowIcon().isNull());
}

void TestAbout::pictures_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size"); // invalid: no picture

    QTest::newRow("title") << 1 << QSize(300, 80);
    QTest::newRow("pointer") << 2 << QSize(32, 32);
    QTest::newRow("before the first") << 0 << QSize();
    QTest::newRow("after the last") << 3 << QSize();
}

void TestAbout::pictures()
{
    QFETCH(int, index);
    QFETCH(QSize, size);

    FakeDesktop fake;
    frmAbout box(SourceAssets);
    QCOMPARE(box.imgList().count(), 2);
    const QPixmap picture = box.imgList().picture(index);
    QCOMPARE(picture.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(picture.size(), size);

    // The title element shows picture 1; both links wear the hand from picture 2.
    QCOMPARE(box.ImageTitle()->pixmap().toImage(), box.imgList().picture(1).toImage());
    for (int link = 0; link < frmAbout::LinkCount; ++link) {
        const QCursor cursor = box.lblIperText(link)->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(5, 0));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    }
}

void TestAbout::links_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<QString>("url"); // empty: nothing is opened

    QTest::newRow("site") << 0 << false << "https://tickora.example/";
    QTest::newRow("mail") << 1 << false << "mailto:mf@example.org";
    QTest::newRow("site, clicked") << 0 << true << "https://tickora.example/";
    QTest::newRow("mail, clicked") << 1 << true << "mailto:mf@example.org";
    QTest::newRow("index 2") << 2 << false << QString();
    QTest::newRow("index -1") << -1 << false << QString();
}

void TestAbout::links()
{
    QFETCH(int, index);
    QFETCH(bool, byMouse);
    QFETCH(QString, url);

    LinkDesktop fake;
    frmAbout box(SourceAssets);
    fake.box = &box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    if (byMouse)
        QTest::mouseClick(box.lblIperText(index), Qt::LeftButton, {}, QPoint(4, 4));
    else
        box.lblIperText_Click(index);

    if (url.isEmpty()) {
        QVERIFY(fake.openedUrls.isEmpty());
        QVERIFY(box.isVisible());
        return;
    }
    QCOMPARE(fake.openedUrls, QVector<QUrl>{QUrl(url)});
    QCOMPARE(fake.boxVisibleAtOpen, QVector<bool>{false});
    QVERIFY(!box.isVisible());
}

void TestAbout::highlight_data()
{
    QTest::addColumn<QStringList>("path");      // where the mouse goes, in order
    QTest::addColumn<bool>("plainPointer0");    // link 0 wears the arrow, not the hand
    QTest::addColumn<bool>("othersTrack");      // the other elements see every move too
    QTest::addColumn<QColor>("color0");
    QTest::addColumn<bool>("underline0");
    QTest::addColumn<QColor>("color1");
    QTest::addColumn<bool>("underline1");

    const auto path = [](std::initializer_list<const char *> spots) {
        QStringList list;
        for (const char *s : spots)
            list << QString::fromLatin1(s);
        return list;
    };
    QTest::newRow("at rest") << QStringList() << false << false << Blue << false << Blue << false;
    QTest::newRow("over site link") << path({"link0"}) << false << false << Red << true << Blue << false;
    QTest::newRow("over mail link") << path({"link1"}) << false << false << Blue << false << Red << true;
    QTest::newRow("arrow pointer: underline only") << path({"link0"}) << true << false << Blue << true << Blue << false;
    QTest::newRow("frame surface clears") << path({"link0", "frame"}) << false << false << Blue << false << Blue << false;
    QTest::newRow("window surface clears") << path({"link1", "window"}) << false << false << Blue << false << Blue << false;
    QTest::newRow("gap between clears") << path({"link0", "between"}) << false << false << Blue << false << Blue << false;
    QTest::newRow("across the frame") << path({"link0", "frame", "link1"}) << false << false << Blue << false << Red << true;
    QTest::newRow("Label5 keeps") << path({"link0", "Label5"}) << false << false << Red << true << Blue << false;
    QTest::newRow("Label6 keeps") << path({"link1", "Label6"}) << false << false << Blue << false << Red << true;
    QTest::newRow("name keeps") << path({"link0", "lblAppName"}) << false << false << Red << true << Blue << false;
    QTest::newRow("animation keeps") << path({"link0", "Gif"}) << false << false << Red << true << Blue << false;
    QTest::newRow("title keeps") << path({"link1", "ImageTitle"}) << false << false << Blue << false << Red << true;
    QTest::newRow("button keeps") << path({"link1", "cmdAboutOK"}) << false << false << Blue << false << Red << true;
    QTest::newRow("link to link") << path({"link0", "link1"}) << false << false << Red << true << Red << true;
    QTest::newRow("tracking Label5 keeps") << path({"link0", "Label5"}) << false << true << Red << true << Blue << false;
    QTest::newRow("tracking year keeps") << path({"link1", "lblAnno"}) << false << true << Blue << false << Red << true;
    QTest::newRow("tracking animation keeps") << path({"link0", "Gif"}) << false << true << Red << true << Blue << false;
    QTest::newRow("tracking button keeps") << path({"link1", "cmdAboutOK"}) << false << true << Blue << false << Red << true;
    QTest::newRow("tracking, frame clears") << path({"link0", "frame"}) << false << true << Blue << false << Blue << false;
    QTest::newRow("tracking, window clears") << path({"link0", "window"}) << false << true << Blue << false << Blue << false;
}

void TestAbout::highlight()
{
    QFETCH(QStringList, path);
    QFETCH(bool, plainPointer0);
    QFETCH(bool, othersTrack);
    QFETCH(QColor, color0);
    QFETCH(bool, underline0);
    QFETCH(QColor, color1);
    QFETCH(bool, underline1);

    FakeDesktop fake;
    frmAbout box(SourceAssets);
    if (plainPointer0)
        box.lblIperText(0)->setCursor(Qt::ArrowCursor);
    if (othersTrack) {
        // Moves over them then travel on to their container.
        for (QWidget *w : box.findChildren<QWidget *>())
            w->setMouseTracking(true);
    }
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    for (const QString &where : path) {
        const auto [widget, pos] = spot(box, where);
        QVERIFY2(widget, qPrintable(where));
        QTest::mouseMove(widget, pos);
    }

    QCOMPARE(textColor(box.lblIperText(0)), color0);
    QCOMPARE(underlined(box.lblIperText(0)), underline0);
    QCOMPARE(textColor(box.lblIperText(1)), color1);
    QCOMPARE(underlined(box.lblIperText(1)), underline1);
}

void TestAbout::animation_data()
{
    QTest::addColumn<QByteArray>("content"); // "copy": the program's animation
    QTest::addColumn<bool>("trailingSeparator");
    QTest::addColumn<bool>("plays");

    QTest::newRow("present") << QByteArray("copy") << false << true;
    QTest::newRow("directory ending in a separator") << QByteArray("copy") << true << true;
    QTest::newRow("missing") << QByteArray() << false << false;
    QTest::newRow("broken") << QByteArray("GIF89a not really") << false << false;
}

void TestAbout::animation()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, trailingSeparator);
    QFETCH(bool, plays);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString gifPath = dir.filePath(QStringLiteral("About.gif"));
    if (content == "copy") {
        QVERIFY(QFile::copy(SourceAssets + QStringLiteral("/About.gif"), gifPath));
    } else if (!content.isEmpty()) {
        QFile file(gifPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    FakeDesktop fake;
    frmAbout box(dir.path() + (trailingSeparator ? QStringLiteral("/") : QString()));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QMovie *movie = box.Gif()->movie();

    if (plays) {
        QVERIFY(movie);
        QVERIFY(movie->frameCount() > 1);
        QCOMPARE(movie->state(), QMovie::Running);
        const QSize shown = movie->currentPixmap().size();
        QVERIFY(shown.width() <= 197 && shown.height() <= 153);
        const int first = movie->currentFrameNumber();
        QSignalSpy frames(movie, &QMovie::frameChanged);
        QVERIFY(frames.wait());
        QTRY_VERIFY(movie->currentFrameNumber() != first);
    } else {
        QVERIFY(!movie);
        QVERIFY(box.Gif()->pixmap().isNull());
    }

    // The rest of the box works either way.
    QCOMPARE(box.lblAppName()->text(), QStringLiteral("Plomb Tickora 1.0"));
    QVERIFY(fake.messages.isEmpty());
    QTest::mouseClick(box.cmdAboutOK(), Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

void TestAbout::animationFolder_data()
{
    QTest::addColumn<bool>("beside");    // About.gif in the program's directory
    QTest::addColumn<bool>("installed"); // About.gif in the installed data folder
    QTest::addColumn<QString>("expected"); // "beside" or "installed"
    QTest::addColumn<bool>("plays");

    QTest::newRow("beside the program") << true << false << QStringLiteral("beside") << true;
    QTest::newRow("installed data folder") << false << true << QStringLiteral("installed") << true;
    QTest::newRow("both: beside wins") << true << true << QStringLiteral("beside") << true;
    QTest::newRow("neither") << false << false << QStringLiteral("beside") << false;
}

void TestAbout::animationFolder()
{
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(QString, expected);
    QFETCH(bool, plays);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString programDir = root.filePath(QStringLiteral("bin"));
    const QString dataDir = QDir::cleanPath(programDir + QLatin1Char('/') + QLatin1String(frmAbout::InstalledDataFolder));
    QVERIFY(QDir().mkpath(programDir));
    QVERIFY(QDir().mkpath(dataDir));
    QVERIFY(!dataDir.startsWith(programDir));
    const QString besidePath = programDir + QStringLiteral("/About.gif");
    const QString installedPath = dataDir + QStringLiteral("/About.gif");
    if (beside)
        QVERIFY(QFile::copy(SourceAssets + QStringLiteral("/About.gif"), besidePath));
    if (installed)
        QVERIFY(QFile::copy(SourceAssets + QStringLiteral("/About.gif"), installedPath));

    FakeDesktop fake;
    frmAbout box(programDir);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const QString shown = QDir::cleanPath(box.Gif()->fileName());
    QCOMPARE(shown, expected == QLatin1String("beside") ? besidePath : installedPath);
    QCOMPARE(box.Gif()->movie() != nullptr, plays);
    if (plays)
        QCOMPARE(box.Gif()->movie()->state(), QMovie::Running);
}

void TestAbout::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Alt+O") << int(Qt::Key_O) << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
    QTest::newRow("O alone") << int(Qt::Key_O) << Qt::KeyboardModifiers() << false;
}

void TestAbout::keyboard()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, closes);

    FakeDesktop fake;
    frmAbout box(SourceAssets);
    QVERIFY(showAndActivate(box));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(box.cmdAboutOK()));

    // An access key presses the button and lets it go a moment later.
    QSignalSpy pressed(box.cmdAboutOK(), &QPushButton::pressed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    if (closes) {
        QTRY_VERIFY(!box.isVisible());
    } else {
        QCOMPARE(pressed.count(), 0);
        QVERIFY(box.isVisible());
    }
}

void TestAbout::closeBoxCloses()
{
    FakeDesktop fake;
    frmAbout box(SourceAssets);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.close());
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
