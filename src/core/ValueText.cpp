#include "core/ValueText.h"

#include "core/NumberFormat.h"

#include <cmath>

QString ValueText(double value, const QString& unit, const QString& decimalsMode) {
    if (auto text = FormatValue(value, unit, decimalsMode))
        return *text;
    return FormatValue(value, QStringLiteral("Stat"), decimalsMode).value_or(QString());
}

bool FitsTable(double value, const QString& unit, const QString& decimalsMode) {
    constexpr qsizetype TableWidth = 11;
    return std::isfinite(value) && ValueText(value, unit, decimalsMode).size() <= TableWidth;
}
