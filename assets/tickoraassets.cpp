#include "assets/tickoraassets.h"

#include <QImageReader>
#include <QPixmap>

namespace assets {

QIcon windowIcon()
{
    return QIcon(picture(WindowIcon, "png"));
}

// Read with the named format alone. Qt otherwise asks every image plugin
// (JPEG, GIF, ...) whether it can read the file, loading each of them and
// its library into memory, even when the format is given.
QPixmap picture(const QString &path, const QByteArray &format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace assets
