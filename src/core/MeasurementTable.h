#pragma once

#include "core/LimitRules.h"
#include "core/MeasurementStore.h"
#include "core/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class TextTable;

// Texts of the four table columns: date and time, number, value, unit with marker.
using TableRowTexts = std::array<QString, 4>;

// A rebuild of a table whose dates come from the PC shows the time alone; the date then stands in
// the header of the first column.
enum class TimeColumn { DateAndTime, TimeOnly };

TableRowTexts MSFlexRowTexts(const MeasurementRecord& record, TimeColumn timeColumn,
                             const QString& decimalsMode);

// Header row. The first column reads "Datum Zeit" / "Date Time" when the instrument stamps its
// values (stampSource "-"), otherwise `dateText`: the PC date after a rebuild, slot 1's date after
// a row was added.
TableRowTexts MSFlexHeaderTexts(const TextTable& texts, int languageIndex,
                                const QString& stampSource, const QString& dateText);

struct TableRow {
    TableRowTexts Cells;
    LimitColour Colour = LimitColour::None; // of all four cells
};

// The rows of a rebuild: slots 1 up to the end of the series of `kind`, coloured as SlotColour
// does with the colours a rule gave the series.
std::vector<TableRow> MSFlexRows(const MeasurementStore& store, MemoryKind kind,
                                 TimeColumn timeColumn, const QString& decimalsMode,
                                 const Limits& limits, bool absoluteValues,
                                 std::span<const LimitColour> ruleColours = {});

// Statistics of the series of `kind` from scratch; currentIndex ends at the series length (1 for
// an empty series). Returns the statistics list.
QStringList RebuildStatistics(StatisticState& state, const MeasurementStore& store, MemoryKind kind,
                              int& currentIndex, const StatisticInputs& inputs);

// The sort button: ascending when the first two rows run downwards, descending otherwise.
bool SortAscending(int firstRowNumber, int secondRowNumber);

// Deletes one record from the series of `kind`: the others move up in the order of their
// numbers, are numbered 1, 2, 3 ... and keep only the decimals the table showed; the series
// then ends one slot earlier. False, with nothing changed, when `slot` is not in the series.
bool RemoveRecord(MeasurementStore& store, MemoryKind kind, int slot, const QString& decimalsMode);
