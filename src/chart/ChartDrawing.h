#pragma once

#include "core/ChartData.h"

#include <vector>

class QChart;

// The chart control's operations on a QChart; every drawing replaces what the chart showed.

// Column 1 and on of `array` as line series, with the looks of those columns. The category axis
// runs from 0 to the point count in ten divisions, labelled at the last point only.
void DrawLineChart(QChart& chart, const ChartArray& array, const std::vector<SeriesLook>& looks,
                   AxisRange valueRange);

// Column 1 of `array` as bars, one set named `legend`, each bar inside its category. Bars too thin
// to fill a pixel are outlined, for a view that draws bars without antialiasing: none gets lost,
// however many.
void DrawBarChart(QChart& chart, const ChartArray& array, const QString& legend,
                  AxisRange valueRange);
