#include "SettingsTestFolder.h"
#include "core/ScopedLocale.h"
#include "core/SettingsFiles.h"
#include "core/SpreadsheetLayout.h"
#include "core/Statistics.h"

#include <gtest/gtest.h>
#include <vector>

// The verdict lines of 90/10 and SSPC-PA 2 in the statistics list and the workbook, and the rule
// in Limit.ini.

namespace {

QString blanks(int count) {
    return QString(count, QLatin1Char(' '));
}

StatisticInputs ruleInputs(AcceptanceRule rule, double minimum, double maximum, double target,
                           int language = 0) {
    StatisticInputs inputs;
    inputs.AbsoluteValues = true;
    inputs.SignMode = "+";
    inputs.DecimalsMode = "2";
    inputs.LanguageIndex = language;
    inputs.MemoryTitle = "FE-Speicher";
    inputs.UserLimits.MinLimit = minimum;
    inputs.UserLimits.MaxLimit = maximum;
    inputs.UserLimits.TargetValue = target;
    ChooseRule(inputs.UserLimits, rule);
    return inputs;
}

// The series as a rebuild of the table counts it: every value, then the list once.
QStringList feed(StatisticState& state, const std::vector<double>& values,
                 const StatisticInputs& inputs) {
    int index = 1;
    Reset_Statistic(state, index);
    for (std::size_t i = 0; i < values.size(); ++i) {
        index = static_cast<int>(i) + 1;
        AddStatisticValue(state, values[i], "µm", index, inputs);
    }
    return StatisticLines(state, inputs);
}

class RuleStatistics : public ::testing::Test {
protected:
    ScopedLocale german{QLocale::German, QLocale::Germany};
    StatisticState state;
};

TEST_F(RuleStatistics, NinetyTenGivesItsVerdictWithTheShareBelowTheTarget) {
    const std::vector<double> values = {100, 110, 95, 120, 100, 100, 100, 100, 100, 100};
    QStringList lines = feed(state, values, ruleInputs(AcceptanceRule::Pspc9010, 90, 0, 100));
    EXPECT_EQ(lines.last(), "Regel 90/10 ok: Ja 10 %");
    EXPECT_EQ(state.RuleVerdict, "Ja");
    EXPECT_FALSE(lines.join('|').contains("80/20"));
    EXPECT_TRUE(state.Verdict8020.isEmpty());

    lines = feed(state, {100, 89}, ruleInputs(AcceptanceRule::Pspc9010, 90, 0, 100, 1));
    EXPECT_EQ(lines.last(), "rule 90/10 ok: No 50 %");
    EXPECT_EQ(state.RuleVerdict, "No");
}

TEST_F(RuleStatistics, NinetyTenWithoutTargetSaysSo) {
    const QStringList lines = feed(state, {100}, ruleInputs(AcceptanceRule::Pspc9010, 0, 0, 0));
    EXPECT_EQ(lines.mid(lines.size() - 2),
              QStringList({"Regel 90/10 ok: Nein ", "  Sollwert fehlt"}));
}

TEST_F(RuleStatistics, SspcShowsSpotsAreasAndTheirExtremesLikeTheOtherLines) {
    std::vector<double> values(15, 50);
    std::fill_n(values.begin() + 3, 3, 55);
    values.push_back(52);
    const QStringList lines = feed(state, values, ruleInputs(AcceptanceRule::SspcPa2, 40, 60, 0));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(
        lines.mid(lines.size() - 6),
        QStringList({"SSPC-PA 2 ok: Ja", "  letzter Spot unvollständig", "Spots" + blanks(16) + "5",
                     "Flächen" + blanks(14) + "1", "Spot Minimum" + blanks(8) + "50,00   µm",
                     "Spot Maximum" + blanks(8) + "55,00   µm"}));
    EXPECT_EQ(state.RuleVerdict, "Ja");
    ASSERT_EQ(state.RuleColours.size(), 16u);
    EXPECT_EQ(state.RuleColours[14], LimitColour::Inside);
    EXPECT_EQ(state.RuleColours[15], LimitColour::Pending);
}

TEST_F(RuleStatistics, SspcFailingOrWithoutLimitsSaysNo) {
    ScopedLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList lines =
        feed(state, {10, 10, 10}, ruleInputs(AcceptanceRule::SspcPa2, 40, 60, 0, 1));
    EXPECT_EQ(lines[lines.size() - 5], "SSPC-PA 2 ok: No");
    EXPECT_EQ(state.RuleColours, std::vector<LimitColour>(3, LimitColour::Outside));

    lines = feed(state, {50, 50}, ruleInputs(AcceptanceRule::SspcPa2, 40, 0, 0, 1));
    // No spot yet: no extremes to show.
    EXPECT_EQ(
        lines.mid(lines.size() - 5),
        QStringList({"SSPC-PA 2 ok: No", "  minimum and maximum missing", "  last spot incomplete",
                     "Spots" + blanks(16) + "0", "Areas" + blanks(16) + "0"}));
}

TEST_F(RuleStatistics, MixedUnitsShowNoVerdictButSpotsStillColour) {
    int currentIndex = 1;
    Reset_Statistic(state, currentIndex);
    const StatisticInputs inputs = ruleInputs(AcceptanceRule::SspcPa2, 40, 60, 0);
    QStringList lines;
    for (const QString unit : {"µm", "µm", "mi  "}) {
        lines = CalcStatistic(state, 50, unit, currentIndex, inputs);
        ++currentIndex;
    }
    EXPECT_EQ(lines.last(), " Messeinheiten ");
    EXPECT_EQ(state.RuleColours, std::vector<LimitColour>(3, LimitColour::Inside));
}

TEST_F(RuleStatistics, WorkbookRowNamesTheChosenRule) {
    SpreadsheetInputs in;
    in.SheetName = "Messwerte";
    in.Records = {{1, 100, "µm", " Fe", {}, "09:15:01", "14.03.2025"}};
    in.UserLimits = ruleInputs(AcceptanceRule::Pspc9010, 90, 0, 100).UserLimits;
    feed(in.Stat, {100}, ruleInputs(AcceptanceRule::Pspc9010, 90, 0, 100));
    const auto rowOf = [](const SpreadsheetLayout& layout, const QString& label) {
        for (const SheetCell& c : layout.Cells)
            if (c.Column == 1 && c.Text == label)
                return c.Row;
        return 0;
    };
    const auto textAt = [](const SpreadsheetLayout& layout, int row, int column) {
        for (const SheetCell& c : layout.Cells)
            if (c.Row == row && c.Column == column)
                return c.Text;
        return QString();
    };
    SpreadsheetLayout layout = BuildSpreadsheetLayout(in, false);
    int row = rowOf(layout, "Regel 90/10 ok:");
    ASSERT_GT(row, 0);
    EXPECT_EQ(textAt(layout, row, 2), "Ja");
    EXPECT_EQ(rowOf(layout, "Regel 80/20 ok:"), 0);

    // Without a rule the 80/20 row stands as before, empty.
    ChooseRule(in.UserLimits, AcceptanceRule::None);
    layout = BuildSpreadsheetLayout(in, false);
    row = rowOf(layout, "Regel 80/20 ok:");
    ASSERT_GT(row, 0);
    EXPECT_EQ(textAt(layout, row, 2), "");
}

class RuleLimitFile : public SettingsTestFolder {};

TEST_F(RuleLimitFile, TheNewRulesWriteAFifthField) {
    UseGerman();
    Limits limits;
    limits.MinLimit = 112.5;
    limits.TargetValue = 125;
    ChooseRule(limits, AcceptanceRule::Pspc9010);
    ASSERT_TRUE(WriteLimits(folder(), limits).ok);
    EXPECT_EQ(fileBytes("Limit.ini"), "112,5;0;125;0;9010;\r\n");
    Limits read;
    ASSERT_TRUE(ReadLimits(folder(), read).ok);
    EXPECT_EQ(ChosenRule(read), AcceptanceRule::Pspc9010);
    EXPECT_EQ(read.MinLimit, 112.5);

    ChooseRule(limits, AcceptanceRule::SspcPa2);
    ASSERT_TRUE(WriteLimits(folder(), limits).ok);
    EXPECT_EQ(fileBytes("Limit.ini"), "112,5;0;125;0;SSPC;\r\n");
    ASSERT_TRUE(ReadLimits(folder(), read).ok);
    EXPECT_EQ(ChosenRule(read), AcceptanceRule::SspcPa2);
}

TEST_F(RuleLimitFile, FourFieldsOrAnUnknownFifthKeepTheFourthFieldsMeaning) {
    UseEnglish();
    Limits limits;
    ChooseRule(limits, AcceptanceRule::SspcPa2);
    writeFile("Limit.ini", "80;120;100;1;\r\n");
    ASSERT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(ChosenRule(limits), AcceptanceRule::Iso8020);

    writeFile("Limit.ini", "80;120;100;0;\r\n");
    ChooseRule(limits, AcceptanceRule::SspcPa2);
    ASSERT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(ChosenRule(limits), AcceptanceRule::None);

    writeFile("Limit.ini", "80;120;100;1;7525;\r\n");
    ASSERT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(ChosenRule(limits), AcceptanceRule::Iso8020);

    writeFile("Limit.ini", "80;120;100;0;SSPC\r\n");
    ASSERT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(ChosenRule(limits), AcceptanceRule::SspcPa2);
    EXPECT_FALSE(limits.Rule8020);
}

} // namespace
