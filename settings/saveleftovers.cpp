#include "settings/saveleftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace settings {

void removeSaveLeftovers(const QString &path)
{
    const QFileInfo file(path);
    QDir folder = file.absoluteDir();
    const QString escaped = QRegularExpression::escape(file.fileName());
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(escaped + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names)
        if (leftover.match(name).hasMatch())
            folder.remove(name);
}

} // namespace settings
