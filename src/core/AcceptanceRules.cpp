#include "core/AcceptanceRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int AreaSpots = 5;

// A mean or a percentage of a limit carries the rounding of its arithmetic: a bound met to within
// that counts as met, so a spot of exactly 80 % of the minimum passes however it was summed.
constexpr double Slack = 1e-9;

bool notBelow(double value, double bound) {
    return value >= bound - Slack * std::max(1.0, std::fabs(bound));
}

bool notAbove(double value, double bound) {
    return value <= bound + Slack * std::max(1.0, std::fabs(bound));
}

const QString CrLf = QStringLiteral("\r\n");

QString lines(std::span<const char* const> texts) {
    QString text;
    for (const char* line : texts)
        text += QString::fromUtf8(line) + CrLf;
    return text;
}

QString info9010(int languageIndex) {
    static const char* const English[] = {
        "The 90/10 rule according to IMO PSPC :",
        "1) At least 90 % of all values have to be equal or higher than the target value (NDFT "
        "Nominal Dry Film Thickness)",
        "2) No value may be lower than 90 % of the target value, Min Limit = 90 % of target value",
        "3) The statistics show the share of values below the target value",
        "",
        "Appearance in table: value ok = green, value lower than 90 % of target or higher max = "
        "red, value between 90 and 100% = orange",
    };
    static const char* const German[] = {
        "Die 90/10 Regel nach IMO PSPC :",
        "1) Mindestens 90 % aller Meßwerte müssen gleich oder größer dem eingegebenen "
        "Sollwert(NDFT) sein.",
        "2) Kein Wert darf kleiner als 90 % des Sollwerts sein. Min Limit = 90% vom Sollwert",
        "3) Die Statistik zeigt den Anteil der Werte unter dem Sollwert",
        "",
        "Kennzeichnung in Tabelle:  Wert ok = grün, Wert unter 90 % des Sollwerts oder höher Max "
        "= rot, Wert zwischen 90 und 100% = orange",
    };
    return languageIndex == 1 ? lines(English) : lines(German);
}

QString infoSspc(int languageIndex) {
    static const char* const English[] = {
        "SSPC-PA 2, restriction level 3 :",
        "1) Three consecutive values form a spot, whose value is their mean. An incomplete last "
        "spot is not judged",
        "2) Five consecutive spots form an area, whose value is the mean of its spots",
        "3) Each spot has to be at least 80 % of Min Limit and at most 120 % of Max Limit",
        "4) Each area has to be between Min Limit and Max Limit",
        "5) Min Limit and Max Limit are both required",
        "",
        "Appearance in table: spot ok = green, spot not ok = red, values of an incomplete spot = "
        "white",
    };
    static const char* const German[] = {
        "SSPC-PA 2, Einschränkungsstufe 3 :",
        "1) Drei aufeinander folgende Werte bilden einen Spot, dessen Wert ihr Mittelwert ist. "
        "Ein unvollständiger letzter Spot wird nicht bewertet",
        "2) Fünf aufeinander folgende Spots bilden eine Fläche, deren Wert der Mittelwert ihrer "
        "Spots ist",
        "3) Jeder Spot muss mindestens 80 % vom Min Limit und höchstens 120 % vom Max Limit sein",
        "4) Jede Fläche muss zwischen Min Limit und Max Limit liegen",
        "5) Min Limit und Max Limit sind beide erforderlich",
        "",
        "Kennzeichnung in Tabelle:  Spot ok = grün, Spot nicht ok = rot, Werte eines "
        "unvollständigen Spots = weiß",
    };
    return languageIndex == 1 ? lines(English) : lines(German);
}

} // namespace

AcceptanceRule ChosenRule(const Limits& limits) {
    if (limits.Rule8020)
        return AcceptanceRule::Iso8020;
    return limits.Rule == AcceptanceRule::Iso8020 ? AcceptanceRule::None : limits.Rule;
}

void ChooseRule(Limits& limits, AcceptanceRule rule) {
    limits.Rule = rule;
    limits.Rule8020 = rule == AcceptanceRule::Iso8020;
}

std::vector<AcceptanceRule> OfferedRules(const QString& signMode) {
    if (signMode == QLatin1String("-"))
        return {};
    return {AcceptanceRule::Iso8020, AcceptanceRule::Pspc9010, AcceptanceRule::SspcPa2};
}

QString RuleCode(AcceptanceRule rule) {
    switch (rule) {
    case AcceptanceRule::Pspc9010:
        return QStringLiteral("9010");
    case AcceptanceRule::SspcPa2:
        return QStringLiteral("SSPC");
    case AcceptanceRule::None:
    case AcceptanceRule::Iso8020:
        break;
    }
    return {};
}

std::optional<AcceptanceRule> RuleFromCode(const QString& code) {
    const QString text = code.trimmed();
    if (text == QLatin1String("8020"))
        return AcceptanceRule::Iso8020;
    if (text == QLatin1String("9010"))
        return AcceptanceRule::Pspc9010;
    if (text.compare(QLatin1String("SSPC"), Qt::CaseInsensitive) == 0)
        return AcceptanceRule::SspcPa2;
    return std::nullopt;
}

LimitColour Colour9010(double value, const Limits& limits) {
    const double target = limits.TargetValue;
    const bool aboveMax = limits.MaxLimit != 0 && value != 0 && value > limits.MaxLimit;
    if (aboveMax || !notBelow(value, target * 90 / 100))
        return LimitColour::Outside;
    return value < target ? LimitColour::Band : LimitColour::Inside;
}

double Pspc9010Result::BelowTargetPercent() const {
    return Count == 0 ? 0 : static_cast<double>(BelowTarget) / Count * 100;
}

Pspc9010Result Judge9010(std::span<const double> values, const Limits& limits) {
    Pspc9010Result result;
    result.Count = static_cast<int>(values.size());
    result.TargetGiven = limits.TargetValue != 0;
    result.Colours.reserve(values.size());
    for (double v : values) {
        result.Colours.push_back(Colour9010(v, limits));
        if (v < limits.TargetValue) {
            ++result.BelowTarget;
            if (!notBelow(v, limits.TargetValue * 90 / 100))
                ++result.BelowNinety;
        }
    }
    // Counted in whole values, so exactly 90 % at or above the target passes.
    const int atOrAbove = result.Count - result.BelowTarget;
    result.Passed = result.TargetGiven && result.Count > 0 && result.BelowNinety == 0 &&
                    atOrAbove * 10 >= result.Count * 9;
    return result;
}

SspcResult JudgeSspc(std::span<const double> values, const Limits& limits) {
    SspcResult result;
    result.LimitsGiven = limits.MinLimit != 0 && limits.MaxLimit != 0;
    const double lowest = limits.MinLimit * 80 / 100;
    const double highest = limits.MaxLimit * 120 / 100;
    const auto count = static_cast<int>(values.size());
    result.Spots = count / SspcSpotSize;
    result.Unjudged = count % SspcSpotSize;
    result.Colours.assign(values.size(), LimitColour::Pending);

    double areaSum = 0;
    for (int spot = 0; spot < result.Spots; ++spot) {
        const auto first = static_cast<std::size_t>(spot * SspcSpotSize);
        const double mean = (values[first] + values[first + 1] + values[first + 2]) / SspcSpotSize;
        const bool ok = notBelow(mean, lowest) && notAbove(mean, highest);
        if (!ok)
            ++result.FailedSpots;
        std::fill_n(result.Colours.begin() + static_cast<std::ptrdiff_t>(first), SspcSpotSize,
                    ok ? LimitColour::Inside : LimitColour::Outside);
        result.LowestSpot = spot == 0 ? mean : std::min(result.LowestSpot, mean);
        result.HighestSpot = spot == 0 ? mean : std::max(result.HighestSpot, mean);

        areaSum += mean;
        if ((spot + 1) % AreaSpots == 0) {
            const double area = areaSum / AreaSpots;
            if (!notBelow(area, limits.MinLimit) || !notAbove(area, limits.MaxLimit))
                ++result.FailedAreas;
            ++result.Areas;
            areaSum = 0;
        }
    }
    result.Passed = result.LimitsGiven && result.Spots > 0 && result.FailedSpots == 0 &&
                    result.FailedAreas == 0;
    return result;
}

QString RuleInfoText(AcceptanceRule rule, int languageIndex) {
    switch (rule) {
    case AcceptanceRule::Pspc9010:
        return info9010(languageIndex);
    case AcceptanceRule::SspcPa2:
        return infoSspc(languageIndex);
    case AcceptanceRule::None:
    case AcceptanceRule::Iso8020:
        break;
    }
    return Info8020Text(languageIndex);
}
