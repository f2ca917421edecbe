#include "agenda/agendaoptions.h"

#include "toolkit/conffile.h"

#include <QDir>

namespace agenda {

namespace {

const QString Group = QStringLiteral("Agenda");
const QString KeySources = QStringLiteral("Sources");
const QString KeyColors = QStringLiteral("Colors");
const QString KeyEnabled = QStringLiteral("Enabled");
const QString KeyReminders = QStringLiteral("Reminders");

// Distinct on the light and the dark palette, none of them the red of
// Sundays and holidays.
constexpr QRgb Palette[] = {0x1f77b4, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x17becf, 0x8c564b};

bool readFlag(const QString &text, bool fallback)
{
    const QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"1")
        return true;
    if (t == u"false" || t == u"0")
        return false;
    return fallback;
}

} // namespace

QColor AgendaOptions::defaultColor(int index)
{
    return QColor(Palette[index % int(std::size(Palette))]);
}

AgendaOptions AgendaOptions::read(const toolkit::ConfFile &file)
{
    AgendaOptions options;
    const QStringList paths = file.readList(Group, KeySources);
    const QStringList colors = file.readList(Group, KeyColors);
    const QStringList enabled = file.readList(Group, KeyEnabled);
    // The lists go together by position; a shorter or nonsensical Colors or
    // Enabled gives the defaults for what it lacks, a longer one is cut.
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i).trimmed();
        if (path.isEmpty())
            continue;
        Source source;
        source.path = path;
        const QString colorText = colors.value(i).trimmed();
        const QColor color = QColor::fromString(colorText);
        const bool plainRgb = colorText.size() == 7 && colorText.startsWith(QLatin1Char('#'));
        source.color = plainRgb && color.isValid() ? color : defaultColor(i);
        source.enabled = readFlag(enabled.value(i), true);
        options.sources.push_back(source);
    }
    options.reminders = file.readBool(Group, KeyReminders, true);
    return options;
}

void AgendaOptions::write(toolkit::ConfFile &file) const
{
    // A user who never set an agenda gets no [Agenda] group at all.
    const bool inFile = !file.readString(Group, KeyReminders, QString()).isNull();
    if (!inFile && *this == AgendaOptions())
        return;
    QStringList paths;
    QStringList colors;
    QStringList enabled;
    for (const Source &source : sources) {
        paths << source.path;
        colors << source.color.name(QColor::HexRgb);
        enabled << (source.enabled ? QStringLiteral("true") : QStringLiteral("false"));
    }
    // QSettings writes an empty list as "@Invalid()"; an empty value reads
    // back as no entry just the same.
    const auto list = [](const QStringList &l) { return l.isEmpty() ? QVariant(QString()) : QVariant(l); };
    file.write(Group, KeySources, list(paths));
    file.write(Group, KeyColors, list(colors));
    file.write(Group, KeyEnabled, list(enabled));
    file.write(Group, KeyReminders, reminders);
}

bool AgendaOptions::active() const
{
    return std::any_of(sources.cbegin(), sources.cend(), [](const Source &s) { return s.enabled; });
}

QString expandHome(const QString &path)
{
    if (path == u"~")
        return QDir::homePath();
    if (path.startsWith(u"~/"))
        return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace agenda
