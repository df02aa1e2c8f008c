#pragma once

#include <QDateTime>
#include <QString>

// Files of the word-processor and spreadsheet exports: each export a new file in a folder of its
// own below the measurement-data folder, never one that is there already.

struct NewExportFile {
    bool ok = false;
    QString path;
    QString description; // why no file could be made
};

// The folder for files of this kind ("odt", "xlsx") below the measurement-data folder.
QString ExportFolder(const QString& messDataPath, const QString& suffix);

// Makes the folder when missing and creates an empty file "<word> yyyy-MM-dd HH-mm-ss.<suffix>"
// in it, with " (2)", " (3)", ... before the suffix when that name is taken: the writer then
// replaces the empty file, and two exports in one second still get two files.
NewExportFile CreateExportFile(const QString& messDataPath, const QString& word,
                               const QString& suffix, const QDateTime& now);
