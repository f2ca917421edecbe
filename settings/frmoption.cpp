#include "settings/frmoption.h"

#include "settings/controls.h"
#include "toolkit/desktop.h"
#include "toolkit/fonts.h"
#include "settings/mdlmain.h"
#include "toolkit/twips.h"
#include "toolkit/windowguard.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using settings::ClickLabel;
using settings::ColorBox;
using settings::OptionsRecord;
using toolkit::rectFromTwips;

namespace {

constexpr double ClientWidth = 3615;
constexpr double ClientHeight = 6135;

// Header labels span the dialog on a light blue band.
constexpr double HeaderLeft = 120;
constexpr double HeaderWidth = 3375;
constexpr double HeaderHeight = 255;
constexpr toolkit::OleColor HeaderColor = toolkit::ColorLightBlue;
constexpr double HeaderFontSize = 8.25;
constexpr double DialogFontSize = 8;

constexpr double CheckLeft = 180;
constexpr double CheckIndentLeft = 420;
constexpr double CheckWidth = 3255;
constexpr double CheckIndentWidth = 3015;
constexpr double CheckHeight = 195;

constexpr double ColorBoxLeft = 420;
constexpr double ColorBoxWidth = 195;
constexpr double ColorBoxHeight = 210;
constexpr double ColorLabelLeft = 720;
constexpr double ColorLabelWidth = 2715;
constexpr double LabelHeight = 195;

constexpr double ButtonWidth = 1095;
constexpr double ButtonHeight = 315;

constexpr int SliderMax = settings::MaxAlpha;

// Room between the clock and the dialog beside it, pixels.
constexpr int GapToMainWindowPx = 8;

QLabel *addHeader(QWidget *parent, const QString &caption, double top)
{
    auto *header = new QLabel(caption, parent);
    header->setGeometry(rectFromTwips(HeaderLeft, top, HeaderWidth, HeaderHeight));
    header->setFont(toolkit::designFont(QStringLiteral("Arial"), HeaderFontSize, true));
    header->setAutoFillBackground(true);
    QPalette colors = header->palette();
    colors.setColor(QPalette::Window, toolkit::toQColor(HeaderColor));
    header->setPalette(colors);
    return header;
}

QPushButton *addButton(QWidget *parent, const QString &caption, double left, double top)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(rectFromTwips(left, top, ButtonWidth, ButtonHeight));
    // Neither button is the default: Return and Escape press none of them.
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmOption::frmOption(mdlMain &module)
    : QDialog(&module.mainWindow(), Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                         | Qt::MSWindowsFixedSizeDialogHint)
    , m_module(module)
{
    setWindowTitle(QStringLiteral("Opzioni"));
    toolkit::guardDialog(this); // window-manager hook: no minimise box, never lost
    QFont font = this->font();
    font.setPointSizeF(DialogFontSize);
    setFont(font);
    setFixedSize(rectFromTwips(0, 0, ClientWidth, ClientHeight).size());
    buildControls();
    Form_Load();
    placeBesideMainWindow();
}

frmOption::~frmOption() = default;

void frmOption::buildControls()
{
    addHeader(this, QStringLiteral(" Trasparenza"), 120);
    m_Slider1 = new QSlider(Qt::Horizontal, this);
    m_Slider1->setGeometry(rectFromTwips(120, 480, 2175, 255));
    m_Slider1->setRange(0, SliderMax);
    m_Slider1->setAccessibleName(QStringLiteral("Trasparenza"));
    m_Slider1->setAccessibleDescription(QStringLiteral("Da 0, trasparente, a 255, opaco"));
    connect(m_Slider1, &QSlider::valueChanged, this, &frmOption::Slider1_Scroll);
    m_cmdNormalize = addButton(this, QStringLiteral("&Normalizza"), 2400, 480);
    connect(m_cmdNormalize, &QPushButton::clicked, this, &frmOption::cmdNormalize_Click);

    addHeader(this, QStringLiteral(" Posizione"), 900);
    m_chkBringToFront = addCheckBox(QStringLiteral("&Sempre in primo piano"), CheckLeft, 1260, CheckWidth);
    connect(m_chkBringToFront, &QCheckBox::toggled, this, &frmOption::chkBringToFront_Click);
    m_chkAutoHide = addCheckBox(QStringLiteral("&Nascondi automaticamente"), CheckLeft, 1560, CheckWidth);
    connect(m_chkAutoHide, &QCheckBox::toggled, this, &frmOption::chkAutoHide_Click);
    m_chkHideBar = addCheckBox(QStringLiteral("&Nascondi la barra"), CheckIndentLeft, 1860, CheckIndentWidth);
    connect(m_chkHideBar, &QCheckBox::toggled, this,
            [this] { m_record.HideBar = settings::checkValue(m_chkHideBar); });

    addHeader(this, QStringLiteral(" Immagine"), 2160);
    m_chkViewDate = addCheckBox(QStringLiteral("&Visualizza la data"), CheckLeft, 2520, CheckWidth);
    connect(m_chkViewDate, &QCheckBox::toggled, this, &frmOption::chkViewDate_Click);
    m_chkViewBorder = addCheckBox(QStringLiteral("&Visualizza il bordo"), CheckLeft, 2820, CheckWidth);
    connect(m_chkViewBorder, &QCheckBox::toggled, this, &frmOption::chkViewBorder_Click);
    m_txtBorderWidth = new QLineEdit(this);
    m_txtBorderWidth->setGeometry(rectFromTwips(420, 3120, 675, 285));
    connect(m_txtBorderWidth, &QLineEdit::textChanged, this, &frmOption::txtBorderWidth_Change);
    m_lblBorderWidth = new QLabel(QStringLiteral("&Spessore bordo"), this);
    m_lblBorderWidth->setGeometry(rectFromTwips(1200, 3120, 2235, LabelHeight));
    m_lblBorderWidth->setBuddy(m_txtBorderWidth);
    m_picColorBorder = addColorBox(3480, QStringLiteral("Colore del bordo"), &m_lblColorBorder, &OptionsRecord::ColorBorder);

    m_chkTextHours = addCheckBox(QStringLiteral("&Visualizza il testo delle ore"), CheckLeft, 3780, CheckWidth);
    connect(m_chkTextHours, &QCheckBox::toggled, this, &frmOption::chkTextHours_Click);
    m_picColorText = addColorBox(4080, QStringLiteral("Colore del testo"), &m_lblColorText, &OptionsRecord::ColorTextHours);

    m_chkViewSecond = addCheckBox(QStringLiteral("&Visualizza la lancetta dei secondi"), CheckLeft, 4380, CheckWidth);
    connect(m_chkViewSecond, &QCheckBox::toggled, this, &frmOption::chkViewSecond_Click);
    m_picColorSecond = addColorBox(4680, QStringLiteral("Colore della lancetta dei secondi"), &m_lblColorSecond,
                                   &OptionsRecord::ColorLancetSecond);
    m_picColorMinute = addColorBox(4980, QStringLiteral("Colore della lancetta dei minuti"), &m_lblColorMinute,
                                   &OptionsRecord::ColorLancetMinute);
    m_picColorHour = addColorBox(5280, QStringLiteral("Colore della lancetta delle ore"), &m_lblColorHour,
                                 &OptionsRecord::ColorLancetHour);

    m_cmdOK = addButton(this, QStringLiteral("&OK"), 660, 5700);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    m_cmdCancel = addButton(this, QStringLiteral("&Cancel"), 1860, 5700);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOption::cmdCancel_Click);

    nameControls();
}

void frmOption::nameControls()
{
    const std::pair<QWidget *, const char *> names[] = {
        {m_Slider1, "Slider1"}, {m_cmdNormalize, "cmdNormalize"}, {m_chkBringToFront, "chkBringToFront"},
        {m_chkAutoHide, "chkAutoHide"}, {m_chkHideBar, "chkHideBar"}, {m_chkViewDate, "chkViewDate"},
        {m_chkViewBorder, "chkViewBorder"}, {m_txtBorderWidth, "txtBorderWidth"},
        {m_lblBorderWidth, "lblBorderWidth"}, {m_picColorBorder, "picColorBorder"},
        {m_lblColorBorder, "lblColorBorder"}, {m_chkTextHours, "chkTextHours"}, {m_picColorText, "picColorText"},
        {m_lblColorText, "lblColorText"}, {m_chkViewSecond, "chkViewSecond"}, {m_picColorSecond, "picColorSecond"},
        {m_lblColorSecond, "lblColorSecond"}, {m_picColorMinute, "picColorMinute"},
        {m_lblColorMinute, "lblColorMinute"}, {m_picColorHour, "picColorHour"}, {m_lblColorHour, "lblColorHour"},
        {m_cmdOK, "cmdOK"}, {m_cmdCancel, "cmdCancel"},
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));
}

QCheckBox *frmOption::addCheckBox(const QString &caption, double left, double top, double width)
{
    auto *box = new QCheckBox(caption, this);
    box->setGeometry(rectFromTwips(left, top, width, CheckHeight));
    return box;
}

ColorBox *frmOption::addColorBox(double top, const QString &caption, ClickLabel **label, ColorField field)
{
    auto *box = new ColorBox(this);
    box->setGeometry(rectFromTwips(ColorBoxLeft, top, ColorBoxWidth, ColorBoxHeight));
    // The box carries its label's text for assistive technology, and takes
    // the focus in its label's place.
    box->setAccessibleName(caption);
    *label = new ClickLabel(caption, this);
    (*label)->setGeometry(rectFromTwips(ColorLabelLeft, top, ColorLabelWidth, LabelHeight));
    connect(box, &ColorBox::clicked, this, [this, box, field] { colorBox_Click(box, field); });
    connect(*label, &ClickLabel::clicked, this, [this, box, field] { colorBox_Click(box, field); });
    return box;
}

// Shows the settings record in the controls. Their handlers set the
// dependent controls' enabling; the window already shows this record, so
// nothing is previewed until the user changes something.
void frmOption::Form_Load()
{
    m_record = m_module.Settings();
    const OptionsRecord r = m_record;
    m_Slider1->setValue(r.Translucent);
    settings::setCheckValue(m_chkBringToFront, r.BringToFront);
    settings::setCheckValue(m_chkAutoHide, r.AutoHide);
    settings::setCheckValue(m_chkHideBar, r.HideBar);
    settings::setCheckValue(m_chkViewDate, r.ViewDate);
    settings::setCheckValue(m_chkViewBorder, r.ViewBorder);
    m_txtBorderWidth->setText(r.BorderWidth);
    m_picColorBorder->setBackColor(r.ColorBorder);
    settings::setCheckValue(m_chkTextHours, r.ViewTextHours);
    m_picColorText->setBackColor(r.ColorTextHours);
    settings::setCheckValue(m_chkViewSecond, r.ViewSecond);
    m_picColorSecond->setBackColor(r.ColorLancetSecond);
    m_picColorMinute->setBackColor(r.ColorLancetMinute);
    m_picColorHour->setBackColor(r.ColorLancetHour);
    // A box that starts unchecked runs no handler: set every enabling here.
    chkAutoHide_Click();
    chkViewBorder_Click();
    chkTextHours_Click();
    chkViewSecond_Click();
}

// The dialog opens beside the clock, to its left, so that every change can
// be watched on the dial while it is made.
void frmOption::placeBesideMainWindow()
{
    const QRect clock = m_module.mainWindow().frameGeometry();
    const QSize screen = toolkit::desktop().primaryScreenSize();
    const QSize size = frameGeometry().size();
    const int x = std::max(0, clock.left() - GapToMainWindowPx - size.width());
    const int y = std::clamp(clock.top(), 0, std::max(0, screen.height() - size.height()));
    toolkit::desktop().moveWindow(this, QPoint(x, y));
}

void frmOption::preview()
{
    m_module.ApplySettings(m_record, mdlMain::Apply::Changes);
}

void frmOption::checkChanged(QCheckBox *box, int OptionsRecord::*field)
{
    m_record.*field = settings::checkValue(box);
    preview();
}

void frmOption::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- Check boxes ----------------------------------------------------------

void frmOption::chkAutoHide_Click()
{
    m_chkHideBar->setEnabled(settings::checkValue(m_chkAutoHide) == 1);
    // The main window takes auto-hide up when it is next activated.
    m_record.AutoHide = settings::checkValue(m_chkAutoHide);
}

void frmOption::chkBringToFront_Click()
{
    checkChanged(m_chkBringToFront, &OptionsRecord::BringToFront);
}

void frmOption::chkViewDate_Click()
{
    checkChanged(m_chkViewDate, &OptionsRecord::ViewDate);
}

void frmOption::chkViewBorder_Click()
{
    const bool on = settings::checkValue(m_chkViewBorder) == 1;
    for (QWidget *dependent : {static_cast<QWidget *>(m_txtBorderWidth), static_cast<QWidget *>(m_lblBorderWidth),
                               static_cast<QWidget *>(m_picColorBorder), static_cast<QWidget *>(m_lblColorBorder)})
        dependent->setEnabled(on);
    checkChanged(m_chkViewBorder, &OptionsRecord::ViewBorder);
}

void frmOption::chkTextHours_Click()
{
    const bool on = settings::checkValue(m_chkTextHours) == 1;
    m_picColorText->setEnabled(on);
    m_lblColorText->setEnabled(on);
    checkChanged(m_chkTextHours, &OptionsRecord::ViewTextHours);
}

void frmOption::chkViewSecond_Click()
{
    const bool on = settings::checkValue(m_chkViewSecond) == 1;
    m_picColorSecond->setEnabled(on);
    m_lblColorSecond->setEnabled(on);
    checkChanged(m_chkViewSecond, &OptionsRecord::ViewSecond);
}

// --- Border width, slider, colours ----------------------------------------

void frmOption::txtBorderWidth_Change()
{
    m_record.BorderWidth = m_txtBorderWidth->text();
    preview();
}

// Whatever moved the slider (the mouse, the keyboard, a screen reader), the
// record and the window follow it. A value the record already holds (set
// by loading or by "Normalizza") is not applied a second time.
void frmOption::Slider1_Scroll()
{
    if (m_Slider1->value() == m_record.Translucent)
        return;
    m_record.Translucent = m_Slider1->value();
    preview();
}

void frmOption::colorBox_Click(ColorBox *box, ColorField field)
{
    PickColor(this, box);
    m_record.*field = box->BackColor();
    preview();
}

bool frmOption::PickColor(QWidget *owner, ColorBox *target)
{
    const std::optional<QColor> chosen = toolkit::desktop().chooseColor(owner);
    if (!chosen)
        return false;
    target->setBackColor(toolkit::fromQColor(*chosen));
    return true;
}

// --- Buttons ----------------------------------------------------------------

void frmOption::cmdNormalize_Click()
{
    m_record.Translucent = SliderMax;
    preview();
    m_Slider1->setValue(SliderMax);
}

void frmOption::cmdOK_Click()
{
    // A file that cannot be written keeps the dialog open with the changes.
    if (m_module.SaveSettings(m_record, this))
        done(Accepted);
}

void frmOption::cmdCancel_Click()
{
    done(Rejected);
}
