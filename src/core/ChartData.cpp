#include "core/ChartData.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr Rgb ValuesBlue{0, 0, 153};
constexpr Rgb TargetRed{150, 0, 0};
constexpr Rgb LimitGreen{0, 130, 0};

bool Given(double limit) {
    return limit != 0;
}

double ReadBack(const QString& text, double kept) {
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    return ok ? value : kept;
}

} // namespace

ChartColumn ChartArray::role(int column) const {
    return column <= 1 ? ChartColumn::Values : m_roles[column - 2];
}

std::optional<int> ChartArray::column(ChartColumn role) const {
    if (role == ChartColumn::Values)
        return 1;
    const auto found = std::find(m_roles.begin(), m_roles.end(), role);
    if (found == m_roles.end())
        return std::nullopt;
    return static_cast<int>(found - m_roles.begin()) + 2;
}

double ChartArray::value(int row, int column) const {
    return column <= 1 ? m_values[row - 1] : m_constants[column - 2];
}

void ChartArray::appendRow(const QString& label, double value) {
    m_labels.append(label);
    m_values.push_back(value);
}

void ChartArray::appendConstantColumn(ChartColumn role, double value) {
    m_roles.push_back(role);
    m_constants.push_back(value);
}

ChartData BuildChartArray(const MeasurementStore& store, MemoryKind kind, const Limits& limits,
                          bool absoluteValues) {
    ChartData chart;
    int count = 0;
    while (count < MeasurementStore::MaxSlot && store.at(kind, count + 1).Number != 0)
        ++count;
    chart.ChartPointCount = static_cast<qint16>(count);

    if (Given(limits.TargetValue))
        chart.Array.appendConstantColumn(ChartColumn::Target, limits.TargetValue);
    if (Given(limits.MinLimit) || Given(limits.MaxLimit)) {
        chart.Array.appendConstantColumn(ChartColumn::MinLimit, limits.MinLimit);
        chart.Array.appendConstantColumn(ChartColumn::MaxLimit, limits.MaxLimit);
    }

    // Only the last category carries a label, so a long series keeps its axis readable.
    const QString blank = QStringLiteral(" ");
    for (int r = 1; r <= count; ++r) {
        const MeasurementRecord& record = store.at(kind, r);
        if (chart.Unit.isEmpty())
            chart.Unit = record.Unit;
        const double v = absoluteValues ? std::fabs(record.Value) : record.Value;
        chart.Array.appendRow(r == count ? blank + QString::number(r) : blank, v);
    }
    return chart;
}

AxisRange ValueAxisRange(double lowest, double highest) {
    if (!(lowest <= highest))
        return {};
    if (lowest < highest)
        return {lowest, highest};
    const double room = lowest != 0 ? std::fabs(lowest) / 10 : 1;
    return {lowest - room, highest + room};
}

AxisRange MainChartValueRange(const StatisticState& stat, bool absoluteValues) {
    return absoluteValues ? ValueAxisRange(stat.MinAbs, stat.MaxAbs)
                          : ValueAxisRange(stat.MinValue, stat.MaxValue);
}

AxisRange LargeChartValueRange(const StatisticState& stat, bool absoluteValues) {
    const double lowest = absoluteValues ? stat.MinAbs : stat.MinValue;
    const double highest = absoluteValues ? stat.MaxAbs : stat.MaxValue;
    return ValueAxisRange(ReadBack(stat.MinText, lowest), ReadBack(stat.MaxText, highest));
}

AxisRange CategoryRange(int pointCount) {
    return {0, static_cast<double>(std::max(pointCount, 1))};
}

std::vector<SeriesLook> MainChartLooks(const ChartArray& array) {
    std::vector<SeriesLook> looks(array.columnCount() - 1);
    for (int c = 1; c < array.columnCount(); ++c) {
        switch (array.role(c)) {
        case ChartColumn::Values:
            looks[c - 1].Pen = ChartPen{ValuesBlue, 20, PenStyle::Solid};
            break;
        case ChartColumn::Target:
            looks[c - 1].Pen = ChartPen{TargetRed, 10, PenStyle::Dotted};
            break;
        case ChartColumn::MinLimit:
        case ChartColumn::MaxLimit:
            looks[c - 1].Pen = ChartPen{LimitGreen, 10, PenStyle::Dotted};
            break;
        }
    }
    return looks;
}

std::vector<SeriesLook> LargeChartLooks(const ChartArray& array, int languageIndex) {
    const bool german = languageIndex == 0;
    std::vector<SeriesLook> looks(array.columnCount() - 1);
    for (int c = 1; c < array.columnCount(); ++c) {
        SeriesLook& look = looks[c - 1];
        const double constant = c > 1 ? array.value(1, c) : 0;
        switch (array.role(c)) {
        case ChartColumn::Values:
            look.Legend = german ? QStringLiteral("Daten") : QStringLiteral("Data");
            look.Pen = ChartPen{ValuesBlue, 35, PenStyle::Solid};
            break;
        case ChartColumn::Target:
            if (constant > 0) {
                look.Legend =
                    (german ? QStringLiteral("Sollwert    ") : QStringLiteral("Target value")) +
                    QLatin1Char(' ') + LimitBoxText(constant);
                look.Pen = ChartPen{TargetRed, 20, PenStyle::Dotted};
            }
            break;
        case ChartColumn::MinLimit:
            look.Legend = QStringLiteral("Minimum ") + LimitBoxText(constant);
            look.Pen = ChartPen{LimitGreen, 30, PenStyle::Dotted};
            break;
        case ChartColumn::MaxLimit:
            look.Legend = QStringLiteral("Maximum ") + LimitBoxText(constant);
            look.Pen = ChartPen{LimitGreen, 30, PenStyle::Dotted};
            break;
        }
    }
    return looks;
}

QString MeanWord(int languageIndex) {
    return languageIndex == 0 ? QStringLiteral("Mittelwert") : QStringLiteral("Average");
}

QString MeanBoxText(const QString& meanText, int languageIndex) {
    return QStringLiteral("_ _ _") + MeanWord(languageIndex) + QLatin1Char(' ') + meanText;
}
