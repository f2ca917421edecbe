#pragma once

#include "tickoraversion.h"

#include <QString>

// What the About box tells about the program and its author.
namespace about {

inline const QString Year = QStringLiteral("2003");

inline const QString AuthorName = QStringLiteral("Marta Ferrandi");
inline const QString SiteName = QStringLiteral("tickora.example");
inline const QString SiteAddress = QStringLiteral("https://tickora.example/");
inline const QString AuthorEmail = QStringLiteral("mf@example.org");
inline const QString EmailTip = QStringLiteral("Invia una E-mail all'autore");

// "Plomb Tickora 1.0"
inline QString titleAndVersion()
{
    return QString::fromLatin1(tickora::TitleAndVersion);
}

} // namespace about
