#pragma once

#include "core/AcceptanceRules.h"
#include "core/Limits.h"

#include <QString>
#include <QStringList>
#include <vector>

// What the statistics read besides the value itself.
struct StatisticInputs {
    bool AbsoluteValues = true; // the "+/-" switch
    QString SignMode;           // "+": the instrument's values count as magnitudes
    QString DecimalsMode;
    Limits UserLimits;
    int LanguageIndex = 0; // 0 German, otherwise English
    QString MemoryTitle;   // FE title, NFE title or "Online"
};

// The words of the statistics list, shared with the spreadsheet export.
struct StatisticWords {
    const char* Count;
    const char* Maximum;
    const char* Minimum;
    const char* Average;
    const char* StdDev;
    const char* Statistics;
    const char* NotPossible;
    const char* CauseOf;
    const char* Units;
    const char* Absolute;
    const char* Rule8020;
    const char* Yes;
    const char* No;
    const char* Rule9010;
    const char* RuleSspc;
    const char* Spots;
    const char* Areas;
    const char* SpotMinimum;
    const char* SpotMaximum;
    const char* LastSpotIncomplete;
    const char* TargetMissing;
    const char* LimitsMissing;
};

// German for language 0, English otherwise.
const StatisticWords& StatisticWordsFor(int languageIndex);

// Running statistics of the series shown in the table.
struct StatisticState {
    double Sum = 0;
    double SumAbs = 0;
    double SumSq = 0;
    double MinValue = 999999;
    double MaxValue = -999999;
    double MinAbs = 999999;  // tracked while absolute values are on
    double MaxAbs = -999999; // tracked while absolute values are on
    double Mean = 0;
    double MeanAbs = 0;
    double StdDev = 0;
    double StdDevAbs = 0;
    QString FirstUnit;
    bool UnitsDiffer = false;
    int BandCount = 0;
    bool LimitViolated = false;
    bool BandTooLarge = false;
    bool MeanBelowTarget = false;
    double BandPercent = 0;
    // Set by StatisticLines, 11 characters each.
    QString MinText;
    QString MaxText;
    QString MeanText;
    QString StdDevText = QStringLiteral(" ");
    int StatCount = 0;
    // "Ja"/"Nein " ("Yes"/"No") of the last list built with the 80/20 rule on; empty before.
    QString Verdict8020;
    // The values counted, slot by slot, for the rules that judge the series as a whole.
    std::vector<double> Values;
    // The same of the last list built with the 90/10 or the SSPC-PA 2 rule chosen.
    QString RuleVerdict;
    // What SSPC-PA 2 made of each value when the last list was built; empty for other rules.
    std::vector<LimitColour> RuleColours;
    // Unit and n of the value added last.
    QString CurrentUnit;
    int Count = 0;
};

// Starts a new series; the series counts from slot 1 again.
void Reset_Statistic(StatisticState& state, int& currentIndex);

// Adds the value of slot n = currentIndex without building the list, for rebuilding a table of
// many rows; finish with StatisticLines. An n above 5000 starts a new series (Reset_Statistic).
void AddStatisticValue(StatisticState& state, double value, const QString& unit, int& currentIndex,
                       const StatisticInputs& inputs);

// The lines of the statistics list for the series so far, and the result texts of the state.
// Empty when no value with n of 1 or more was added: the window then shows its logo instead.
QStringList StatisticLines(StatisticState& state, const StatisticInputs& inputs);

// AddStatisticValue and StatisticLines: one record added to the table.
QStringList CalcStatistic(StatisticState& state, double value, const QString& unit,
                          int& currentIndex, const StatisticInputs& inputs);

// The series fails the 80/20 rule of ISO 19840.
bool Fails8020(const StatisticState& state);

// Label of the verdict line of the rule ("Regel 90/10 ok:"); the 80/20 label for none.
QString VerdictLabel(AcceptanceRule rule, const StatisticWords& words);
