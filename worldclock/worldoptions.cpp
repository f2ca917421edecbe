#include "worldclock/worldoptions.h"

#include "toolkit/conffile.h"

#include <QTimeZone>

namespace worldclock {

namespace {

const QString ZonesGroup = QStringLiteral("Zones");
const QString ChimeGroup = QStringLiteral("Chime");
constexpr QChar LabelSeparator = u'|';
const QString BellName = QStringLiteral("bell");
const QString StrokesName = QStringLiteral("strokes");

} // namespace

QString cityOf(const QByteArray &zoneId)
{
    const qsizetype slash = zoneId.lastIndexOf('/');
    return QString::fromUtf8(zoneId.mid(slash + 1)).replace(u'_', u' ');
}

// Entries are "IANA-id|label"; one whose zone this system does not know is
// dropped, so that the panel never shows a time it cannot compute.
ZoneOptions ZoneOptions::read(const toolkit::ConfFile &file)
{
    ZoneOptions options;
    for (const QString &entry : file.readList(ZonesGroup, QStringLiteral("List"))) {
        const qsizetype bar = entry.indexOf(LabelSeparator);
        const QByteArray id = entry.left(bar).trimmed().toUtf8();
        if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id))
            continue;
        QString label = bar < 0 ? QString() : entry.mid(bar + 1).trimmed();
        if (label.isEmpty())
            label = cityOf(id);
        options.zones.push_back({id, label});
    }
    options.secondHand = file.readBool(ZonesGroup, QStringLiteral("SecondHand"), false);
    return options;
}

void ZoneOptions::write(toolkit::ConfFile &file) const
{
    QStringList entries;
    for (const WorldZone &zone : zones)
        entries << QString::fromUtf8(zone.id) + LabelSeparator + zone.label;
    file.write(ZonesGroup, QStringLiteral("List"), entries);
    file.write(ZonesGroup, QStringLiteral("SecondHand"), secondHand);
}

bool ChimeOptions::isQuiet(int hour) const
{
    if (quietFrom <= quietTo)
        return hour >= quietFrom && hour < quietTo;
    return hour >= quietFrom || hour < quietTo; // over midnight
}

ChimeOptions ChimeOptions::read(const toolkit::ConfFile &file)
{
    const ChimeOptions defaults;
    ChimeOptions options;
    options.enabled = file.readBool(ChimeGroup, QStringLiteral("Enabled"), defaults.enabled);
    const QString sound = file.readString(ChimeGroup, QStringLiteral("Sound"), BellName).trimmed().toLower();
    options.sound = sound == StrokesName ? Sound::Strokes : Sound::Bell;
    options.quietFrom = file.readInt(ChimeGroup, QStringLiteral("QuietFrom"), defaults.quietFrom, 0, HoursPerDay - 1);
    options.quietTo = file.readInt(ChimeGroup, QStringLiteral("QuietTo"), defaults.quietTo, 0, HoursPerDay - 1);
    return options;
}

void ChimeOptions::write(toolkit::ConfFile &file) const
{
    file.write(ChimeGroup, QStringLiteral("Enabled"), enabled);
    file.write(ChimeGroup, QStringLiteral("Sound"), sound == Sound::Strokes ? StrokesName : BellName);
    file.write(ChimeGroup, QStringLiteral("QuietFrom"), quietFrom);
    file.write(ChimeGroup, QStringLiteral("QuietTo"), quietTo);
}

} // namespace worldclock
