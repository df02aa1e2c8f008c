#include "core/MeasurementTable.h"
#include "core/ScopedLocale.h"
#include "core/TextTable.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

MeasurementRecord record(int number, double value, const QString& unit = "µm",
                         const QString& marker = " Fe") {
    MeasurementRecord r;
    r.Number = static_cast<qint16>(number);
    r.Value = value;
    r.Unit = unit;
    r.Marker = marker;
    r.DateText = "07.03.2024";
    r.TimeText = QStringLiteral("14:03:%1").arg(number, 2, 10, QLatin1Char('0'));
    return r;
}

void fillSeries(MeasurementStore& store, MemoryKind kind, std::initializer_list<double> values) {
    int slot = 1;
    for (double value : values) {
        store.at(kind, slot) = record(slot, value);
        ++slot;
    }
}

TEST(MeasurementStore, SeriesEndsAtTheFirstSlotWithoutNumberAndValue) {
    MeasurementStore store;
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 0);
    fillSeries(store, MemoryKind::FE, {1, 2, 3, 4, 5});
    store.at(MemoryKind::FE, 3) = MeasurementRecord();
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 2);

    store.at(MemoryKind::FE, 3).Number = 3; // a value of 0 with a number still counts
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 5);
    EXPECT_EQ(store.SeriesLength(MemoryKind::NFE), 0);
    EXPECT_EQ(store.SeriesLength(MemoryKind::Identification), 0);
}

TEST(MeasurementStore, AFullMemoryHoldsFiveThousandRecords) {
    MeasurementStore store;
    for (int slot = 0; slot <= MeasurementStore::MaxSlot; ++slot)
        store.at(MemoryKind::Online, slot).Number = 1;
    EXPECT_EQ(store.SeriesLength(MemoryKind::Online), MeasurementStore::MaxSlot);
}

TEST(MeasurementStore, SlotsOutsideTheStoreAreRefused) {
    MeasurementStore store;
    EXPECT_THROW(store.at(MemoryKind::FE, MeasurementStore::MaxSlot + 1), std::out_of_range);
    EXPECT_THROW(store.at(MemoryKind::FE, -1), std::out_of_range);
    EXPECT_THROW(store.at(MemoryKind::Identification, 1), std::out_of_range);
    EXPECT_TRUE(MeasurementStore::IsSlot(MemoryKind::NFE, 0));
}

TEST(MeasurementStore, ClearingKeepsMarkersAndOtherMemories) {
    MeasurementStore store;
    fillSeries(store, MemoryKind::FE, {1, 2});
    fillSeries(store, MemoryKind::NFE, {3});
    store.at(MemoryKind::FE, 1).Stamp = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    store.ClearStore(MemoryKind::FE);

    const MeasurementRecord& cleared = store.at(MemoryKind::FE, 1);
    EXPECT_EQ(cleared.Number, 0);
    EXPECT_EQ(cleared.Value, 0);
    EXPECT_EQ(cleared.Unit, " ");
    EXPECT_EQ(cleared.TimeText, " ");
    EXPECT_EQ(cleared.DateText, " ");
    EXPECT_TRUE(cleared.Stamp.isNull());
    EXPECT_EQ(cleared.Marker, " Fe");
    EXPECT_EQ(store.at(MemoryKind::FE, MeasurementStore::MaxSlot).Unit, " ");
    EXPECT_EQ(store.SeriesLength(MemoryKind::NFE), 1);
}

class MeasurementTableTest : public ::testing::Test {
protected:
    void SetUp() override { texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05"); }

    ScopedLocale german{QLocale::German, QLocale::Germany};
    TextTable texts;
    MeasurementStore store;
};

TEST_F(MeasurementTableTest, RowShowsDateTimeNumberValueAndUnitWithMarker) {
    const MeasurementRecord r = record(3, 12.5, "µm  ", "NFe");
    EXPECT_EQ(MSFlexRowTexts(r, TimeColumn::DateAndTime, "2"),
              (TableRowTexts{"07.03.2024 14:03:03", "      3", "       12,5", "µm   NFe"}));
    EXPECT_EQ(MSFlexRowTexts(r, TimeColumn::TimeOnly, "2")[0], "14:03:03");
    EXPECT_EQ(MSFlexRowTexts(record(1, 1, "mi", " Fe"), TimeColumn::TimeOnly, "2")[3], "mi  Fe");
}

TEST_F(MeasurementTableTest, ValueWithoutUnitRuleStillShowsItself) {
    EXPECT_EQ(MSFlexRowTexts(record(1, 2.346, "kA/m"), TimeColumn::TimeOnly, "2")[2],
              "       2,35");
    EXPECT_EQ(MSFlexRowTexts(record(1, 2.346, "kA/m"), TimeColumn::TimeOnly, "3")[2],
              "      2,346");
}

TEST_F(MeasurementTableTest, HeaderFollowsTheStampSource) {
    EXPECT_EQ(MSFlexHeaderTexts(texts, 0, "-", "07.03.2024"),
              (TableRowTexts{"Datum Zeit", "Nr.", "Messwert", "Messeinheit"}));
    EXPECT_EQ(MSFlexHeaderTexts(texts, 1, "+", "07.03.2024"),
              (TableRowTexts{"07.03.2024", "No.", "Value", "Unit"}));
}

TEST_F(MeasurementTableTest, RebuildColoursEveryRowOfTheSeries) {
    fillSeries(store, MemoryKind::NFE, {30, 45, 70});
    const Limits limits{40, 60, 0, false, {}};
    const std::vector<TableRow> rows =
        MSFlexRows(store, MemoryKind::NFE, TimeColumn::TimeOnly, "2", limits, true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Colour, LimitColour::Outside);
    EXPECT_EQ(rows[1].Colour, LimitColour::Inside);
    EXPECT_EQ(rows[2].Colour, LimitColour::Outside);
    EXPECT_EQ(rows[2].Cells[1], "      3");
}

TEST_F(MeasurementTableTest, RebuiltStatisticsDescribeTheRowsShown) {
    fillSeries(store, MemoryKind::FE, {10, 12, 14});
    StatisticInputs inputs;
    inputs.SignMode = "+";
    inputs.DecimalsMode = "2";
    inputs.MemoryTitle = "FE-Speicher";
    StatisticState state;
    int currentIndex = 1;
    state.Sum = 1000; // left over from another memory
    const QStringList lines = RebuildStatistics(state, store, MemoryKind::FE, currentIndex, inputs);
    EXPECT_EQ(currentIndex, 3);
    EXPECT_EQ(state.MeanText, "      12,00");
    EXPECT_EQ(lines.size(), 9);

    EXPECT_TRUE(RebuildStatistics(state, store, MemoryKind::NFE, currentIndex, inputs).isEmpty());
    EXPECT_EQ(currentIndex, 1);
}

TEST(SortAscending, TogglesWithTheOrderOfTheFirstTwoRows) {
    EXPECT_FALSE(SortAscending(1, 2));
    EXPECT_TRUE(SortAscending(2, 1));
    EXPECT_FALSE(SortAscending(0, 1));
    EXPECT_FALSE(SortAscending(2, 0));
}

TEST_F(MeasurementTableTest, RemovingARecordClosesTheGapAndRenumbers) {
    store.at(MemoryKind::FE, 1) = record(11, 12.34);
    store.at(MemoryKind::FE, 2) = record(12, 20);
    store.at(MemoryKind::FE, 3) = record(14, 30.06, "µm", "NFe");
    store.at(MemoryKind::FE, 4) = record(13, 150.4);

    ASSERT_TRUE(RemoveRecord(store, MemoryKind::FE, 2, "2"));
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 3);
    const MeasurementRecord& first = store.at(MemoryKind::FE, 1);
    const MeasurementRecord& second = store.at(MemoryKind::FE, 2);
    const MeasurementRecord& third = store.at(MemoryKind::FE, 3);
    EXPECT_EQ(first.Number, 1);
    EXPECT_EQ(first.Value, 12.3) << "only the decimals shown survive";
    EXPECT_EQ(second.Number, 2);
    EXPECT_EQ(second.Value, 150) << "records follow the order of their numbers";
    EXPECT_EQ(second.TimeText, "14:03:13");
    EXPECT_EQ(third.Number, 3);
    EXPECT_EQ(third.Value, 30.1);
    EXPECT_EQ(third.Marker, "NFe");
    EXPECT_EQ(store.at(MemoryKind::FE, 4).Unit, " ");
}

TEST_F(MeasurementTableTest, RemovingOutsideTheSeriesChangesNothing) {
    fillSeries(store, MemoryKind::FE, {1, 2});
    EXPECT_FALSE(RemoveRecord(store, MemoryKind::FE, 3, "2"));
    EXPECT_FALSE(RemoveRecord(store, MemoryKind::FE, 0, "2"));
    EXPECT_FALSE(RemoveRecord(store, MemoryKind::Identification, 1, "2"));
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 2);

    ASSERT_TRUE(RemoveRecord(store, MemoryKind::FE, 1, "2"));
    ASSERT_TRUE(RemoveRecord(store, MemoryKind::FE, 1, "2"));
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 0);
}

} // namespace
