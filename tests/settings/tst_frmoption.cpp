#include "settings/controls.h"
#include "translucency/ctranslucentform.h"
#include "tests/support/fakedesktop.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "settings/optionsfile.h"
#include "dial/tickdial.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using settings::checkValue;
using settings::ColorBox;

namespace {

const QByteArray DefaultFile = "Translucent=255\r\nBringToFront=1\r\nAutoHide=1\r\nHideBar=0\r\nViewDate=1\r\n"
                               "ViewBorder=1\r\nBorderWidth=4\r\nColorBorder=12632256\r\nViewTextHours=1\r\n"
                               "ColorTextHours=0\r\nViewSecond=1\r\nColorLancetSecond=0\r\nColorLancetMinute=255\r\n"
                               "ColorLancetHour=16711680\r\n";

const QByteArray CustomFile = "Translucent=180\r\nBringToFront=0\r\nAutoHide=0\r\nHideBar=1\r\nViewDate=0\r\n"
                              "ViewBorder=0\r\nBorderWidth=12\r\nColorBorder=-2147483633\r\nViewTextHours=0\r\n"
                              "ColorTextHours=65280\r\nViewSecond=0\r\nColorSecond=16777215\r\n"
                              "MinuteSecond=8421504\r\nHourSecond=128\r\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

using CheckGetter = QCheckBox *(frmOption::*)() const;
using BoxGetter = ColorBox *(frmOption::*)() const;
using LabelGetter = settings::ClickLabel *(frmOption::*)() const;

} // namespace

Q_DECLARE_METATYPE(CheckGetter)
Q_DECLARE_METATYPE(BoxGetter)
Q_DECLARE_METATYPE(LabelGetter)

class TestFrmOption : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> window;
    Tickdial *dial = nullptr;
    std::unique_ptr<mdlMain> module;
    std::unique_ptr<frmOption> dialog;

    QString path() const { return dir->filePath("Options.dat"); }
    frmOption &dlg() { return *dialog; }

    // What the main window does at start: the module, then its translucency.
    void start()
    {
        module = std::make_unique<mdlMain>(*window, *dial);
        module->setSettingsFolder(dir->path());
        auto translucency = std::make_unique<CTranslucentForm>();
        translucency->setHWnd(window.get());
        translucency->setAlpha(255);
        module->setTranslucency(std::move(translucency));
    }

    // What the main window does on activation: read the file and apply it.
    void activate()
    {
        module->LoadSettings();
        module->ApplySettings(module->Settings(), mdlMain::Apply::Everything);
    }

    // Activation, then the dialog as a right click on the bar makes it.
    frmOption &open()
    {
        activate();
        dialog = std::make_unique<frmOption>(*module);
        return *dialog;
    }

    void checkDialMatchesControls()
    {
        frmOption &d = dlg();
        QCOMPARE(dial->VisibleTextDate(), checkValue(d.chkViewDate()) == 1);
        QCOMPARE(dial->VisibleBorder(), checkValue(d.chkViewBorder()) == 1);
        QCOMPARE(dial->VisibleTextHours(), checkValue(d.chkTextHours()) == 1);
        QCOMPARE(dial->VisibleSecond(), checkValue(d.chkViewSecond()) == 1);
        QCOMPARE(int(dial->BorderWidth()), settings::borderWidthFromText(d.txtBorderWidth()->text()));
        QCOMPARE(d.chkHideBar()->isEnabled(), d.chkAutoHide()->isChecked());
        QCOMPARE(d.txtBorderWidth()->isEnabled(), d.chkViewBorder()->isChecked());
        QCOMPARE(d.picColorText()->isEnabled(), d.chkTextHours()->isChecked());
        QCOMPARE(d.picColorSecond()->isEnabled(), d.chkViewSecond()->isChecked());
        QCOMPARE(int(module->Translucency()->Alpha()), d.Slider1()->value());
    }

private slots:
    void init()
    {
        fake = std::make_unique<FakeDesktop>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        window = std::make_unique<QWidget>();
        dial = new Tickdial(window.get());
        start();
    }

    void cleanup()
    {
        dialog.reset();
        module.reset();
        window.reset();
        fake.reset();
    }

    // The controls a file loads to, and what the window shows of them.
    void loading_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: missing
        QTest::addColumn<QString>("checks");  // front, auto hide, hide bar, date, ring, numerals, second hand
        QTest::addColumn<QString>("borderWidth");
        QTest::addColumn<QList<int>>("colours"); // ring, numerals, second, minute, hour
        QTest::addColumn<int>("alpha");
        QTest::newRow("missing") << QByteArray() << "1101111" << "4" << QList<int>{12632256, 0, 0, 255, 16711680}
                                 << 255;
        QTest::newRow("custom") << CustomFile << "0010000" << "12"
                                << QList<int>{int(toolkit::ColorButtonFace), 65280, 16777215, 8421504, 128} << 180;
    }
    void loading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, checks);
        QFETCH(QString, borderWidth);
        QFETCH(QList<int>, colours);
        QFETCH(int, alpha);
        if (!file.isNull())
            writeAll(path(), file);
        frmOption &d = open();
        QString shown;
        for (QCheckBox *c : {d.chkBringToFront(), d.chkAutoHide(), d.chkHideBar(), d.chkViewDate(),
                             d.chkViewBorder(), d.chkTextHours(), d.chkViewSecond()})
            shown += c->isChecked() ? '1' : '0';
        QCOMPARE(shown, checks);
        QCOMPARE(d.txtBorderWidth()->text(), borderWidth);
        QList<int> boxes;
        for (ColorBox *b : {d.picColorBorder(), d.picColorText(), d.picColorSecond(), d.picColorMinute(), d.picColorHour()})
            boxes << b->BackColor();
        QCOMPARE(boxes, colours);
        QCOMPARE(d.Slider1()->value(), alpha);
        QCOMPARE(fake->opacity.value(window.get(), 1.0), alpha / 255.0);
        QCOMPARE(fake->onTop.value(window.get()), checks[0] == '1');
        QCOMPARE(readAll(path()), file.isNull() ? DefaultFile : file);
        checkDialMatchesControls();
    }

    void okWritesTheFile()
    {
        frmOption &d = open();
        QSignalSpy closed(&d, &QDialog::finished);
        d.Slider1()->setValue(100);
        d.Slider1()->triggerAction(QAbstractSlider::SliderNoAction);
        d.chkAutoHide()->setChecked(false);
        d.chkViewSecond()->setChecked(false);
        d.txtBorderWidth()->setText("7");
        fake->colorAnswer = QColor(255, 255, 0);
        QTest::mouseClick(d.picColorHour(), Qt::LeftButton);
        QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        QCOMPARE(readAll(path()),
                 QByteArray("Translucent=100\r\nBringToFront=1\r\nAutoHide=0\r\nHideBar=0\r\nViewDate=1\r\n"
                            "ViewBorder=1\r\nBorderWidth=7\r\nColorBorder=12632256\r\nViewTextHours=1\r\n"
                            "ColorTextHours=0\r\nViewSecond=0\r\nColorSecond=0\r\nMinuteSecond=255\r\n"
                            "HourSecond=65535\r\n"));
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.first().at(0).toInt(), int(QDialog::Accepted));
        QVERIFY(fake->messages.isEmpty());
    }

    // Saving writes the older key names; both sets load alike.
    void savingRoundTrips()
    {
        module->LoadSettings();
        QVERIFY(module->SaveSettings(module->Settings(), nullptr));
        QVERIFY(readAll(path()).endsWith("ColorSecond=0\r\nMinuteSecond=255\r\nHourSecond=16711680\r\n"));
        writeAll(path(), CustomFile);
        module->LoadSettings();
        QVERIFY(module->SaveSettings(module->Settings(), nullptr));
        QCOMPARE(readAll(path()), CustomFile);
    }

    // Typing shows the nearest valid width at once, without a message; saving
    // stores a width within 1..80 (or "1") and the dial shows it.
    void borderWidth_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<int>("shownAfterSave");
        QTest::newRow("0") << "0" << 1 << QByteArray("1") << 1;
        QTest::newRow("81") << "81" << 80 << QByteArray("1") << 1;
        QTest::newRow("100") << "100" << 80 << QByteArray("1") << 1;
        QTest::newRow("abc") << "abc" << 1 << QByteArray("1") << 1;
        QTest::newRow("cleared") << "" << 1 << QByteArray("1") << 1;
        QTest::newRow("80") << "80" << 80 << QByteArray("80") << 80;
        QTest::newRow("79.5") << "79.5" << 80 << QByteArray("79.5") << 80;
        QTest::newRow("12abc") << "12abc" << 12 << QByteArray("12abc") << 12;
        QTest::newRow("comma inside") << "5,3" << 5 << QByteArray("5") << 5;
    }
    void borderWidth()
    {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        QFETCH(QByteArray, saved);
        QFETCH(int, shownAfterSave);
        QLineEdit *text = open().txtBorderWidth();
        text->selectAll();
        QTest::keyClicks(text, typed);
        if (typed.isEmpty())
            QTest::keyClick(text, Qt::Key_Delete);
        QCOMPARE(text->text(), typed);
        QCOMPARE(int(dial->BorderWidth()), shown);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(module->SaveSettings(dlg().Record(), &dlg()));
        const QByteArray bytes = readAll(path());
        QVERIFY2(bytes.contains("\r\nBorderWidth=" + saved + "\r\nColorBorder=12632256\r\n"), bytes.constData());
        QCOMPARE(bytes.count("\r\n"), 14);
        activate();
        QCOMPARE(module->Settings().BorderWidth, QString::fromLatin1(saved));
        QCOMPARE(int(dial->BorderWidth()), shownAfterSave);
    }

    // Each bad file loads to sane controls, a working dial and the good
    // fields of the file.
    void malformedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("borderWidth");
        QTest::addColumn<int>("slider");
        QTest::newRow("empty") << QByteArray() << "4" << 255;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,=\x80\r\r\n", 10) << "4" << 255;
        QTest::newRow("out of range") << QByteArray(CustomFile).replace("Translucent=180", "Translucent=999")
                                                .replace("BorderWidth=12", "BorderWidth=300")
                                      << "4" << 255;
        QTest::newRow("border 7=9") << QByteArray(CustomFile).replace("BorderWidth=12", "BorderWidth=7=9") << "7"
                                    << 180;
        QTest::newRow("huge file") << QByteArray(CustomFile) + QByteArray(1 << 20, 'x') << "12" << 180;
    }
    void malformedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, borderWidth);
        QFETCH(int, slider);
        writeAll(path(), bytes);
        open();
        QCOMPARE(dlg().txtBorderWidth()->text(), borderWidth);
        QCOMPARE(dlg().Slider1()->value(), slider);
        QVERIFY(dial->BorderWidth() >= 1 && dial->BorderWidth() <= 80);
        QVERIFY(fake->messages.isEmpty());
        checkDialMatchesControls();
        QCOMPARE(readAll(path()), bytes); // loading never rewrites an existing file
    }

    void failedSaveKeepsTheDialogAndTheFolder()
    {
        module->setSettingsFolder(dir->path());
        QVERIFY(QDir(dir->path()).mkdir("Options.dat"));
        writeAll(path() + "/keep.txt", "old");
        frmOption &d = open(); // a folder in the file's place reads as defaults
        QSignalSpy closed(&d, &QDialog::finished);
        QCOMPARE(d.txtBorderWidth()->text(), QStringLiteral("4"));
        d.txtBorderWidth()->setText("9");
        QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].icon, toolkit::MessageIcon::Critical);
        QVERIFY(fake->messages[0].text.startsWith("Impossibile salvare le opzioni nel file"));
        QVERIFY(fake->messages[0].text.contains(QDir::toNativeSeparators(path())));
        QCOMPARE(closed.count(), 0);
        QCOMPARE(d.txtBorderWidth()->text(), QStringLiteral("9"));
        QVERIFY(QFileInfo(path()).isDir());
        QCOMPARE(readAll(path() + "/keep.txt"), QByteArray("old"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Return and Escape on a control of the shown dialog press no button:
    // the window keeps its opacity, the file stays, the dialog stays open.
    void returnAndEscapePressNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        for (const char *focus : {"chkViewDate", "Slider1", "txtBorderWidth", "cmdNormalize", "cmdOK"}) {
            QTest::addRow("Return on %s", focus) << int(Qt::Key_Return) << focus;
            QTest::addRow("Escape on %s", focus) << int(Qt::Key_Escape) << focus;
        }
    }
    void returnAndEscapePressNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        const QByteArray file = QByteArray(DefaultFile).replace("Translucent=255", "Translucent=128");
        writeAll(path(), file);
        frmOption &d = open();
        QSignalSpy closed(&d, &QDialog::finished);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.findChild<QWidget *>(focus)->setFocus();
        QTest::keyClick(d.windowHandle(), Qt::Key(key));
        QCOMPARE(module->Translucency()->Alpha(), quint8(128));
        QCOMPARE(d.Slider1()->value(), 128);
        QVERIFY(d.isVisible());
        QCOMPARE(closed.count(), 0);
        QCOMPARE(readAll(path()), file);
    }

    void checkBoxesPreview_data()
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
    }
    void checkBoxesPreview()
    {
        QFETCH(CheckGetter, check);
        QFETCH(QByteArray, property);
        QFETCH(QStringList, dependents);
        frmOption &d = open();
        QCheckBox *box = (d.*check)();
        QSignalSpy changed(dial, &Tickdial::PropertyChanged);
        for (bool on : {false, true}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), on);
            QCOMPARE(dial->property(property.constData()).toBool(), on);
            QCOMPARE(changed.last().at(0).toString(), QString::fromLatin1(property));
            for (const QString &name : dependents) {
                QWidget *dependent = d.findChild<QWidget *>(name);
                QVERIFY2(dependent, qPrintable(name));
                QCOMPARE(dependent->isEnabled(), on);
            }
        }
    }

    void autoHideEnablesHideBar()
    {
        frmOption &d = open();
        d.chkHideBar()->setChecked(true);
        QTest::mouseClick(d.chkAutoHide(), Qt::LeftButton);
        QVERIFY(!d.chkHideBar()->isEnabled());
        QVERIFY(d.chkHideBar()->isChecked());
        QTest::mouseClick(d.chkAutoHide(), Qt::LeftButton);
        QVERIFY(d.chkHideBar()->isEnabled());
    }

    void bringToFront()
    {
        QTest::mouseClick(open().chkBringToFront(), Qt::LeftButton);
        QCOMPARE(fake->onTop.value(window.get()), false);
        QCOMPARE(window->pos(), QPoint(0, 0));
    }

    void sliderDrivesAlphaOnlyWhenTheUserMovesIt()
    {
        QSlider *slider = open().Slider1();
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(module->Translucency()->Alpha(), quint8(0));
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(module->Translucency()->Alpha(), quint8(1));
        QCOMPARE(fake->opacity.value(window.get()), 1 / 255.0);
        slider->setValue(200); // from code: the opacity stays
        QCOMPARE(module->Translucency()->Alpha(), quint8(1));
    }

    void normalizeMakesOpaque()
    {
        QSlider *slider = open().Slider1();
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(fake->opacity.value(window.get()), 0.0);
        QTest::mouseClick(dlg().cmdNormalize(), Qt::LeftButton);
        QCOMPARE(dlg().Slider1()->value(), 255);
        QCOMPARE(module->Translucency()->Alpha(), quint8(255));
        QCOMPARE(fake->opacity.value(window.get()), 1.0);
    }

    void colourBoxes_data()
    {
        QTest::addColumn<BoxGetter>("box");
        QTest::addColumn<LabelGetter>("label");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<bool>("viaLabel");
        QTest::addColumn<bool>("chosen");
        const struct { const char *name; BoxGetter box; LabelGetter label; const char *property; } boxes[] = {
            {"border", &frmOption::picColorBorder, &frmOption::lblColorBorder, "BorderColor"},
            {"numerals", &frmOption::picColorText, &frmOption::lblColorText, "TextHoursColor"},
            {"second", &frmOption::picColorSecond, &frmOption::lblColorSecond, "LancetSecondColor"},
            {"minute", &frmOption::picColorMinute, &frmOption::lblColorMinute, "LancetMinuteColor"},
            {"hour", &frmOption::picColorHour, &frmOption::lblColorHour, "LancetHourColor"},
        };
        for (const auto &b : boxes) {
            for (bool viaLabel : {false, true}) {
                for (bool chosen : {true, false}) {
                    QTest::addRow("%s %s %s", b.name, viaLabel ? "label" : "box", chosen ? "chosen" : "cancelled")
                        << b.box << b.label << QByteArray(b.property) << viaLabel << chosen;
                }
            }
        }
    }
    void colourBoxes()
    {
        QFETCH(BoxGetter, box);
        QFETCH(LabelGetter, label);
        QFETCH(QByteArray, property);
        QFETCH(bool, viaLabel);
        QFETCH(bool, chosen);
        open();
        ColorBox *target = (dlg().*box)();
        const toolkit::OleColor before = target->BackColor();
        if (chosen)
            fake->colorAnswer = QColor(1, 2, 3);
        QSignalSpy changed(dial, &Tickdial::PropertyChanged);
        QWidget *clicked = viaLabel ? static_cast<QWidget *>((dlg().*label)()) : target;
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(fake->colorRequests, 1);
        const toolkit::OleColor expected = chosen ? toolkit::rgbColor(1, 2, 3) : before;
        QCOMPARE(target->BackColor(), expected);
        QCOMPARE(dial->property(property.constData()).toInt(), expected);
        QCOMPARE(changed.count(), chosen ? 1 : 0);
    }

    void layout()
    {
        frmOption &d = open();
        QCOMPARE(d.windowTitle(), QStringLiteral("Opzioni"));
        QCOMPARE(d.size(), QSize(241, 409));
        QCOMPARE(d.cmdOK()->geometry(), QRect(44, 380, 73, 21));
        QCOMPARE(d.chkHideBar()->geometry(), QRect(28, 124, 201, 13));
        QCOMPARE(d.lblBorderWidth()->buddy(), d.txtBorderWidth());
        const QList<QLabel *> labels = d.findChildren<QLabel *>();
        int headers = 0;
        for (QLabel *l : labels) {
            if (!l->text().startsWith(' '))
                continue;
            ++headers;
            QCOMPARE(l->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
            QVERIFY(l->font().bold());
            QCOMPARE(l->width(), 225);
        }
        QCOMPARE(headers, 3);
    }

    void settingsFolderChoice()
    {
        QTemporaryDir config;
        const QString configFolder = config.filePath("nested/Tickora");
        // A program folder that cannot be written to (here: not there at all).
        QCOMPARE(mdlMain::chooseSettingsFolder(dir->filePath("missing"), configFolder), configFolder);
        QVERIFY(QFileInfo(configFolder).isDir());
        QCOMPARE(mdlMain::chooseSettingsFolder(dir->path(), configFolder), dir->path());
        // An installed copy, its data folder beside it: never its own folder,
        // writable as it is here (by root, say), unless Options.dat is there.
        const QString installed = dir->filePath("usr/bin");
        QVERIFY(QDir().mkpath(installed) && QDir(installed).mkpath(QStringLiteral(TICKORA_DATA_FROM_PROGRAM)));
        QCOMPARE(mdlMain::chooseSettingsFolder(installed, configFolder), configFolder);
        QVERIFY(QFile(installed + "/Options.dat").open(QIODevice::WriteOnly));
        QCOMPARE(mdlMain::chooseSettingsFolder(installed, configFolder), installed);
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmoption.moc"
