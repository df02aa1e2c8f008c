#include "core/ValueText.h"

#include "core/NumberFormat.h"

QString ValueText(double value, const QString& unit, const QString& decimalsMode) {
    if (auto text = FormatValue(value, unit, decimalsMode))
        return *text;
    return FormatValue(value, QStringLiteral("Stat"), decimalsMode).value_or(QString());
}
