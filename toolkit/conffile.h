#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// Tickora.conf: the settings of what the clock does beyond its classic
// look, beside Options.dat (the same folder), in the INI format of
// QSettings, one group per feature. Options.dat never holds them.
//
// Reading is forgiving: a value that is missing or makes no sense gives the
// default the caller names. Writing gathers every value first, then saves
// the whole file at once, atomically (QSettings writes a temporary file and
// renames it), so a killed save leaves the old file whole.
namespace toolkit {

inline constexpr char ConfFileName[] = "Tickora.conf";

class ConfFile
{
public:
    // Reads the file at path; a missing or unreadable file reads as empty.
    explicit ConfFile(QString path);

    QString path() const { return m_path; }

    // "true"/"false" (also 1/0, yes/no, on/off, any case), else the default.
    bool readBool(const QString &group, const QString &key, bool fallback) const;
    // A whole number within min..max, else the default.
    int readInt(const QString &group, const QString &key, int fallback, int min, int max) const;
    QString readString(const QString &group, const QString &key, const QString &fallback) const;
    // A list as QSettings writes one (comma separated, quoted where needed);
    // a missing key gives an empty list.
    QStringList readList(const QString &group, const QString &key) const;

    // Sets a value to be written by save(); what is not set again keeps
    // the value the file held, so features never erase each other's groups.
    void write(const QString &group, const QString &key, const QVariant &value);
    // Writes every value to the file; false with a reason when it cannot.
    bool save(QString *error = nullptr);

private:
    QVariant raw(const QString &group, const QString &key) const;

    QString m_path;
    QMap<QString, QVariant> m_values; // "group/key"
};

} // namespace toolkit
