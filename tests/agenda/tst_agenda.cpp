// Faults caught: recurrences expanded wrong (an EXDATE or a moved occurrence kept, a rule run past its UNTIL, the
// New York event at a fixed Italian hour across the two summer-time changes, a floating time shifted by the zone),
// all-day events losing a day at a month's end, all-day not first; times not redrawn after a zone change; a bad
// file hiding the good ones, left unnamed, or written to; a reminder early, late, twice, or one per missed
// occurrence after a sleep; a change on disk not followed; Tickora.conf lists read out of step.
#include "agenda/agenda.h"
#include "agenda/agendapage.h"
#include "agenda/agendaview.h"
#include "agenda/icsreader.h"
#include "agenda/notifier.h"
#include "agenda/reminders.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/notificationserver.h"
#include "tests/support/optionsfixture.h"
#include "toolkit/conffile.h"

#include <QtTest>
#include <QtWidgets>
#include <QDBusConnectionInterface>

#include <ctime>
#include <unistd.h>

using agenda::Agenda;
using agenda::AgendaOptions;

namespace {

const QString DataDir = QStringLiteral(TICKORA_AGENDA_DATA_DIR);
const QString CorpusDir = QStringLiteral(TICKORA_AGENDA_CORPUS_DIR);

class RecordingNotifier : public agenda::Notifier
{
public:
    QStringList shown; // "title | body"
    void notify(const QString &title, const QString &body) override { shown << title + QStringLiteral(" | ") + body; }
};

AgendaOptions sourcesOf(const QStringList &paths)
{
    AgendaOptions options;
    for (int i = 0; i < paths.size(); ++i)
        options.sources.push_back({paths.at(i), AgendaOptions::defaultColor(i), true});
    return options;
}

QStringList texts(const QList<agenda::DayLine> &lines)
{
    QStringList result;
    for (const agenda::DayLine &line : lines)
        result << line.text;
    return result;
}

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

} // namespace

class tst_agenda : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<RecordingNotifier> notifier;
    std::unique_ptr<Agenda> agenda;

    // Reads the sources as the program does and waits for the result.
    void load(const QStringList &paths, QDate shownMonth = QDate(2026, 3, 1))
    {
        agenda = std::make_unique<Agenda>(notifier.get());
        agenda->setShownMonth(shownMonth);
        QSignalSpy read(agenda.get(), &Agenda::changed);
        agenda->setOptions(sourcesOf(paths));
        QVERIFY(read.wait(10000));
    }
    // Waits until a reading started by something else has ended.
    void waitForReading()
    {
        QSignalSpy read(agenda.get(), &Agenda::changed);
        QVERIFY(read.wait(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!agenda->isReading(), 10000);
    }

private slots:
    void init()
    {
        setZone("Europe/Rome");
        fake = std::make_unique<FakeDesktop>();
        fake->time = QDateTime(QDate(2026, 3, 9), QTime(9, 0));
        notifier = std::make_unique<RecordingNotifier>();
    }
    void cleanup()
    {
        agenda.reset();
        fake.reset();
    }

    void options_data()
    {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QStringList>("colors");
        QTest::addColumn<QString>("enabled"); // one letter per source
        QTest::addColumn<bool>("reminders");
        QTest::newRow("none") << QByteArray() << QStringList() << QStringList() << "" << true;
        QTest::newRow("reminders off alone") << QByteArray("[Agenda]\nReminders=false\n") << QStringList() << QStringList()
                                             << "" << false;
        QTest::newRow("full") << QByteArray("[Agenda]\nSources=~/cal.ics, /srv/vdir\nColors=#ff0000, #00ff00\n"
                                            "Enabled=true, false\nReminders=false\n")
                              << QStringList{"~/cal.ics", "/srv/vdir"} << QStringList{"#ff0000", "#00ff00"} << "yn"
                              << false;
        // Colours and flags that make no sense, or are missing, give the defaults; extra ones are dropped.
        QTest::newRow("nonsense") << QByteArray("[Agenda]\nSources=a.ics, b.ics, c.ics\nColors=verde, #12, #0000ff, "
                                                "#ffffff\nEnabled=forse\nReminders=mah\n")
                                  << QStringList{"a.ics", "b.ics", "c.ics"}
                                  << QStringList{AgendaOptions::defaultColor(0).name(),
                                                 AgendaOptions::defaultColor(1).name(), "#0000ff"}
                                  << "yyy" << true;
    }
    void options()
    {
        QFETCH(QByteArray, conf);
        QTemporaryDir dir;
        const QString path = dir.filePath("Tickora.conf");
        QVERIFY(writeFile(path, conf));
        const AgendaOptions read = AgendaOptions::read(toolkit::ConfFile(path));
        QStringList paths, colors;
        QString enabled;
        for (const AgendaOptions::Source &s : read.sources) {
            paths << s.path;
            colors << s.color.name();
            enabled += s.enabled ? u'y' : u'n';
        }
        QTEST(paths, "paths");
        QTEST(colors, "colors");
        QTEST(enabled, "enabled");
        QTEST(read.reminders, "reminders");
        // What is written reads back the same, beside another feature's group.
        toolkit::ConfFile file(path);
        file.write("Calendar", "WeekNumbers", false);
        read.write(file);
        QVERIFY(file.save());
        QCOMPARE(AgendaOptions::read(toolkit::ConfFile(path)), read);
        QCOMPARE(toolkit::ConfFile(path).readBool("Calendar", "WeekNumbers", true), false);
        // No group for a user who never set an agenda, and no "@Invalid()" for an emptied list.
        QCOMPARE(readFile(path).contains("[Agenda]"), !conf.isEmpty());
        QVERIFY(!readFile(path).contains("@Invalid"));
        QCOMPARE(agenda::expandHome("~/cal.ics"), QDir::homePath() + "/cal.ics");
        QCOMPARE(agenda::expandHome("/x/~/cal.ics"), QString("/x/~/cal.ics"));
    }

    void days_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("weekly") << "weekly.ics" << QDate(2026, 3, 10) << QStringList{"10:00\u201311:00 Riunione"};
        QTest::newRow("weekly, after summer time") << "weekly.ics" << QDate(2026, 3, 31) << QStringList{"10:00\u201311:00 Riunione"};
        QTest::newRow("weekly, a year on") << "weekly.ics" << QDate(2027, 3, 2) << QStringList{"10:00\u201311:00 Riunione"};
        QTest::newRow("EXDATE") << "weekly.ics" << QDate(2026, 3, 17) << QStringList();
        QTest::newRow("moved from") << "weekly.ics" << QDate(2026, 3, 24) << QStringList();
        QTest::newRow("moved to") << "weekly.ics" << QDate(2026, 3, 26) << QStringList{"15:00\u201316:00 Riunione spostata"};
        QTest::newRow("all-day, last of January") << "allday.ics" << QDate(2026, 1, 31) << QStringList{"Ferie"};
        QTest::newRow("all-day, 2 February") << "allday.ics" << QDate(2026, 2, 2) << QStringList{"Ferie"};
        QTest::newRow("all-day, end is exclusive") << "allday.ics" << QDate(2026, 2, 3) << QStringList();
        // The United States move to summer time on 8 March, Europe on 29 March.
        QTest::newRow("New York, winter") << "newyork.ics" << QDate(2026, 3, 5) << QStringList{"15:00\u201315:30 Chiamata con New York"};
        QTest::newRow("New York, only there summer") << "newyork.ics" << QDate(2026, 3, 26) << QStringList{"14:00\u201314:30 Chiamata con New York"};
        QTest::newRow("New York, both summer") << "newyork.ics" << QDate(2026, 4, 2) << QStringList{"15:00\u201315:30 Chiamata con New York"};
        QTest::newRow("New York, UNTIL") << "newyork.ics" << QDate(2026, 4, 9) << QStringList();
        QTest::newRow("floating") << "floating.ics" << QDate(2026, 3, 10) << QStringList{"18:00\u201319:00 Palestra"};
        QTest::newRow("all-day first") << "alarm.ics" << QDate(2026, 3, 9)
                                       << QStringList{"Compleanno di Anna", "09:30\u201310:00 Dentista",
                                                      "18:00\u201320:00 Treno per Milano"};
    }
    void days()
    {
        QFETCH(QString, file);
        QFETCH(QDate, day);
        fake->time = QDateTime(day, QTime(9, 0)); // the rules run from long before
        load({DataDir + '/' + file}, day);
        QTEST(texts(agenda->dayLines(day)), "lines");
        QCOMPARE(agenda->errors(), QStringList());
    }

    // Times are shown in the zone in force when shown; a floating time stays as written.
    void zoneChange()
    {
        load({DataDir + "/newyork.ics", DataDir + "/floating.ics"});
        setZone("America/New_York");
        fake->jumpTo(fake->time);
        waitForReading();
        QCOMPARE(texts(agenda->dayLines(QDate(2026, 3, 26))), QStringList{"09:00\u201309:30 Chiamata con New York"});
        QCOMPARE(texts(agenda->dayLines(QDate(2026, 3, 10))), QStringList{"18:00\u201319:00 Palestra"});
        QVERIFY(agenda->dayLines(QDate(2026, 3, 10)).first().color != agenda->dayLines(QDate(2026, 3, 26)).first().color);
    }

    void badSources_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: not made
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        const QByteArray good = readFile(DataDir + "/allday.ics");
        QTest::newRow("missing") << QByteArray() << "assente.ics" << "assente.ics: non trovato";
        QTest::newRow("truncated") << good.left(good.size() - 20) << "tronco.ics"
                                   << "tronco.ics: file troncato (manca la fine del calendario)";
        QTest::newRow("malformed") << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:domani\r\n"
                                                 "END:VEVENT\r\nEND:VCALENDAR\r\n")
                                   << "rotto.ics" << "rotto.ics: un evento non valido ignorato";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << "foto.ics" << "foto.ics: non è un file iCalendar";
        QTest::newRow("not iCalendar") << QByteArray("Caro diario,\n") << "diario.ics" << "diario.ics: non è un file iCalendar";
        QTest::newRow("huge") << QByteArray("sparse") << "enorme.ics" << "enorme.ics: troppo grande (16.0 MB, al massimo 16 MB)";
    }
    void badSources()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString bad = dir.filePath(name);
        if (name == u"enorme.ics") {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(agenda::MaxFileBytes + 1)); // sparse: costs no disk
        } else if (!bytes.isEmpty()) {
            QVERIFY(writeFile(bad, bytes));
        }
        const QDateTime modified = QFileInfo(bad).lastModified();
        load({bad, DataDir + "/allday.ics"}, QDate(2026, 1, 1));
        QFETCH(QString, error);
        QCOMPARE(agenda->errors(), QStringList{dir.path() + '/' + error});
        QCOMPARE(texts(agenda->dayLines(QDate(2026, 1, 30))), QStringList{"Ferie"}); // the other source still shows
        QCOMPARE(QFileInfo(bad).lastModified(), modified);
        if (name != u"enorme.ics" && !bytes.isEmpty())
            QCOMPARE(readFile(bad), bytes);
    }

    void reminders()
    {
        load({DataDir + "/alarm.ics"});
        // 15 minutes before the dentist's 09:30; the audio alarm gives nothing.
        const QDateTime dentist(QDate(2026, 3, 9), QTime(9, 15));
        agenda::Reminders &reminders = agenda->reminders();
        QCOMPARE(reminders.nextDue(), dentist);
        fake->time = dentist.addSecs(-1);
        reminders.check();
        QCOMPARE(notifier->shown, QStringList());
        fake->time = dentist;
        reminders.check();
        QCOMPARE(notifier->shown, QStringList{"Dentista | 09:30\u201310:00 Dentista"});
        // Once: not again later, nor after the file is read again.
        fake->time = dentist.addSecs(120);
        fake->jumpTo(fake->time);
        waitForReading();
        reminders.check();
        QCOMPARE(notifier->shown.size(), 1);
        // The train's reminder is at a given moment, 16:00 in Italy.
        QCOMPARE(reminders.nextDue(), QDateTime(QDate(2026, 3, 9), QTime(16, 0)));
        // Switched off, it is neither due nor given.
        AgendaOptions off = agenda->options();
        off.reminders = false;
        agenda->setOptions(off);
        QVERIFY(!agenda->reminders().nextDue().isValid());
        fake->time = QDateTime(QDate(2026, 3, 9), QTime(16, 0));
        agenda->reminders().check();
        QCOMPARE(notifier->shown.size(), 1);
    }

    void remindersAfterSleep()
    {
        fake->time = QDateTime(QDate(2026, 3, 9), QTime(8, 0));
        load({DataDir + "/alarm.ics"});
        // Asleep from 8:00 to 17:00: both reminders passed; one summary says so.
        fake->jumpTo(QDateTime(QDate(2026, 3, 9), QTime(17, 0)));
        QCOMPARE(notifier->shown,
                 QStringList{"2 promemoria nel frattempo | 09:30\u201310:00 Dentista\n18:00\u201320:00 Treno per Milano"});
        waitForReading();
        QCOMPARE(notifier->shown.size(), 1);
        QVERIFY(!agenda->reminders().nextDue().isValid());
    }

    // The desktop's notification service gets the reminder, on a bus of the test's own.
    void notification()
    {
        PrivateSessionBus bus;
        if (!bus.start())
            QSKIP("dbus-daemon is not available");
        agenda::DBusNotifier dbus;
        dbus.notify("Dentista", "prima"); // no service yet: nothing happens
        QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered("org.freedesktop.DBus"));
        NotificationServer server;
        QVERIFY(server.start(bus.address()));
        dbus.notify("Dentista", "09:30");
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 1, 10000);
        const QVariantList call = server.calls.first();
        QCOMPARE(call.size(), 8);
        QCOMPARE(call.at(0).toString(), QString("Tickora"));
        QCOMPARE(call.at(3).toString(), QString("Dentista"));
        QCOMPARE(call.at(4).toString(), QString("09:30"));
    }

    void follow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("saved in place") << "save";
        QTest::newRow("replaced by a rename") << "rename";
        QTest::newRow("removed") << "remove";
        QTest::newRow("new file in the folder") << "add";
    }
    void follow()
    {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString folder = dir.filePath("vdir/personale");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/ferie.ics";
        QVERIFY(QFile::copy(DataDir + "/allday.ics", file));
        load({dir.filePath("vdir")}, QDate(2026, 3, 1));
        QCOMPARE(texts(agenda->dayLines(QDate(2026, 3, 10))), QStringList());
        QSignalSpy read(agenda.get(), &Agenda::changed);
        const QByteArray moved = readFile(DataDir + "/allday.ics").replace("20260130", "20260310").replace("20260203", "20260311");
        QStringList expected{"Ferie"};
        if (change == u"save") {
            QVERIFY(writeFile(file, moved));
        } else if (change == u"rename") {
            QVERIFY(writeFile(folder + "/.ferie.tmp", moved));
            QVERIFY(::rename(qPrintable(folder + "/.ferie.tmp"), qPrintable(file)) == 0);
        } else if (change == u"remove") {
            QVERIFY(QFile::remove(file));
            expected.clear();
        } else {
            QVERIFY(writeFile(folder + "/nuovo.ics", readFile(DataDir + "/floating.ics")));
            expected = QStringList{"18:00\u201319:00 Palestra"};
        }
        QVERIFY(read.wait(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!agenda->isReading(), 10000);
        QCOMPARE(texts(agenda->dayLines(QDate(2026, 3, 10))), expected);
        if (change != u"rename")
            return;
        // The file that came by a rename is watched in its turn.
        QVERIFY(writeFile(file, QByteArray(moved).replace("20260310", "20260312")));
        QTRY_COMPARE_WITH_TIMEOUT(texts(agenda->dayLines(QDate(2026, 3, 10))), QStringList(), 10000);
    }

    void page()
    {
        AgendaOptions start = sourcesOf({"~/cal.ics"});
        agenda::AgendaPage page(start);
        QSignalSpy changed(&page, &agenda::AgendaPage::changed);
        QCOMPARE(page.options(), start);
        QVERIFY(!page.colorButton()->isEnabled());
        page.setChooser([](QWidget *, bool folder) { return folder ? QDir::homePath() + "/vdir" : QString(); });
        page.addFileButton()->click(); // cancelled
        page.addFolderButton()->click();
        QCOMPARE(changed.size(), 1);
        fake->colorAnswer = QColor("#123456");
        page.colorButton()->click();
        page.sourceList()->item(0)->setCheckState(Qt::Unchecked);
        page.remindersBox()->setChecked(false);
        QCOMPARE(changed.size(), 4);
        AgendaOptions expected = start;
        expected.sources[0].enabled = false;
        expected.sources.push_back({"~/vdir", QColor("#123456"), true});
        expected.reminders = false;
        QCOMPARE(page.options(), expected);
        page.removeButton()->click();
        expected.sources.removeLast();
        QCOMPARE(page.options(), expected);
        page.setErrors({"~/cal.ics: non trovato"});
        QCOMPARE(page.errorLabel()->text(), QString("~/cal.ics: non trovato"));
        QVERIFY(!page.errorLabel()->isHidden());
    }

    // Under the calendar: what is still to come today, as many lines as fit.
    void view()
    {
        load({DataDir + "/alarm.ics", DataDir + "/weekly.ics"});
        agenda::AgendaView view(*agenda);
        fake->time = QDateTime(QDate(2026, 3, 9), QTime(10, 0));
        view.setDate(QDate(2026, 3, 10));
        view.setDate(QDate(2026, 3, 9));
        QCOMPARE(view.shownLines(), (QStringList{"Compleanno di Anna", "18:00\u201320:00 Treno per Milano"}));
        view.setFixedHeight(view.heightForLines(1));
        QCOMPARE(view.shownLines(), QStringList{"e altri 2 impegni"});
        view.setDate(QDate(2026, 3, 11));
        QCOMPARE(view.shownLines(), QStringList{"Nessun impegno"});
        QCOMPARE(view.accessibleDescription(), QString("Nessun impegno"));
    }

    // The fuzzer's findings and the hand-written seeds read without a crash or a hang.
    void corpus()
    {
        const QDir corpus(CorpusDir);
        QVERIFY(!corpus.isEmpty());
        const QList<agenda::DateRange> ranges{{QDate(2026, 2, 22), QDate(2026, 4, 7)}};
        for (const QString &name : corpus.entryList(QDir::Files)) {
            agenda::AgendaData data;
            agenda::readCalendar(readFile(corpus.filePath(name)), ranges, 0, data);
            agenda::finish(data, ranges);
            for (const agenda::Reminder &r : std::as_const(data.reminders))
                QVERIFY2(r.occurrence < data.occurrences.size(), qPrintable(name));
        }
    }
};

int main(int argc, char *argv[])
{
    // Every expected time is Italian, whatever the machine's zone.
    setZone("Europe/Rome");
    QApplication app(argc, argv);
    tst_agenda test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_agenda.moc"
