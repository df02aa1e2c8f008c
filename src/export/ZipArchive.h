#pragma once

#include "core/ReportDocument.h"

#include <QString>
#include <vector>

// Writes a zip archive of the parts in their order, replacing the file. Empty on success,
// otherwise what went wrong.
QString WriteZipArchive(const QString& path, const std::vector<OdtPart>& parts);

// Reads every part of the zip archive at path, in the archive's order. Empty on success,
// otherwise what went wrong.
QString ReadZipArchive(const QString& path, std::vector<OdtPart>& parts);
