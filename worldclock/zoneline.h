#pragma once

#include "worldclock/worldoptions.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

namespace worldclock {

// How far a zone is from the local one: "−6 h", "+4:30 h", "0 h" (the real
// minus sign, as typeset text writes it).
QString offsetText(int seconds);

// One line of the panel and the tooltip: the zone's label, its time and
// its distance from the local zone at that instant, and "+1" or "−1" when
// its date is another: "Ufficio NY  03:05  −6 h". Both offsets are those in
// force at the instant, so the line is right across either zone's change
// to or from summer time.
QString zoneLine(const WorldZone &zone, const QDateTime &instant, const QTimeZone &local);
QStringList zoneLines(const QList<WorldZone> &zones, const QDateTime &instant, const QTimeZone &local);

// The minute of the day (0 to 1439) in the zone at that instant.
int minuteOfDayIn(const QByteArray &zoneId, const QDateTime &instant);

} // namespace worldclock
