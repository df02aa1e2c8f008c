#pragma once

#include "core/MeasurementStore.h"

#include <QList>
#include <span>
#include <vector>

// The rows of the table as the user sees them: which slot of the memory shown each row holds,
// in the order shown, and which rows the user marked. Rows stand in slot order until sorted.
class ShownRows {
public:
    // Rows for slots 1..count in slot order; no marks.
    void reset(int count);
    // A new record's row, at the end.
    void append(int slot);

    int count() const { return m_count; }
    bool inSlotOrder() const { return m_sorted.empty(); }
    // 0 for a row that is not there.
    int slotAt(int row) const;

    // The records of the rows, in the order shown.
    std::vector<MeasurementRecord> records(const MeasurementStore& store, MemoryKind kind) const;

    // Marks or unmarks a row; the mark goes with its record when the rows are sorted.
    void toggleMark(int row);
    bool marked(int row) const;
    QList<int> markedRows() const;

    // By the records' numbers: ascending when the first two rows run downwards, descending
    // otherwise, rows of equal numbers keeping their order.
    void sortByNumber(const MeasurementStore& store, MemoryKind kind);

private:
    int m_count = 0;
    std::vector<int> m_sorted; // slot of each row once sorted
    QList<int> m_markedSlots;
};
