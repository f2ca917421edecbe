// Faults caught: a save that, killed at any moment, leaves Options.dat torn, empty or missing. A reliability
// run, not in the default suite (./scripts/test --reliability): it kills a saver 200 times at random.
#include "tests/support/fakedesktop.h"
#include "settings/mdlmain.h"
#include "settings/optionsfile.h"
#include "tests/support/optionsfixture.h"
#include "dial/tickdial.h"

#include <QtTest>
#include <QtWidgets>

namespace {
settings::OptionsRecord recordB()
{
    settings::OptionsRecord r;
    r.Translucent = 180;
    r.BorderWidth = QStringLiteral("12");
    r.ColorLancetHour = 128;
    return r;
}

// The saver: the two records in turn through mdlMain::SaveSettings, "saved" after each, until killed.
int saveForEver(const char *folder)
{
    FakeDesktop fake;
    QWidget window;
    mdlMain module(window, *new Tickdial(&window));
    module.setSettingsFolder(QString::fromLocal8Bit(folder));
    module.LoadSettings();
    for (unsigned n = 0;; ++n) {
        if (!module.SaveSettings(n % 2 ? recordB() : settings::OptionsRecord(), nullptr))
            return 1;
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}
} // namespace

class TestKillDuringSave : public QObject
{
    Q_OBJECT

private slots:
    void fileIsAlwaysOneCompleteVersion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Options.dat"));
        const QByteArray a = settings::formatOptions(settings::OptionsRecord(), settings::KeySet::Saved);
        const QByteArray b = settings::formatOptions(recordB(), settings::KeySet::Saved);
        QVERIFY(writeFile(path, b));
        QSet<QByteArray> seen;
        for (int kill = 0; kill < 200; ++kill) {
            QProcess saver;
            saver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-for-ever"), dir.path()});
            // The kill comes after 1 to 12 saves, while the saver goes on.
            for (int saves = QRandomGenerator::global()->bounded(1, 13); saves > 0;) {
                QVERIFY2(saver.canReadLine() || saver.waitForReadyRead(30000), "the saver reported no save");
                saves -= saver.readLine() == "saved\n" ? 1 : 0;
            }
            saver.kill();
            QVERIFY(saver.waitForFinished(30000));
            const QByteArray bytes = readFile(path);
            QVERIFY2(bytes == a || bytes == b, bytes.toPercentEncoding().constData());
            seen.insert(bytes);
        }
        QCOMPARE(seen.size(), 2); // the kills landed at different points
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save-for-ever") == 0)
        return saveForEver(argv[2]);
    TestKillDuringSave test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_killduringsave.moc"
