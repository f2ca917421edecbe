#include "toolkit/fonts.h"

#include "toolkit/twips.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>
#include <initializer_list>

namespace toolkit {

namespace {
constexpr double TwipsPerPoint = 20;

QString firstInstalled(std::initializer_list<const char *> candidates)
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : candidates)
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive))
            return QLatin1String(family);
    return {};
}
} // namespace

QString installedFamily(const QString &designName)
{
    static const QString arial = firstInstalled({"Liberation Sans", "Arimo", "Arial"});
    static const QString arialBlack = firstInstalled({"Arial Black", "Liberation Sans", "Arimo", "Arial"});
    static const QString smallSans = firstInstalled({"Liberation Sans", "DejaVu Sans", "Arimo"});
    const QString key = designName.toLower();
    if (key == QLatin1String("arial"))
        return arial;
    if (key == QLatin1String("arial black"))
        return arialBlack;
    if (key == QLatin1String("small fonts") || key == QLatin1String("ms sans serif")
        || key == QLatin1String("microsoft sans serif"))
        return smallSans;
    return designName;
}

int pixelsForPoints(double points)
{
    return qMax(1, int(std::lround(points * TwipsPerPoint / TwipsPerPixel)));
}

double pointsOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() * TwipsPerPixel / TwipsPerPoint : font.pointSizeF();
}

QFont designFont(const QString &designName, double points, bool bold)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    const QString family = installedFamily(designName);
    if (!family.isEmpty())
        font.setFamily(family);
    if (points > 0)
        font.setPixelSize(pixelsForPoints(points));
    font.setBold(bold);
    return font;
}

} // namespace toolkit
