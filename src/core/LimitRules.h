#pragma once

#include "core/Limits.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

class TextTable;

struct Rgb {
    quint8 Red = 0;
    quint8 Green = 0;
    quint8 Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Whole-program colours of the table and the limit display.
namespace Colours {
constexpr Rgb lightgreen{158, 232, 155};  // inside the limits
constexpr Rgb lightred{239, 162, 162};    // outside the limits
constexpr Rgb lightorange{242, 180, 123}; // in the 80/20 or 90/10 band
constexpr Rgb grey{204, 204, 204};        // row marked for deletion
constexpr Rgb white{255, 255, 255};       // row unmarked
constexpr Rgb darkgreen{0, 100, 0};
constexpr Rgb orange{255, 165, 0};
} // namespace Colours

// Pending: a value that a rule judging groups of values has not judged yet (white).
enum class LimitColour { None, Inside, Outside, Band, Pending };

// The background of a value cell. With no limit and the 80/20 rule off the cell keeps the grid's
// own background (None). A limit of 0 is not given: it bounds nothing from above. The 90/10 rule
// colours a value by itself; SSPC-PA 2 colours by spots (SlotColour).
LimitColour CellColour(double value, const Limits& limits, bool absoluteValues);

// The cell of the value of `slot`: the colour the chosen rule gave it within the series when the
// rule judges values together (ruleColours, slot by slot), CellColour otherwise.
LimitColour SlotColour(double value, int slot, const Limits& limits, bool absoluteValues,
                       std::span<const LimitColour> ruleColours);

// Empty for None.
std::optional<Rgb> ColourOf(LimitColour colour);

// From 80 % of the target up to, not including, the target.
bool InBand8020(double value, double target);

// The value breaks a limit for the 80/20 verdict: below a minimum of 0 or more, or above a
// maximum that is given.
bool ViolatesLimits8020(double value, const Limits& limits);

// Caption of the limits button: ">" minimum, "<" maximum, "=" target on three lines, or the word
// for limits when none is given. Models whose code begins with "EL" show three decimals where
// others show one.
QString ShowLimits(const Limits& limits, const QString& modelCode, const TextTable& texts,
                   int languageIndex);

// A limit as its box shows it: shortest decimal form with the default locale's separator.
QString LimitBoxText(double value);

struct Check8020Result {
    QStringList Messages; // to show one after the other
    // New text of txtMinLimit when the rule moved the minimum.
    std::optional<QString> MinLimitBoxText;
};

// Consistency check of the limits dialog; limits.Rule8020 is the state of its check box. With the
// rule on, the minimum follows 80 % of the target.
Check8020Result Check8020(Limits& limits, const TextTable& texts, int languageIndex);

// The same check for the chosen rule: 80/20 as above; 90/10 moves the minimum to 90 % of the
// target alike; SSPC-PA 2 needs minimum and maximum.
Check8020Result CheckLimitRule(Limits& limits, const TextTable& texts, int languageIndex);

// The three boxes in the order of Limits::LimitTexts.
enum class LimitField { Max = 0, Min = 1, Target = 2 };

struct LimitEntryResult {
    bool Accepted = true; // false: the focus stays in the box
    QStringList Messages;
    std::optional<QString> BoxText;         // new text of the edited box
    std::optional<QString> MinLimitBoxText; // new text of txtMinLimit (80/20 or 90/10 rule)
};

// Validates the text of one box and takes it into `limits`, then checks the chosen rule; numbers
// follow the default locale.
LimitEntryResult ValidateLimitEntry(Limits& limits, LimitField field, const QString& boxText,
                                    const TextTable& texts, int languageIndex);

// The delete button of the dialog: every limit 0, no rule, each box showing "0".
void ClearLimits(Limits& limits);

// Text of the 80/20 information box; English for language 1, German otherwise.
QString Info8020Text(int languageIndex);
