#include "tickoraassets.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

const QString SourceAssets = QStringLiteral(TICKORA_ASSETS_DIR);

// The JPEG markers that start a frame: baseline (SOF0) and progressive (SOF2).
bool hasMarker(const QByteArray &jpeg, char marker)
{
    return jpeg.contains(QByteArray("\xFF", 1) + marker);
}

} // namespace

class TestAboutAssets : public QObject
{
    Q_OBJECT

private slots:
    // First: it needs a process that has read no picture yet.
    void startPicturesLoadNoOtherDecoder();
    void pictures_data();
    void pictures();
    void pointerHotSpot();
    void animation();
};

// The pictures the clock shows from its start are read by their own
// decoder alone: no other image plugin (nor its library) is loaded.
void TestAboutAssets::startPicturesLoadNoOtherDecoder()
{
    QCOMPARE(assets::picture(assets::BarPicture, "png").size(), QSize(20, 2000));
    QVERIFY(!assets::windowIcon().isNull());

    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    for (const char *plugin : {"libqjpeg", "libqgif", "libqico", "libjpeg"})
        QVERIFY2(!mapped.contains(plugin), plugin);
}

void TestAboutAssets::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("alpha");
    QTest::addColumn<bool>("colour");

    QTest::newRow("bar") << assets::BarPicture << QByteArray("png") << QSize(20, 2000) << false << true;
    QTest::newRow("icon") << assets::WindowIcon << QByteArray("png") << QSize(32, 32) << true << true;
    QTest::newRow("title") << assets::TitlePicture << QByteArray("jpeg") << QSize(300, 80) << false << true;
    QTest::newRow("pointer") << assets::LinkPointer << QByteArray("png") << QSize(32, 32) << true << false;
    QTest::newRow("desktop icon") << SourceAssets + QStringLiteral("/tickora-256.png") << QByteArray("png")
                                  << QSize(256, 256) << true << true;
}

void TestAboutAssets::pictures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(bool, alpha);
    QFETCH(bool, colour);

    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), alpha);
    QCOMPARE(!image.isGrayscale(), colour);
    if (format == "jpeg") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray jpeg = file.readAll();
        QVERIFY(hasMarker(jpeg, '\xC0'));
        QVERIFY(!hasMarker(jpeg, '\xC2'));
    }
}

void TestAboutAssets::pointerHotSpot()
{
    const QImage hand(assets::LinkPointer);
    // The fingertip touches the hot spot; the top row is otherwise empty
    // around it and the corner beside the finger is clear.
    QCOMPARE(qAlpha(hand.pixel(assets::LinkPointerHotX, assets::LinkPointerHotY)), 255);
    QCOMPARE(qAlpha(hand.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(hand.pixel(31, 0)), 0);
    QCOMPARE(qAlpha(hand.pixel(20, 3)), 0);
}

void TestAboutAssets::animation()
{
    QImageReader reader(SourceAssets + QStringLiteral("/About.gif"));
    QCOMPARE(reader.format(), QByteArray("gif"));
    QVERIFY(reader.supportsAnimation());
    const int frames = reader.imageCount();
    QVERIFY(frames >= 8 && frames <= 24);
    QCOMPARE(reader.loopCount(), -1); // for ever

    QImage first;
    bool changes = false;
    for (int i = 0; i < frames; ++i) {
        const QImage frame = reader.read();
        QVERIFY2(!frame.isNull(), qPrintable(reader.errorString()));
        QVERIFY(frame.width() <= 197 && frame.height() <= 153);
        if (i == 0)
            first = frame;
        else
            changes = changes || frame != first;
    }
    QVERIFY(changes);
}

QTEST_MAIN(TestAboutAssets)
#include "tst_about_assets.moc"
