#include "core/MeasurementStore.h"

#include <algorithm>
#include <stdexcept>

MeasurementStore::MeasurementStore() : m_records(KindCount * (MaxSlot + 1)) {}

bool MeasurementStore::IsSlot(MemoryKind kind, int slot) {
    const int k = static_cast<int>(kind);
    return k >= 0 && k < KindCount && slot >= 0 && slot <= MaxSlot;
}

int MeasurementStore::offset(MemoryKind kind, int slot) {
    if (!IsSlot(kind, slot))
        throw std::out_of_range("measurement slot " + std::to_string(slot) + " of memory " +
                                std::to_string(static_cast<int>(kind)) + " does not exist");
    return static_cast<int>(kind) * (MaxSlot + 1) + slot;
}

MeasurementRecord& MeasurementStore::at(MemoryKind kind, int slot) {
    return m_records[offset(kind, slot)];
}

const MeasurementRecord& MeasurementStore::at(MemoryKind kind, int slot) const {
    return m_records[offset(kind, slot)];
}

int MeasurementStore::SeriesLength(MemoryKind kind) const {
    if (!IsSlot(kind, 0))
        return 0;
    const int first = offset(kind, 1);
    int n = 0;
    while (n < MaxSlot && !EndsSeries(m_records[first + n]))
        ++n;
    return n;
}

std::span<const MeasurementRecord> MeasurementStore::Slots(MemoryKind kind, int count) const {
    if (!IsSlot(kind, 0) || count <= 0)
        return {};
    return {&m_records[offset(kind, 1)], static_cast<std::size_t>(std::min(count, MaxSlot))};
}

void MeasurementStore::ClearStore(MemoryKind kind) {
    if (!IsSlot(kind, 0))
        return;
    const int first = offset(kind, 1);
    for (int i = 0; i < MaxSlot; ++i)
        ClearRecord(m_records[first + i]);
}

bool EndsSeries(const MeasurementRecord& record) {
    return record.Value == 0 && record.Number == 0;
}

void ClearRecord(MeasurementRecord& record) {
    const QString blank = QStringLiteral(" ");
    record.DateText = blank;
    record.TimeText = blank;
    record.Stamp = QDateTime();
    record.Number = 0;
    record.Value = 0;
    record.Unit = blank;
}
