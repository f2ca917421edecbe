#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace toolkit { class ConfFile; }

namespace agenda {

// The user's calendars: iCalendar files or folders of them, each with the
// colour of its marks and an on/off box, and whether reminders show. No
// source by default, so a new user's calendar panel looks as designed.
struct AgendaOptions
{
    struct Source
    {
        QString path;  // as the user chose it; "~/" stands for the home folder
        QColor color;
        bool enabled = true;
        bool operator==(const Source &) const = default;
    };

    QList<Source> sources;
    bool reminders = true;

    static AgendaOptions read(const toolkit::ConfFile &file);
    void write(toolkit::ConfFile &file) const;
    bool operator==(const AgendaOptions &) const = default;

    // Whether anything is to be read: at least one source switched on.
    bool active() const;
    // The colour a new source gets: one of a few distinct ones, by position.
    static QColor defaultColor(int index);
};

// A source's path as the program opens it: a leading "~/" (or "~" alone)
// becomes the home folder.
QString expandHome(const QString &path);

} // namespace agenda
