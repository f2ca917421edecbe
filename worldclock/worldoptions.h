#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace toolkit { class ConfFile; }

namespace worldclock {

// A time zone the user follows, by its IANA id, under a name of their own.
struct WorldZone
{
    QByteArray id;   // "America/New_York"
    QString label;   // "Ufficio NY"

    bool operator==(const WorldZone &) const = default;
};

// The city part of a zone id as people write it: "America/New_York" is
// "New York", "America/Argentina/Buenos_Aires" is "Buenos Aires".
QString cityOf(const QByteArray &zoneId);

// [Zones] of Tickora.conf: the zones shown in the panel and the tooltip,
// and whether the first of them has a hand on the dial.
struct ZoneOptions
{
    QList<WorldZone> zones;
    bool secondHand = false;

    static ZoneOptions read(const toolkit::ConfFile &file);
    void write(toolkit::ConfFile &file) const;
    bool operator==(const ZoneOptions &) const = default;
};

// [Chime] of Tickora.conf: the hours struck, with what, and when not.
struct ChimeOptions
{
    enum class Sound { Bell, Strokes };
    static constexpr int HoursPerDay = 24;

    bool enabled = false;
    Sound sound = Sound::Bell;
    // Silent from the start of QuietFrom up to the start of QuietTo (hours
    // of the day, 0 to 23); equal hours: never silent.
    int quietFrom = 22;
    int quietTo = 8;

    bool isQuiet(int hour) const;

    static ChimeOptions read(const toolkit::ConfFile &file);
    void write(toolkit::ConfFile &file) const;
    bool operator==(const ChimeOptions &) const = default;
};

} // namespace worldclock
