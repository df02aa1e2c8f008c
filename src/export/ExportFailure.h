#pragma once

#include <QString>

struct ExportContext;

// A failed export: the box with only an OK button shows boxText, the log receives logText.
void ReportExportFailure(const ExportContext& context, const QString& boxText,
                         const QString& logText);

// Why the desktop could not open a written file, in the user's language.
QString NotOpenedReason(const ExportContext& context, const QString& path);
