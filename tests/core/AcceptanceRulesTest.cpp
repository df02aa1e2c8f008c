#include "core/AcceptanceRules.h"
#include "core/ScopedLocale.h"
#include "core/TextTable.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int German = 0;
constexpr int English = 1;

Limits ruled(AcceptanceRule rule, double minimum, double maximum, double target) {
    Limits result;
    result.MinLimit = minimum;
    result.MaxLimit = maximum;
    result.TargetValue = target;
    ChooseRule(result, rule);
    return result;
}

Limits pspc(double target, double maximum = 0) {
    return ruled(AcceptanceRule::Pspc9010, target * 90 / 100, maximum, target);
}

Limits sspc(double minimum, double maximum) {
    return ruled(AcceptanceRule::SspcPa2, minimum, maximum, 0);
}

// `count` values of `value`, then the others.
std::vector<double> series(int count, double value, std::initializer_list<double> others = {}) {
    std::vector<double> values(static_cast<std::size_t>(count), value);
    values.insert(values.end(), others);
    return values;
}

TEST(ChosenRule, TheEightyTwentyBoxDecidesForItselfAlone) {
    Limits l;
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::None);
    l.Rule8020 = true;
    l.Rule = AcceptanceRule::SspcPa2;
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::Iso8020);
    l.Rule8020 = false;
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::SspcPa2);
    ChooseRule(l, AcceptanceRule::Iso8020);
    EXPECT_TRUE(l.Rule8020);
    // Unticking 80/20 leaves no rule, not the one chosen before it.
    l.Rule8020 = false;
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::None);
    ChooseRule(l, AcceptanceRule::Pspc9010);
    EXPECT_FALSE(l.Rule8020);
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::Pspc9010);
}

TEST(OfferedRules, SignedInstrumentsAreOfferedNone) {
    EXPECT_TRUE(OfferedRules("-").empty());
    EXPECT_EQ(OfferedRules("+"), (std::vector{AcceptanceRule::Iso8020, AcceptanceRule::Pspc9010,
                                              AcceptanceRule::SspcPa2}));
}

TEST(RuleCode, OnlyTheNewRulesNeedTheFifthField) {
    EXPECT_EQ(RuleCode(AcceptanceRule::None), "");
    EXPECT_EQ(RuleCode(AcceptanceRule::Iso8020), "");
    for (AcceptanceRule rule : {AcceptanceRule::Pspc9010, AcceptanceRule::SspcPa2})
        EXPECT_EQ(RuleFromCode(RuleCode(rule)), rule);
    EXPECT_EQ(RuleFromCode(" sspc "), AcceptanceRule::SspcPa2);
    EXPECT_EQ(RuleFromCode("8020"), AcceptanceRule::Iso8020);
    EXPECT_FALSE(RuleFromCode(""));
    EXPECT_FALSE(RuleFromCode("7525"));
}

// Nine of ten at or above the target is exactly 90 %.
TEST(Judge9010, ExactlyNinetyPercentAtTheTargetPasses) {
    Pspc9010Result result = Judge9010(series(9, 100, {95}), pspc(100));
    EXPECT_TRUE(result.Passed);
    EXPECT_EQ(result.BelowTarget, 1);
    EXPECT_DOUBLE_EQ(result.BelowTargetPercent(), 10);

    result = Judge9010(series(17, 100, {95, 95}), pspc(100));
    EXPECT_FALSE(result.Passed);
    EXPECT_EQ(result.BelowTarget, 2);
    EXPECT_EQ(result.BelowNinety, 0);
}

TEST(Judge9010, AValueAtNinetyPercentOfTheTargetIsInTheBand) {
    const Pspc9010Result result = Judge9010(series(9, 120, {90}), pspc(100));
    EXPECT_TRUE(result.Passed);
    EXPECT_EQ(result.Colours.back(), LimitColour::Band);
    EXPECT_EQ(result.Colours.front(), LimitColour::Inside);

    const Pspc9010Result below = Judge9010(series(19, 120, {89.99}), pspc(100));
    EXPECT_FALSE(below.Passed);
    EXPECT_EQ(below.BelowNinety, 1);
    EXPECT_EQ(below.Colours.back(), LimitColour::Outside);
}

// 90 % of 33.3 is not 29.97 in binary; the value the instrument sends as 29.97 still meets it.
TEST(Judge9010, NinetyPercentOfAnUnevenTargetIsMetByItsDecimalValue) {
    const Pspc9010Result result = Judge9010(series(9, 33.3, {29.97}), pspc(33.3));
    EXPECT_EQ(result.BelowNinety, 0);
    EXPECT_TRUE(result.Passed);
    EXPECT_EQ(Colour9010(29.96, pspc(33.3)), LimitColour::Outside);
}

TEST(Judge9010, AboveTheMaximumIsColouredButDoesNotJudge) {
    const Pspc9010Result result = Judge9010(series(9, 100, {300}), pspc(100, 250));
    EXPECT_EQ(result.Colours.back(), LimitColour::Outside);
    EXPECT_TRUE(result.Passed);
    EXPECT_EQ(Colour9010(250, pspc(100, 250)), LimitColour::Inside);
}

TEST(Judge9010, WithoutTargetNothingPasses) {
    Limits l = pspc(0);
    const Pspc9010Result result = Judge9010(series(5, 100), l);
    EXPECT_FALSE(result.TargetGiven);
    EXPECT_FALSE(result.Passed);
    EXPECT_FALSE(Judge9010({}, pspc(100)).Passed);
}

TEST(CellColour, NinetyTenColoursEachValueByItself) {
    const Limits l = pspc(50, 70);
    EXPECT_EQ(CellColour(44.9, l, true), LimitColour::Outside);
    EXPECT_EQ(CellColour(45, l, true), LimitColour::Band);
    EXPECT_EQ(CellColour(-49.9, l, true), LimitColour::Band);
    EXPECT_EQ(CellColour(50, l, true), LimitColour::Inside);
    EXPECT_EQ(CellColour(70.1, l, true), LimitColour::Outside);
    // A rule that judges spots leaves single cells to the limits.
    EXPECT_EQ(CellColour(45, sspc(50, 70), true), LimitColour::Outside);
}

TEST(JudgeSspc, SpotsAtEightyAndHundredTwentyPercentPass) {
    // Minimum 100, maximum 150: spots from 80 to 180.
    SspcResult result =
        JudgeSspc(std::vector<double>{79.9, 80, 80.1, 170, 180, 190}, sspc(100, 150));
    EXPECT_EQ(result.Spots, 2);
    EXPECT_EQ(result.FailedSpots, 0);
    EXPECT_TRUE(result.Passed);
    EXPECT_DOUBLE_EQ(result.LowestSpot, 80);
    EXPECT_DOUBLE_EQ(result.HighestSpot, 180);

    result = JudgeSspc(std::vector<double>{79.9, 80, 80, 180, 180, 180.1}, sspc(100, 150));
    EXPECT_EQ(result.FailedSpots, 2);
    EXPECT_FALSE(result.Passed);
    EXPECT_EQ(result.Colours, std::vector<LimitColour>(6, LimitColour::Outside));
}

TEST(JudgeSspc, AValueOutsideDoesNotFailItsSpot) {
    const SspcResult result = JudgeSspc(std::vector<double>{60, 120, 120}, sspc(100, 150));
    EXPECT_EQ(result.Colours, std::vector<LimitColour>(3, LimitColour::Inside));
    EXPECT_TRUE(result.Passed);
}

TEST(JudgeSspc, TwoValuesAreNoSpotAndJudgeNothing) {
    const SspcResult result = JudgeSspc(std::vector<double>{120, 120}, sspc(100, 150));
    EXPECT_EQ(result.Spots, 0);
    EXPECT_EQ(result.Unjudged, 2);
    EXPECT_EQ(result.Colours, std::vector<LimitColour>(2, LimitColour::Pending));
    EXPECT_FALSE(result.Passed);
}

TEST(JudgeSspc, SpotsAndAreasCountAtThreeFourteenFifteenAndSixteenValues) {
    struct Case {
        int Values, Spots, Areas, Unjudged;
    };
    for (const Case c :
         {Case{3, 1, 0, 0}, Case{14, 4, 0, 2}, Case{15, 5, 1, 0}, Case{16, 5, 1, 1}}) {
        const SspcResult result = JudgeSspc(series(c.Values, 120), sspc(100, 150));
        EXPECT_EQ(result.Spots, c.Spots) << c.Values;
        EXPECT_EQ(result.Areas, c.Areas) << c.Values;
        EXPECT_EQ(result.Unjudged, c.Unjudged) << c.Values;
        EXPECT_TRUE(result.Passed) << c.Values;
        EXPECT_EQ(result.Colours[static_cast<std::size_t>(c.Spots * 3 - 1)], LimitColour::Inside);
        if (c.Unjudged > 0)
            EXPECT_EQ(result.Colours.back(), LimitColour::Pending) << c.Values;
    }
}

// Every spot within 80 % and 120 %, but five of them average below the minimum.
TEST(JudgeSspc, AnAreaBelowTheMinimumFailsWithItsSpotsGreen) {
    const std::vector<double> low = series(15, 90);
    SspcResult result = JudgeSspc(low, sspc(100, 150));
    EXPECT_EQ(result.FailedSpots, 0);
    EXPECT_EQ(result.FailedAreas, 1);
    EXPECT_FALSE(result.Passed);
    EXPECT_EQ(result.Colours.front(), LimitColour::Inside);

    // Four spots of an area not yet complete are not judged as an area.
    result = JudgeSspc(series(14, 90), sspc(100, 150));
    EXPECT_EQ(result.FailedAreas, 0);
    EXPECT_TRUE(result.Passed);

    // An area exactly at the maximum passes.
    result = JudgeSspc(series(15, 150), sspc(100, 150));
    EXPECT_TRUE(result.Passed);
}

TEST(JudgeSspc, BothLimitsAreNeeded) {
    EXPECT_FALSE(JudgeSspc(series(3, 120), sspc(0, 150)).Passed);
    EXPECT_FALSE(JudgeSspc(series(3, 120), sspc(100, 0)).LimitsGiven);
}

TEST(SlotColour, SspcColoursFromTheJudgedSeriesAndNewValuesWhite) {
    const Limits l = sspc(100, 150);
    const std::vector<LimitColour> colours = {LimitColour::Outside, LimitColour::Outside,
                                              LimitColour::Outside, LimitColour::Pending};
    EXPECT_EQ(SlotColour(120, 1, l, true, colours), LimitColour::Outside);
    EXPECT_EQ(SlotColour(120, 4, l, true, colours), LimitColour::Pending);
    EXPECT_EQ(SlotColour(120, 5, l, true, colours), LimitColour::Pending);
    EXPECT_EQ(ColourOf(LimitColour::Pending), Colours::white);
    // Any other rule colours by the value.
    EXPECT_EQ(SlotColour(95, 1, pspc(100), true, colours), LimitColour::Band);
}

class RuleCheck : public ::testing::Test {
protected:
    void SetUp() override { texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05"); }

    ScopedLocale german{QLocale::German, QLocale::Germany};
    TextTable texts;
};

TEST_F(RuleCheck, NinetyTenMovesTheMinimumNamingItsRule) {
    Limits l = ruled(AcceptanceRule::Pspc9010, 80, 0, 0);
    Check8020Result result = CheckLimitRule(l, texts, German);
    EXPECT_EQ(result.Messages, QStringList{"Eingabe Sollwert bei 90/10 Regel erforderlich"});
    EXPECT_EQ(l.MinLimit, 80);

    l.TargetValue = 125;
    result = CheckLimitRule(l, texts, German);
    EXPECT_EQ(result.Messages,
              QStringList{"Min Limit  an 90/10 Regel angepasst von 80 nach 112,5"});
    EXPECT_EQ(result.MinLimitBoxText, "112,5");
    EXPECT_EQ(l.LimitTexts[1], "112,5");
    EXPECT_TRUE(CheckLimitRule(l, texts, German).Messages.isEmpty());

    l.TargetValue = 100;
    EXPECT_EQ(CheckLimitRule(l, texts, English).Messages,
              QStringList{"Min limit changed due to 90/10 rule from 112,5 to 90"});
}

TEST_F(RuleCheck, SspcAsksForBothLimits) {
    Limits l = ruled(AcceptanceRule::SspcPa2, 0, 150, 0);
    EXPECT_EQ(CheckLimitRule(l, texts, German).Messages,
              QStringList{"Eingabe Minimum und Maximum bei SSPC-PA 2 erforderlich"});
    l.MinLimit = 100;
    EXPECT_TRUE(CheckLimitRule(l, texts, English).Messages.isEmpty());
    l.MaxLimit = 0;
    EXPECT_EQ(CheckLimitRule(l, texts, English).Messages,
              QStringList{"Please enter minimum and maximum when using SSPC-PA 2"});
    // The minimum stays where it was typed.
    EXPECT_EQ(l.MinLimit, 100);
    l.MaxLimit = 90;
    EXPECT_EQ(CheckLimitRule(l, texts, English).Messages,
              QStringList{"Minimum higher than maximum!"});
}

TEST_F(RuleCheck, AnEntryIsCheckedAgainstTheChosenRule) {
    Limits l = ruled(AcceptanceRule::Pspc9010, 0, 0, 0);
    const LimitEntryResult result = ValidateLimitEntry(l, LimitField::Target, "50", texts, German);
    EXPECT_EQ(result.MinLimitBoxText, "45");
    EXPECT_EQ(l.MinLimit, 45);
}

TEST_F(RuleCheck, ClearingChoosesNoRule) {
    Limits l = ruled(AcceptanceRule::SspcPa2, 100, 150, 0);
    ClearLimits(l);
    EXPECT_EQ(ChosenRule(l), AcceptanceRule::None);
}

TEST(RuleInfoText, EachRuleExplainedInGermanAndEnglish) {
    EXPECT_TRUE(RuleInfoText(AcceptanceRule::Pspc9010, English)
                    .startsWith("The 90/10 rule according to IMO PSPC :\r\n"));
    EXPECT_TRUE(RuleInfoText(AcceptanceRule::Pspc9010, German)
                    .startsWith("Die 90/10 Regel nach IMO PSPC :\r\n"));
    EXPECT_TRUE(RuleInfoText(AcceptanceRule::SspcPa2, English)
                    .startsWith("SSPC-PA 2, restriction level 3 :\r\n"));
    const QString german = RuleInfoText(AcceptanceRule::SspcPa2, German);
    EXPECT_TRUE(german.contains("Werte eines unvollständigen Spots = weiß\r\n"));
    EXPECT_TRUE(german.endsWith("\r\n"));
    EXPECT_EQ(RuleInfoText(AcceptanceRule::None, English), Info8020Text(English));
    EXPECT_EQ(RuleInfoText(AcceptanceRule::Iso8020, German), Info8020Text(German));
}

} // namespace
