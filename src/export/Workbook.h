#pragma once

#include "core/SpreadsheetLayout.h"

#include <QString>

// Writes the layout as an .xlsx workbook, replacing the file: the worksheet, and the chart on a
// chart sheet of its own when the layout has one. Empty on success, otherwise the reason.
QString WriteWorkbook(const QString& path, const SpreadsheetLayout& layout);
