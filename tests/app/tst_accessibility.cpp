#include "settings/controls.h"
#include "translucency/ctranslucentform.h"
#include "tests/support/fakedesktop.h"
#include "app/frmmain.h"
#include "settings/frmoption.h"
#include "settings/mdlmain.h"
#include "toolkit/olecolor.h"
#include "toolkit/surface.h"
#include "dial/tickdial.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

// What assistive technology reads of the clock, how often it is told of a
// change, and the clock and its options driven from the keyboard alone.

namespace {

// Qt tells assistive technology of changes only while a bridge to it is
// active: on X11 with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and a session
// bus. The desktop suite runs the tests that count notifications that way.
#define REQUIRE_NOTIFICATIONS()                                                                          \
    do {                                                                                                 \
        if (!QAccessible::isActive())                                                                    \
            QSKIP("no accessibility bridge on this platform: run under X11 with accessibility on");      \
    } while (false)

// The change notifications Qt sends out, as the screen reader would get them.
struct Notification {
    QObject *object;
    QAccessible::Event type;
};
QList<Notification> g_notifications;

void recordNotification(QAccessibleEvent *event)
{
    g_notifications.append({event->object(), event->type()});
}

// Notifications that make a screen reader speak.
bool isSpoken(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::Alert:
        return true;
    default:
        return false;
    }
}

QList<Notification> spokenBy(const QSet<QObject *> &objects)
{
    QList<Notification> found;
    for (const Notification &n : std::as_const(g_notifications)) {
        if (objects.contains(n.object) && isSpoken(n.type))
            found.append(n);
    }
    return found;
}

QString accessibleText(QObject *object, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QStringLiteral("<no interface>");
}

const QList<QByteArray> DefaultLines = {
    "Translucent=255", "BringToFront=1", "AutoHide=0", "HideBar=0", "ViewDate=1", "ViewBorder=1",
    "BorderWidth=4", "ColorBorder=12632256", "ViewTextHours=1", "ColorTextHours=0", "ViewSecond=1",
    "ColorLancetSecond=0", "ColorLancetMinute=255", "ColorLancetHour=16711680"};

using BoxGetter = settings::ColorBox *(frmOption::*)() const;
using LabelGetter = settings::ClickLabel *(frmOption::*)() const;

} // namespace

Q_DECLARE_METATYPE(BoxGetter)
Q_DECLARE_METATYPE(LabelGetter)

class tst_accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dialNamesTheTimeItShows_data();
    void dialNamesTheTimeItShows();
    void dialDescriptionIsTheDateWhileShown();
    void dialAnnouncesOnlyANewMinute();
    void panelLabelsAnnounceAtMostOnceAMinute();
    void barButtonsSayWhatTheyDo_data();
    void barButtonsSayWhatTheyDo();
    void barTellsHowToOpenTheOptions();
    void optionsKey_data();
    void optionsKey();
    void colorNames_data();
    void colorNames();
    void colorBoxesReadAsTheirLabelAndColour_data();
    void colorBoxesReadAsTheirLabelAndColour();
    void colourBoxAnnouncesOnlyAChange();
    void sliderReadsTheTransparency();
    void tabOrderRunsTopToBottom();
    void accessKeysReachTheirControls_data();
    void accessKeysReachTheirControls();
    void spaceOrEnterOnAColourBoxOpensTheChooser_data();
    void spaceOrEnterOnAColourBoxOpensTheChooser();
    void keyboardOnlyRunSavesTheSetting();

private:
    void writeOptions();
    QByteArray readOptions() const;
    void open(frmMain &w) { w.settings().setSettingsFolder(m_dir->path()); w.show(); }
    // Runs body on the options dialog, shown and active as the real modal
    // loop would leave it, from a right release on the bar.
    void withOptions(FakeDesktop &fake, frmMain &w, const std::function<void(frmOption &)> &body);

    std::unique_ptr<QTemporaryDir> m_dir;
    QAccessible::UpdateHandler m_previousHandler = nullptr;
};

void tst_accessibility::initTestCase()
{
    QAccessible::setActive(true);
    // The bridge to assistive technology is made on the first query and
    // turns itself on once it has reached the accessibility bus.
    QAccessible::queryAccessibleInterface(qApp);
    if (QGuiApplication::platformName() == QLatin1String("xcb")
        && qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QTRY_VERIFY(QAccessible::isActive());
}

void tst_accessibility::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeOptions();
    g_notifications.clear();
    m_previousHandler = QAccessible::installUpdateHandler(recordNotification);
}

void tst_accessibility::cleanup()
{
    QAccessible::installUpdateHandler(m_previousHandler);
    g_notifications.clear();
}

void tst_accessibility::writeOptions()
{
    QFile file(m_dir->filePath("Options.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(DefaultLines.join("\r\n") + "\r\n");
}

QByteArray tst_accessibility::readOptions() const
{
    QFile file(m_dir->filePath("Options.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_accessibility::withOptions(FakeDesktop &fake, frmMain &w, const std::function<void(frmOption &)> &body)
{
    bool ran = false;
    fake.onModal = [&](QDialog *dialog) {
        ran = true;
        auto *options = qobject_cast<frmOption *>(dialog);
        [&] {
            QVERIFY(options);
            options->show();
            options->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(options));
            body(*options);
        }();
        return int(options && options->result() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected);
    };
    w.picBar_MouseUp(2);
    QVERIFY(ran);
}

// --- The dial ------------------------------------------------------------

void tst_accessibility::dialNamesTheTimeItShows_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("name");
    QTest::newRow("03:00") << QTime(3, 0, 0) << QStringLiteral("Ore 3:00");
    QTest::newRow("03:01:59") << QTime(3, 1, 59) << QStringLiteral("Ore 3:01");
    QTest::newRow("midnight") << QTime(0, 0, 30) << QStringLiteral("Ore 0:00");
    QTest::newRow("afternoon") << QTime(15, 47, 0) << QStringLiteral("Ore 15:47");
    QTest::newRow("last minute") << QTime(23, 59, 59) << QStringLiteral("Ore 23:59");
}

void tst_accessibility::dialNamesTheTimeItShows()
{
    QFETCH(QTime, time);
    QFETCH(QString, name);
    FakeDesktop fake;
    fake.time.setTime(time);
    Tickdial dial;
    dial.show(); // its first painting sets the hands
    QCOMPARE(accessibleText(&dial, QAccessible::Name), name);

    // The same after the clock has run on to this time from another one.
    fake.time.setTime(QTime(12, 30, 0));
    dial.Timer1_Timer();
    QCOMPARE(accessibleText(&dial, QAccessible::Name), QStringLiteral("Ore 12:30"));
    fake.time.setTime(time);
    dial.Timer1_Timer();
    QCOMPARE(accessibleText(&dial, QAccessible::Name), name);
}

void tst_accessibility::dialDescriptionIsTheDateWhileShown()
{
    FakeDesktop fake;
    Tickdial dial;
    dial.setVisibleTextDate(true);
    QVERIFY(!dial.lblDate()->text().isEmpty());
    QCOMPARE(accessibleText(&dial, QAccessible::Description), dial.lblDate()->text());

    // Past midnight the description follows the date window.
    const QString before = dial.lblDate()->text();
    fake.time = QDateTime(fake.time.date().addDays(1), QTime(0, 0, 0));
    dial.Timer1_Timer();
    QVERIFY(dial.lblDate()->text() != before);
    QCOMPARE(accessibleText(&dial, QAccessible::Description), dial.lblDate()->text());

    dial.setVisibleTextDate(false);
    QCOMPARE(accessibleText(&dial, QAccessible::Description), QString());
}

void tst_accessibility::dialAnnouncesOnlyANewMinute()
{
    REQUIRE_NOTIFICATIONS();
    FakeDesktop fake;
    fake.time.setTime(QTime(3, 0, 0));
    Tickdial dial;
    dial.setVisibleTextDate(true);
    dial.show();
    g_notifications.clear();

    // A minute of ticks every 200 ms, second 0 included several times, and
    // the repaints and property changes the options dialog makes.
    for (int ms = 0; ms < 60000; ms += 200) {
        fake.time.setTime(QTime(3, 0, 0).addMSecs(ms));
        dial.Timer1_Timer();
    }
    dial.UserControl_Paint();
    dial.setVisibleSecond(false);
    dial.setLancetHourColor(toolkit::ColorRed);
    QCOMPARE(spokenBy({&dial}).size(), 0);
    QCOMPARE(accessibleText(&dial, QAccessible::Name), QStringLiteral("Ore 3:00"));

    for (int ms = 0; ms < 1000; ms += 200) {
        fake.time.setTime(QTime(3, 1, 0).addMSecs(ms));
        dial.Timer1_Timer();
    }
    const QList<Notification> spoken = spokenBy({&dial});
    QCOMPARE(spoken.size(), 1);
    QCOMPARE(spoken.first().type, QAccessible::NameChanged);
    QCOMPARE(accessibleText(&dial, QAccessible::Name), QStringLiteral("Ore 3:01"));
}

// --- The main window -------------------------------------------------------

void tst_accessibility::panelLabelsAnnounceAtMostOnceAMinute()
{
    REQUIRE_NOTIFICATIONS();
    FakeDesktop fake;
    fake.time.setTime(QTime(3, 0, 0));
    frmMain w;
    open(w);
    w.cmdMonth_Click(); // the panel in view
    w.Timer1()->stop();
    w.Tickdial1()->Timer1()->stop();
    w.Timer1_Timer();
    g_notifications.clear();

    const QSet<QObject *> clock{w.lblTime(), w.lblDate(), w.Tickdial1(), w.mthView(), &w};
    // Both timers through a minute, as they interleave on the real clock.
    for (int ms = 0; ms < 60000; ms += 100) {
        fake.time.setTime(QTime(3, 0, 0).addMSecs(ms));
        if (ms % 200 == 0)
            w.Tickdial1()->Timer1_Timer();
        if (ms % 300 == 0)
            w.Timer1_Timer();
    }
    QVERIFY(w.lblTime()->text().endsWith(QLatin1String("59")));
    QCOMPARE(spokenBy(clock).size(), 0);
    QCOMPARE(accessibleText(w.lblTime(), QAccessible::Name), QStringLiteral("Ore 3:00"));

    fake.time.setTime(QTime(3, 1, 0));
    w.Tickdial1()->Timer1_Timer();
    w.Timer1_Timer();
    fake.time.setTime(QTime(3, 1, 0, 300));
    w.Tickdial1()->Timer1_Timer();
    w.Timer1_Timer();
    QCOMPARE(spokenBy({w.lblTime()}).size(), 1);
    QCOMPARE(spokenBy({w.Tickdial1()}).size(), 1);
    QCOMPARE(spokenBy({w.lblDate()}).size(), 0);
    QCOMPARE(accessibleText(w.lblTime(), QAccessible::Name), QStringLiteral("Ore 3:01"));
}

void tst_accessibility::barButtonsSayWhatTheyDo_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("close") << "cmdClose" << "X" << "Chiudi l'orologio";
    QTest::newRow("calendar") << "cmdMonth" << ">" << "Mostra o nascondi il calendario";
    QTest::newRow("about") << "cmdAbout" << "?" << "Informazioni su Plomb Tickora";
}

void tst_accessibility::barButtonsSayWhatTheyDo()
{
    QFETCH(QString, which);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    FakeDesktop fake;
    frmMain w;
    open(w);
    QPushButton *button = which == "cmdClose" ? w.cmdClose() : which == "cmdMonth" ? w.cmdMonth() : w.cmdAbout();
    QCOMPARE(button->text(), caption);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

void tst_accessibility::barTellsHowToOpenTheOptions()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    QCOMPARE(accessibleText(w.picBar(), QAccessible::Name), QStringLiteral("Barra dell'orologio"));
    const QString description = accessibleText(w.picBar(), QAccessible::Description);
    QVERIFY2(description.contains(QLatin1String("Clic destro")) && description.contains(QLatin1String("Menu"))
                 && description.contains(QLatin1String("Maiusc+F10")) && description.contains(QLatin1String("opzioni")),
             qPrintable(description));
    // The tooltip is unchanged.
    QCOMPARE(w.picBar()->toolTip(), QStringLiteral("Clicca sulla barra con il tasto destro per le opzioni"));
    QVERIFY(w.windowTitle().isEmpty());
}

void tst_accessibility::optionsKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers() << false;
    QTest::newRow("Ctrl+Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << false;
}

void tst_accessibility::optionsKey()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // The dial is the first stop and has the focus.
    QCOMPARE(QApplication::focusWidget(), w.Tickdial1());

    QString title;
    fake.onModal = [&](QDialog *dialog) {
        title = dialog->windowTitle();
        // The file changes while the dialog is open: the reload afterwards
        // brings it to the dial.
        QFile file(m_dir->filePath("Options.dat"));
        if (file.open(QIODevice::WriteOnly)) {
            QList<QByteArray> lines = DefaultLines;
            lines[10] = "ViewSecond=0";
            file.write(lines.join("\r\n") + "\r\n");
        }
        return int(QDialog::Rejected);
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QCOMPARE(fake.modalCount, opens ? 1 : 0);
    QCOMPARE(w.Tickdial1()->VisibleSecond(), !opens);
    if (opens) {
        QCOMPARE(title, QStringLiteral("Opzioni"));
    }
}

// --- The options dialog ----------------------------------------------------

void tst_accessibility::colorNames_data()
{
    QTest::addColumn<toolkit::OleColor>("color");
    QTest::addColumn<QString>("name");
    QTest::newRow("red") << toolkit::ColorRed << "rosso";
    QTest::newRow("blue") << toolkit::ColorBlue << "blu";
    QTest::newRow("black") << toolkit::ColorBlack << "nero";
    QTest::newRow("light grey") << toolkit::ColorLightGrey << "grigio chiaro";
    QTest::newRow("dark green") << toolkit::rgbColor(0, 128, 0) << "verde scuro";
    QTest::newRow("other") << toolkit::rgbColor(0x12, 0xAB, 0x0C) << "#12AB0C";
    QTest::newRow("near red") << toolkit::rgbColor(254, 0, 0) << "#FE0000";
}

void tst_accessibility::colorNames()
{
    QFETCH(toolkit::OleColor, color);
    QFETCH(QString, name);
    QCOMPARE(toolkit::colorName(color), name);
}

void tst_accessibility::colorBoxesReadAsTheirLabelAndColour_data()
{
    QTest::addColumn<BoxGetter>("box");
    QTest::addColumn<LabelGetter>("label");
    QTest::addColumn<QString>("colour"); // as the default file holds it
    QTest::newRow("border") << &frmOption::picColorBorder << &frmOption::lblColorBorder << "grigio chiaro";
    QTest::newRow("numerals") << &frmOption::picColorText << &frmOption::lblColorText << "nero";
    QTest::newRow("second") << &frmOption::picColorSecond << &frmOption::lblColorSecond << "nero";
    QTest::newRow("minute") << &frmOption::picColorMinute << &frmOption::lblColorMinute << "rosso";
    QTest::newRow("hour") << &frmOption::picColorHour << &frmOption::lblColorHour << "blu";
}

void tst_accessibility::colorBoxesReadAsTheirLabelAndColour()
{
    QFETCH(BoxGetter, box);
    QFETCH(LabelGetter, label);
    QFETCH(QString, colour);
    FakeDesktop fake;
    frmMain w;
    open(w);
    withOptions(fake, w, [&](frmOption &options) {
    settings::ColorBox *colorBox = (options.*box)();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(colorBox);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), (options.*label)()->text());
    QCOMPARE(iface->text(QAccessible::Description), colour);
    QVERIFY(iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    // A new colour is read at once, a colour with no name as #RRGGBB.
    colorBox->setBackColor(toolkit::rgbColor(0x12, 0x34, 0x56));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("#123456"));

    // Pressing it through assistive technology opens the chooser.
    fake.colorAnswer = QColor(255, 255, 0);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(fake.colorRequests, 1);
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("giallo"));
    });
}

void tst_accessibility::colourBoxAnnouncesOnlyAChange()
{
    REQUIRE_NOTIFICATIONS();
    FakeDesktop fake;
    frmMain w;
    open(w);
    withOptions(fake, w, [&](frmOption &options) {
        settings::ColorBox *box = options.picColorHour();
        g_notifications.clear();
        box->setBackColor(toolkit::rgbColor(0x12, 0x34, 0x56));
        box->setBackColor(toolkit::rgbColor(0x12, 0x34, 0x56));
        QCOMPARE(spokenBy({box}).size(), 1);
        QCOMPARE(spokenBy({box}).first().type, QAccessible::DescriptionChanged);
    });
}

void tst_accessibility::sliderReadsTheTransparency()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    withOptions(fake, w, [&](frmOption &options) {
    QSlider *slider = options.Slider1();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(slider);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Slider);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Trasparenza"));
    QAccessibleValueInterface *value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 255);
    QCOMPARE(value->currentValue().toInt(), 255);
    slider->setValue(100);
    QCOMPARE(value->currentValue().toInt(), 100);
    });
}

void tst_accessibility::tabOrderRunsTopToBottom()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    QStringList visited;
    withOptions(fake, w, [&](frmOption &options) {
        options.Slider1()->setFocus(Qt::TabFocusReason);
        QWidget *previous = nullptr;
        for (int i = 0; i < 30 && QApplication::focusWidget() != previous; ++i) {
            QWidget *focused = QApplication::focusWidget();
            if (!focused || visited.contains(focused->objectName()))
                break;
            visited << focused->objectName();
            previous = focused;
            QTest::keyClick(focused, Qt::Key_Tab);
        }
    });
    // "Nascondi la barra" is disabled while auto-hide is off.
    QCOMPARE(visited, QStringList({"Slider1", "cmdNormalize", "chkBringToFront", "chkAutoHide", "chkViewDate",
                                   "chkViewBorder", "txtBorderWidth", "picColorBorder", "chkTextHours",
                                   "picColorText", "chkViewSecond", "picColorSecond", "picColorMinute",
                                   "picColorHour", "cmdOK", "cmdCancel"}));
}

void tst_accessibility::accessKeysReachTheirControls_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("reached"); // in any order, one per press
    QTest::newRow("Alt+S") << int(Qt::Key_S) << QStringList({"chkBringToFront", "txtBorderWidth"});
    QTest::newRow("Alt+V") << int(Qt::Key_V)
                           << QStringList({"chkViewDate", "chkViewBorder", "chkTextHours", "chkViewSecond"});
    QTest::newRow("Alt+N") << int(Qt::Key_N) << QStringList({"cmdNormalize", "chkAutoHide"});
}

// Captions that share an access key take the focus in turn and change
// nothing; Space then acts on the one that has it.
void tst_accessibility::accessKeysReachTheirControls()
{
    QFETCH(int, key);
    QFETCH(QStringList, reached);
    FakeDesktop fake;
    frmMain w;
    open(w);
    QStringList seen;
    QByteArray fileWhileOpen;
    withOptions(fake, w, [&](frmOption &options) {
        for (int i = 0; i < reached.size(); ++i) {
            QTest::keyClick(&options, Qt::Key(key), Qt::AltModifier);
            seen << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        }
        QVERIFY(options.chkBringToFront()->isChecked());
        QVERIFY(!options.chkAutoHide()->isChecked());
        QVERIFY(options.chkViewDate()->isChecked() && options.chkViewSecond()->isChecked());
        QCOMPARE(int(w.settings().Translucency()->Alpha()), 255);
        options.cmdCancel()->click();
    });
    std::sort(seen.begin(), seen.end());
    std::sort(reached.begin(), reached.end());
    QCOMPARE(seen, reached);
}

void tst_accessibility::spaceOrEnterOnAColourBoxOpensTheChooser_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void tst_accessibility::spaceOrEnterOnAColourBoxOpensTheChooser()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    FakeDesktop fake;
    frmMain w;
    open(w);
    fake.colorAnswer = QColor(0, 255, 0);
    withOptions(fake, w, [&](frmOption &options) {
        settings::ColorBox *box = options.picColorHour();
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key(key), modifiers);
        QCOMPARE(fake.colorRequests, 1);
        QCOMPARE(box->BackColor(), toolkit::rgbColor(0, 255, 0));
        QCOMPARE(w.Tickdial1()->LancetHourColor(), toolkit::rgbColor(0, 255, 0));
        QCOMPARE(accessibleText(box, QAccessible::Description), QStringLiteral("verde"));
        QVERIFY(options.isVisible()); // Enter does not close the dialog

        // A cancelled chooser leaves the colour as it was.
        fake.colorAnswer.reset();
        QTest::keyClick(box, Qt::Key(key), modifiers);
        QCOMPARE(fake.colorRequests, 2);
        QCOMPARE(box->BackColor(), toolkit::rgbColor(0, 255, 0));

        // A disabled box opens nothing.
        options.chkViewSecond()->setChecked(false);
        QVERIFY(!options.picColorSecond()->isEnabled());
        QTest::keyClick(options.picColorSecond(), Qt::Key(key), modifiers);
        QCOMPARE(fake.colorRequests, 2);
        options.cmdCancel()->click();
    });
}

void tst_accessibility::keyboardOnlyRunSavesTheSetting()
{
    FakeDesktop fake;
    frmMain w;
    open(w);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    bool ticked = true;
    fake.onModal = [&](QDialog *dialog) {
        auto *options = static_cast<frmOption *>(dialog);
        options->show();
        options->activateWindow();
        [&] {
            // Its parent being active counts as its own activity: wait for the dialog itself.
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(options));
            for (int i = 0; i < 4 && QApplication::focusWidget() != options->chkViewSecond(); ++i)
                QTest::keyClick(options, Qt::Key_V, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), options->chkViewSecond());
            QTest::keyClick(options->chkViewSecond(), Qt::Key_Space);
            ticked = options->chkViewSecond()->isChecked();
            // The access key presses the button as a click would, a moment later.
            // OK unloads the dialog: it may be deleted while this waits.
            const QPointer<frmOption> dialogAlive(options);
            QTest::keyClick(options, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(!dialogAlive || !dialogAlive->isVisible());
        }();
        return int(QDialog::Accepted);
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Menu);
    QCOMPARE(fake.modalCount, 1);
    QVERIFY(!ticked);
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(readOptions().contains("\r\nViewSecond=0\r\n"));
    QCOMPARE(w.Tickdial1()->VisibleSecond(), false);
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
