// Faults caught: Options.dat written with keys, order or bytes changed; a bad field read as a value (a malformed
// Translucent as 0) or shifting the others; "Opzioni" loading, previewing, enabling or saving wrong; Return or
// Escape pressing a button; leftovers of killed saves piling up; the settings folder
// chosen wrong (beside an installed copy, or no per-user fallback); "Opzioni" off a small screen.
#include "tests/support/fakedesktop.h"
#include "tests/support/optionsfixture.h"
#include "settings/controls.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "settings/borderwidth.h"
#include "settings/optionsfile.h"
#include "translucency/ctranslucentform.h"
#include "dial/tickdial.h"

#include <QtTest>
#include <QtWidgets>

using settings::ColorBox;
using settings::KeySet;
using settings::OptionsRecord;

namespace {

const QByteArray CustomFile = "Translucent=180\r\nBringToFront=0\r\nAutoHide=0\r\nHideBar=1\r\nViewDate=0\r\n"
                              "ViewBorder=0\r\nBorderWidth=12\r\nColorBorder=-2147483633\r\nViewTextHours=0\r\n"
                              "ColorTextHours=65280\r\nViewSecond=0\r\nColorSecond=16777215\r\n"
                              "MinuteSecond=8421504\r\nHourSecond=128\r\n";

// The defaults as OK writes them: lines 12 to 14 under the older keys.
const QByteArray SavedDefaults = "Translucent=255\r\nBringToFront=1\r\nAutoHide=1\r\nHideBar=0\r\nViewDate=1\r\n"
                                 "ViewBorder=1\r\nBorderWidth=4\r\nColorBorder=12632256\r\nViewTextHours=1\r\n"
                                 "ColorTextHours=0\r\nViewSecond=1\r\nColorSecond=0\r\nMinuteSecond=255\r\n"
                                 "HourSecond=16711680\r\n";

QByteArray custom(const QByteArray &key, const QByteArray &value)
{
    return withLines(CustomFile, {key + '=' + value});
}

using CheckGetter = QCheckBox *(frmOption::*)() const;

} // namespace

Q_DECLARE_METATYPE(CheckGetter)

class tst_settings : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> window;
    Tickdial *dial = nullptr;
    std::unique_ptr<mdlMain> module;
    std::unique_ptr<frmOption> dialog;

    QString path() const { return dir->filePath("Options.dat"); }
    // Reads and applies the file as activation does, then makes the dialog as a right click does.
    frmOption &open()
    {
        module->LoadSettings();
        module->ApplySettings(module->Settings(), mdlMain::Apply::Everything);
        dialog = std::make_unique<frmOption>(*module);
        return *dialog;
    }

private slots:
    void init()
    {
        fake = std::make_unique<FakeDesktop>();
        dir = std::make_unique<QTemporaryDir>();
        window = std::make_unique<QWidget>();
        dial = new Tickdial(window.get());
        module = std::make_unique<mdlMain>(*window, *dial);
        module->setSettingsFolder(dir->path());
        auto translucency = std::make_unique<CTranslucentForm>();
        translucency->setHWnd(window.get());
        translucency->setAlpha(255);
        module->setTranslucency(std::move(translucency));
    }
    void cleanup()
    {
        dialog.reset();
        module.reset();
        window.reset();
        fake.reset();
    }

    // The file's bytes for a record, under either set of keys.
    void fileBytes_data()
    {
        QTest::addColumn<QByteArray>("file"); // as read, then written again
        QTest::addColumn<int>("keys");
        QTest::newRow("defaults, new file") << DefaultOptionsText << int(KeySet::Defaults);
        QTest::newRow("defaults, saved") << SavedDefaults << int(KeySet::Saved);
        QTest::newRow("custom, saved") << CustomFile << int(KeySet::Saved);
    }
    void fileBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, keys);
        QCOMPARE(settings::formatOptions(settings::readOptions(file), KeySet(keys)), file);
    }

    // OK writes a width outside 1..80, or one that is not a number, as "1"; the dial never shows more than 80.
    void okCorrectsTheBorderWidth_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("0") << "0" << 1 << QByteArray("1");
        QTest::newRow("81") << "81" << 80 << QByteArray("1");
        QTest::newRow("80") << "80" << 80 << QByteArray("80");
        QTest::newRow("1") << "1" << 1 << QByteArray("1");
        QTest::newRow("7.5 to even") << "7.5" << 8 << QByteArray("7.5");
    }
    void okCorrectsTheBorderWidth()
    {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        QFETCH(QByteArray, saved);
        frmOption &d = open();
        d.txtBorderWidth()->setText(typed);
        QCOMPARE(int(dial->BorderWidth()), shown);
        QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        QCOMPARE(readFile(path()), withLines(SavedDefaults, {"BorderWidth=" + saved}));
    }

    // A bad field takes its default; every other field keeps the file's value.
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved"); // as saved again
        const auto row = [](const char *name, const QByteArray &bytes, const QByteArray &saved) {
            QTest::newRow(name) << bytes << saved;
        };
        row("LF endings", QByteArray(CustomFile).replace("\r\n", "\n"), CustomFile);
        row("empty file", "", SavedDefaults);
        row("truncated inside a line", CustomFile.left(CustomFile.size() - 4), custom("HourSecond", "1"));
        row("translucent not a number", custom("Translucent", "abc"), custom("Translucent", "255"));
        row("translucent 12.5 to even", custom("Translucent", "12.5"), custom("Translucent", "12"));
        row("check state 2", custom("BringToFront", "2"), custom("BringToFront", "1"));
        row("border width 81", custom("BorderWidth", "81"), custom("BorderWidth", "4"));
        row("border width 7=9", custom("BorderWidth", "7=9"), custom("BorderWidth", "7"));
        row("quoted border width", QByteArray(CustomFile).replace("BorderWidth=12", "\"BorderWidth=5,3\""),
            custom("BorderWidth", "5"));
        row("comma splits a line", QByteArray(CustomFile).replace("BorderWidth=12\r\n", "BorderWidth=5,"),
            custom("BorderWidth", "5"));
        row("colour beyond 32 bits", custom("ColorBorder", "4294967296"), custom("ColorBorder", "12632256"));
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QCOMPARE(settings::formatOptions(settings::readOptions(bytes), KeySet::Saved), saved);
    }

    // The width text as the file stores it and as the dial shows it.
    void borderWidthText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("width");
        QTest::newRow("empty") << "" << "" << 1;
        QTest::newRow("4.5 to even") << "4.5" << "4.5" << 4;
        QTest::newRow("comma") << "5,7" << "5" << 5;
        QTest::newRow("line break") << "3\r\n4" << "34" << 34;
    }
    void borderWidthText()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(int, width);
        QCOMPARE(settings::storableBorderWidth(text), stored);
        QCOMPARE(settings::borderWidthFromText(text), width);
    }

    // A file (none: the defaults) loads into the controls and the window, unwritten.
    void loading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("checks"); // front, auto hide, hide bar, date, ring, numerals, second hand
        QTest::addColumn<QList<int>>("colours");
        QTest::addColumn<int>("alpha");
        QTest::newRow("missing") << QByteArray() << "1101111" << QList<int>{12632256, 0, 0, 255, 16711680} << 255;
        QTest::newRow("custom") << CustomFile << "0010000"
                                << QList<int>{int(toolkit::ColorButtonFace), 65280, 16777215, 8421504, 128} << 180;
    }
    void loading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, checks);
        QFETCH(QList<int>, colours);
        QFETCH(int, alpha);
        if (!file.isNull())
            QVERIFY(writeFile(path(), file));
        frmOption &d = open();
        QString shown;
        for (QCheckBox *c : {d.chkBringToFront(), d.chkAutoHide(), d.chkHideBar(), d.chkViewDate(),
                             d.chkViewBorder(), d.chkTextHours(), d.chkViewSecond()})
            shown += c->isChecked() ? '1' : '0';
        QCOMPARE(shown, checks);
        QList<int> boxes;
        for (ColorBox *b : {d.picColorBorder(), d.picColorText(), d.picColorSecond(), d.picColorMinute(), d.picColorHour()})
            boxes << b->BackColor();
        QCOMPARE(boxes, colours);
        QCOMPARE(d.Slider1()->value(), alpha);
        QCOMPARE(fake->opacity.value(window.get(), 1.0), alpha / 255.0);
        QCOMPARE(fake->onTop.value(window.get()), checks[0] == '1');
        QCOMPARE(dial->VisibleSecond(), checks[6] == '1');
        QCOMPARE(readFile(path()), file.isNull() ? DefaultOptionsText : file);
    }

    // Return and Escape on a control of the shown dialog press no button.
    void returnAndEscapePressNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        for (const char *focus : {"chkViewDate", "Slider1", "txtBorderWidth", "cmdOK"}) {
            QTest::addRow("Return on %s", focus) << int(Qt::Key_Return) << focus;
            QTest::addRow("Escape on %s", focus) << int(Qt::Key_Escape) << focus;
        }
    }
    void returnAndEscapePressNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        const QByteArray file = QByteArray(DefaultOptionsText).replace("Translucent=255", "Translucent=128");
        QVERIFY(writeFile(path(), file));
        frmOption &d = open();
        QSignalSpy closed(&d, &QDialog::finished);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.findChild<QWidget *>(focus)->setFocus();
        QTest::keyClick(d.windowHandle(), Qt::Key(key));
        QCOMPARE(module->Translucency()->Alpha(), quint8(128));
        QVERIFY(d.isVisible());
        QCOMPARE(closed.count(), 0);
        QCOMPARE(readFile(path()), file);
    }

    // A check box previews on the dial at once and enables the controls that depend on it.
    void checkBoxes_data()
    {
        QTest::addColumn<CheckGetter>("check");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QStringList>("dependents");
        QTest::newRow("date") << &frmOption::chkViewDate << QByteArray("VisibleTextDate") << QStringList();
        QTest::newRow("border") << &frmOption::chkViewBorder << QByteArray("VisibleBorder")
                                << QStringList{"txtBorderWidth", "lblBorderWidth", "picColorBorder", "lblColorBorder"};
        QTest::newRow("numerals") << &frmOption::chkTextHours << QByteArray("VisibleTextHours")
                                  << QStringList{"picColorText", "lblColorText"};
        QTest::newRow("second hand") << &frmOption::chkViewSecond << QByteArray("VisibleSecond")
                                     << QStringList{"picColorSecond", "lblColorSecond"};
        QTest::newRow("auto-hide") << &frmOption::chkAutoHide << QByteArray() << QStringList{"chkHideBar"};
    }
    void checkBoxes()
    {
        QFETCH(CheckGetter, check);
        QFETCH(QByteArray, property);
        QFETCH(QStringList, dependents);
        frmOption &d = open();
        QCheckBox *box = (d.*check)();
        for (bool on : {!box->isChecked(), box->isChecked()}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), on);
            if (!property.isEmpty())
                QCOMPARE(dial->property(property.constData()).toBool(), on);
            for (const QString &name : dependents)
                QCOMPARE(d.findChild<QWidget *>(name)->isEnabled(), on);
        }
    }

    // The slider moved by a screen reader, or "Normalizza": the opacity follows at once and OK saves it.
    void slider_data()
    {
        QTest::addColumn<std::function<void(frmOption &)>>("move");
        QTest::addColumn<int>("alpha");
        QTest::newRow("screen reader") << std::function([](frmOption &d) {
            QAccessible::queryAccessibleInterface(d.Slider1())->valueInterface()->setCurrentValue(100);
        }) << 100;
        QTest::newRow("Normalizza") << std::function([](frmOption &d) {
            QTest::mouseClick(d.cmdNormalize(), Qt::LeftButton);
        }) << 255;
    }
    void slider()
    {
        QFETCH(std::function<void(frmOption &)>, move);
        QFETCH(int, alpha);
        QVERIFY(writeFile(path(), custom("Translucent", "128")));
        frmOption &d = open();
        move(d);
        QCOMPARE(d.Slider1()->value(), alpha);
        QCOMPARE(fake->opacity.value(window.get()), alpha / 255.0);
        QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        QVERIFY(readFile(path()).startsWith("Translucent=" + QByteArray::number(alpha) + "\r\n"));
    }

    // "Opzioni" keeps its designed size where it fits; on a small screen (800 x 600 at twice the scale) it keeps
    // within the screen and the keyboard reaches Cancel, the last control, scrolled into view.
    void smallScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("fits") << QSize(1280, 1024) << false;
        QTest::newRow("small") << QSize(400, 300) << true;
    }
    void smallScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, scrolls);
        fake->screen = screen;
        frmOption &d = open();
        QCOMPARE(d.findChild<QScrollArea *>() != nullptr, scrolls);
        if (!scrolls) {
            QCOMPARE(d.size(), QSize(241, 409));
            return;
        }
        QVERIFY(QRect(QPoint(), screen).contains(d.geometry()));
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.Slider1()->setFocus();
        for (int i = 0; i < 40 && QApplication::focusWidget() != d.cmdCancel(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), d.cmdCancel());
        QVERIFY(d.rect().contains(QRect(d.cmdCancel()->mapTo(&d, QPoint()), d.cmdCancel()->size())));
    }

    // Each colour box, clicked, asks for a colour and shows it on its part of the dial; a cancel changes nothing.
    void colourBoxes()
    {
        frmOption &d = open();
        const std::pair<ColorBox *, const char *> boxes[] = {
            {d.picColorBorder(), "BorderColor"}, {d.picColorText(), "TextHoursColor"},
            {d.picColorSecond(), "LancetSecondColor"}, {d.picColorMinute(), "LancetMinuteColor"},
            {d.picColorHour(), "LancetHourColor"}};
        for (int i = 0; i < 5; ++i) {
            fake->colorAnswer = QColor(1, 2, i);
            QTest::mouseClick(boxes[i].first, Qt::LeftButton, {}, QPoint(2, 2));
            fake->colorAnswer.reset();
            QTest::mouseClick(boxes[i].first, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(boxes[i].first->BackColor(), toolkit::rgbColor(1, 2, i));
            QCOMPARE(dial->property(boxes[i].second).toInt(), toolkit::rgbColor(1, 2, i));
        }
    }

    // The next good save removes what a killed save left (Options.dat.XXXXXX) and nothing else.
    void aGoodSaveRemovesOnlyItsOwnLeftovers()
    {
        const QStringList others = {"Options.dat.bak", "Options.dat.Ab12Cde", "Options.dat.Ab12C", "Other.dat.Ab12Cd",
                                    "notes.txt"};
        for (const QString &name : others + QStringList{"Options.dat.Ab12Cd", "Options.dat.zzzzzz"})
            QVERIFY(writeFile(dir->filePath(name), "half"));
        QVERIFY(module->SaveSettings(OptionsRecord(), nullptr));
        QStringList expected = others + QStringList{"Options.dat"};
        expected.sort();
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }

    void settingsFolderChoice()
    {
        QTemporaryDir config;
        const QString configFolder = config.filePath("nested/Tickora");
        // A program folder that cannot be written to (here: not there at all).
        QCOMPARE(mdlMain::chooseSettingsFolder(dir->filePath("missing"), configFolder), configFolder);
        // (That the first save makes the nested folder is the desktop run's: scenario_bad_places_to_save.)
        QCOMPARE(mdlMain::chooseSettingsFolder(dir->path(), configFolder), dir->path());
        // An installed copy (its data folder beside it): its folder only if Options.dat is there.
        const QString installed = dir->filePath("usr/bin");
        QVERIFY(QDir().mkpath(installed) && QDir(installed).mkpath(QStringLiteral(TICKORA_DATA_FROM_PROGRAM)));
        QCOMPARE(mdlMain::chooseSettingsFolder(installed, configFolder), configFolder);
        QVERIFY(writeFile(installed + "/Options.dat", DefaultOptionsText));
        QCOMPARE(mdlMain::chooseSettingsFolder(installed, configFolder), installed);
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
