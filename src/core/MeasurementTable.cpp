#include "core/MeasurementTable.h"

#include "core/NumberFormat.h"
#include "core/TextTable.h"
#include "core/ValueText.h"

#include <QLocale>
#include <algorithm>

namespace {

constexpr int NumberHeader = 0;
constexpr int ValueHeader = 1;
constexpr int UnitHeader = 2;
constexpr int DateTimeHeader = 71;

// The value as its cell shows it, read back: what a user sees is what a rewritten record keeps.
double shownValue(const MeasurementRecord& record, const QString& decimalsMode) {
    bool ok = false;
    const double shown =
        QLocale().toDouble(ValueText(record.Value, record.Unit, decimalsMode).trimmed(), &ok);
    return ok ? shown : record.Value;
}

} // namespace

TableRowTexts MSFlexRowTexts(const MeasurementRecord& record, TimeColumn timeColumn,
                             const QString& decimalsMode) {
    const QString blank = QStringLiteral(" ");
    return {timeColumn == TimeColumn::TimeOnly ? record.TimeText
                                               : record.DateText + blank + record.TimeText,
            Ausrichten(7, QString::number(record.Number), blank, false),
            ValueText(record.Value, record.Unit, decimalsMode),
            record.Unit + Ausrichten(4, record.Marker, blank, false)};
}

TableRowTexts MSFlexHeaderTexts(const TextTable& texts, int languageIndex,
                                const QString& stampSource, const QString& dateText) {
    return {stampSource == QLatin1String("-") ? texts.message(languageIndex, DateTimeHeader)
                                              : dateText,
            texts.message(languageIndex, NumberHeader), texts.message(languageIndex, ValueHeader),
            texts.message(languageIndex, UnitHeader)};
}

std::vector<TableRow> MSFlexRows(const MeasurementStore& store, MemoryKind kind,
                                 TimeColumn timeColumn, const QString& decimalsMode,
                                 const Limits& limits, bool absoluteValues,
                                 std::span<const LimitColour> ruleColours) {
    const int n = store.SeriesLength(kind);
    std::vector<TableRow> rows;
    rows.reserve(n);
    for (int slot = 1; slot <= n; ++slot) {
        const MeasurementRecord& record = store.at(kind, slot);
        rows.push_back({MSFlexRowTexts(record, timeColumn, decimalsMode),
                        SlotColour(record.Value, slot, limits, absoluteValues, ruleColours)});
    }
    return rows;
}

QStringList RebuildStatistics(StatisticState& state, const MeasurementStore& store, MemoryKind kind,
                              int& currentIndex, const StatisticInputs& inputs) {
    Reset_Statistic(state, currentIndex);
    const int n = store.SeriesLength(kind);
    for (int slot = 1; slot <= n; ++slot) {
        currentIndex = slot;
        const MeasurementRecord& record = store.at(kind, slot);
        AddStatisticValue(state, record.Value, record.Unit, currentIndex, inputs);
    }
    return StatisticLines(state, inputs);
}

bool SortAscending(int firstRowNumber, int secondRowNumber) {
    return firstRowNumber > 0 && secondRowNumber > 0 && secondRowNumber < firstRowNumber;
}

bool RemoveRecord(MeasurementStore& store, MemoryKind kind, int slot, const QString& decimalsMode) {
    const int n = store.SeriesLength(kind);
    if (slot < 1 || slot > n)
        return false;

    std::vector<MeasurementRecord> kept;
    kept.reserve(n - 1);
    for (int s = 1; s <= n; ++s)
        if (s != slot)
            kept.push_back(store.at(kind, s));
    std::stable_sort(
        kept.begin(), kept.end(),
        [](const MeasurementRecord& a, const MeasurementRecord& b) { return a.Number < b.Number; });

    for (int i = 0; i < static_cast<int>(kept.size()); ++i) {
        MeasurementRecord& record = kept[i];
        record.Number = static_cast<qint16>(i + 1);
        record.Value = shownValue(record, decimalsMode);
        store.at(kind, i + 1) = std::move(record);
    }

    ClearRecord(store.at(kind, n));
    return true;
}
