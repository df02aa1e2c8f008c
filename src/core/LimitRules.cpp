#include "core/LimitRules.h"

#include "core/AcceptanceRules.h"
#include "core/NumberFormat.h"
#include "core/TextTable.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr int NumericFieldRequired = 25;
constexpr int MinimumAboveMaximum = 35;
constexpr int TargetOutsideLimits = 36;
constexpr int LimitsWord = 39;
constexpr int OnlyPositive = 52;
constexpr int TargetRequired = 57;
constexpr int MinimumAdjusted = 60;
constexpr int AdjustedTo = 61;

const QString CrLf = QStringLiteral("\r\n");

const char* const SspcLimitsRequiredGerman =
    "Eingabe Minimum und Maximum bei SSPC-PA 2 erforderlich";
const char* const SspcLimitsRequiredEnglish =
    "Please enter minimum and maximum when using SSPC-PA 2";

bool hasFraction(double value) {
    return GetDecimalsInt(std::fabs(value)) != 0;
}

QString captionNumber(double value, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString text = locale.toString(RoundHalfEven(value, decimals), 'f', decimals);
    return Ausrichten(7, text, QStringLiteral(" "), false);
}

// The box's text read with the default locale: blanks around it are allowed, grouping is not, so
// "12.5" under a German locale is refused rather than read as 125.
std::optional<double> readBoxNumber(const QString& text) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double& fieldOf(Limits& limits, LimitField field) {
    switch (field) {
    case LimitField::Max:
        return limits.MaxLimit;
    case LimitField::Min:
        return limits.MinLimit;
    case LimitField::Target:
        break;
    }
    return limits.TargetValue;
}

// The dialog's check for `rule`. The rules that move the minimum to a share of the target say so
// in the words of the 80/20 messages, naming their own rule.
Check8020Result checkRule(Limits& limits, AcceptanceRule rule, const TextTable& texts,
                          int languageIndex) {
    Check8020Result result;
    if (rule == AcceptanceRule::Iso8020 || rule == AcceptanceRule::Pspc9010) {
        const bool iso = rule == AcceptanceRule::Iso8020;
        const QString name = iso ? QStringLiteral("80/20") : QStringLiteral("90/10");
        const auto named = [&](int slot) {
            return QString(texts.message(languageIndex, slot))
                .replace(QLatin1String("80/20"), name);
        };
        if (limits.TargetValue == 0) {
            result.Messages << named(TargetRequired);
            return result;
        }
        const double m = limits.TargetValue * (iso ? 80 : 90) / 100;
        if (m != limits.MinLimit) {
            const double old = limits.MinLimit;
            limits.MinLimit = m;
            result.MinLimitBoxText = LimitBoxText(m);
            limits.LimitTexts[static_cast<int>(LimitField::Min)] = *result.MinLimitBoxText;
            result.Messages << named(MinimumAdjusted) + LimitBoxText(old) + QLatin1Char(' ') +
                                   texts.message(languageIndex, AdjustedTo) + QLatin1Char(' ') +
                                   LimitBoxText(m);
        }
    } else {
        if (rule == AcceptanceRule::SspcPa2 && (limits.MinLimit == 0 || limits.MaxLimit == 0))
            result.Messages << QString::fromUtf8(languageIndex == 1 ? SspcLimitsRequiredEnglish
                                                                    : SspcLimitsRequiredGerman);
        if (limits.TargetValue != 0 &&
            (limits.TargetValue > limits.MaxLimit || limits.TargetValue < limits.MinLimit))
            result.Messages << texts.message(languageIndex, TargetOutsideLimits);
    }
    if (limits.MinLimit != 0 && limits.MaxLimit != 0 && limits.MinLimit > limits.MaxLimit)
        result.Messages << texts.message(languageIndex, MinimumAboveMaximum);
    return result;
}

} // namespace

LimitColour CellColour(double value, const Limits& limits, bool absoluteValues) {
    const double v = absoluteValues ? std::fabs(value) : value;
    if (ChosenRule(limits) == AcceptanceRule::Pspc9010)
        return Colour9010(v, limits);
    LimitColour colour = LimitColour::None;
    if (limits.MaxLimit != 0 || limits.MinLimit != 0) {
        const bool aboveMax = limits.MaxLimit != 0 && v != 0 && v > limits.MaxLimit;
        colour = aboveMax || v < limits.MinLimit ? LimitColour::Outside : LimitColour::Inside;
    }
    if (limits.Rule8020 && InBand8020(v, limits.TargetValue))
        colour = LimitColour::Band;
    return colour;
}

LimitColour SlotColour(double value, int slot, const Limits& limits, bool absoluteValues,
                       std::span<const LimitColour> ruleColours) {
    if (ChosenRule(limits) != AcceptanceRule::SspcPa2)
        return CellColour(value, limits, absoluteValues);
    const auto index = static_cast<std::size_t>(slot - 1);
    return slot >= 1 && index < ruleColours.size() ? ruleColours[index] : LimitColour::Pending;
}

std::optional<Rgb> ColourOf(LimitColour colour) {
    switch (colour) {
    case LimitColour::Inside:
        return Colours::lightgreen;
    case LimitColour::Outside:
        return Colours::lightred;
    case LimitColour::Band:
        return Colours::lightorange;
    case LimitColour::Pending:
        return Colours::white;
    case LimitColour::None:
        break;
    }
    return std::nullopt;
}

bool InBand8020(double value, double target) {
    return target - target * 20 / 100 <= value && value < target;
}

bool ViolatesLimits8020(double value, const Limits& limits) {
    return (limits.MinLimit >= 0 && value < limits.MinLimit) ||
           (limits.MaxLimit > 0 && value > limits.MaxLimit);
}

QString ShowLimits(const Limits& limits, const QString& modelCode, const TextTable& texts,
                   int languageIndex) {
    if (limits.MinLimit == 0 && limits.MaxLimit == 0 && limits.TargetValue == 0)
        return texts.message(languageIndex, LimitsWord);
    int decimals = 0;
    if (hasFraction(limits.MinLimit) || hasFraction(limits.MaxLimit) ||
        hasFraction(limits.TargetValue))
        decimals = modelCode.trimmed().startsWith(QLatin1String("EL")) ? 3 : 1;
    return QLatin1Char('>') + captionNumber(limits.MinLimit, decimals) + CrLf + QLatin1Char('<') +
           captionNumber(limits.MaxLimit, decimals) + CrLf + QLatin1Char('=') +
           captionNumber(limits.TargetValue, decimals);
}

QString LimitBoxText(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

Check8020Result Check8020(Limits& limits, const TextTable& texts, int languageIndex) {
    return checkRule(limits, limits.Rule8020 ? AcceptanceRule::Iso8020 : AcceptanceRule::None,
                     texts, languageIndex);
}

Check8020Result CheckLimitRule(Limits& limits, const TextTable& texts, int languageIndex) {
    return checkRule(limits, ChosenRule(limits), texts, languageIndex);
}

LimitEntryResult ValidateLimitEntry(Limits& limits, LimitField field, const QString& boxText,
                                    const TextTable& texts, int languageIndex) {
    LimitEntryResult result;
    QString& limitText = limits.LimitTexts[static_cast<int>(field)];
    if (boxText.isEmpty() || boxText == QLatin1String(" ")) {
        fieldOf(limits, field) = 0;
        limitText = boxText;
        if (field == LimitField::Target)
            result.BoxText = QStringLiteral("0");
        return result;
    }

    const auto value = readBoxNumber(boxText);
    if (!value) {
        result.Accepted = false;
        result.Messages << texts.message(languageIndex, NumericFieldRequired);
    } else {
        QString text = boxText;
        double number = *value;
        if (number < 0) {
            result.Messages << texts.message(languageIndex, OnlyPositive);
            // Only the sign goes: a minus inside an exponent belongs to the number.
            const QString minus = QLocale().negativeSign();
            const auto sign = text.indexOf(minus);
            if (sign >= 0)
                text.remove(sign, minus.size());
            number = -number;
            result.BoxText = text;
        }
        fieldOf(limits, field) = number;
        limitText = text;
    }

    const Check8020Result check = CheckLimitRule(limits, texts, languageIndex);
    result.Messages << check.Messages;
    result.MinLimitBoxText = check.MinLimitBoxText;
    return result;
}

void ClearLimits(Limits& limits) {
    limits.MinLimit = 0;
    limits.MaxLimit = 0;
    limits.TargetValue = 0;
    ChooseRule(limits, AcceptanceRule::None);
    // The report prints these texts; they must not outlive the values they stood for.
    limits.LimitTexts.fill(QStringLiteral("0"));
}

QString Info8020Text(int languageIndex) {
    static const char* const English[] = {
        "The 80/20 rule according to ISO 19840 :",
        "1) The arithmetic mean value has to be equal or higher than the target Value(NDFT "
        "Nominal Dry Film Thickness)",
        "2) Each value has to be minimun 80% of the Target Value, Min Limit = 80% of target "
        "Limit",
        "3) Maximum 20 % of all values are allowed to be between Min Limit and Target Value",
        "4) Each value has to be less or equal than Max Limit",
        "",
        "Appearance in table: value ok = green, value higher max or lower Min = red, value "
        "between 80 and 100% = orange",
    };
    static const char* const German[] = {
        "Die 80/20 Regel nach ISO 19840 :",
        "1) Der Mittelwert aller Meßwerte muß gleich oder größer dem eingegeben Sollwert(NDFT) "
        "sein.",
        "2) Jeder gemessene Wert muss mindestens 80% des Sollwerts sein. Min Limit = 80% vom "
        "Sollwert",
        "3) Maximal 20 % aller Werte dürfen in einem Bereich zwischen MinLimit und Sollwert "
        "liegen",
        "4) Jeder Wert muss kleiner oder gleich dem Max Limit sein",
        "",
        "Kennzeichnung in Tabelle:  Wert ok = grün, Wert höher Max oder unter Min = red, Wert "
        "zwischen 80 and 100% = orange",
    };
    QString text;
    for (const char* line : languageIndex == 1 ? English : German)
        text += QString::fromUtf8(line) + CrLf;
    return text;
}
