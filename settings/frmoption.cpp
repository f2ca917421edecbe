#include "frmoption.h"

#include "controls.h"
#include "ctranslucentform.h"
#include "desktop.h"
#include "mdlmain.h"
#include "optionsfile.h"
#include "tickdial.h"
#include "twips.h"
#include "windowguard.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using settings::ClickLabel;
using settings::ColorBox;
using toolkit::rectFromTwips;

namespace {

constexpr double ClientWidth = 3615;
constexpr double ClientHeight = 6135;

// Header labels span the dialog on a light blue band.
constexpr double HeaderLeft = 120;
constexpr double HeaderWidth = 3375;
constexpr double HeaderHeight = 255;
constexpr toolkit::OleColor HeaderColor = toolkit::OleColor(0xFFC0C0);
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

constexpr int SliderMax = 255;
constexpr quint8 Opaque = 255;

QLabel *addHeader(QWidget *parent, const QString &caption, double top)
{
    auto *header = new QLabel(caption, parent);
    header->setGeometry(rectFromTwips(HeaderLeft, top, HeaderWidth, HeaderHeight));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(HeaderFontSize);
    font.setBold(true);
    header->setFont(font);
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
    connect(m_Slider1, &QSlider::actionTriggered, this, &frmOption::Slider1_Scroll);
    m_cmdNormalize = addButton(this, QStringLiteral("&Normalizza"), 2400, 480);
    connect(m_cmdNormalize, &QPushButton::clicked, this, &frmOption::cmdNormalize_Click);

    addHeader(this, QStringLiteral(" Posizione"), 900);
    m_chkBringToFront = addCheckBox(QStringLiteral("&Sempre in primo piano"), CheckLeft, 1260, CheckWidth);
    connect(m_chkBringToFront, &QCheckBox::toggled, this, &frmOption::chkBringToFront_Click);
    m_chkAutoHide = addCheckBox(QStringLiteral("&Nascondi automaticamente"), CheckLeft, 1560, CheckWidth);
    connect(m_chkAutoHide, &QCheckBox::toggled, this, &frmOption::chkAutoHide_Click);
    m_chkHideBar = addCheckBox(QStringLiteral("&Nascondi la barra"), CheckIndentLeft, 1860, CheckIndentWidth);

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
    m_picColorBorder = addColorBox(3480, QStringLiteral("Colore del bordo"), &m_lblColorBorder, &Tickdial::setBorderColor);

    m_chkTextHours = addCheckBox(QStringLiteral("&Visualizza il testo delle ore"), CheckLeft, 3780, CheckWidth);
    connect(m_chkTextHours, &QCheckBox::toggled, this, &frmOption::chkTextHours_Click);
    m_picColorText = addColorBox(4080, QStringLiteral("Colore del testo"), &m_lblColorText, &Tickdial::setTextHoursColor);

    m_chkViewSecond = addCheckBox(QStringLiteral("&Visualizza la lancetta dei secondi"), CheckLeft, 4380, CheckWidth);
    connect(m_chkViewSecond, &QCheckBox::toggled, this, &frmOption::chkViewSecond_Click);
    m_picColorSecond = addColorBox(4680, QStringLiteral("Colore della lancetta dei secondi"), &m_lblColorSecond,
                                   &Tickdial::setLancetSecondColor);
    m_picColorMinute = addColorBox(4980, QStringLiteral("Colore della lancetta dei minuti"), &m_lblColorMinute,
                                   &Tickdial::setLancetMinuteColor);
    m_picColorHour = addColorBox(5280, QStringLiteral("Colore della lancetta delle ore"), &m_lblColorHour,
                                 &Tickdial::setLancetHourColor);

    // Neither button is the default: Enter acts on a button only while it
    // has the focus.
    m_cmdOK = addButton(this, QStringLiteral("&OK"), 660, 5700);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    m_cmdCancel = addButton(this, QStringLiteral("&Cancel"), 1860, 5700);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOption::cmdCancel_Click);

    nameControls();
    // The check boxes start unchecked, so their dependents start disabled.
    for (QWidget *dependent : {static_cast<QWidget *>(m_chkHideBar), static_cast<QWidget *>(m_txtBorderWidth),
                               static_cast<QWidget *>(m_lblBorderWidth), static_cast<QWidget *>(m_picColorBorder),
                               static_cast<QWidget *>(m_lblColorBorder), static_cast<QWidget *>(m_picColorText),
                               static_cast<QWidget *>(m_lblColorText), static_cast<QWidget *>(m_picColorSecond),
                               static_cast<QWidget *>(m_lblColorSecond)})
        dependent->setEnabled(false);
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

ColorBox *frmOption::addColorBox(double top, const QString &caption, ClickLabel **label, DialColorSetter setter)
{
    auto *box = new ColorBox(this);
    box->setGeometry(rectFromTwips(ColorBoxLeft, top, ColorBoxWidth, ColorBoxHeight));
    // The box carries its label's text for assistive technology, and takes
    // the focus in its label's place.
    box->setAccessibleName(caption);
    *label = new ClickLabel(caption, this);
    (*label)->setGeometry(rectFromTwips(ColorLabelLeft, top, ColorLabelWidth, LabelHeight));
    connect(box, &ColorBox::clicked, this, [this, box, setter] { colorBox_Click(box, setter); });
    connect(*label, &ClickLabel::clicked, this, [this, box, setter] { colorBox_Click(box, setter); });
    return box;
}

void frmOption::Form_Load()
{
    if (const CTranslucentForm *translucency = m_module.Translucency())
        m_Slider1->setValue(translucency->Alpha());
    m_module.LoadSettings();
}

void frmOption::done(int result)
{
    QDialog::done(result);
    m_module.releaseOptions(this);
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
}

void frmOption::chkBringToFront_Click()
{
    SetMainWindowZOrder(settings::checkValue(m_chkBringToFront) == 1);
}

void frmOption::chkViewDate_Click()
{
    m_module.dial().setVisibleTextDate(settings::checkValue(m_chkViewDate) == 1);
}

void frmOption::chkViewBorder_Click()
{
    const bool on = settings::checkValue(m_chkViewBorder) == 1;
    for (QWidget *dependent : {static_cast<QWidget *>(m_txtBorderWidth), static_cast<QWidget *>(m_lblBorderWidth),
                               static_cast<QWidget *>(m_picColorBorder), static_cast<QWidget *>(m_lblColorBorder)})
        dependent->setEnabled(on);
    m_module.dial().setVisibleBorder(on);
}

void frmOption::chkTextHours_Click()
{
    const bool on = settings::checkValue(m_chkTextHours) == 1;
    m_picColorText->setEnabled(on);
    m_lblColorText->setEnabled(on);
    m_module.dial().setVisibleTextHours(on);
}

void frmOption::chkViewSecond_Click()
{
    const bool on = settings::checkValue(m_chkViewSecond) == 1;
    m_picColorSecond->setEnabled(on);
    m_lblColorSecond->setEnabled(on);
    m_module.dial().setVisibleSecond(on);
}

// --- Border width, slider, colours ----------------------------------------

void frmOption::txtBorderWidth_Change()
{
    m_module.dial().setBorderWidth(quint8(settings::borderWidthFromText(m_txtBorderWidth->text())));
}

void frmOption::Slider1_Scroll()
{
    if (CTranslucentForm *translucency = m_module.Translucency())
        translucency->setAlpha(quint8(m_Slider1->sliderPosition()));
}

void frmOption::colorBox_Click(ColorBox *box, DialColorSetter setter)
{
    PickColor(this, box);
    (m_module.dial().*setter)(box->BackColor());
}

bool frmOption::PickColor(QWidget *owner, ColorBox *target)
{
    const std::optional<QColor> chosen = toolkit::desktop().chooseColor(owner);
    if (!chosen)
        return false;
    target->setBackColor(toolkit::fromQColor(*chosen));
    return true;
}

void frmOption::SetMainWindowZOrder(bool topmost)
{
    toolkit::desktop().setAlwaysOnTop(&m_module.mainWindow(), topmost);
}

// --- Buttons ----------------------------------------------------------------

void frmOption::cmdNormalize_Click()
{
    if (CTranslucentForm *translucency = m_module.Translucency())
        translucency->setAlpha(Opaque);
    m_Slider1->setValue(SliderMax);
}

void frmOption::cmdOK_Click()
{
    // A file that cannot be written keeps the dialog open with the changes.
    if (m_module.SaveSettings())
        done(Accepted);
}

void frmOption::cmdCancel_Click()
{
    done(Rejected);
}
