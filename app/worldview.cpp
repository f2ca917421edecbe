#include "app/worldview.h"

#include "dial/tickdial.h"
#include "toolkit/desktop.h"
#include "toolkit/timeunits.h"
#include "toolkit/twips.h"
#include "worldclock/zoneline.h"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

using toolkit::SecondsPerMinute;

namespace {

// The gap above the lines, as between the panel's other rows, twips.
constexpr double RowGap = 60;
const QString LineBreak = QStringLiteral("\n");

} // namespace

WorldView::WorldView(Tickdial &dial, QWidget *panel)
    : QObject(panel)
    , m_dial(dial)
    , m_lines(new QLabel(panel))
{
    m_lines->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lines->setForegroundRole(QPalette::WindowText);
    m_lines->hide();
    // The tooltip is made when it is asked for: the lines cost nothing
    // between two looks.
    m_dial.pic()->installEventFilter(this);
    m_dial.lblDate()->installEventFilter(this);
}

void WorldView::setOptions(const worldclock::ZoneOptions &options)
{
    const bool heightChanges = options.zones.size() != m_options.zones.size();
    m_options = options;
    m_shownMinute = -1;
    m_lines->setVisible(!m_options.zones.isEmpty());
    showTime(toolkit::desktop().now());
    if (heightChanges)
        emit panelHeightChanged();
}

QStringList WorldView::linesAt(const QDateTime &now) const
{
    return worldclock::zoneLines(m_options.zones, now, now.timeZone());
}

void WorldView::showTime(const QDateTime &now)
{
    if (m_options.zones.isEmpty()) {
        m_dial.setSecondZoneHand(std::nullopt);
        return;
    }
    const qint64 minute = now.toSecsSinceEpoch() / SecondsPerMinute;
    if (minute == m_shownMinute && now.offsetFromUtc() == m_shownOffset)
        return;
    m_shownMinute = minute;
    m_shownOffset = now.offsetFromUtc();
    m_lines->setText(linesAt(now).join(LineBreak));
    m_dial.setSecondZoneHand(m_options.secondHand
                                 ? std::optional<int>(worldclock::minuteOfDayIn(m_options.zones.first().id, now))
                                 : std::nullopt);
}

double WorldView::panelHeight() const
{
    if (m_options.zones.isEmpty())
        return 0;
    const int lineHeight = m_lines->fontMetrics().lineSpacing();
    return toolkit::toTwips(lineHeight * int(m_options.zones.size())) + RowGap;
}

double WorldView::placeBelow(const QWidget *label)
{
    const double height = panelHeight();
    if (height > 0) {
        const int top = label->y() + label->height() + toolkit::toPxInt(RowGap);
        m_lines->setGeometry(label->x(), top, label->width(), toolkit::toPxInt(height - RowGap));
    }
    return height;
}

bool WorldView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || m_options.zones.isEmpty())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString lines = linesAt(toolkit::desktop().now()).join(LineBreak);
    QToolTip::showText(help->globalPos(), widget->toolTip() + LineBreak + LineBreak + lines, widget);
    return true;
}
