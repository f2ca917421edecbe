#pragma once

#include <QString>

// What the About box tells about the program and its author.
namespace about {

inline const QString AppTitle = QStringLiteral("Plomb Tickora "); // the blank separates the version
// The version is the project's, set in CMakeLists.txt.
inline constexpr int VersionMajor = TICKORA_VERSION_MAJOR;
inline constexpr int VersionMinor = TICKORA_VERSION_MINOR;
inline const QString Year = QStringLiteral("2003");

inline const QString AuthorName = QStringLiteral("Marta Ferrandi");
inline const QString SiteName = QStringLiteral("tickora.example");
inline const QString SiteAddress = QStringLiteral("https://tickora.example/");
inline const QString AuthorEmail = QStringLiteral("mf@example.org");
inline const QString EmailTip = QStringLiteral("Invia una E-mail all'autore");

// "1.0"
inline QString version()
{
    return QString::number(VersionMajor) + QLatin1Char('.') + QString::number(VersionMinor);
}

// "Plomb Tickora 1.0"
inline QString titleAndVersion()
{
    return AppTitle + version();
}

} // namespace about
