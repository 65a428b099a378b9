#pragma once
// The frequency ranges' chart: each draw's three zones stacked, one bar per draw while the bars are a
// pixel wide or more; past that, three areas stepping from draw to draw, thinned to the plot's pixels,
// which look the same and paint in a moment.

#include "controls/Graphics.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class QChart;

// The three zones, Values[zone] one per draw, in the zones' Colors, titled Names, over a bottom axis
// labelled Labels turned by LabelAngle degrees.
void ChartZones(QChart *Chart, const std::array<QList<double>, 3> &Values,
                const std::array<QString, 3> &Names, const std::array<TColor, 3> &Colors,
                const QStringList &Labels, int LabelAngle);

// Zone charted in Color.
void ColorZone(QChart *Chart, int Zone, TColor Color);
