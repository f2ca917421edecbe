// Faults caught: a save on a full disk that loses the old file, stays silent or nags twice; leftovers of a
// killed save that pile up, or a clean-up that removes files that are not the program's own.
#include "tests/support/fakedesktop.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "settings/optionsfile.h"
#include "tests/support/optionsfixture.h"
#include "dial/tickdial.h"

#include <QDir>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

class TestSave : public QObject
{
    Q_OBJECT

    FakeDesktop fake;
    QTemporaryDir dir;
    QWidget window;
    mdlMain module{window, *new Tickdial(&window)};

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        for (const QString &name : files())
            QVERIFY(QFile::remove(dir.filePath(name)));
        QVERIFY(writeFile(path("Options.dat"), DefaultOptionsText));
        module.setSettingsFolder(dir.path());
        module.LoadSettings();
        fake.messages.clear();
    }

    void noRoomKeepsTheOldFileAndSaysSoOnce()
    {
        settings::OptionsRecord record = module.Settings();
        record.Translucent = 100;
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit none = old;
        none.rlim_cur = 0;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &none), 0);
        const bool saved = module.SaveSettings(record, nullptr);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);

        QVERIFY(!saved);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages.front().title, QStringLiteral("Salvataggio delle opzioni"));
        QCOMPARE(readFile(path("Options.dat")), DefaultOptionsText);
        QCOMPARE(files(), QStringList{"Options.dat"});
        // With room again, the same save goes through.
        QVERIFY(module.SaveSettings(record, nullptr));
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(settings::readOptions(readFile(path("Options.dat"))).Translucent, 100);
    }

    // What a save killed between writing its copy and renaming it leaves:
    // the next good save removes that and nothing else.
    void aGoodSaveRemovesOnlyItsOwnLeftovers()
    {
        const QStringList others = {"Options.dat.bak", "Options.dat.Ab12Cde", "Options.dat.Ab12C", "Other.dat.Ab12Cd",
                                    "notes.txt"};
        for (const QString &name : others + QStringList{"Options.dat.Ab12Cd", "Options.dat.zzzzzz"})
            QVERIFY(writeFile(dir.filePath(name), "half"));
        QVERIFY(module.SaveSettings(module.Settings(), nullptr));
        QStringList expected = others + QStringList{"Options.dat"};
        expected.sort();
        QCOMPARE(files(), expected);
    }
};

QTEST_MAIN(TestSave)
#include "tst_save.moc"
