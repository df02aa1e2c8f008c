#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Reading back what the exports wrote, with the tools a user's programs would use.

// One entry of a zip archive; empty when the archive or the entry is missing.
QByteArray ZipEntry(const QString& archive, const QString& entry);

// What a program prints; empty when it cannot run or fails.
QString ToolOutput(const QString& program, const QStringList& arguments);

// The workbook as the read-back script sees it (cells, columns, sheets, chart).
QJsonObject ReadWorkbook(const QString& path);
