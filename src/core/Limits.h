#pragma once

#include <QString>
#include <array>

// The acceptance rules a series of coating thicknesses can be judged by.
enum class AcceptanceRule {
    None,
    Iso8020,  // 80/20 of ISO 19840
    Pspc9010, // 90/10 of the IMO performance standard for protective coatings
    SspcPa2   // SSPC-PA 2, restriction level 3
};

// User limits; 0 means "not given".
struct Limits {
    double MinLimit = 0;
    double MaxLimit = 0;
    double TargetValue = 0;
    bool Rule8020 = false;
    // As last accepted from the boxes, in the order maximum, minimum, target; the report prints
    // these.
    std::array<QString, 3> LimitTexts;
    // The rule chosen besides 80/20, which Rule8020 alone switches (see ChosenRule).
    AcceptanceRule Rule = AcceptanceRule::None;
};
