// Kills a program that saves the settings in a loop, at random moments,
// and checks after every kill that Options.dat is one of the two complete
// files it alternates: never torn, empty or missing.
#include "optionsfile.h"
#include "savingrecords.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int Kills = 200;
// The saver reports each save; the kill comes after 1..MaxSavesBeforeKill
// reports, while the saver goes on saving.
constexpr int MaxSavesBeforeKill = 12;
constexpr int WaitMs = 30000;
} // namespace

class TestKillDuringSave : public QObject
{
    Q_OBJECT

private slots:
    void fileIsAlwaysOneCompleteVersion()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Options.dat"));
        const QByteArray a = settings::formatOptions(reliability::recordA(), settings::KeySet::Saved);
        const QByteArray b = settings::formatOptions(reliability::recordB(), settings::KeySet::Saved);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(b), b.size());
        }

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        int sawA = 0;
        int sawB = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            QProcess saver;
            saver.setProgram(QStringLiteral(TICKORA_SAVINGLOOP));
            saver.setArguments({dir.path()});
            saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            saver.start();
            QVERIFY2(saver.waitForStarted(WaitMs), qPrintable(saver.errorString()));
            const int saves = random.bounded(1, MaxSavesBeforeKill + 1);
            int reported = 0;
            while (reported < saves) {
                QVERIFY2(saver.state() == QProcess::Running || saver.bytesAvailable() > 0,
                         "the saver stopped by itself");
                if (!saver.canReadLine())
                    QVERIFY2(saver.waitForReadyRead(WaitMs), "the saver reported no save");
                while (saver.canReadLine() && reported < saves)
                    reported += saver.readLine() == "saved\n" ? 1 : 0;
            }
            saver.kill(); // SIGKILL
            QVERIFY(saver.waitForFinished(WaitMs));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("kill %1: Options.dat missing").arg(kill)));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes == a || bytes == b,
                     qPrintable(QStringLiteral("kill %1: Options.dat is neither version: %2")
                                    .arg(kill)
                                    .arg(QString::fromLatin1(bytes.toPercentEncoding()))));
            (bytes == a ? sawA : sawB) += 1;
        }
        qInfo("%d kills: %d times the one version, %d times the other", Kills, sawA, sawB);
        // The kills did land at different points of the loop.
        QVERIFY(sawA > 0 && sawB > 0);
        // A save killed before its commit can leave its unfinished copy
        // beside the file, and nothing else.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        QVERIFY(left.contains(QStringLiteral("Options.dat")));
        for (const QString &name : left)
            QVERIFY2(name.startsWith(QStringLiteral("Options.dat")), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestKillDuringSave)
#include "tst_killduringsave.moc"
