#include "worldclock/zoneline.h"

#include "toolkit/timeunits.h"

namespace worldclock {

using toolkit::SecondsPerMinute;

namespace {

constexpr int MinutesPerHour = 60;
constexpr QChar MinusSign = u'\u2212';
const QString Gap = QStringLiteral("  ");

QString signOf(qint64 value)
{
    return value < 0 ? QString(MinusSign) : QStringLiteral("+");
}

} // namespace

QString offsetText(int seconds)
{
    const int minutes = seconds / SecondsPerMinute;
    if (minutes == 0)
        return QStringLiteral("0 h");
    const int whole = std::abs(minutes);
    QString text = signOf(minutes) + QString::number(whole / MinutesPerHour);
    if (whole % MinutesPerHour != 0)
        text += QStringLiteral(":%1").arg(whole % MinutesPerHour, 2, 10, QLatin1Char('0'));
    return text + QStringLiteral(" h");
}

QString zoneLine(const WorldZone &zone, const QDateTime &instant, const QTimeZone &local)
{
    const QDateTime here = instant.toTimeZone(local);
    const QDateTime there = instant.toTimeZone(QTimeZone(zone.id));
    QString line = zone.label + Gap + there.toString(QStringLiteral("HH:mm")) + Gap
        + offsetText(there.offsetFromUtc() - here.offsetFromUtc());
    const qint64 days = here.date().daysTo(there.date());
    if (days != 0)
        line += Gap + signOf(days) + QString::number(std::abs(days));
    return line;
}

QStringList zoneLines(const QList<WorldZone> &zones, const QDateTime &instant, const QTimeZone &local)
{
    QStringList lines;
    for (const WorldZone &zone : zones)
        lines << zoneLine(zone, instant, local);
    return lines;
}

int minuteOfDayIn(const QByteArray &zoneId, const QDateTime &instant)
{
    const QTime time = instant.toTimeZone(QTimeZone(zoneId)).time();
    return time.hour() * MinutesPerHour + time.minute();
}

} // namespace worldclock
