#include "settings/frmoption.h"

#include "settings/controls.h"
#include "toolkit/desktop.h"
#include "toolkit/fonts.h"
#include "settings/mdlmain.h"
#include "translucency/ctranslucentform.h"
#include "toolkit/twips.h"
#include "toolkit/windowguard.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>

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

constexpr int SliderMax = CTranslucentForm::Opaque;

// Room between the clock and the dialog beside it, pixels.
constexpr int GapToMainWindowPx = 8;
// What a window manager's title bar and borders may take of the screen
// around the dialog, pixels.
constexpr int WindowFrameAllowancePx = 48;

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
    fitOnScreen();
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
    m_Slider1->setAccessibleDescription(QStringLiteral("Da 0, trasparente, a %1, opaco").arg(SliderMax));
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
    for (const settings::Field &field : settings::Fields) {
        if (!field.control)
            continue;
        QWidget *control = findChild<QWidget *>(QLatin1String(field.control));
        Q_ASSERT(control);
        if (auto *box = qobject_cast<QCheckBox *>(control))
            settings::setCheckValue(box, r.*field.number);
        else if (auto *colorBox = qobject_cast<ColorBox *>(control))
            colorBox->setBackColor(r.*field.number);
        else if (auto *slider = qobject_cast<QSlider *>(control))
            slider->setValue(r.*field.number);
        else if (auto *text = qobject_cast<QLineEdit *>(control))
            text->setText(r.BorderWidth);
    }
    // A box that starts unchecked runs no handler: set every enabling here.
    chkAutoHide_Click();
    chkViewBorder_Click();
    chkTextHours_Click();
    chkViewSecond_Click();
}

// On a screen too small for the dialog (a small one at a large scale) its
// controls, as designed, scroll inside a window as high as the screen
// allows, so that every one of them (OK, Cancel, the last colours) can be
// reached; where it fits nothing changes.
void frmOption::fitOnScreen()
{
    const QSize designed = size();
    const QRect screen = toolkit::desktop().availableGeometry();
    const QSize room = screen.size() - QSize(WindowFrameAllowancePx, WindowFrameAllowancePx);
    if (designed.width() <= room.width() && designed.height() <= room.height())
        return;
    auto *page = new QWidget;
    page->setFixedSize(designed);
    // In the order they were made, which is the order of the Tab key.
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->setParent(page);
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(page);
    const int barWidth = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedSize(std::min(designed.width() + barWidth, room.width()), std::min(designed.height(), room.height()));
    scroller->setGeometry(rect());
}

// The dialog opens beside the clock, to its left, so that every change can
// be watched on the dial while it is made.
void frmOption::placeBesideMainWindow()
{
    const QRect clock = m_module.mainWindow().frameGeometry();
    const QRect screen = toolkit::desktop().availableGeometry();
    const QSize size = frameGeometry().size();
    const int x = std::max(screen.left(), clock.left() - GapToMainWindowPx - size.width());
    // The window manager's frame comes on top of the dialog's own size, and
    // some (icewm) put the dialog itself, not its frame, at the place asked:
    // half the frame's room is kept above and half below.
    const int highest = screen.top() + WindowFrameAllowancePx / 2;
    const int lowest = screen.bottom() + 1 - size.height() - WindowFrameAllowancePx / 2;
    const int y = std::clamp(clock.top(), highest, std::max(highest, lowest));
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
