#pragma once

#include <QString>
#include <functional>

struct ExportContext;

// A failed export: the box with only an OK button shows boxText, the log receives logText.
void ReportExportFailure(const ExportContext& context, const QString& boxText,
                         const QString& logText);

// Writes a new file "<word> <date and time>.<suffix>" in the folder of its kind through `write`
// (which returns the reason of a failure, empty when all went well) and opens it with the
// desktop's default application. Every failure's reason goes to `fail`; a file that could not be
// written is removed, one that could not be opened stays for the user. Returns the file written,
// empty when none was.
QString WriteAndOpen(const ExportContext& context, const QString& word, const QString& suffix,
                     const std::function<QString(const QString& path)>& write,
                     const std::function<void(const QString& reason)>& fail);
