#pragma once

#include "core/LimitRules.h"
#include "core/MeasurementStore.h"
#include "core/Statistics.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What a data column of the chart holds.
enum class ChartColumn { Values, Target, MinLimit, MaxLimit };

// The points of the last chart drawn, rows 1 to the point count. Column 0 is the category label,
// column 1 the value; further columns hold the target and the limits. These are the same in every
// row, so each is kept once.
class ChartArray {
public:
    int rowCount() const { return static_cast<int>(m_values.size()); }
    // Columns 0 to columnCount() - 1: 2 without target and limits, up to 5 with both.
    int columnCount() const { return 2 + static_cast<int>(m_constants.size()); }
    // Column 1 or more.
    ChartColumn role(int column) const;
    std::optional<int> column(ChartColumn role) const;
    // Row 1 to rowCount().
    const QString& label(int row) const { return m_labels[row - 1]; }
    // Row 1 to rowCount(), column 1 to columnCount() - 1.
    double value(int row, int column) const;
    const std::vector<double>& values() const { return m_values; }

    void appendRow(const QString& label, double value);
    void appendConstantColumn(ChartColumn role, double value);

private:
    QStringList m_labels;
    std::vector<double> m_values;
    std::vector<ChartColumn> m_roles; // of columns 2 and on
    std::vector<double> m_constants;
};

// The chart data the main chart leaves for the large chart window.
struct ChartData {
    qint16 ChartPointCount = 0;
    ChartArray Array;
    QString Unit; // of the first point
};

// The points of the table's series up to the first slot without a number; magnitudes with
// absolute values on. The target and limit columns are there as far as they are given.
ChartData BuildChartArray(const MeasurementStore& store, MemoryKind kind, const Limits& limits,
                          bool absoluteValues);

struct AxisRange {
    double Minimum = 0;
    double Maximum = 1;
};

// From the lowest to the highest value, without margin. A single level gets a tenth of its size
// on either side (1 around zero), so its line stands in the middle rather than on the frame; no
// values at all give 0 to 1.
AxisRange ValueAxisRange(double lowest, double highest);

// The main chart's value axis: the extremes exactly as the statistics keep them.
AxisRange MainChartValueRange(const StatisticState& stat, bool absoluteValues);

// The large chart's value axis: the extremes as the statistics list shows them, read back, so the
// axis ends on the rounded numbers the user sees. A text that is no number gives the kept value.
AxisRange LargeChartValueRange(const StatisticState& stat, bool absoluteValues);

// The category axis: 0 to the point count, at least one category wide.
AxisRange CategoryRange(int pointCount);

enum class PenStyle { Solid = 1, Dotted = 3 };

struct ChartPen {
    Rgb Colour;
    int Width = 10; // tenths of a pixel
    PenStyle Style = PenStyle::Solid;
    friend bool operator==(const ChartPen&, const ChartPen&) = default;
};

// How one data column is drawn; nothing set keeps the chart's own default.
struct SeriesLook {
    std::optional<QString> Legend;
    std::optional<ChartPen> Pen;
};

// Columns 1 to columnCount() - 1 of the main chart: the values twice as thick as the target and
// limit lines, no legend.
std::vector<SeriesLook> MainChartLooks(const ChartArray& array);

// The same columns in the large chart's line mode, with legend texts. A target that is not
// positive keeps the default legend and pen.
std::vector<SeriesLook> LargeChartLooks(const ChartArray& array, int languageIndex);

// "Mittelwert" / "Average".
QString MeanWord(int languageIndex);
// The mean box under the main chart: "_ _ _Mittelwert" with the statistics' mean text.
QString MeanBoxText(const QString& meanText, int languageIndex);
