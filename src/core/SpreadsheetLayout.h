#pragma once

#include "core/DeviceInfo.h"
#include "core/LimitRules.h"
#include "core/Limits.h"
#include "core/MeasurementStore.h"
#include "core/Statistics.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The workbook of the spreadsheet export as cells, column widths and a chart, independent of the
// library that writes the file. Rows and columns count from 1, as the sheet shows them.

// "A1"-style address: column letters, then the row in decimal (1 "A", 26 "Z", 27 "AA").
QString ZellAdresse(int row, int column);
// The same, with "$" before the letters and the row: the form chart ranges take.
QString AbsoluteAddress(int row, int column);

struct SpreadsheetInputs {
    QString HeaderText;                     // the report in mode "P"
    std::vector<MeasurementRecord> Records; // the series, in slot order
    StatisticState Stat;
    bool AbsoluteValues = false;
    Limits UserLimits;
    DeviceInfo Device; // DecimalsMode, MarkerSource, LinkKind
    std::array<QString, 4> ColumnCaptions;
    QString ChartTitle; // first line of the statistics list
    QString SheetName;  // "Messwerte" / "Data"
    int LanguageIndex = 0;
};

// Number formats as the spreadsheet writes them (the format of the public object model, which
// the file format keeps unchanged).
// ThreeDecimals stays last: the writer keeps one format for each.
enum class CellFormat { None, Count, OneDecimal, TwoDecimals, ThreeDecimals };
QString NumberFormatText(CellFormat format);

struct SheetCell {
    enum class Kind { Text, Number, Blank };
    int Row = 0;
    int Column = 0;
    Kind Type = Kind::Blank;
    QString Text;
    double Number = 0;
    CellFormat Format = CellFormat::None;
};

// DoubleThin: two thin solid lines side by side.
enum class LineDash { Solid, SystemDot, Dash, DoubleThin };

struct ChartSeries {
    QString Name; // empty: the spreadsheet names it itself
    Rgb Colour;
    LineDash Dash = LineDash::Solid;
    int Column = 0; // its values stand in this column, rows FirstRow to LastRow
};

struct SpreadsheetChart {
    QString SheetName; // "Chart"
    QString Title;
    QString ValueAxisTitle;
    QString CategoryAxisTitle;
    Rgb PlotAreaColour;
    int FirstRow = 0;
    int LastRow = 0;
    std::vector<ChartSeries> Series;
};

struct SpreadsheetLayout {
    QString SheetName;
    std::vector<SheetCell> Cells;                     // row by row
    std::vector<std::pair<int, double>> ColumnWidths; // column, width in characters
    std::vector<int> HiddenColumns;
    int StatisticsRow = 0; // S: first row after the header lines
    int CaptionRow = 0;    // H: the table's column captions
    std::optional<SpreadsheetChart> Chart;
};

// The question about a chart is asked only when one can be drawn: values of one unit.
bool ChartPossible(const SpreadsheetInputs& inputs);

// The worksheet and, with withChart (and ChartPossible), the chart. The chart's constant lines
// (mean, limits, target) need values in cells for the file format; they stand in hidden columns
// right of the table.
SpreadsheetLayout BuildSpreadsheetLayout(const SpreadsheetInputs& inputs, bool withChart);
