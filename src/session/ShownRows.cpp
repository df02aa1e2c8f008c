#include "session/ShownRows.h"

#include "core/MeasurementTable.h"

#include <algorithm>
#include <numeric>

void ShownRows::reset(int count) {
    m_count = count;
    m_sorted.clear();
    m_markedSlots.clear();
}

void ShownRows::append(int slot) {
    if (!inSlotOrder() || slot != m_count + 1) {
        if (inSlotOrder()) {
            m_sorted.resize(static_cast<std::size_t>(m_count));
            std::iota(m_sorted.begin(), m_sorted.end(), 1);
        }
        m_sorted.push_back(slot);
    }
    ++m_count;
}

int ShownRows::slotAt(int row) const {
    if (row < 0 || row >= m_count)
        return 0;
    return inSlotOrder() ? row + 1 : m_sorted[static_cast<std::size_t>(row)];
}

std::vector<MeasurementRecord> ShownRows::records(const MeasurementStore& store,
                                                  MemoryKind kind) const {
    if (inSlotOrder()) {
        const std::span<const MeasurementRecord> shown = store.Slots(kind, m_count);
        return {shown.begin(), shown.end()};
    }
    std::vector<MeasurementRecord> records;
    records.reserve(m_sorted.size());
    for (const int slot : m_sorted) {
        if (MeasurementStore::IsSlot(kind, slot))
            records.push_back(store.at(kind, slot));
    }
    return records;
}

void ShownRows::toggleMark(int row) {
    const int slot = slotAt(row);
    if (slot == 0)
        return;
    if (!m_markedSlots.removeOne(slot))
        m_markedSlots << slot;
}

bool ShownRows::marked(int row) const {
    const int slot = slotAt(row);
    return slot != 0 && m_markedSlots.contains(slot);
}

QList<int> ShownRows::markedRows() const {
    QList<int> rows;
    for (int row = 0; row < m_count; ++row) {
        if (marked(row))
            rows << row;
    }
    return rows;
}

void ShownRows::sortByNumber(const MeasurementStore& store, MemoryKind kind) {
    if (m_count == 0)
        return;
    std::vector<int> ordered(static_cast<std::size_t>(m_count));
    for (int row = 0; row < m_count; ++row)
        ordered[static_cast<std::size_t>(row)] = slotAt(row);
    const auto number = [&](int slot) {
        return MeasurementStore::IsSlot(kind, slot) ? int(store.at(kind, slot).Number) : 0;
    };
    const bool ascending =
        SortAscending(number(ordered.front()), m_count > 1 ? number(ordered[1]) : 0);
    std::stable_sort(ordered.begin(), ordered.end(), [&](int a, int b) {
        return ascending ? number(a) < number(b) : number(b) < number(a);
    });
    m_sorted = std::move(ordered);
}
