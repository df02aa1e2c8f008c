#pragma once

#include <QString>
#include <array>

// User limits; 0 means "not given".
struct Limits {
    double MinLimit = 0;
    double MaxLimit = 0;
    double TargetValue = 0;
    bool Rule8020 = false;
    // As last accepted from the boxes, in the order maximum, minimum, target; the report prints
    // these.
    std::array<QString, 3> LimitTexts;
};
