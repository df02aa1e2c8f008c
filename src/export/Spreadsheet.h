#pragma once

#include "core/SpreadsheetLayout.h"

#include <QString>

struct ExportContext;

// The spreadsheet export: asks "Excel inklusive Chart erstellen?" when a chart can be drawn,
// writes the workbook (header lines from the report in mode "P") into a new file of the folder
// "xlsx" and opens it with the desktop's default application. A failure shows its reason in a
// box and logs "Open Excel:" with it. Returns the file written, empty when none was.
QString ExportToSpreadsheet(const ExportContext& context, SpreadsheetInputs inputs);
