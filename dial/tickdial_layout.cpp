// Layout of the dial and the movement of its hands.
#include "dial/tickdial.h"

#include "toolkit/dateformat.h"
#include "toolkit/desktop.h"
#include "dial/dialgeometry.h"
#include "toolkit/twips.h"

#include <QLabel>

namespace {

// The marks stand this far inside the edge of the control (or the ring).
constexpr double DialMargin = 100;
constexpr double SecondHandRatio = 0.9;
constexpr double MinuteHandRatio = 0.8;
constexpr double HourHandRatio = 0.65;
// The date window sits a quarter radius right of and above the pivot.
constexpr double DateOffsetRatio = 0.5;
constexpr int MinutesPerHour = 60;
constexpr int MinutesPerDay = 24 * MinutesPerHour;
// The second zone's hand reaches as far as the second hand; its ring at the
// tip is this wide, twips.
constexpr double SecondZoneHandRatio = 0.9;
constexpr double SecondZoneMarkSize = 105;

} // namespace

void Tickdial::UserControl_Resize()
{
    const double scaleWidth = Width();
    const double scaleHeight = Height();

    m_pic->setGeometry(toolkit::rectFromTwips(0, 0, scaleWidth, scaleHeight));

    if (m_shapeBorder->Visible()) {
        m_shapeBorder->setVisible(false);
        m_shapeBorder->setTop(0);
        m_shapeBorder->setLeft(0);
        m_shapeBorder->setWidth(scaleWidth);
        m_shapeBorder->setHeight(scaleHeight);
        m_shapeBorder->setVisible(true);
    }

    for (toolkit::LineObject *hand : {m_LineS, m_LineM, m_LineH, m_LineZone}) {
        hand->setX1(scaleWidth / 2);
        hand->setY1(scaleHeight / 2);
    }

    const double size = Height() <= Width() ? Height() : Width();
    if (m_VisibleBorder) {
        const qint16 ringTwips = qint16(toolkit::TwipsPerPixel * m_shapeBorder->BorderWidth());
        m_DialRadius = size / 2 - DialMargin - ringTwips;
    } else {
        m_DialRadius = size / 2 - DialMargin;
    }

    m_SecondHandLength = m_DialRadius * SecondHandRatio;
    m_MinuteHandLength = m_DialRadius * MinuteHandRatio;
    m_HourHandLength = m_DialRadius * HourHandRatio;

    placeSecondZoneHand();

    const double q = (m_DialRadius / 2) * DateOffsetRatio;
    m_lblDatePosition = QPointF(m_LineS->X1() + q, m_LineS->Y1() - q);
    m_lblDate->move(toolkit::toPxInt(m_lblDatePosition.x()), toolkit::toPxInt(m_lblDatePosition.y()));

    m_pic->Refresh();
}

void Tickdial::Timer1_Timer()
{
    const QDateTime now = toolkit::desktop().now();
    const QTime time = now.time();

    // The date window follows the calendar past midnight.
    if (now.date() != m_shownDate)
        showDate(now.date());

    if (m_VisibleSecond) {
        const double theta = (time.second() * dial::DegreesPerMinute / dial::HalfTurnDegrees) * dial::Pi;
        const QPointF end = dial::pointAt({Width() / 2, Height() / 2}, m_SecondHandLength, theta);
        m_LineS->setX2(end.x());
        m_LineS->setY2(end.y());
    }

    // Second 0 brings the hour and minute hands up to date; so does any
    // tick that finds them showing another minute (a missed second 0, a
    // suspend, the clock set back or forward).
    const int minuteOfDay = time.hour() * MinutesPerHour + time.minute();
    if (time.second() == 0 || minuteOfDay != m_shownMinuteOfDay)
        MoveHourMinuteHands(time);
}

void Tickdial::MoveHourMinuteHands()
{
    MoveHourMinuteHands(toolkit::desktop().now().time());
}

void Tickdial::MoveHourMinuteHands(QTime now)
{
    const int m = now.minute();
    const int h = now.hour();
    const double thetaM = (m * dial::DegreesPerMinute / dial::HalfTurnDegrees) * dial::Pi;
    const double thetaH = (h * dial::DegreesPerHour / dial::HalfTurnDegrees) * dial::Pi
        + (m * dial::HourDegreesPerMinute / dial::HalfTurnDegrees) * dial::Pi;
    const QPointF centre(Width() / 2, Height() / 2);

    const QPointF minuteEnd = dial::pointAt(centre, m_MinuteHandLength, thetaM);
    m_LineM->setX2(minuteEnd.x());
    m_LineM->setY2(minuteEnd.y());
    const QPointF hourEnd = dial::pointAt(centre, m_HourHandLength, thetaH);
    m_LineH->setX2(hourEnd.x());
    m_LineH->setY2(hourEnd.y());

    m_shownMinuteOfDay = h * MinutesPerHour + m;
    publishShownTime(now);
}

// The texts assistive technology reads. Each is set only when it differs:
// setting it again would announce it again, and the hands are moved several
// times within a minute (at every painting and at second 0).
void Tickdial::publishShownTime(QTime shown)
{
    const QString name = QStringLiteral("Ore %1:%2").arg(shown.hour()).arg(shown.minute(), 2, 10, QLatin1Char('0'));
    if (accessibleName() != name)
        setAccessibleName(name);
    const QString description = m_VisibleTextDate ? m_lblDate->text() : QString();
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void Tickdial::setSecondZoneHand(std::optional<int> minuteOfDay)
{
    if (minuteOfDay == m_secondZoneMinute)
        return;
    m_secondZoneMinute = minuteOfDay;
    placeSecondZoneHand();
}

// A whole turn a day: a quarter of a degree a minute, midnight at the top.
void Tickdial::placeSecondZoneHand()
{
    const bool shown = m_secondZoneMinute.has_value();
    if (shown) {
        const double theta = 2 * dial::Pi * (*m_secondZoneMinute % MinutesPerDay) / MinutesPerDay;
        const QPointF tip = dial::pointAt({Width() / 2, Height() / 2}, m_DialRadius * SecondZoneHandRatio, theta);
        m_LineZone->setX2(tip.x());
        m_LineZone->setY2(tip.y());
        m_shapeZoneMark->setLeft(tip.x() - SecondZoneMarkSize / 2);
        m_shapeZoneMark->setTop(tip.y() - SecondZoneMarkSize / 2);
        m_shapeZoneMark->setWidth(SecondZoneMarkSize);
        m_shapeZoneMark->setHeight(SecondZoneMarkSize);
    }
    m_LineZone->setVisible(shown);
    m_shapeZoneMark->setVisible(shown);
}
