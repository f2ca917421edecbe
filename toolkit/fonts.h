#pragma once

#include <QFont>
#include <QString>

namespace toolkit {

// The installed face that stands for a face the program's windows are
// designed with: "Arial" and "Arial Black" a face of Arial's proportions,
// "Small Fonts" and "MS Sans Serif" a small sans face. Any other name is
// returned as it is; empty when none of the candidates is installed.
QString installedFamily(const QString &designName);

// The design gives font sizes in points of 20 twips; a pixel is 15 twips,
// so a point is 4/3 of a pixel. Fonts are made at whole pixel sizes, as
// the classic desktop renders them: 6 points are 8 pixels, 8.25 are 11.
int pixelsForPoints(double points);
// A font's size in points, from its pixel size.
double pointsOf(const QFont &font);

// A font of the design: its face as installedFamily maps it, the size in
// points (none when 0) and the weight.
QFont designFont(const QString &designName, double points, bool bold);

} // namespace toolkit
