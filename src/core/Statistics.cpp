#include "core/Statistics.h"

#include "core/LimitRules.h"
#include "core/NumberFormat.h"
#include "core/ValueText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int MaxSeries = 5000;
constexpr int LabelWidth = 14;
constexpr int UnitGap = 3;

constexpr StatisticWords German{"Anzahl",
                                "Maximum",
                                "Minimum",
                                "Mittelwert",
                                "Std.Abw.",
                                "Statistik:",
                                " Statistik nicht möglich,",
                                " da verschiedene",
                                " Messeinheiten ",
                                "  mit Absolutwerten",
                                "Regel 80/20 ok:",
                                "Ja",
                                "Nein ",
                                "Regel 90/10 ok:",
                                "SSPC-PA 2 ok:",
                                "Spots",
                                "Flächen",
                                "Spot Minimum",
                                "Spot Maximum",
                                "letzter Spot unvollständig",
                                "Sollwert fehlt",
                                "Minimum und Maximum fehlen"};

constexpr StatisticWords English{"Count",
                                 "Maximum",
                                 "Minimum",
                                 "Average",
                                 "Std.Dev",
                                 "Statistics:",
                                 " Statistics not possible",
                                 " cause of different",
                                 " measurement units",
                                 "  with absolute values",
                                 "rule 80/20 ok:",
                                 "Yes",
                                 "No",
                                 "rule 90/10 ok:",
                                 "SSPC-PA 2 ok:",
                                 "Spots",
                                 "Areas",
                                 "Spot minimum",
                                 "Spot maximum",
                                 "last spot incomplete",
                                 "target value missing",
                                 "minimum and maximum missing"};

QString word(const char* text) {
    return QString::fromUtf8(text);
}

QString labelColumn(const char* label, int width) {
    return word(label).leftJustified(std::max(width, 0), QLatin1Char(' '));
}

QString atLeast8(const QString& text) {
    return Ausrichten(8, text, QStringLiteral(" "), false);
}

// 1-based position of the separator in the text without blanks; 0 when absent.
int separatorPosition(const QString& text, const QString& separator) {
    if (separator.isEmpty())
        return 0;
    return static_cast<int>(text.trimmed().indexOf(separator)) + 1;
}

QString percentText(double percent) {
    return QString::number(static_cast<long long>(RoundHalfEven(percent, 0))) +
           QStringLiteral(" %");
}

// The verdict line of 90/10 or SSPC-PA 2, what it could not judge on indented lines below it
// (the list is narrow), and for SSPC-PA 2 its spots and areas; the verdict is kept in the state.
// `aligned` writes a value line as the mean's.
QStringList ruleLines(StatisticState& state, const StatisticInputs& inputs,
                      const StatisticWords& words, const SspcResult& spots,
                      const std::function<QString(const char*, const QString&)>& aligned) {
    const QString blank = QStringLiteral(" ");
    const QString indent = QStringLiteral("  ");
    const Limits& limits = inputs.UserLimits;
    QStringList lines;
    switch (ChosenRule(limits)) {
    case AcceptanceRule::Pspc9010: {
        const Pspc9010Result result = Judge9010(state.Values, limits);
        state.RuleVerdict = word(result.Passed ? words.Yes : words.No);
        if (result.TargetGiven)
            lines << word(words.Rule9010) + blank + state.RuleVerdict + blank +
                         percentText(result.BelowTargetPercent());
        else
            lines << word(words.Rule9010) + blank + state.RuleVerdict
                  << indent + word(words.TargetMissing);
        break;
    }
    case AcceptanceRule::SspcPa2: {
        state.RuleVerdict = word(spots.Passed ? words.Yes : words.No);
        lines << word(words.RuleSspc) + blank + state.RuleVerdict;
        if (!spots.LimitsGiven)
            lines << indent + word(words.LimitsMissing);
        if (spots.Unjudged > 0)
            lines << indent + word(words.LastSpotIncomplete);
        lines << labelColumn(words.Spots, LabelWidth) + atLeast8(QString::number(spots.Spots));
        lines << labelColumn(words.Areas, LabelWidth) + atLeast8(QString::number(spots.Areas));
        if (spots.Spots > 0) {
            const QString stat = QStringLiteral("Stat");
            const QString& mode = inputs.DecimalsMode;
            lines << aligned(words.SpotMinimum,
                             FormatValue(spots.LowestSpot, stat, mode).value_or(blank));
            lines << aligned(words.SpotMaximum,
                             FormatValue(spots.HighestSpot, stat, mode).value_or(blank));
        }
        break;
    }
    case AcceptanceRule::None:
    case AcceptanceRule::Iso8020:
        break;
    }
    return lines;
}

} // namespace

const StatisticWords& StatisticWordsFor(int languageIndex) {
    return languageIndex == 0 ? German : English;
}

void Reset_Statistic(StatisticState& state, int& currentIndex) {
    state = StatisticState();
    currentIndex = 1;
}

void AddStatisticValue(StatisticState& state, double value, const QString& unit, int& currentIndex,
                       const StatisticInputs& inputs) {
    const bool absolute = inputs.AbsoluteValues;
    const double v = inputs.SignMode == QLatin1String("+") ? std::fabs(value) : value;

    if (state.FirstUnit.isEmpty())
        state.FirstUnit = unit;
    if (unit != state.FirstUnit)
        state.UnitsDiffer = true;
    state.CurrentUnit = unit;

    const double magnitude = std::fabs(v);
    state.Sum += v;
    state.SumAbs += magnitude;
    state.SumSq += v * v;
    state.MinValue = std::min(state.MinValue, v);
    state.MaxValue = std::max(state.MaxValue, v);
    if (absolute) {
        state.MinAbs = std::min(state.MinAbs, magnitude);
        state.MaxAbs = std::max(state.MaxAbs, magnitude);
    }

    const int n = currentIndex;
    state.Count = n;
    if (n < 1)
        return;
    state.Values.resize(static_cast<std::size_t>(n));
    state.Values.back() = v;

    state.Mean = state.Sum / n;
    state.MeanAbs = state.SumAbs / n;
    if (n > 1) {
        const auto deviation = [&](double sum) {
            const double variance = (state.SumSq - sum * sum / n) / (n - 1);
            return variance < 0 ? 0.0 : std::sqrt(variance);
        };
        state.StdDev = deviation(state.Sum);
        state.StdDevAbs = deviation(state.SumAbs);
    }

    const Limits& limits = inputs.UserLimits;
    if (limits.Rule8020) {
        state.MeanBelowTarget = state.Mean < limits.TargetValue;
        if (ViolatesLimits8020(v, limits))
            state.LimitViolated = true;
        if (InBand8020(v, limits.TargetValue))
            ++state.BandCount;
        state.BandPercent = static_cast<double>(state.BandCount) / n * 100;
        state.BandTooLarge = state.BandPercent > 20;
    }

    state.StatCount = n;
    // The store holds no more than this; a longer series cannot be shown truthfully.
    if (n > MaxSeries)
        Reset_Statistic(state, currentIndex);
}

QStringList StatisticLines(StatisticState& state, const StatisticInputs& inputs) {
    if (state.Count < 1)
        return {};
    const StatisticWords& words = StatisticWordsFor(inputs.LanguageIndex);
    const bool absolute = inputs.AbsoluteValues;
    const QString blank = QStringLiteral(" ");

    QStringList lines;
    lines << inputs.MemoryTitle << blank;
    QString heading = word(words.Statistics);
    if (inputs.SignMode == QLatin1String("-") && absolute)
        heading += word(words.Absolute);
    lines << heading << blank;

    const QString& mode = inputs.DecimalsMode;
    const QString stat = QStringLiteral("Stat");
    state.MinText = ValueText(absolute ? state.MinAbs : state.MinValue, state.CurrentUnit, mode);
    state.MaxText = ValueText(absolute ? state.MaxAbs : state.MaxValue, state.CurrentUnit, mode);
    state.MeanText = FormatValue(absolute ? state.MeanAbs : state.Mean, stat, mode).value_or(blank);
    state.StdDevText =
        FormatValue(absolute ? state.StdDevAbs : state.StdDev, stat, mode).value_or(blank);

    // SSPC-PA 2 colours the table by spots, with or without a list to show its verdict.
    const SspcResult spots = ChosenRule(inputs.UserLimits) == AcceptanceRule::SspcPa2
                                 ? JudgeSspc(state.Values, inputs.UserLimits)
                                 : SspcResult();
    state.RuleColours = spots.Colours;

    if (state.UnitsDiffer) {
        lines << word(words.NotPossible) << word(words.CauseOf) << word(words.Units);
        return lines;
    }

    const int n = state.Count;
    const QString unitGap(UnitGap, QLatin1Char(' '));
    lines << labelColumn(words.Count, LabelWidth) + atLeast8(QString::number(n));
    lines << labelColumn(words.Minimum, LabelWidth) + atLeast8(state.MinText) + unitGap +
                 state.FirstUnit;
    lines << labelColumn(words.Maximum, LabelWidth) + atLeast8(state.MaxText) + unitGap +
                 state.FirstUnit;
    // Mean lines are shifted so that their decimal separators stand under the minimum's.
    const QString separator = QLocale().decimalPoint();
    const int p1 = separatorPosition(state.MinText, separator);
    const auto shiftOf = [&](const QString& text) {
        const int p2 = separatorPosition(text, separator);
        return p1 != p2 ? p2 - p1 - 1 : 0;
    };
    const auto shifted = [&](const char* label, const QString& text, int g) {
        const QString gap(std::max(UnitGap - g, 0), QLatin1Char(' '));
        return labelColumn(label, LabelWidth + g) + atLeast8(text) + gap + state.FirstUnit;
    };
    if (n >= 2) {
        // The deviation follows the mean's shift.
        const int g = shiftOf(state.MeanText);
        lines << shifted(words.Average, state.MeanText, g);
        lines << shifted(words.StdDev, state.StdDevText, g);
    }
    if (inputs.UserLimits.Rule8020) {
        state.Verdict8020 = word(Fails8020(state) ? words.No : words.Yes);
        lines << word(words.Rule8020) + blank + state.Verdict8020 + blank +
                     percentText(state.BandPercent);
    }
    lines << ruleLines(state, inputs, words, spots, [&](const char* label, const QString& text) {
        return shifted(label, text, shiftOf(text));
    });
    return lines;
}

QStringList CalcStatistic(StatisticState& state, double value, const QString& unit,
                          int& currentIndex, const StatisticInputs& inputs) {
    AddStatisticValue(state, value, unit, currentIndex, inputs);
    return StatisticLines(state, inputs);
}

bool Fails8020(const StatisticState& state) {
    return state.LimitViolated || state.BandTooLarge || state.MeanBelowTarget;
}

QString VerdictLabel(AcceptanceRule rule, const StatisticWords& words) {
    switch (rule) {
    case AcceptanceRule::Pspc9010:
        return word(words.Rule9010);
    case AcceptanceRule::SspcPa2:
        return word(words.RuleSspc);
    case AcceptanceRule::None:
    case AcceptanceRule::Iso8020:
        break;
    }
    return word(words.Rule8020);
}
