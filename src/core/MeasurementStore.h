#pragma once

#include <QDateTime>
#include <QString>
#include <span>
#include <vector>

// The memory a record belongs to. Identification marks the exchange that reads the instrument's
// identity; no record is ever stored under it.
enum class MemoryKind : qint16 { FE = 0, NFE = 1, Online = 2, Identification = 3 };

// One measured value as shown in the table and written to reports.
struct MeasurementRecord {
    qint16 Number = 0;
    double Value = 0;
    QString Unit;
    QString Marker;
    QDateTime Stamp; // null stands for "no stamp"
    QString TimeText;
    QString DateText;
};

// Slots 0..MaxSlot for each of FE, NFE and Online, held in one block so that filling thousands
// of slots touches no allocator beyond the texts themselves.
class MeasurementStore {
public:
    static constexpr int MaxSlot = 5000;
    static constexpr int KindCount = 3;

    MeasurementStore();

    static bool IsSlot(MemoryKind kind, int slot);

    // Throws std::out_of_range unless IsSlot(kind, slot).
    MeasurementRecord& at(MemoryKind kind, int slot);
    const MeasurementRecord& at(MemoryKind kind, int slot) const;

    // Slots from 1 up to, not including, the first whose Value and Number are both 0; at most
    // MaxSlot. 0 for a kind that holds no records.
    int SeriesLength(MemoryKind kind) const;

    // Slots 1..count of kind, side by side; empty for a kind that holds no records. count is cut
    // to MaxSlot.
    std::span<const MeasurementRecord> Slots(MemoryKind kind, int count) const;

    // Empties slots 1..MaxSlot: texts become a single blank, numbers 0, no stamp. The marker is
    // kept, as the instrument's memory marker usually is the same for the next download.
    void ClearStore(MemoryKind kind);

private:
    static int offset(MemoryKind kind, int slot);

    std::vector<MeasurementRecord> m_records;
};

// The record ends a series: it holds neither a number nor a value.
bool EndsSeries(const MeasurementRecord& record);

// Empties one slot as ClearStore does.
void ClearRecord(MeasurementRecord& record);
