#include "chart/ChartDrawing.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace {

constexpr int MajorDivisions = 10;

void Clear(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

// The category axis: ten divisions without labels, and over them one category spanning the whole
// axis, so that the last point's label has the width it needs. Categories are one unit wide;
// `offset` moves their ends, so that bars, which stand on whole numbers, sit inside their
// category rather than on its end.
QList<QAbstractAxis*> AddAxes(QChart& chart, const ChartArray& array, double offset,
                              AxisRange valueRange) {
    const AxisRange range = CategoryRange(array.rowCount());
    const double first = range.Minimum + offset;
    const double last = range.Maximum + offset;

    auto* divisions = new QValueAxis;
    divisions->setRange(first, last);
    divisions->setTickCount(MajorDivisions + 1);
    divisions->setMinorTickCount(0);
    divisions->setLabelsVisible(false);

    auto* labels = new QCategoryAxis;
    labels->setRange(first, last);
    labels->setStartValue(first);
    labels->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    labels->setGridLineVisible(false);
    labels->setLineVisible(false);
    const int rows = array.rowCount();
    labels->append(rows > 0 ? array.label(rows) : QStringLiteral(" "), last);

    // One major and one minor division: the value axis is marked at its two ends only.
    auto* values = new QValueAxis;
    values->setRange(valueRange.Minimum, valueRange.Maximum);
    values->setTickCount(2);
    values->setMinorTickCount(0);

    chart.addAxis(divisions, Qt::AlignBottom);
    chart.addAxis(labels, Qt::AlignBottom);
    chart.addAxis(values, Qt::AlignLeft);
    return {divisions, labels, values};
}

void Attach(QChart& chart, QAbstractSeries* series, const QList<QAbstractAxis*>& axes) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : axes)
        series->attachAxis(axis);
}

Qt::PenStyle QtStyle(PenStyle style) {
    return style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine;
}

// The legend lays its texts out as rich text, which folds a run of blanks into one; blanks that
// do not break keep the text as it is written.
QString LegendText(const QString& text) {
    QString kept = text;
    return kept.replace(u' ', QChar::Nbsp);
}

// The part of its category a bar fills.
constexpr double BarWidth = 0.8;

// A thousand bars and more are narrower than a pixel: they fill none, and the theme's white
// outline covers what is left. Bars that thin are outlined in their own colour, one device pixel
// wide, so that every one shows where it stands. Wider bars get no outline, as the outline's edges
// and the fill's are rounded to pixels differently.
void OutlineThinBars(QChart& chart, QBarSet& set, int count) {
    constexpr double ThinPixels = 3;
    const QPen own(set.brush().color(), 0);
    const auto outline = [&set, own, count](const QRectF& plot) {
        set.setPen(plot.width() * BarWidth < ThinPixels * count ? own : QPen(Qt::NoPen));
    };
    outline(chart.plotArea());
    QObject::connect(&chart, &QChart::plotAreaChanged, &set, outline);
}

// Pen widths are kept in tenths of a pixel.
double PenPixels(int width) {
    return width / 10.0;
}

} // namespace

void DrawLineChart(QChart& chart, const ChartArray& array, const std::vector<SeriesLook>& looks,
                   AxisRange valueRange) {
    Clear(chart);
    const QList<QAbstractAxis*> axes = AddAxes(chart, array, 0, valueRange);
    const int rows = array.rowCount();
    for (int c = 1; c < array.columnCount(); ++c) {
        QList<QPointF> points;
        if (array.role(c) == ChartColumn::Values) {
            points.resize(rows);
            for (int r = 1; r <= rows; ++r)
                points[r - 1] = QPointF(r, array.value(r, c));
        } else if (rows > 0) {
            // Target and limits are the same in every row: their line needs only its two ends,
            // which spares stroking thousands of dotted segments.
            points = {QPointF(1, array.value(1, c)), QPointF(rows, array.value(rows, c))};
        }
        auto* series = new QLineSeries;
        series->replace(points);
        // A line needs two points; a single value is shown as its point.
        series->setPointsVisible(rows == 1);
        Attach(chart, series, axes);
        // The theme dresses a series as it is added, so the own pen comes after.
        const SeriesLook& look = looks[c - 1];
        if (look.Legend)
            series->setName(LegendText(*look.Legend));
        if (look.Pen) {
            const Rgb& rgb = look.Pen->Colour;
            series->setPen(QPen(QColor(rgb.Red, rgb.Green, rgb.Blue), PenPixels(look.Pen->Width),
                                QtStyle(look.Pen->Style)));
        }
    }
}

void DrawBarChart(QChart& chart, const ChartArray& array, const QString& legend,
                  AxisRange valueRange) {
    Clear(chart);
    const QList<QAbstractAxis*> axes = AddAxes(chart, array, -0.5, valueRange);
    auto* set = new QBarSet(legend);
    set->append(QList<qreal>(array.values().begin(), array.values().end()));
    auto* series = new QBarSeries;
    series->setBarWidth(BarWidth);
    series->append(set);
    Attach(chart, series, axes);
    OutlineThinBars(chart, *set, array.rowCount());
}
