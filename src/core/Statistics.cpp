#include "core/Statistics.h"

#include "core/LimitRules.h"
#include "core/NumberFormat.h"
#include "core/ValueText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

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
                                "Nein "};

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
                                 "No"};

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
    if (n >= 2) {
        // Shift mean and deviation so that their decimal separators stand under the minimum's.
        const QString separator = QLocale().decimalPoint();
        const int p1 = separatorPosition(state.MinText, separator);
        const int p2 = separatorPosition(state.MeanText, separator);
        const int g = p1 != p2 ? p2 - p1 - 1 : 0;
        const QString gap(std::max(UnitGap - g, 0), QLatin1Char(' '));
        lines << labelColumn(words.Average, LabelWidth + g) + atLeast8(state.MeanText) + gap +
                     state.FirstUnit;
        lines << labelColumn(words.StdDev, LabelWidth + g) + atLeast8(state.StdDevText) + gap +
                     state.FirstUnit;
    }
    if (inputs.UserLimits.Rule8020) {
        state.Verdict8020 = word(Fails8020(state) ? words.No : words.Yes);
        const auto percent = static_cast<long long>(RoundHalfEven(state.BandPercent, 0));
        lines << word(words.Rule8020) + blank + state.Verdict8020 + blank +
                     QString::number(percent) + blank + QLatin1Char('%');
    }
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
