// Saving when the disk takes no more bytes (a file-size limit of 0, as a
// full disk would): the save reports failure once and the old file stays.
#include "fakedesktop.h"
#include "mdlmain.h"
#include "optionsfile.h"
#include "tickdial.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

class TestSaveNoRoom : public QObject
{
    Q_OBJECT

private slots:
    void oldFileStaysAndOneMessage()
    {
        FakeDesktop fake;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Options.dat"));
        settings::OptionsRecord good;
        good.ColorLancetHour = 65280;
        const QByteArray goodBytes = settings::formatOptions(good, settings::KeySet::Saved);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(goodBytes), goodBytes.size());
        }
        QWidget window;
        auto *dial = new Tickdial(&window);
        mdlMain module(window, *dial);
        module.setSettingsFolder(dir.path());
        module.LoadSettings();
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), goodBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Options.dat")});

        // With room again, the same save goes through.
        QVERIFY(module.SaveSettings(record, nullptr));
        QCOMPARE(fake.messages.size(), 1);
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(settings::readOptions(file.readAll()).Translucent, 100);
    }
};

QTEST_MAIN(TestSaveNoRoom)
#include "tst_savenoroom.moc"
