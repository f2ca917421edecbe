#pragma once

#include "toolkit/olecolor.h"
#include "toolkit/propertybag.h"
#include "toolkit/surface.h"
#include "toolkit/ticker.h"

#include <QDate>
#include <QPointF>
#include <QTime>
#include <QWidget>
#include <optional>

class QLabel;

// The clock dial: a round analog face with 60 minute dots or the hour
// numerals, an optional border ring and date window, and hour, minute and
// optional second hands that move by themselves. Its host sets what it
// shows through ten properties (also reachable by name with
// QObject::setProperty) and is told of every change by PropertyChanged.
// Positions and sizes are in twips, 15 to a device-independent pixel.
// Assistive technology reads the time the hands show as the control's
// accessible name ("Ore 3:00") and the date window's text as its
// description; both change at most once a minute.
class Tickdial : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool VisibleTextDate READ VisibleTextDate WRITE setVisibleTextDate)
    Q_PROPERTY(bool VisibleTextHours READ VisibleTextHours WRITE setVisibleTextHours)
    Q_PROPERTY(bool VisibleSecond READ VisibleSecond WRITE setVisibleSecond)
    Q_PROPERTY(bool VisibleBorder READ VisibleBorder WRITE setVisibleBorder)
    Q_PROPERTY(quint8 BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(qint32 BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(qint32 TextHoursColor READ TextHoursColor WRITE setTextHoursColor)
    Q_PROPERTY(qint32 LancetHourColor READ LancetHourColor WRITE setLancetHourColor)
    Q_PROPERTY(qint32 LancetMinuteColor READ LancetMinuteColor WRITE setLancetMinuteColor)
    Q_PROPERTY(qint32 LancetSecondColor READ LancetSecondColor WRITE setLancetSecondColor)

public:
    using OleColor = toolkit::OleColor;

    // The border ring's width, pixels: the only values BorderWidth takes.
    static constexpr int MinBorderWidth = 1;
    static constexpr int MaxBorderWidth = 80;

    explicit Tickdial(QWidget *parent = nullptr);
    ~Tickdial() override;

    // The ten properties. Setters take no short cut: setting the value a
    // property already holds repeats its redraw, layout and notification.
    bool VisibleTextDate() const { return m_VisibleTextDate; }
    void setVisibleTextDate(bool bNewValue);
    bool VisibleTextHours() const { return m_VisibleTextHours; }
    void setVisibleTextHours(bool bNewValue);
    bool VisibleSecond() const { return m_VisibleSecond; }
    void setVisibleSecond(bool bNewValue);
    bool VisibleBorder() const { return m_VisibleBorder; }
    void setVisibleBorder(bool bNewValue);
    quint8 BorderWidth() const;
    // MinBorderWidth to MaxBorderWidth; 0 and larger values are refused
    // with a message box.
    void setBorderWidth(quint8 nNewValue);
    OleColor BorderColor() const { return m_BorderColor; }
    void setBorderColor(OleColor vNewColor);
    OleColor TextHoursColor() const { return m_TextHoursColor; }
    void setTextHoursColor(OleColor vNewColor);
    OleColor LancetHourColor() const { return m_LancetHourColor; }
    void setLancetHourColor(OleColor vNewColor);
    OleColor LancetMinuteColor() const { return m_LancetMinuteColor; }
    void setLancetMinuteColor(OleColor vNewColor);
    OleColor LancetSecondColor() const { return m_LancetSecondColor; }
    void setLancetSecondColor(OleColor vNewColor);

    // A second time zone on the dial: a thin 24-hour hand (midnight up,
    // noon down) in a colour of its own, under the designed hands, with a
    // small ring at its tip. The host gives the zone's minute of the day
    // (0 to 1439) whenever it may have changed; nothing hides the hand and
    // leaves the dial exactly as designed.
    void setSecondZoneHand(std::optional<int> minuteOfDay);
    std::optional<int> secondZoneHand() const { return m_secondZoneMinute; }
    static constexpr OleColor SecondZoneColor = toolkit::rgbColor(0, 140, 70);

    // The saved design state: every value read runs through its setter.
    void UserControl_ReadProperties(const toolkit::PropertyBag &PropBag);
    // The design state the main window keeps for its dial Tickdial1.
    static toolkit::PropertyBag mainWindowDesignState();

    // Layout of surface, ring, pivot, radius, hand lengths and date window.
    void UserControl_Resize();
    // Draws the face on the surface and applies colours and visibility.
    void UserControl_Paint();

    // Layout results, twips.
    double DialRadius() const { return m_DialRadius; }
    double HourHandLength() const { return m_HourHandLength; }
    double MinuteHandLength() const { return m_MinuteHandLength; }
    double SecondHandLength() const { return m_SecondHandLength; }
    // The date window's top-left corner as laid out, twips.
    QPointF lblDatePosition() const { return m_lblDatePosition; }

    // The children, for the host's tests and measurements.
    const toolkit::PictureBox *pic() const { return m_pic; }
    toolkit::PictureBox *pic() { return m_pic; }
    const toolkit::LineObject *LineH() const { return m_LineH; }
    const toolkit::LineObject *LineM() const { return m_LineM; }
    const toolkit::LineObject *LineS() const { return m_LineS; }
    const toolkit::ShapeObject *shapeBorder() const { return m_shapeBorder; }
    const toolkit::LineObject *LineZone() const { return m_LineZone; }
    const toolkit::ShapeObject *shapeZoneMark() const { return m_shapeZoneMark; }
    QLabel *lblDate() const { return m_lblDate; }
    // Ticks every second while the second hand shows, every minute
    // otherwise; a host that hides the dial may stop it.
    toolkit::Ticker *Timer1() const { return m_Timer1; }

    // The control's size in twips (outer and inner agree: no border).
    double Width() const;
    double Height() const;

public slots:
    // At each tick: moves the second hand, and the hour and minute hands
    // whenever the minute shown is not the current one.
    void Timer1_Timer();

signals:
    void PropertyChanged(const QString &PropertyName);
    void Click();
    void DblClick();
    // Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt;
    // X and Y in twips in the control's coordinates.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UserControl_Initialize();
    void pic_MouseUp(int Button, int Shift, float X, float Y);
    void lblDate_MouseUp(int Button, int Shift, float X, float Y);
    void MoveHourMinuteHands();
    void MoveHourMinuteHands(QTime now);
    void publishShownTime(QTime shown);
    void showDate(QDate today);
    void placeSecondZoneHand();

    // Layout fields, twips.
    double m_DialRadius = 0;
    double m_HourHandLength = 0;
    double m_MinuteHandLength = 0;
    double m_SecondHandLength = 0;
    // Property fields; numerals before date as they are stored.
    bool m_VisibleTextHours = false;
    bool m_VisibleTextDate = false;
    bool m_VisibleSecond = false;
    bool m_VisibleBorder = false;
    mutable quint8 m_BorderWidth = 0;
    OleColor m_BorderColor = 0;
    OleColor m_TextHoursColor = 0;
    OleColor m_LancetHourColor = 0;
    OleColor m_LancetMinuteColor = 0;
    OleColor m_LancetSecondColor = 0;

    toolkit::PictureBox *m_pic;
    toolkit::LineObject *m_LineZone; // added first: drawn under the designed hands
    toolkit::LineObject *m_LineH;
    toolkit::LineObject *m_LineM;
    toolkit::LineObject *m_LineS;
    toolkit::ShapeObject *m_shapeBorder;
    toolkit::ShapeObject *m_shapeZoneMark;
    QLabel *m_lblDate;
    toolkit::Ticker *m_Timer1;

    QPointF m_lblDatePosition;
    QDate m_shownDate;          // the date the date window shows
    int m_shownMinuteOfDay = -1; // the hour and minute the hands show
    std::optional<int> m_secondZoneMinute;
    bool m_afterDoubleClick = false;
};
