#include "core/Statistics.h"
#include "core/ScopedLocale.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

QString blanks(int count) {
    return QString(count, QLatin1Char(' '));
}

StatisticInputs coatingInputs(int language = 0) {
    StatisticInputs inputs;
    inputs.AbsoluteValues = true;
    inputs.SignMode = "+";
    inputs.DecimalsMode = "2";
    inputs.LanguageIndex = language;
    inputs.MemoryTitle = language == 0 ? "FE-Speicher" : "FE-Memory";
    return inputs;
}

StatisticInputs rule8020(double minimum, double maximum, double target, int language = 0) {
    StatisticInputs inputs = coatingInputs(language);
    inputs.UserLimits.MinLimit = minimum;
    inputs.UserLimits.MaxLimit = maximum;
    inputs.UserLimits.TargetValue = target;
    inputs.UserLimits.Rule8020 = true;
    return inputs;
}

// Feeds the values as the table does, slot after slot, and returns the list of the last call.
QStringList feed(StatisticState& state, std::initializer_list<double> values,
                 const StatisticInputs& inputs, const QString& unit = "µm") {
    int currentIndex = 1;
    Reset_Statistic(state, currentIndex);
    QStringList lines;
    for (double value : values) {
        lines = CalcStatistic(state, value, unit, currentIndex, inputs);
        ++currentIndex;
    }
    return lines;
}

class StatisticsTest : public ::testing::Test {
protected:
    ScopedLocale german{QLocale::German, QLocale::Germany};
    StatisticState state;
};

TEST_F(StatisticsTest, OneValueShowsCountMinimumAndMaximumOnly) {
    const QStringList lines = feed(state, {12.5}, coatingInputs());
    EXPECT_EQ(lines, QStringList({"FE-Speicher", " ", "Statistik:", " ",
                                  "Anzahl" + blanks(15) + "1", "Minimum" + blanks(14) + "12,5   µm",
                                  "Maximum" + blanks(14) + "12,5   µm"}));
    EXPECT_EQ(state.StatCount, 1);
}

TEST_F(StatisticsTest, MeanAndSampleDeviation) {
    const QStringList lines = feed(state, {10, 12, 14}, coatingInputs());
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[4], "Anzahl" + blanks(15) + "3");
    EXPECT_EQ(lines[5], "Minimum" + blanks(14) + "10,0   µm");
    EXPECT_EQ(lines[6], "Maximum" + blanks(14) + "14,0   µm");
    EXPECT_EQ(lines[7], "Mittelwert" + blanks(10) + "12,00   µm");
    EXPECT_EQ(lines[8], "Std.Abw." + blanks(13) + "2,00   µm");
    EXPECT_EQ(state.MeanText, "      12,00");
    EXPECT_EQ(state.StdDevText, "       2,00");
    EXPECT_DOUBLE_EQ(state.StdDev, 2);
}

TEST_F(StatisticsTest, EnglishLinesAlignTheSeparatorsOfMinimumAndMean) {
    ScopedLocale english(QLocale::English, QLocale::UnitedStates);
    const QStringList lines = feed(state, {150, 160}, coatingInputs(1));
    EXPECT_EQ(lines, QStringList(
                         {"FE-Memory", " ", "Statistics:", " ", "Count" + blanks(16) + "2",
                          "Minimum" + blanks(15) + "150   µm", "Maximum" + blanks(15) + "160   µm",
                          "Average" + blanks(15) + "155.00µm", "Std.Dev" + blanks(17) + "7.07µm"}));
}

TEST_F(StatisticsTest, WideMinimumNeverShiftsTheLabelsBelowTheirLength) {
    StatisticInputs inputs = coatingInputs();
    inputs.SignMode = "-";
    inputs.AbsoluteValues = false;
    inputs.DecimalsMode = "3";
    const QStringList lines = feed(state, {-12345.678, 12350}, inputs, "G ");
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[5], "Minimum" + blanks(8) + "-12345,678   G ");
    EXPECT_EQ(lines[7], "Mittelwert" + blanks(6) + "2,161" + blanks(9) + "G ");
    EXPECT_TRUE(lines[8].startsWith("Std.Abw." + state.StdDevText + blanks(9) + "G "));
}

TEST_F(StatisticsTest, UnsignedInstrumentsCountMagnitudes) {
    const QStringList lines = feed(state, {-5}, coatingInputs());
    EXPECT_EQ(lines[5], "Minimum" + blanks(15) + "5,0   µm");
    EXPECT_EQ(state.Sum, 5);
}

TEST_F(StatisticsTest, SignedInstrumentsFollowTheAbsoluteSwitch) {
    StatisticInputs inputs = coatingInputs();
    inputs.SignMode = "-";
    QStringList lines = feed(state, {-5, 3}, inputs, "G ");
    EXPECT_EQ(lines[2], "Statistik:  mit Absolutwerten");
    EXPECT_EQ(state.MinText.trimmed(), "3,0");
    EXPECT_EQ(state.MaxText.trimmed(), "5,0");
    EXPECT_EQ(state.MeanText.trimmed(), "4,00");

    inputs.AbsoluteValues = false;
    lines = feed(state, {-5, 3}, inputs, "G ");
    EXPECT_EQ(lines[2], "Statistik:");
    EXPECT_EQ(state.MinText.trimmed(), "-5,0");
    EXPECT_EQ(state.MaxText.trimmed(), "3,0");
    EXPECT_EQ(state.MeanText.trimmed(), "-1,00");
}

TEST_F(StatisticsTest, MixedUnitsGiveNoStatistics) {
    int currentIndex = 1;
    Reset_Statistic(state, currentIndex);
    CalcStatistic(state, 12, "µm", currentIndex, coatingInputs());
    currentIndex = 2;
    const QStringList lines = CalcStatistic(state, 0.5, "mi  ", currentIndex, coatingInputs());
    EXPECT_EQ(lines,
              QStringList({"FE-Speicher", " ", "Statistik:", " ", " Statistik nicht möglich,",
                           " da verschiedene", " Messeinheiten "}));
    EXPECT_TRUE(state.UnitsDiffer);
}

TEST_F(StatisticsTest, UnitWithoutOwnDecimalsUsesTheStatisticsDecimals) {
    StatisticInputs inputs = coatingInputs();
    inputs.SignMode = "-";
    feed(state, {1.234, 2.5}, inputs, "kA/m");
    EXPECT_EQ(state.MinText, "       1,23");
    EXPECT_EQ(state.MaxText, "       2,50");
}

TEST_F(StatisticsTest, RoundingNeverGivesANegativeVariance) {
    feed(state, {0.1, 0.1, 0.1}, coatingInputs());
    EXPECT_EQ(state.StdDev, 0);
    EXPECT_EQ(state.StdDevText, "       0,00");
}

TEST_F(StatisticsTest, TooManyBandValuesFailTheRule) {
    const QStringList lines = feed(state, {85, 90, 100, 110}, rule8020(80, 0, 100));
    EXPECT_EQ(state.BandCount, 2);
    EXPECT_EQ(state.BandPercent, 50);
    EXPECT_EQ(lines.last(), "Regel 80/20 ok: Nein  50 %");
    EXPECT_EQ(state.Verdict8020, "Nein ");
}

TEST_F(StatisticsTest, EnglishVerdict) {
    const QStringList lines = feed(state, {85, 90, 100, 110}, rule8020(80, 0, 100, 1));
    EXPECT_EQ(lines.last(), "rule 80/20 ok: No 50 %");
}

TEST_F(StatisticsTest, TwentyPercentInTheBandPasses) {
    const QStringList lines = feed(state, {100, 105, 110, 120, 95}, rule8020(80, 0, 100));
    EXPECT_EQ(lines.last(), "Regel 80/20 ok: Ja 20 %");
    EXPECT_FALSE(Fails8020(state));
    EXPECT_EQ(state.Verdict8020, "Ja");
}

TEST_F(StatisticsTest, ValueAboveAGivenMaximumFailsTheRule) {
    const QStringList lines = feed(state, {100, 105, 110, 120, 95}, rule8020(80, 115, 100));
    EXPECT_TRUE(state.LimitViolated);
    EXPECT_EQ(lines.last(), "Regel 80/20 ok: Nein  20 %");
}

TEST_F(StatisticsTest, ValueBelowTheMinimumFailsForTheRestOfTheSeries) {
    feed(state, {70, 100, 100, 100, 100, 100}, rule8020(80, 0, 100));
    EXPECT_TRUE(state.LimitViolated);
    EXPECT_TRUE(Fails8020(state));
}

TEST_F(StatisticsTest, MeanBelowTargetFailsTheRule) {
    feed(state, {99, 99, 99, 99, 99, 101, 101, 101, 101, 90}, rule8020(80, 0, 100));
    EXPECT_EQ(state.BandPercent, 60);
    feed(state, {101, 101, 101, 101, 90}, rule8020(80, 0, 100));
    EXPECT_FALSE(state.BandTooLarge);
    EXPECT_TRUE(state.MeanBelowTarget);
    EXPECT_TRUE(Fails8020(state));
}

TEST_F(StatisticsTest, CountsBelowOneGiveNoList) {
    int currentIndex = 0;
    EXPECT_TRUE(CalcStatistic(state, 5, "µm", currentIndex, coatingInputs()).isEmpty());
    currentIndex = -3;
    EXPECT_TRUE(CalcStatistic(state, 5, "µm", currentIndex, coatingInputs()).isEmpty());
}

TEST_F(StatisticsTest, SeriesBeyondTheStoreStartsAgain) {
    int currentIndex = 5001;
    EXPECT_TRUE(CalcStatistic(state, 5, "µm", currentIndex, coatingInputs()).isEmpty());
    EXPECT_EQ(currentIndex, 1);
    EXPECT_EQ(state.Sum, 0);
    EXPECT_TRUE(state.FirstUnit.isEmpty());
}

TEST_F(StatisticsTest, ResetStartsFromTheStartValues) {
    feed(state, {85, 90}, rule8020(80, 0, 100));
    int currentIndex = 3;
    Reset_Statistic(state, currentIndex);
    EXPECT_EQ(currentIndex, 1);
    EXPECT_EQ(state.MinValue, 999999);
    EXPECT_EQ(state.MaxValue, -999999);
    EXPECT_EQ(state.BandCount, 0);
    EXPECT_FALSE(state.LimitViolated);
    EXPECT_TRUE(state.FirstUnit.isEmpty());
    EXPECT_EQ(state.StdDevText, " ");
    EXPECT_TRUE(state.Verdict8020.isEmpty());
}

// A rebuild adds thousands of rows and builds the list once; what it shows must be what a
// list rebuilt after every row shows at the end.
TEST_F(StatisticsTest, AddingWithoutLinesEndsInTheSameList) {
    QRandomGenerator random(42);
    for (int language : {0, 1}) {
        StatisticInputs inputs = rule8020(80, 130, 100, language);
        inputs.SignMode = "-";
        StatisticState everyRow;
        StatisticState once;
        int indexEveryRow = 1;
        int indexOnce = 1;
        QStringList lastLines;
        for (int n = 1; n <= 3000; ++n) {
            const double value = (random.bounded(4000) - 500) / 20.0;
            indexEveryRow = n;
            indexOnce = n;
            lastLines = CalcStatistic(everyRow, value, "µm", indexEveryRow, inputs);
            AddStatisticValue(once, value, "µm", indexOnce, inputs);
        }
        EXPECT_EQ(StatisticLines(once, inputs), lastLines);
        EXPECT_EQ(once.MinText, everyRow.MinText);
        EXPECT_EQ(once.StdDevText, everyRow.StdDevText);
        EXPECT_EQ(once.Verdict8020, everyRow.Verdict8020);
        EXPECT_EQ(once.StatCount, 3000);
    }
}

} // namespace
