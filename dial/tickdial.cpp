#include "dial/tickdial.h"

#include "toolkit/dateformat.h"
#include "toolkit/desktop.h"
#include "toolkit/mousecodes.h"
#include "toolkit/ticker.h"
#include "toolkit/twips.h"

#include <QLabel>
#include <QMouseEvent>

using toolkit::TwipsPerPixel;

namespace {

const QString RefreshTip = QStringLiteral("Click col tasto destro del mouse per un refresh del controllo");
const QString InvalidValueTitle = QStringLiteral("Valore non valido");
const QString ZeroWidthMessage = QStringLiteral("Il valore non può essere uguale a 0.");
const QString WidthRangeMessage = QStringLiteral("Il valore deve essere compreso tra 0 e %1.").arg(Tickdial::MaxBorderWidth);

// Design sizes and settings of the control and its children, twips.
constexpr double DesignWidth = 3315, DesignHeight = 2970;
constexpr double PicLeft = 180, PicTop = 180, PicWidth = 2295, PicHeight = 2415;
constexpr double DateWidth = 495, DateHeight = 225;
constexpr double DateFontPoints = 6.75;
constexpr int HourHandWidth = 3, MinuteHandWidth = 2, SecondHandWidth = 1;
constexpr int RingDesignWidth = 2;
constexpr int SecondZoneMarkLine = 2; // pixels

constexpr toolkit::OleColor Blue = toolkit::ColorBlue;
constexpr toolkit::OleColor Red = toolkit::ColorRed;
constexpr toolkit::OleColor LightGrey = toolkit::ColorLightGrey;

// Saved-state defaults.
constexpr bool DefaultVisibleTextHours = false;
constexpr bool DefaultVisibleTextDate = false;
constexpr bool DefaultVisibleSecond = true;
constexpr bool DefaultVisibleBorder = false;
constexpr qint16 DefaultBorderWidth = 1;
constexpr qint32 DefaultBorderColor = toolkit::ColorBlack;
constexpr qint32 DefaultTextHoursColor = toolkit::ColorBlack;
constexpr qint32 DefaultLancetHourColor = toolkit::ColorBlue;
constexpr qint32 DefaultLancetMinuteColor = toolkit::ColorRed;
constexpr qint32 DefaultLancetSecondColor = toolkit::ColorBlack;

// The main window's stored design values for its dial.
constexpr int MainWindowBorderWidth = 4;
constexpr qint32 MainWindowBorderColor = toolkit::ColorLightGrey;

QPointF twipsOf(const QMouseEvent *event)
{
    return event->position() * TwipsPerPixel;
}

} // namespace

Tickdial::Tickdial(QWidget *parent)
    : QWidget(parent)
    , m_pic(new toolkit::PictureBox(this))
    , m_LineZone(m_pic->addLine())
    , m_LineH(m_pic->addLine())
    , m_LineM(m_pic->addLine())
    , m_LineS(m_pic->addLine())
    , m_shapeBorder(m_pic->addShape())
    , m_shapeZoneMark(m_pic->addShape())
    , m_lblDate(new QLabel(m_pic))
    , m_Timer1(new toolkit::Ticker(this))
{
    resize(toolkit::toPxInt(DesignWidth), toolkit::toPxInt(DesignHeight));
    setMouseTracking(true);
    // Reached with Tab, so that a screen reader reads the time on focus.
    setFocusPolicy(Qt::TabFocus);

    m_pic->setGeometry(toolkit::rectFromTwips(PicLeft, PicTop, PicWidth, PicHeight));
    m_pic->setToolTip(RefreshTip);
    m_LineH->setBorderColor(Blue);
    m_LineH->setBorderWidth(HourHandWidth);
    m_LineM->setBorderColor(Red);
    m_LineM->setBorderWidth(MinuteHandWidth);
    m_LineS->setBorderWidth(SecondHandWidth);
    // Moved every second: drawn afresh above the still face and hands.
    m_LineS->setMovesOften(true);
    m_shapeBorder->setBorderColor(LightGrey);
    m_shapeBorder->setBorderWidth(RingDesignWidth);
    // The second zone's hand and mark exist hidden until a host asks.
    m_LineZone->setVisible(false);
    m_LineZone->setBorderColor(SecondZoneColor);
    m_shapeZoneMark->setVisible(false);
    m_shapeZoneMark->setBorderColor(SecondZoneColor);
    m_shapeZoneMark->setBorderWidth(SecondZoneMarkLine);

    m_lblDate->resize(toolkit::toPxInt(DateWidth), toolkit::toPxInt(DateHeight));
    m_lblDate->setAutoFillBackground(true);
    // Explicit roles: inherited from the surface they would be the button's.
    m_lblDate->setBackgroundRole(QPalette::Window);
    m_lblDate->setForegroundRole(QPalette::WindowText);
    QPalette white = m_lblDate->palette();
    white.setColor(QPalette::Window, toolkit::toQColor(toolkit::ColorWhite));
    m_lblDate->setPalette(white);
    m_lblDate->setFont(toolkit::PictureBox::fontFor(QStringLiteral("Small Fonts"), DateFontPoints, false));
    m_lblDate->setToolTip(RefreshTip);
    m_lblDate->installEventFilter(this);

    connect(m_pic, &toolkit::PictureBox::MouseUp, this, &Tickdial::pic_MouseUp);
    connect(m_pic, &toolkit::PictureBox::imageReset, this, &Tickdial::UserControl_Paint);
    connect(m_Timer1, &toolkit::Ticker::timeout, this, &Tickdial::Timer1_Timer);
    m_Timer1->setEvery(toolkit::Ticker::Every::Minute);
    m_Timer1->start();

    UserControl_Initialize();
}

Tickdial::~Tickdial() = default;

void Tickdial::UserControl_Initialize()
{
    showDate(toolkit::desktop().now().date());
    m_LancetHourColor = Blue;
    m_LancetMinuteColor = Red;
}

void Tickdial::showDate(QDate today)
{
    m_lblDate->setText(toolkit::shortDayMonth(today));
    m_shownDate = today;
}

double Tickdial::Width() const
{
    return toolkit::toTwips(width());
}

double Tickdial::Height() const
{
    return toolkit::toTwips(height());
}

// ---- Properties -----------------------------------------------------------

void Tickdial::setVisibleTextDate(bool bNewValue)
{
    m_VisibleTextDate = bNewValue;
    update(rect());
    UserControl_Paint();
    emit PropertyChanged(QStringLiteral("VisibleTextDate"));
}

void Tickdial::setVisibleTextHours(bool bNewValue)
{
    m_VisibleTextHours = bNewValue;
    update(rect());
    UserControl_Paint();
    emit PropertyChanged(QStringLiteral("VisibleTextHours"));
}

void Tickdial::setVisibleSecond(bool bNewValue)
{
    m_VisibleSecond = bNewValue;
    // Without a second hand nothing on the dial changes within a minute.
    m_Timer1->setEvery(bNewValue ? toolkit::Ticker::Every::Second : toolkit::Ticker::Every::Minute);
    UserControl_Paint();
    // A second hand shown again starts from the current second.
    if (bNewValue)
        Timer1_Timer();
    emit PropertyChanged(QStringLiteral("VisibleSecond"));
}

void Tickdial::setVisibleBorder(bool bNewValue)
{
    m_VisibleBorder = bNewValue;
    update(rect());
    UserControl_Paint();
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("VisibleBorder"));
}

quint8 Tickdial::BorderWidth() const
{
    if (m_BorderWidth == 0)
        m_BorderWidth = 1;
    return m_BorderWidth;
}

void Tickdial::setBorderWidth(quint8 nNewValue)
{
    if (nNewValue < MinBorderWidth) {
        toolkit::MsgBox(this, ZeroWidthMessage, toolkit::MessageIcon::Critical, InvalidValueTitle);
        return;
    }
    if (nNewValue > MaxBorderWidth) {
        toolkit::MsgBox(this, WidthRangeMessage, toolkit::MessageIcon::Critical, InvalidValueTitle);
        return;
    }
    m_BorderWidth = nNewValue;
    UserControl_Paint();
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("BorderWidth"));
}

void Tickdial::setBorderColor(OleColor vNewColor)
{
    m_BorderColor = vNewColor;
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("BorderColor"));
}

void Tickdial::setTextHoursColor(OleColor vNewColor)
{
    m_TextHoursColor = vNewColor;
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("TextHoursColor"));
}

void Tickdial::setLancetHourColor(OleColor vNewColor)
{
    m_LancetHourColor = vNewColor;
    UserControl_Paint();
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("LancetHourColor"));
}

void Tickdial::setLancetMinuteColor(OleColor vNewColor)
{
    m_LancetMinuteColor = vNewColor;
    UserControl_Paint();
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("LancetMinuteColor"));
}

void Tickdial::setLancetSecondColor(OleColor vNewColor)
{
    m_LancetSecondColor = vNewColor;
    UserControl_Paint();
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("LancetSecondColor"));
}

// ---- Saved state ----------------------------------------------------------

void Tickdial::UserControl_ReadProperties(const toolkit::PropertyBag &PropBag)
{
    setVisibleTextHours(PropBag.ReadProperty(QStringLiteral("VisibleTextHours"), DefaultVisibleTextHours).toBool());
    setVisibleTextDate(PropBag.ReadProperty(QStringLiteral("VisibleTextDate"), DefaultVisibleTextDate).toBool());
    setVisibleSecond(PropBag.ReadProperty(QStringLiteral("VisibleSecond"), DefaultVisibleSecond).toBool());
    setVisibleBorder(PropBag.ReadProperty(QStringLiteral("VisibleBorder"), DefaultVisibleBorder).toBool());
    setBorderWidth(quint8(PropBag.ReadProperty(QStringLiteral("BorderWidth"), QVariant::fromValue(DefaultBorderWidth)).toUInt()));
    setBorderColor(PropBag.ReadProperty(QStringLiteral("BorderColor"), DefaultBorderColor).toInt());
    setTextHoursColor(PropBag.ReadProperty(QStringLiteral("TextHoursColor"), DefaultTextHoursColor).toInt());
    setLancetHourColor(PropBag.ReadProperty(QStringLiteral("LancetHourColor"), DefaultLancetHourColor).toInt());
    setLancetMinuteColor(PropBag.ReadProperty(QStringLiteral("LancetMinuteColor"), DefaultLancetMinuteColor).toInt());
    setLancetSecondColor(PropBag.ReadProperty(QStringLiteral("LancetSecondColor"), DefaultLancetSecondColor).toInt());
}

toolkit::PropertyBag Tickdial::mainWindowDesignState()
{
    toolkit::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("VisibleTextHours"), true);
    bag.WriteProperty(QStringLiteral("VisibleTextDate"), true);
    bag.WriteProperty(QStringLiteral("VisibleBorder"), true);
    bag.WriteProperty(QStringLiteral("BorderWidth"), MainWindowBorderWidth);
    bag.WriteProperty(QStringLiteral("BorderColor"), MainWindowBorderColor);
    return bag;
}

// ---- Events ---------------------------------------------------------------

void Tickdial::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
    // A new size needs the face drawn again at the new size.
    UserControl_Paint();
}

void Tickdial::mousePressEvent(QMouseEvent *event)
{
    m_afterDoubleClick = false;
    const QPointF at = twipsOf(event);
    emit MouseDown(toolkit::mouseButtonCode(event->button()), toolkit::shiftCode(event->modifiers()),
                   float(at.x()), float(at.y()));
}

void Tickdial::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = twipsOf(event);
    emit MouseMove(toolkit::mouseButtonCode(event->buttons()), toolkit::shiftCode(event->modifiers()),
                   float(at.x()), float(at.y()));
}

void Tickdial::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = twipsOf(event);
    emit MouseUp(toolkit::mouseButtonCode(event->button()), toolkit::shiftCode(event->modifiers()),
                 float(at.x()), float(at.y()));
    if (!m_afterDoubleClick && rect().contains(event->position().toPoint()))
        emit Click();
    m_afterDoubleClick = false;
}

void Tickdial::mouseDoubleClickEvent(QMouseEvent *)
{
    m_afterDoubleClick = true;
    emit DblClick();
}

// The date window keeps its mouse activity to itself: nothing of it
// reaches the surface beneath or the host.
bool Tickdial::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_lblDate)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPointF at = twipsOf(mouse);
        lblDate_MouseUp(toolkit::mouseButtonCode(mouse->button()), toolkit::shiftCode(mouse->modifiers()),
                        float(at.x()), float(at.y()));
        event->accept();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        event->accept();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void Tickdial::pic_MouseUp(int Button, int, float, float)
{
    if (Button == toolkit::RightButtonCode)
        UserControl_Paint();
}

void Tickdial::lblDate_MouseUp(int Button, int, float, float)
{
    if (Button == toolkit::RightButtonCode)
        UserControl_Paint();
}
