#pragma once

#include "core/LimitRules.h"
#include "core/Limits.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

// The rules besides 80/20 that judge a series against the limits: 90/10 (IMO PSPC) and
// SSPC-PA 2 (restriction level 3). Values are the series in slot order, as the statistics count
// them.

// Rule8020 chooses 80/20 whatever Rule says; unticked, 80/20 is not chosen.
AcceptanceRule ChosenRule(const Limits& limits);
void ChooseRule(Limits& limits, AcceptanceRule rule);

// The rules the limits dialog offers: none to an instrument that sends signed values.
std::vector<AcceptanceRule> OfferedRules(const QString& signMode);

// The fifth field of Limit.ini; empty for the rules the fourth field says all about.
QString RuleCode(AcceptanceRule rule);
// Empty for a code this version does not know.
std::optional<AcceptanceRule> RuleFromCode(const QString& code);

// 90/10: below 90 % of the target or above a given maximum outside, from there up to below the
// target in the band, inside otherwise.
LimitColour Colour9010(double value, const Limits& limits);

struct Pspc9010Result {
    std::vector<LimitColour> Colours; // one per value
    int Count = 0;
    int BelowTarget = 0; // the values below the target
    int BelowNinety = 0; // of those, the values below 90 % of the target
    bool TargetGiven = false;
    bool Passed = false; // at least 90 % at or above the target and none below 90 % of it

    double BelowTargetPercent() const;
};

Pspc9010Result Judge9010(std::span<const double> values, const Limits& limits);

// SSPC-PA 2 judges spots of this many consecutive values.
constexpr int SspcSpotSize = 3;

struct SspcResult {
    // Per value: its spot's verdict, Pending for the values of an incomplete last spot.
    std::vector<LimitColour> Colours;
    int Spots = 0; // complete spots of three values
    int Areas = 0; // complete areas of five spots
    int FailedSpots = 0;
    int FailedAreas = 0;
    int Unjudged = 0; // values of the incomplete last spot
    double LowestSpot = 0;
    double HighestSpot = 0;
    bool LimitsGiven = false; // minimum and maximum, which the rule needs both
    bool Passed = false;      // limits given, at least one spot, none failed
};

SspcResult JudgeSspc(std::span<const double> values, const Limits& limits);

// The text of the information box for the chosen rule; the 80/20 text when none is chosen.
// English for language 1, German otherwise.
QString RuleInfoText(AcceptanceRule rule, int languageIndex);
