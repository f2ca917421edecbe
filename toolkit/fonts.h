#pragma once

#include <QFont>
#include <QString>

namespace toolkit {

// The installed face that stands for a face the program's windows are
// designed with: "Arial" and "Arial Black" a face of Arial's proportions,
// "Small Fonts" and "MS Sans Serif" a small sans face. Any other name is
// returned as it is; empty when none of the candidates is installed.
QString installedFamily(const QString &designName);

// A font of the design: its face as installedFamily maps it, the size in
// points (none when 0) and the weight.
QFont designFont(const QString &designName, double points, bool bold);

} // namespace toolkit
