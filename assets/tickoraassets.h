#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures embedded in the program.
namespace assets {

inline const QString BarPicture = QStringLiteral(":/assets/bar.png");
inline const QString WindowIcon = QStringLiteral(":/assets/tickora.png");
inline const QString TitlePicture = QStringLiteral(":/assets/title.jpg");
inline const QString LinkPointer = QStringLiteral(":/assets/hand.png");

// The hot spot of the link pointer: the tip of the index finger.
inline constexpr int LinkPointerHotX = 5;
inline constexpr int LinkPointerHotY = 0;

// The name of the animation read from the program's directory.
inline const QString AboutAnimationFile = QStringLiteral("About.gif");

// The program's window icon.
QIcon windowIcon();

// A picture of a known format ("png", "jpeg"), read without asking the
// image plugins of other formats.
QPixmap picture(const QString &path, const QByteArray &format);

} // namespace assets
