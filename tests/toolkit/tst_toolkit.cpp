// Faults caught: text printed out of place; lines under the drawing or stale on the still layer beneath a
// moving one; a re-pointed zone file not followed, or a clock ticked by other files beside it; a second clock
// on a display named another way, or none on another display; a colour chooser that remembers custom colours
// or writes them to Qt's configuration file.
#include "toolkit/desktop.h"
#include "toolkit/olecolor.h"
#include "toolkit/singleinstance.h"
#include "toolkit/surface.h"
#include "toolkit/timewatch.h"
#include "toolkit/twips.h"

#include <QtTest>
#include <QtWidgets>

#include <cstdio>
#include <ctime>

using namespace toolkit;
using Change = std::function<void(LineObject *, ShapeObject *)>;
Q_DECLARE_METATYPE(Change)

class TestToolkit : public QObject
{
    Q_OBJECT

    std::unique_ptr<PictureBox> box;
    int d = 1; // device pixels per pixel

    QColor at(const QImage &image, int x, int y) const { return image.pixelColor(x * d, y * d); }
    // A 3 px line between two points given in pixels.
    LineObject *addLine(OleColor color, QLineF px, bool movesOften = false)
    {
        LineObject *line = box->addLine();
        line->setMovesOften(movesOften);
        line->setBorderColor(color);
        line->setBorderWidth(3);
        line->setX1(px.x1() * TwipsPerPixel);
        line->setY1(px.y1() * TwipsPerPixel);
        line->setX2(px.x2() * TwipsPerPixel);
        line->setY2(px.y2() * TwipsPerPixel);
        return line;
    }
private slots:
    void init()
    {
        box = std::make_unique<PictureBox>();
        box->resize(100, 100);
        box->setBackColor(ColorWhite);
        box->setForeColor(ColorRed);
        box->Cls();
        d = int(box->devicePixelRatioF());
    }
    void cleanup() { box.reset(); }

    // "12" printed at (30, 20) px, give or take the glyphs' bearings, then the next line.
    void print()
    {
        box->FontName = QStringLiteral("arial");
        box->FontSize = 8;
        box->CurrentX = 450;
        box->CurrentY = 300;
        box->Print(QStringLiteral("12"));
        QRect ink;
        for (int y = 0; y < box->image().height(); ++y)
            for (int x = 0; x < box->image().width(); ++x)
                if (box->image().pixelColor(x, y) != QColor(Qt::white))
                    ink |= QRect(x, y, 1, 1);
        QVERIFY2(qAbs(ink.left() - 30 * d) <= 2 * d && ink.top() >= 20 * d && ink.top() <= 24 * d && ink.width() >= 8 * d,
                 qPrintable(QStringLiteral("%1, %2 %3 wide").arg(ink.left()).arg(ink.top()).arg(ink.width())));
        QCOMPARE(box->CurrentX, 0.0);
        QVERIFY(box->CurrentY > 300 + 10 * TwipsPerPixel && box->CurrentY < 300 + 20 * TwipsPerPixel);
    }

    // Lines lie above the drawing, a moving line above the still ones, whose layer follows every change under it.
    void layers_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("nothing changed") << Change([](LineObject *, ShapeObject *) {}) << QPoint(30, 50) << QColor(Qt::blue);
        QTest::newRow("still line recoloured") << Change([](LineObject *l, ShapeObject *) { l->setBorderColor(ColorYellow); })
                                               << QPoint(30, 50) << QColor(Qt::yellow);
        QTest::newRow("still line moved away")
            << Change([](LineObject *l, ShapeObject *) { l->setY1(70.5 * 15); l->setY2(70.5 * 15); }) << QPoint(30, 50)
            << QColor(Qt::white);
        QTest::newRow("still line hidden, the drawing under it")
            << Change([](LineObject *l, ShapeObject *) { l->setVisible(false); }) << QPoint(50, 50) << QColor(Qt::red);
        QTest::newRow("ring recoloured") << Change([](LineObject *, ShapeObject *s) { s->setBorderColor(ColorYellow); })
                                         << QPoint(30, 6) << QColor(Qt::yellow);
    }
    void layers()
    {
        QFETCH(Change, change);
        QFETCH(QPoint, point);
        QFETCH(QColor, expected);
        box->DrawWidth = 3;
        box->PSet(50 * 15, 50 * 15);
        ShapeObject *ring = box->addShape();
        ring->setBorderColor(ColorBlue);
        ring->setBorderWidth(4);
        ring->setWidth(100 * TwipsPerPixel);
        ring->setHeight(100 * TwipsPerPixel);
        LineObject *moving = addLine(rgbColor(0, 255, 0), QLineF(30.5, 0, 30.5, 90), true);
        LineObject *still = addLine(ColorBlue, QLineF(10, 50.5, 90, 50.5));
        QCOMPARE(at(box->grab().toImage(), 30, 50), QColor(Qt::green));
        QCOMPARE(at(box->grab().toImage(), 50, 50), QColor(Qt::blue));
        change(still, ring);
        moving->setX1(80.5 * 15); // swings away, uncovering the point
        moving->setX2(80.5 * 15);
        QCOMPARE(at(box->grab().toImage(), point.x(), point.y()), expected);
    }

    // TZ names a zone: once settled it is still one Qt knows, so the other zones' offsets and the chime's hours
    // are reckoned from the right local zone.
    void zoneNamedInTz()
    {
        qputenv("TZ", "Asia/Kolkata");
        TimeWatch::settleZoneVariable();
        tzset();
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(now.offsetFromUtc(), 19800);
        QCOMPARE(now.timeZone().offsetFromUtc(now), 19800);
        qunsetenv("TZ");
        tzset();
    }

    // TZ names a link, re-pointed by a rename as tools do: local time follows at once; a file made and
    // removed beside it ticks nothing.
    void zoneFileWatch()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("localtime");
        QVERIFY(QFile::link("/usr/share/zoneinfo/Europe/Rome", link));
        qputenv("TZ", ":" + QFile::encodeName(link));
        TimeWatch::settleZoneVariable(); // as at start-up
        tzset();
        const auto offset = [](const char *zone) { return QTimeZone(zone).offsetFromUtc(QDateTime::currentDateTimeUtc()); };
        QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), offset("Europe/Rome"));
        TimeWatch watch;
        QSignalSpy ticks(&watch, &TimeWatch::changed);

        // Another watch on the folder tells when the watch has had the folder's news too.
        QFileSystemWatcher folder({dir.path()});
        QSignalSpy folderChanged(&folder, &QFileSystemWatcher::directoryChanged);
        QFile beside(dir.filePath("resolv.conf"));
        QVERIFY(beside.open(QIODevice::WriteOnly) && beside.write("nameserver 10.0.0.1\n") > 0);
        beside.close();
        QVERIFY(beside.remove());
        QVERIFY(folderChanged.wait());
        QCOMPARE(ticks.count(), 0);

        QVERIFY(QFile::link("/usr/share/zoneinfo/Asia/Dhaka", dir.filePath("localtime.new")));
        QCOMPARE(std::rename(QFile::encodeName(dir.filePath("localtime.new")).constData(),
                             QFile::encodeName(link).constData()), 0);
        QVERIFY(ticks.wait());
        QCOMPARE(ticks.count(), 1);
        QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), offset("Asia/Dhaka"));
        qunsetenv("TZ");
        tzset();
    }

    // A copy runs on display :N (N a number no other test run shares). A start on the same display, however
    // named, asks it forward and ends; a start on another display runs; once the first has ended, a start runs.
    void oneCopyPerDisplay_data()
    {
        QTest::addColumn<QString>("spelling"); // %1: N
        QTest::addColumn<bool>("runs");
        QTest::newRow("same name") << ":%1" << false;
        QTest::newRow("with a screen") << ":%1.0" << false;
        QTest::newRow("through unix") << "unix:%1" << false;
        QTest::newRow("another display") << ":1%1" << true;
        QTest::newRow("another host") << "elsewhere:%1" << true;
    }
    void oneCopyPerDisplay()
    {
        QFETCH(QString, spelling);
        QFETCH(bool, runs);
        const QString number = QString::number(QCoreApplication::applicationPid());
        auto first = std::make_unique<SingleInstance>("tst_toolkit", ":" + number);
        QVERIFY(first->claim());
        QSignalSpy forward(first.get(), &SingleInstance::activationRequested);
        std::atomic<int> second = -1;
        // The running copy answers from its event loop, which runs while this one waits.
        std::unique_ptr<QThread> start(QThread::create([&] {
            second = SingleInstance("tst_toolkit", spelling.arg(number)).claim();
        }));
        start->start();
        QTRY_VERIFY_WITH_TIMEOUT(start->isFinished(), 20000);
        QCOMPARE(second.load(), int(runs));
        QCOMPARE(forward.count(), runs ? 0 : 1);
        first.reset();
        QVERIFY(SingleInstance("tst_toolkit", ":" + number).claim());
    }

    // A custom colour added in the chooser is gone at the next opening, whose table is all black, and
    // nothing is written under the user's configuration folder.
    void colourChooserKeepsNothing()
    {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
        QList<QRgb> table;
        // Acts in the chooser once it is open: adds a custom colour and takes it, or reads the table and cancels.
        const auto inChooser = [&](bool add) {
            auto *poll = new QTimer(this);
            connect(poll, &QTimer::timeout, this, [&table, poll, add] {
                auto *chooser = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
                if (!chooser)
                    return;
                poll->deleteLater();
                for (int i = 0; i < QColorDialog::customCount(); ++i)
                    table << QColorDialog::customColor(i).rgb();
                if (!add) {
                    chooser->reject();
                    return;
                }
                chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
                for (QPushButton *button : chooser->findChildren<QPushButton *>())
                    if (button->text().contains("Custom"))
                        button->click();
                chooser->accept();
            });
            poll->start(10);
        };
        inChooser(true);
        QCOMPARE(desktop().chooseColor(nullptr), std::optional<QColor>(QColor(0x12, 0x34, 0x56)));
        table.clear();
        inChooser(false);
        QCOMPARE(desktop().chooseColor(nullptr), std::nullopt);
        QCOMPARE(table, QList<QRgb>(QColorDialog::customCount(), QColor(Qt::black).rgb()));
        QDirIterator written(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QVERIFY2(!written.hasNext(), qPrintable(written.hasNext() ? written.next() : QString()));
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
