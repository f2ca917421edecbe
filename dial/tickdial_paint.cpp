// Painting of the dial face.
#include "dial/tickdial.h"

#include "dial/dialface.h"
#include "dial/dialgeometry.h"

#include <QLabel>

namespace {

constexpr int MinutePositions = 60;
constexpr int MinutesPerNumeral = 5;
constexpr int QuarterEvery = 15;
constexpr int QuarterDot = 3;  // pixels, at 12, 3, 6 and 9 o'clock
constexpr int HourDot = 2;     // at the other hours
constexpr int MinuteDot = 1;

// The face is a little wider than the ring of marks.
constexpr double FaceExtra = 100;

int dotSize(int i)
{
    if (i % QuarterEvery == 0)
        return QuarterDot;
    if (i % MinutesPerNumeral == 0)
        return HourDot;
    return MinuteDot;
}

bool isTwoDigitNumeral(int i)
{
    constexpr int TenOClock = 50, ElevenOClock = 55;
    return i == 0 || i == TenOClock || i == ElevenOClock;
}

QString numeralAt(int i)
{
    constexpr int Twelve = 12;
    return QString::number(i == 0 ? Twelve : i / MinutesPerNumeral);
}

} // namespace

void Tickdial::UserControl_Paint()
{
    m_pic->Cls();
    m_pic->Refresh();

    const double faceSize = 2 * m_DialRadius + FaceExtra;
    const dial::FaceBand &band = dial::faceBandFor(faceSize);
    const QPointF centre(Width() / 2, Height() / 2);
    const double r = m_DialRadius;

    for (int i = 0; i < MinutePositions; ++i) {
        m_pic->DrawWidth = dotSize(i);
        const double theta = (i * dial::DegreesPerMinute / dial::HalfTurnDegrees) * dial::Pi;
        const QPointF p = dial::pointAt(centre, r, theta);
        if (!m_VisibleTextHours) {
            m_pic->PSet(p.x(), p.y());
            continue;
        }
        m_pic->CurrentX = p.x() - (isTwoDigitNumeral(i) ? band.xOffsetTwoDigits : band.xOffsetOneDigit);
        m_pic->CurrentY = p.y() - band.yOffset;
        m_pic->FontName = QLatin1String(band.fontName);
        m_pic->setForeColor(m_TextHoursColor);
        m_pic->FontBold = band.bold;
        m_pic->FontSize = band.points;
        if (i % MinutesPerNumeral == 0)
            m_pic->Print(numeralAt(i));
        else
            m_pic->PSet(p.x(), p.y());
    }

    if (m_BorderWidth == 0)
        m_BorderWidth = 1;
    m_lblDate->setVisible(m_VisibleTextDate);
    m_shapeBorder->setVisible(m_VisibleBorder);
    m_LineS->setVisible(m_VisibleSecond);
    m_shapeBorder->setBorderWidth(m_BorderWidth);
    m_shapeBorder->setBorderColor(m_BorderColor);
    m_LineH->setBorderColor(m_LancetHourColor);
    m_LineM->setBorderColor(m_LancetMinuteColor);
    m_LineS->setBorderColor(m_LancetSecondColor);

    MoveHourMinuteHands();
}
