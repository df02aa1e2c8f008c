#include "session/ShownRows.h"

#include <gtest/gtest.h>

namespace {

MeasurementStore NumberedStore(const std::vector<int>& numbers) {
    MeasurementStore store;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        MeasurementRecord& record = store.at(MemoryKind::FE, static_cast<int>(i) + 1);
        record.Number = static_cast<qint16>(numbers[i]);
        record.Value = 100 + numbers[i];
    }
    return store;
}

std::vector<int> SlotsShown(const ShownRows& rows) {
    std::vector<int> shown;
    for (int r = 0; r < rows.count(); ++r)
        shown.push_back(rows.slotAt(r));
    return shown;
}

TEST(ShownRows, SortingTurnsTheOrderOfTheFirstTwoRowsAndMarksGoWithTheirRecords) {
    const MeasurementStore store = NumberedStore({1, 2, 3, 4});
    ShownRows rows;
    rows.reset(4);
    EXPECT_TRUE(rows.inSlotOrder());
    rows.toggleMark(1);
    rows.sortByNumber(store, MemoryKind::FE);
    EXPECT_EQ(SlotsShown(rows), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(rows.markedRows(), QList<int>{2});
    rows.sortByNumber(store, MemoryKind::FE);
    EXPECT_EQ(SlotsShown(rows), (std::vector<int>{1, 2, 3, 4}));
    rows.toggleMark(1);
    EXPECT_TRUE(rows.markedRows().isEmpty());
    EXPECT_EQ(rows.slotAt(4), 0);
    EXPECT_EQ(rows.slotAt(-1), 0);
}

TEST(ShownRows, ANewRecordJoinsAtTheEndAlsoWhenSorted) {
    const MeasurementStore store = NumberedStore({1, 2, 3, 4});
    ShownRows rows;
    rows.reset(2);
    rows.append(3);
    EXPECT_TRUE(rows.inSlotOrder());
    rows.sortByNumber(store, MemoryKind::FE);
    rows.append(4);
    EXPECT_EQ(SlotsShown(rows), (std::vector<int>{3, 2, 1, 4}));
    const std::vector<MeasurementRecord> records = rows.records(store, MemoryKind::FE);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records.front().Number, 3);
    EXPECT_EQ(records.back().Number, 4);
    rows.reset(0);
    EXPECT_TRUE(rows.inSlotOrder());
    EXPECT_EQ(rows.count(), 0);
}

} // namespace
