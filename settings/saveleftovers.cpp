#include "saveleftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace settings {

void removeSaveLeftovers(const QString &path)
{
    const QFileInfo file(path);
    QDir folder = file.absoluteDir();
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names)
        if (leftover.match(name).hasMatch())
            folder.remove(name);
}

} // namespace settings
