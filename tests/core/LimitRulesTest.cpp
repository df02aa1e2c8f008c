#include "core/LimitRules.h"
#include "core/ScopedLocale.h"
#include "core/TextTable.h"

#include <gtest/gtest.h>

namespace {

constexpr int German = 0;
constexpr int English = 1;

Limits limits(double minimum, double maximum, double target = 0, bool rule = false) {
    Limits result;
    result.MinLimit = minimum;
    result.MaxLimit = maximum;
    result.TargetValue = target;
    result.Rule8020 = rule;
    return result;
}

TEST(CellColour, NoLimitsAndNoRuleLeaveTheCellAlone) {
    EXPECT_EQ(CellColour(50, limits(0, 0), true), LimitColour::None);
    EXPECT_EQ(CellColour(-50, limits(0, 0, 100), false), LimitColour::None);
    EXPECT_FALSE(ColourOf(LimitColour::None));
}

TEST(CellColour, InsideAndOutsideBothLimits) {
    const Limits l = limits(40, 60);
    EXPECT_EQ(CellColour(40, l, true), LimitColour::Inside);
    EXPECT_EQ(CellColour(60, l, true), LimitColour::Inside);
    EXPECT_EQ(CellColour(39.9, l, true), LimitColour::Outside);
    EXPECT_EQ(CellColour(60.1, l, true), LimitColour::Outside);
}

// A limit of 0 is "not given": a minimum alone bounds only from below.
TEST(CellColour, MinimumAloneBoundsOnlyFromBelow) {
    const Limits l = limits(50, 0);
    EXPECT_EQ(CellColour(60, l, true), LimitColour::Inside);
    EXPECT_EQ(CellColour(40, l, true), LimitColour::Outside);
    EXPECT_EQ(CellColour(0, l, true), LimitColour::Outside);
}

TEST(CellColour, ZeroIsNeverAboveTheMaximum) {
    EXPECT_EQ(CellColour(0, limits(0, 100), true), LimitColour::Inside);
    EXPECT_EQ(CellColour(150, limits(0, 100), true), LimitColour::Outside);
}

TEST(CellColour, AbsoluteValuesColourTheMagnitude) {
    EXPECT_EQ(CellColour(-5, limits(0, 100), true), LimitColour::Inside);
    EXPECT_EQ(CellColour(-5, limits(0, 100), false), LimitColour::Outside);
    EXPECT_EQ(CellColour(-150, limits(0, 100), true), LimitColour::Outside);
}

TEST(CellColour, BandOverridesTheLimitColour) {
    const Limits l = limits(40, 60, 50, true);
    EXPECT_EQ(CellColour(40, l, true), LimitColour::Band);
    EXPECT_EQ(CellColour(49.9, l, true), LimitColour::Band);
    EXPECT_EQ(CellColour(39.9, l, true), LimitColour::Outside);
    EXPECT_EQ(CellColour(50, l, true), LimitColour::Inside);
    EXPECT_EQ(CellColour(45, limits(0, 0, 50, true), true), LimitColour::Band);
    EXPECT_EQ(CellColour(45, limits(40, 60, 50, false), true), LimitColour::Inside);
}

class LimitsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05"); }

    ScopedLocale german{QLocale::German, QLocale::Germany};
    TextTable texts;
};

TEST_F(LimitsDialogTest, CaptionShowsTheThreeLimitsAlignedInSeven) {
    EXPECT_EQ(ShowLimits(limits(80, 120, 100), "DP", texts, German),
              ">     80\r\n<    120\r\n=    100");
}

TEST_F(LimitsDialogTest, ACaptionFractionGivesEveryLineDecimals) {
    EXPECT_EQ(ShowLimits(limits(80.5, 120, 100), "DP", texts, German),
              ">   80,5\r\n<  120,0\r\n=  100,0");
    EXPECT_EQ(ShowLimits(limits(80.5, 120, 100), "EL7", texts, German),
              "> 80,500\r\n<120,000\r\n=100,000");
    ScopedLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ShowLimits(limits(0, 0, 12.25), "DP", texts, English),
              ">    0.0\r\n<    0.0\r\n=   12.2");
}

TEST_F(LimitsDialogTest, CaptionWithoutLimitsNamesTheButton) {
    EXPECT_EQ(ShowLimits(Limits(), "DP", texts, German), "Grenzwerte");
    EXPECT_EQ(ShowLimits(Limits(), "DP", texts, English), "Limits");
}

TEST_F(LimitsDialogTest, RuleWithoutTargetAsksForOne) {
    Limits l = limits(30, 0, 0, true);
    const Check8020Result result = Check8020(l, texts, German);
    EXPECT_EQ(result.Messages, QStringList{"Eingabe Sollwert bei 80/20 Regel erforderlich"});
    EXPECT_EQ(l.MinLimit, 30);
    EXPECT_FALSE(result.MinLimitBoxText);
}

TEST_F(LimitsDialogTest, RuleMovesTheMinimumToEightyPercentOnce) {
    Limits l = limits(0, 0, 125, true);
    Check8020Result result = Check8020(l, texts, German);
    EXPECT_EQ(result.Messages, QStringList{"Min Limit  an 80/20 Regel angepasst von 0 nach 100"});
    EXPECT_EQ(l.MinLimit, 100);
    EXPECT_EQ(result.MinLimitBoxText, "100");
    EXPECT_EQ(l.LimitTexts[1], "100");

    result = Check8020(l, texts, German);
    EXPECT_TRUE(result.Messages.isEmpty());
}

TEST_F(LimitsDialogTest, AdjustedMinimumUsesTheLocaleSeparator) {
    Limits l = limits(7.5, 0, 12.5, true);
    EXPECT_EQ(Check8020(l, texts, English).Messages,
              QStringList{"Min limit changed due to 80/20 rule from 7,5 to 10"});
    l.TargetValue = 12.3;
    EXPECT_EQ(Check8020(l, texts, German).MinLimitBoxText, "9,84");
}

TEST_F(LimitsDialogTest, TargetOutsideTheLimitsWarnsWithoutTheRule) {
    Limits l = limits(80, 120, 150);
    EXPECT_EQ(Check8020(l, texts, German).Messages,
              QStringList{"Sollwert muss zwischen Minimum und Maximum liegen!"});
    l.TargetValue = 100;
    EXPECT_TRUE(Check8020(l, texts, German).Messages.isEmpty());
}

TEST_F(LimitsDialogTest, MinimumAboveAGivenMaximumWarns) {
    Limits l = limits(10, 0);
    EXPECT_TRUE(Check8020(l, texts, German).Messages.isEmpty());
    l.MaxLimit = 5;
    EXPECT_EQ(Check8020(l, texts, English).Messages, QStringList{"Minimum higher than maximum!"});
    EXPECT_EQ(l.MinLimit, 10);
}

TEST_F(LimitsDialogTest, NegativeEntryLosesItsSign) {
    Limits l;
    const LimitEntryResult result = ValidateLimitEntry(l, LimitField::Min, "-5", texts, German);
    EXPECT_TRUE(result.Accepted);
    EXPECT_EQ(result.Messages, QStringList{"Nur positive Werte erlaubt"});
    EXPECT_EQ(result.BoxText, "5");
    EXPECT_EQ(l.MinLimit, 5);
    EXPECT_EQ(l.LimitTexts[1], "5");
}

TEST_F(LimitsDialogTest, OnlyTheSignOfANegativeEntryIsRemoved) {
    Limits l;
    const LimitEntryResult result = ValidateLimitEntry(l, LimitField::Max, "-1e-2", texts, German);
    EXPECT_EQ(result.BoxText, "1e-2");
    EXPECT_DOUBLE_EQ(l.MaxLimit, 0.01);
}

TEST_F(LimitsDialogTest, NonNumericEntryIsRefused) {
    Limits l = limits(0, 50);
    const LimitEntryResult result = ValidateLimitEntry(l, LimitField::Max, "abc", texts, English);
    EXPECT_FALSE(result.Accepted);
    EXPECT_EQ(result.Messages, QStringList{"Numeric field required!"});
    EXPECT_EQ(l.MaxLimit, 50);
}

TEST_F(LimitsDialogTest, EntriesFollowTheLocaleSeparator) {
    Limits l;
    EXPECT_TRUE(ValidateLimitEntry(l, LimitField::Max, "12,5", texts, German).Accepted);
    EXPECT_EQ(l.MaxLimit, 12.5);
    EXPECT_EQ(l.LimitTexts[0], "12,5");
    // A point is no decimal separator here; reading it as grouping would turn 12.5 into 125.
    EXPECT_FALSE(ValidateLimitEntry(l, LimitField::Max, "12.5", texts, German).Accepted);
    EXPECT_EQ(l.MaxLimit, 12.5);

    ScopedLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_TRUE(ValidateLimitEntry(l, LimitField::Target, " 12.5 ", texts, English).Accepted);
    EXPECT_EQ(l.TargetValue, 12.5);
    EXPECT_FALSE(ValidateLimitEntry(l, LimitField::Target, "12,5", texts, English).Accepted);
}

TEST_F(LimitsDialogTest, EmptyEntryClearsTheLimit) {
    Limits l = limits(10, 20, 15);
    LimitEntryResult result = ValidateLimitEntry(l, LimitField::Target, " ", texts, German);
    EXPECT_EQ(l.TargetValue, 0);
    EXPECT_EQ(result.BoxText, "0");
    EXPECT_EQ(l.LimitTexts[2], " ");

    result = ValidateLimitEntry(l, LimitField::Max, "", texts, German);
    EXPECT_EQ(l.MaxLimit, 0);
    EXPECT_FALSE(result.BoxText);
    EXPECT_TRUE(result.Messages.isEmpty());
}

TEST_F(LimitsDialogTest, EntryRunsTheRuleCheck) {
    Limits l = limits(0, 150, 0, true);
    const LimitEntryResult result = ValidateLimitEntry(l, LimitField::Target, "125", texts, German);
    EXPECT_EQ(result.Messages, QStringList{"Min Limit  an 80/20 Regel angepasst von 0 nach 100"});
    EXPECT_EQ(result.MinLimitBoxText, "100");

    const LimitEntryResult refused = ValidateLimitEntry(l, LimitField::Max, "x", texts, German);
    EXPECT_FALSE(refused.Accepted);
    EXPECT_EQ(refused.Messages.size(), 1);
}

TEST_F(LimitsDialogTest, ClearingSetsEverythingToZero) {
    Limits l = limits(80, 120, 100, true);
    l.LimitTexts = {"120", "80", "100"};
    ClearLimits(l);
    EXPECT_EQ(l.MinLimit, 0);
    EXPECT_EQ(l.MaxLimit, 0);
    EXPECT_EQ(l.TargetValue, 0);
    EXPECT_FALSE(l.Rule8020);
    EXPECT_EQ(l.LimitTexts, (std::array<QString, 3>{"0", "0", "0"}));
    EXPECT_EQ(LimitBoxText(l.MinLimit), "0");
}

TEST(Info8020Text, GermanAndEnglishWording) {
    EXPECT_EQ(Info8020Text(English),
              "The 80/20 rule according to ISO 19840 :\r\n"
              "1) The arithmetic mean value has to be equal or higher than the target "
              "Value(NDFT Nominal Dry Film Thickness)\r\n"
              "2) Each value has to be minimun 80% of the Target Value, Min Limit = 80% of "
              "target Limit\r\n"
              "3) Maximum 20 % of all values are allowed to be between Min Limit and Target "
              "Value\r\n"
              "4) Each value has to be less or equal than Max Limit\r\n"
              "\r\n"
              "Appearance in table: value ok = green, value higher max or lower Min = red, "
              "value between 80 and 100% = orange\r\n");
    const QString german = Info8020Text(German);
    EXPECT_EQ(german, Info8020Text(2));
    EXPECT_TRUE(german.startsWith("Die 80/20 Regel nach ISO 19840 :\r\n1) Der Mittelwert aller "
                                  "Meßwerte muß gleich oder größer dem eingegeben "
                                  "Sollwert(NDFT) sein.\r\n"));
    EXPECT_TRUE(german.endsWith("\r\n\r\nKennzeichnung in Tabelle:  Wert ok = grün, Wert höher "
                                "Max oder unter Min = red, Wert zwischen 80 and 100% = "
                                "orange\r\n"));
    EXPECT_EQ(german.count("\r\n"), 7);
}

} // namespace
