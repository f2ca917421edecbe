#include "settings/saveleftovers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace settings {

namespace {

// The unique part QSaveFile's temporary file adds after "<name>.".
constexpr qsizetype SuffixLength = 6;

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// "<file>." and six letters or digits: the copy a killed save left. Matched
// by hand: a regular expression would load its library for this alone.
bool isLeftoverOf(const QString &file, const QString &name)
{
    const QString prefix = file + u'.';
    return name.size() == prefix.size() + SuffixLength && name.startsWith(prefix)
           && std::all_of(name.cbegin() + prefix.size(), name.cend(), isAsciiLetterOrDigit);
}

} // namespace

void removeSaveLeftovers(const QString &path)
{
    const QFileInfo file(path);
    QDir folder = file.absoluteDir();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names)
        if (isLeftoverOf(file.fileName(), name))
            folder.remove(name);
}

} // namespace settings
