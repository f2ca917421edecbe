// Faults caught: a zone line with the wrong time, offset, sign or day across either zone's summer-time change
// or at a half-hour offset; hand-edited settings taken as they are or fatal, labels cut at a comma; a chime
// missing, doubled or late around a change of offset, in quiet hours, after a jump or a sleep, or a wake-up
// asked for while the chime is off; a city the page cannot find.
#include "tests/support/fakedesktop.h"
#include "tests/support/optionsfixture.h"
#include "toolkit/conffile.h"
#include "toolkit/eventsound.h"
#include "worldclock/chime.h"
#include "worldclock/zoneline.h"
#include "worldclock/zonespage.h"

#include <QtTest>
#include <QtWidgets>

using namespace worldclock;

namespace {

const QTimeZone Rome("Europe/Rome");

QDateTime rome(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Rome);
}

struct CountingSound : toolkit::EventSound
{
    CountingSound() { toolkit::setEventSound(this); }
    ~CountingSound() override { toolkit::setEventSound(nullptr); }
    void play(const QString &eventId, const QString &) override { played << eventId; }
    QStringList played;
};

enum class Then { Wake, LateWake, Jump };

} // namespace

Q_DECLARE_METATYPE(Then)

class tst_worldclock : public QObject
{
    Q_OBJECT

private slots:
    void zoneLine_data()
    {
        QTest::addColumn<QDateTime>("instant");
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("line");
        QTest::newRow("New York between the two changes") << rome(2026, 3, 20, 12, 0) << QByteArray("America/New_York")
                                                          << "Ufficio NY  07:00  \u22125 h";
        QTest::newRow("New York after both") << rome(2026, 4, 10, 12, 0) << QByteArray("America/New_York")
                                             << "Ufficio NY  06:00  \u22126 h";
        QTest::newRow("New York on the day before") << rome(2026, 3, 20, 0, 30) << QByteArray("America/New_York")
                                                    << "Ufficio NY  19:30  \u22125 h  \u22121";
        QTest::newRow("half an hour") << rome(2026, 3, 20, 12, 0) << QByteArray("Asia/Kolkata")
                                      << "Ufficio NY  16:30  +4:30 h";
        QTest::newRow("the next day") << rome(2026, 3, 20, 12, 0) << QByteArray("Pacific/Kiritimati")
                                      << "Ufficio NY  01:00  +13 h  +1";
        QTest::newRow("the same zone") << rome(2026, 7, 1, 9, 5) << QByteArray("Europe/Rome") << "Ufficio NY  09:05  0 h";
    }
    void zoneLine()
    {
        QFETCH(QDateTime, instant);
        QFETCH(QByteArray, zone);
        QFETCH(QString, line);
        // The same instant given in UTC: only the zones passed count, never the machine's.
        QCOMPARE(worldclock::zoneLine({zone, "Ufficio NY"}, instant.toUTC(), Rome), line);
    }

    void readAndWrite_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("zones");     // id|label as read
        QTest::addColumn<QList<int>>("chime");      // enabled, strokes, from, to; second hand
        QTest::newRow("no file") << QByteArray() << QStringList() << QList<int>{0, 0, 22, 8, 0};
        QTest::newRow("as written") << QByteArray("[Zones]\nList=America/New_York|Ufficio NY, \"Asia/Kolkata|Mamma, casa\"\n"
                                                  "SecondHand=true\n[Chime]\nEnabled=true\nSound=strokes\nQuietFrom=23\nQuietTo=6\n")
                                    << QStringList{"America/New_York|Ufficio NY", "Asia/Kolkata|Mamma, casa"}
                                    << QList<int>{1, 1, 23, 6, 1};
        QTest::newRow("hand-edited nonsense") << QByteArray("[Zones]\nList=Mars/Olympus|Base, Europe/Rome, |x\nSecondHand=maybe\n"
                                                            "[Chime]\nEnabled=yes\nSound=gong\nQuietFrom=24\nQuietTo=-1\n")
                                              << QStringList{"Europe/Rome|Rome"} << QList<int>{1, 0, 22, 8, 0};
    }
    void readAndWrite()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, zones);
        QFETCH(QList<int>, chime);
        QTemporaryDir dir;
        const QString path = dir.filePath("Tickora.conf");
        if (!text.isEmpty())
            QVERIFY(writeFile(path, text));
        const ZoneOptions zoneOptions = ZoneOptions::read(toolkit::ConfFile(path));
        const ChimeOptions chimeOptions = ChimeOptions::read(toolkit::ConfFile(path));
        QStringList read;
        for (const WorldZone &zone : zoneOptions.zones)
            read << QString::fromUtf8(zone.id) + '|' + zone.label;
        QCOMPARE(read, zones);
        QCOMPARE((QList<int>{chimeOptions.enabled, int(chimeOptions.sound), chimeOptions.quietFrom, chimeOptions.quietTo,
                             zoneOptions.secondHand}),
                 chime);

        // Written and read again, nothing changes.
        toolkit::ConfFile file(path);
        zoneOptions.write(file);
        chimeOptions.write(file);
        QVERIFY(file.save());
        QCOMPARE(ZoneOptions::read(toolkit::ConfFile(path)), zoneOptions);
        QCOMPARE(ChimeOptions::read(toolkit::ConfFile(path)), chimeOptions);
    }

    // The chimes that follow a moment: UTC time and strokes.
    void chimeTable_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QList<int>>("quiet"); // from, to
        QTest::addColumn<QStringList>("chimes");
        QTest::newRow("clocks go back: 02:00 once") << rome(2026, 10, 25, 0, 30) << QList<int>{0, 0}
            << QStringList{"2026-10-24T23:00:00Z 1", "2026-10-25T00:00:00Z 2", "2026-10-25T02:00:00Z 3", "2026-10-25T03:00:00Z 4"};
        QTest::newRow("clocks go forward: 03:00 after 01:00") << rome(2026, 3, 29, 0, 30) << QList<int>{0, 0}
            << QStringList{"2026-03-29T00:00:00Z 1", "2026-03-29T01:00:00Z 3", "2026-03-29T02:00:00Z 4"};
        QTest::newRow("quiet from 22 to 8") << rome(2026, 3, 20, 20, 30) << QList<int>{22, 8}
            << QStringList{"2026-03-20T20:00:00Z 9", "2026-03-21T07:00:00Z 8", "2026-03-21T08:00:00Z 9"};
        QTest::newRow("quiet within the day") << rome(2026, 3, 20, 12, 0) << QList<int>{13, 15}
            << QStringList{"2026-03-20T14:00:00Z 3"};
        QTest::newRow("a zone half an hour off") << QDateTime(QDate(2026, 3, 20), QTime(10, 10), QTimeZone("Asia/Kolkata"))
                                                 << QList<int>{0, 0} << QStringList{"2026-03-20T05:30:00Z 11"};
    }
    void chimeTable()
    {
        QFETCH(QDateTime, start);
        QFETCH(QList<int>, quiet);
        QFETCH(QStringList, chimes);
        ChimeOptions options;
        options.quietFrom = quiet[0];
        options.quietTo = quiet[1];
        QStringList found;
        QDateTime t = start;
        while (found.size() < chimes.size()) {
            t = nextChime(t, start.timeZone(), options);
            QVERIFY(t.isValid());
            found << t.toUTC().toString(Qt::ISODate) + ' ' + QString::number(strokesFor(t, start.timeZone()));
        }
        QCOMPARE(found, chimes);
    }

    // The chime through the program's one wake-up, heard at the sound seam.
    void strikes_data()
    {
        QTest::addColumn<bool>("strokes");
        QTest::addColumn<Then>("then");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<int>("heard");
        QTest::addColumn<QDateTime>("nextWake");
        const QDateTime next = rome(2026, 3, 20, 16, 0);
        QTest::newRow("the hour in strokes") << true << Then::Wake << QDateTime() << 3 << next;
        QTest::newRow("the bell") << false << Then::Wake << QDateTime() << 1 << next;
        QTest::newRow("woken late by a busy machine") << true << Then::LateWake << rome(2026, 3, 20, 15, 0, 20) << 3 << next;
        QTest::newRow("resumed after the hour") << true << Then::LateWake << rome(2026, 3, 20, 15, 40) << 0 << next;
        QTest::newRow("clock set forward over an hour") << true << Then::Jump << rome(2026, 3, 20, 16, 30) << 0
                                                        << rome(2026, 3, 20, 17, 0);
        QTest::newRow("clock set back") << true << Then::Jump << rome(2026, 3, 20, 13, 10) << 0 << rome(2026, 3, 20, 14, 0);
    }
    void strikes()
    {
        QFETCH(bool, strokes);
        QFETCH(Then, then);
        QFETCH(QDateTime, at);
        QFETCH(int, heard);
        QFETCH(QDateTime, nextWake);
        FakeDesktop fake;
        CountingSound sound;
        fake.time = rome(2026, 3, 20, 14, 59, 50);
        Chime chime;
        chime.setOptions({});
        QVERIFY(!fake.wake.isValid()); // off: nothing asked of the desktop
        ChimeOptions options;
        options.enabled = true;
        options.sound = strokes ? ChimeOptions::Sound::Strokes : ChimeOptions::Sound::Bell;
        chime.setOptions(options);
        QCOMPARE(fake.wake, rome(2026, 3, 20, 15, 0));

        if (then == Then::Wake) {
            fake.fireWake();
        } else if (then == Then::LateWake) {
            fake.time = at;
            emit toolkit::desktopEvents().wake();
        } else {
            fake.jumpTo(at);
        }
        QTRY_COMPARE_WITH_TIMEOUT(sound.played.size(), heard, 20000);
        QVERIFY(!chime.striking());
        QCOMPARE(sound.played, QStringList(heard, "bell"));
        QCOMPARE(fake.wake, nextWake);
    }

    void citiesFound_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("offered"); // the first completion
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("three parts, a space for the underscore") << "buenos aires" << "Buenos Aires (America/Argentina/Buenos_Aires)"
                                                                 << QByteArray("America/Argentina/Buenos_Aires");
    }
    void citiesFound()
    {
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        QFETCH(QByteArray, zone);
        ZonesPage page({});
        QCompleter *completer = page.cityEdit()->completer();
        completer->setCompletionPrefix(typed);
        QCOMPARE(completer->currentCompletion(), offered);
        QCOMPARE(ZonesPage::zoneIdFor(typed), zone);
        QCOMPARE(ZonesPage::zoneIdFor(offered), zone);
    }

    // Add, edit and remove as a user does; each tells the host.
    void zonesEdited()
    {
        ZonesPage page({});
        QSignalSpy changed(&page, &ZonesPage::changed);
        QTest::keyClicks(page.cityEdit(), "kolkata");
        QTest::keyClicks(page.labelEdit(), "Mumbai");
        page.addButton()->click();
        page.cityEdit()->setText("new york");
        page.labelEdit()->clear();
        page.addButton()->click();
        QCOMPARE(page.options().zones, (QList<WorldZone>{{"Asia/Kolkata", "Mumbai"}, {"America/New_York", "New York"}}));
        page.list()->setCurrentRow(0);
        QCOMPARE(page.cityEdit()->text(), "Kolkata (Asia/Kolkata)");
        page.labelEdit()->setText("Ufficio");
        page.editButton()->click();
        page.list()->setCurrentRow(1);
        page.removeButton()->click();
        QCOMPARE(page.options().zones, (QList<WorldZone>{{"Asia/Kolkata", "Ufficio"}}));
        page.cityEdit()->setText("Atlantide");
        page.addButton()->click();
        QCOMPARE(page.options().zones.size(), 1);
        QCOMPARE(changed.count(), 4);
    }
};

QTEST_MAIN(tst_worldclock)
#include "tst_worldclock.moc"
