#include "core/ChartData.h"
#include "core/ScopedLocale.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace {

constexpr Rgb Blue{0, 0, 153};
constexpr Rgb DarkRed{150, 0, 0};
constexpr Rgb Green{0, 130, 0};

Limits LimitsOf(double min, double max, double target) {
    Limits limits;
    limits.MinLimit = min;
    limits.MaxLimit = max;
    limits.TargetValue = target;
    return limits;
}

void ExpectRange(AxisRange range, double minimum, double maximum) {
    EXPECT_DOUBLE_EQ(range.Minimum, minimum);
    EXPECT_DOUBLE_EQ(range.Maximum, maximum);
}

class ChartDataTest : public ::testing::Test {
protected:
    void fill(std::initializer_list<double> values, const QString& unit = "µm") {
        int slot = 0;
        for (double v : values) {
            MeasurementRecord& record = store.at(MemoryKind::FE, ++slot);
            record.Number = static_cast<qint16>(slot);
            record.Value = v;
            record.Unit = unit;
        }
    }
    ChartData build(const Limits& limits = {}, bool absolute = false) const {
        return BuildChartArray(store, MemoryKind::FE, limits, absolute);
    }
    // The statistics of the values as the table leaves them.
    StatisticState statistics(std::initializer_list<double> values, bool absolute,
                              const QString& unit = "µm") const {
        StatisticInputs inputs;
        inputs.AbsoluteValues = absolute;
        inputs.SignMode = "-";
        inputs.DecimalsMode = "2";
        StatisticState state;
        int currentIndex = 1;
        for (double v : values) {
            CalcStatistic(state, v, unit, currentIndex, inputs);
            ++currentIndex;
        }
        return state;
    }

    ScopedLocale german{QLocale::German, QLocale::Germany};
    MeasurementStore store;
};

TEST_F(ChartDataTest, ThreeValuesWithoutLimitsLabelOnlyTheLastRow) {
    fill({10, 12, 11});
    const ChartData chart = build();

    EXPECT_EQ(chart.ChartPointCount, 3);
    EXPECT_EQ(chart.Unit, "µm");
    const ChartArray& a = chart.Array;
    ASSERT_EQ(a.rowCount(), 3);
    EXPECT_EQ(a.columnCount(), 2);
    EXPECT_EQ(a.label(1), " ");
    EXPECT_EQ(a.label(2), " ");
    EXPECT_EQ(a.label(3), " 3");
    EXPECT_DOUBLE_EQ(a.value(2, 1), 12);
    EXPECT_FALSE(a.column(ChartColumn::Target));
    EXPECT_FALSE(a.column(ChartColumn::MinLimit));
}

TEST_F(ChartDataTest, ColumnsFollowWhichOfTargetAndLimitsAreGiven) {
    fill({45, 55});
    const ChartArray both = build(LimitsOf(40, 60, 50)).Array;
    ASSERT_EQ(both.columnCount(), 5);
    for (int r = 1; r <= 2; ++r) {
        EXPECT_DOUBLE_EQ(both.value(r, 2), 50);
        EXPECT_DOUBLE_EQ(both.value(r, 3), 40);
        EXPECT_DOUBLE_EQ(both.value(r, 4), 60);
    }
    EXPECT_EQ(both.role(2), ChartColumn::Target);
    EXPECT_EQ(both.role(4), ChartColumn::MaxLimit);

    const ChartArray target = build(LimitsOf(0, 0, 50)).Array;
    ASSERT_EQ(target.columnCount(), 3);
    EXPECT_DOUBLE_EQ(target.value(1, 2), 50);

    // A minimum of 0 beside a given maximum still makes a limit column, filled with 0.
    const ChartArray limits = build(LimitsOf(0, 60, 0)).Array;
    ASSERT_EQ(limits.columnCount(), 4);
    EXPECT_EQ(limits.column(ChartColumn::MinLimit), 2);
    EXPECT_DOUBLE_EQ(limits.value(1, 2), 0);
    EXPECT_DOUBLE_EQ(limits.value(1, 3), 60);
    EXPECT_FALSE(limits.column(ChartColumn::Target));
}

TEST_F(ChartDataTest, PointsEndAtTheFirstSlotWithoutNumber) {
    fill({10, 12, 11, 13});
    store.at(MemoryKind::FE, 3).Number = 0;
    EXPECT_EQ(build().ChartPointCount, 2);
    EXPECT_EQ(build().Array.label(2), " 2");

    store.at(MemoryKind::FE, 1).Number = 0;
    const ChartData empty = build(LimitsOf(40, 60, 50));
    EXPECT_EQ(empty.ChartPointCount, 0);
    EXPECT_EQ(empty.Array.rowCount(), 0);
    EXPECT_EQ(empty.Array.columnCount(), 5);
}

TEST_F(ChartDataTest, AbsoluteValuesDrawMagnitudes) {
    fill({-5, 3}, "kA/m");
    EXPECT_DOUBLE_EQ(build({}, true).Array.value(1, 1), 5);
    EXPECT_DOUBLE_EQ(build({}, false).Array.value(1, 1), -5);

    ExpectRange(MainChartValueRange(statistics({-5, 3}, true, "kA/m"), true), 3, 5);
    ExpectRange(MainChartValueRange(statistics({-5, 3}, false, "kA/m"), false), -5, 3);
}

TEST_F(ChartDataTest, ValueAxisSpansTheValuesWithoutMargin) {
    // A target of 50 does not widen the axis of values 10 to 12.
    ExpectRange(MainChartValueRange(statistics({10, 12, 11}, false), false), 10, 12);
    ExpectRange(ValueAxisRange(98.76, 123.4), 98.76, 123.4);
}

TEST_F(ChartDataTest, ASingleLevelGetsRoomSoItsLineShows) {
    ExpectRange(ValueAxisRange(50, 50), 45, 55);
    ExpectRange(ValueAxisRange(-2, -2), -2.2, -1.8);
    ExpectRange(ValueAxisRange(0, 0), -1, 1);
    ExpectRange(MainChartValueRange(statistics({7, 7, 7}, true), true), 6.3, 7.7);
    // The statistics' start values, before any value came: no line to show.
    ExpectRange(MainChartValueRange(StatisticState{}, false), 0, 1);
    ExpectRange(CategoryRange(0), 0, 1);
    ExpectRange(CategoryRange(25), 0, 25);
}

TEST_F(ChartDataTest, LargeChartAxisEndsOnTheShownRoundedExtremes) {
    const StatisticState stat = statistics({123.4, 98.76}, false);
    ASSERT_EQ(stat.MinText.trimmed(), "98,8");
    ExpectRange(LargeChartValueRange(stat, false), 98.8, 123);

    StatisticState unreadable = stat;
    unreadable.MinText = " ";
    ExpectRange(LargeChartValueRange(unreadable, false), 98.76, 123);
}

TEST_F(ChartDataTest, MainChartDrawsValuesTwiceAsThickAsTargetAndLimits) {
    fill({45, 55});
    const std::vector<SeriesLook> looks = MainChartLooks(build(LimitsOf(40, 60, 50)).Array);
    ASSERT_EQ(looks.size(), 4u);
    EXPECT_EQ(looks[0].Pen, (ChartPen{Blue, 20, PenStyle::Solid}));
    EXPECT_EQ(looks[1].Pen, (ChartPen{DarkRed, 10, PenStyle::Dotted}));
    EXPECT_EQ(looks[2].Pen, (ChartPen{Green, 10, PenStyle::Dotted}));
    EXPECT_EQ(looks[3].Pen, (ChartPen{Green, 10, PenStyle::Dotted}));
    for (const SeriesLook& look : looks)
        EXPECT_FALSE(look.Legend);

    const std::vector<SeriesLook> limitsOnly = MainChartLooks(build(LimitsOf(40, 60, 0)).Array);
    ASSERT_EQ(limitsOnly.size(), 3u);
    EXPECT_EQ(limitsOnly[1].Pen, (ChartPen{Green, 10, PenStyle::Dotted}));
}

TEST_F(ChartDataTest, LargeChartLegendsNameTargetAndLimits) {
    fill({45, 55});
    const std::vector<SeriesLook> limits = LargeChartLooks(build(LimitsOf(40, 60, 0)).Array, 0);
    ASSERT_EQ(limits.size(), 3u);
    EXPECT_EQ(limits[0].Legend, "Daten");
    EXPECT_EQ(limits[0].Pen, (ChartPen{Blue, 35, PenStyle::Solid}));
    EXPECT_EQ(limits[1].Legend, "Minimum 40");
    EXPECT_EQ(limits[2].Legend, "Maximum 60");
    EXPECT_EQ(limits[2].Pen, (ChartPen{Green, 30, PenStyle::Dotted}));

    const std::vector<SeriesLook> all = LargeChartLooks(build(LimitsOf(40, 60, 50.5)).Array, 0);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1].Legend, "Sollwert     50,5");
    EXPECT_EQ(all[1].Pen, (ChartPen{DarkRed, 20, PenStyle::Dotted}));
    EXPECT_EQ(all[2].Legend, "Minimum 40");

    const std::vector<SeriesLook> english = LargeChartLooks(build(LimitsOf(0, 0, 50)).Array, 1);
    EXPECT_EQ(english[0].Legend, "Data");
    EXPECT_EQ(english[1].Legend, "Target value 50");
}

TEST_F(ChartDataTest, NegativeTargetKeepsTheDefaultLook) {
    fill({-45, -55});
    const std::vector<SeriesLook> looks = LargeChartLooks(build(LimitsOf(-60, -40, -50)).Array, 0);
    ASSERT_EQ(looks.size(), 4u);
    EXPECT_FALSE(looks[1].Legend);
    EXPECT_FALSE(looks[1].Pen);
    EXPECT_EQ(looks[2].Legend, "Minimum -60");
    EXPECT_EQ(looks[3].Legend, "Maximum -40");
    EXPECT_EQ(looks[3].Pen, (ChartPen{Green, 30, PenStyle::Dotted}));
}

TEST_F(ChartDataTest, MeanBoxCarriesTheMeanText) {
    EXPECT_EQ(MeanBoxText("       11,0", 0), "_ _ _Mittelwert        11,0");
    EXPECT_EQ(MeanBoxText("       11,0", 1), "_ _ _Average        11,0");
}

} // namespace
