// Replays the fuzzing seed corpus through the file reader.
#include "settings/optionsfile.h"
#include "toolkit/val.h"

#include <QDir>
#include <QTest>

class TestOptionsCorpus : public QObject
{
    Q_OBJECT

private slots:
    void corpus_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(TICKORA_CORPUS_DIR));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void corpus()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const settings::OptionsRecord r = settings::readOptions(file.readAll());
        QVERIFY(r.Translucent >= 0 && r.Translucent <= 255);
        for (int state : {r.BringToFront, r.AutoHide, r.HideBar, r.ViewDate, r.ViewBorder, r.ViewTextHours, r.ViewSecond})
            QVERIFY(state == 0 || state == 1);
        // A width text that reads as 0 is kept (the main window makes it "1");
        // the dial always gets 1..80.
        const double width = toolkit::Val(r.BorderWidth);
        QVERIFY(width >= 0 && width <= 80);
        const int shown = settings::borderWidthFromText(r.BorderWidth);
        QVERIFY(shown >= 1 && shown <= 80);
        // Saved and read back: the same record, the width text as the file
        // can hold it.
        settings::OptionsRecord expected = r;
        expected.BorderWidth = settings::storableBorderWidth(r.BorderWidth);
        QCOMPARE(settings::readOptions(settings::formatOptions(r, settings::KeySet::Saved)), expected);
    }
};

QTEST_MAIN(TestOptionsCorpus)
#include "tst_optionscorpus.moc"
