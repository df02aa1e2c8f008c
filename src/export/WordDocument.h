#pragma once

#include <QString>

struct ExportContext;

// Writes the report into a new OpenDocument text ("Lucida Console" 10 pt, not bold) in a new
// file of the folder "odt" and opens it with the desktop's default application. A failure shows
// "Open Word:" and the reason in a box and the log. Returns the file written, empty when none
// was.
QString ExportToWordProcessor(const ExportContext& context);
