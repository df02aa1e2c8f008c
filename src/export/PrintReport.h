#pragma once

#include <QString>
#include <functional>

class PlatformServices;
class QPrinter;

// Prints the report text in the report font, columns as the blanks align them, a new page where
// a page is full. False when the printer could not be started.
bool PrintReportText(QPrinter& printer, const QString& reportText);

// The printer dialog, then the report of the moment on the printer chosen. Cancelling prints
// nothing and says nothing.
void PrintReport(PlatformServices& platform, const std::function<QString()>& reportText);
