#pragma once

#include <QString>

// A value as the table, the statistics and the reports show it: 11 characters by FormatValue's
// rule for the unit. A unit without a rule of its own ("kA/m", "kOe", "mm", "%" unless the
// instrument reports three decimals) gets the statistics decimals of the instrument, so a cell
// never shows the text left over from some other value.
QString ValueText(double value, const QString& unit, const QString& decimalsMode);

// The value is finite and its text fits the table's 11 characters. Larger values cannot be shown
// and would carry the statistics beyond what a double holds.
bool FitsTable(double value, const QString& unit, const QString& decimalsMode);
