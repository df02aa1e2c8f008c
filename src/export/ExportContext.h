#pragma once

#include <QString>
#include <functional>

class PlatformServices;
class TextTable;

// What the exports need of the main window.
struct ExportContext {
    PlatformServices& Platform;
    QString MessDataPath; // the documents and workbooks go below it
    const TextTable& Texts;
    int LanguageIndex = 0;
    QString ProgramTitle; // title of the message boxes
    // The report of the shown table in mode "A" (full) or "P" (spreadsheet header).
    std::function<QString(const QString& mode)> ReportText;
    std::function<void(const QString&)> WriteLog;
};
